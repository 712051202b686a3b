// The game's start-up and a playing frame, measured in the real program on a
// real window (run under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24"
// build/bench/bench_game_frame, from the repository's root).
//
// Prints:
//  - the time from the process's start to the first presented frame (the
//    first update runs right after the first frame is shown);
//  - a playing frame of level 15 (its solved track laid, pieces being built,
//    stones, gold, bandits, raiders, the running train, texts): processor
//    time of the drawing thread per frame, draw calls and vertices;
//  - the frame's own quads drawn with raw OpenGL from one texture in one
//    call: the bare reference the frame is compared with;
//  - where start-up time goes: pictures, font, sounds, music, each loaded
//    again into fresh objects.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "game/views/data_files.h"
#include "game/views/sound_table.h"
#include "game/session/main_game.h"
#include "graphics/atlas.h"
#include "host/game.h"
#include "runtime/error.h"
#include "support/file_system.h"
#include "support/virtual_display.h"
#include "game/solver/solution.h"

namespace {

constexpr int kFrames = 400;
const auto processStart = std::chrono::steady_clock::now();

double MsSince(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

double CpuMs(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}

// The drawing thread alone: what the game adds on the processor.
double ThreadCpuMs() { return CpuMs(CLOCK_THREAD_CPUTIME_ID); }
// Every thread, the software renderer's rasterising threads included.
double ProcessCpuMs() { return CpuMs(CLOCK_PROCESS_CPUTIME_ID); }

// Processor time of one frame, measured both ways (the whole process up to
// the end of the frame's rasterising).
struct FrameCost {
  std::vector<double> thread, process;
  template <class Draw>
  void Measure(Draw draw) {
    const double processStart = ProcessCpuMs(), threadStart = ThreadCpuMs();
    draw();
    thread.push_back(ThreadCpuMs() - threadStart);
    glFinish();
    process.push_back(ProcessCpuMs() - processStart);
  }
};

// Level 15 in the middle of play: everything the board can show at once.
void SetUpBusyLevel(c_MainGame* game) {
  gameState.progress.currentLevel = 15;
  gameState.progress.ownedWorkers = 15;
  game->StartLevel(15, false);
  game->screen = ScreenPlaying;
  game->match->flags.gamePaused = game->match->flags.tutorialShowing = 0;
  const LevelSolution solution = SolveLevel(15);
  c_cLevel* level = game->match->board;
  for (const TrackPiece& p : solution.pieces) level->SetCellKind(p.cell.x, p.cell.y, p.kind);
  for (int i = 0; i < 4; ++i) {
    c_cRailTile* job = level->railTiles[i];
    job->active = 1;
    job->kind = i % 7;
    job->x = 2 + i;
    job->y = 0;
    job->progress = 25.0f * i;
  }
  level->blockTiles[0]->removing = 1;
  level->mine->workers = 3;
  level->SpawnBandits();
  level->SpawnIndigens(solution.pieces[3].cell.x, solution.pieces[3].cell.y);
  level->AddScoreText(150, 200, 200);
  level->AddExplosion(500, 400);
  game->match->run.trainRunning = 1;
  for (int i = 0; i < 300; ++i) {
    game->match->clock.lastMillisecs += 33;
    game->match->clock.timeFactor = 1.0f;
    game->match->train->UpdateTrain(level->cellKinds);
  }
}

// The frame's own quads (as the renderer sent them) drawn again with raw
// OpenGL: one texture, one call. Owns its texture for its lifetime.
class ReferenceFrame {
 public:
  explicit ReferenceFrame(std::vector<gxtkVertex> quads) : quads_(std::move(quads)) {
    for (std::size_t q = 0; q < quads_.size() / 4; ++q) {
      const auto base = static_cast<unsigned short>(q * 4);
      for (int corner : {0, 1, 2, 0, 2, 3}) indices_.push_back(static_cast<unsigned short>(base + corner));
    }
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    std::vector<unsigned> pixels(2048 * 2048, 0xff80a0c0u);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2048, 2048, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  }
  ~ReferenceFrame() { glDeleteTextures(1, &texture_); }

  void Draw() const {
    int w = 0, h = 0;
    currentGlfwGame->GetWindowSize(&w, &h);
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, h, 0, -1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    const char* base = reinterpret_cast<const char*>(quads_.data());
    glVertexPointer(2, GL_FLOAT, sizeof(gxtkVertex), base);
    glTexCoordPointer(2, GL_FLOAT, sizeof(gxtkVertex), base + 8);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(gxtkVertex), base + 16);
    glDrawElements(GL_TRIANGLES, static_cast<int>(indices_.size()), GL_UNSIGNED_SHORT, indices_.data());
    glDisable(GL_TEXTURE_2D);
    currentGlfwGame->SwapBuffers();
  }

  int Quads() const { return static_cast<int>(quads_.size() / 4); }

 private:
  std::vector<gxtkVertex> quads_;
  std::vector<unsigned short> indices_;
  GLuint texture_ = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <class Load>
double TimeLoad(Load load) {
  const auto start = std::chrono::steady_clock::now();
  load();
  return MsSince(start);
}

void StartUpShares() {
  const double window = TimeLoad([] { currentGlfwGame->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, true); });
  const double font = TimeLoad([] { LoadGameFont(String("time.txt")); });
  // Every picture of the game decoded again onto fresh pages.
  const double pictures = TimeLoad([] {
    c_ImageAtlas* fresh = new c_ImageAtlas();
    for (const char* folder : {"data/game", "data/game/buildings", "data/game/tutorial", "data/menu"}) {
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".png") fresh->Load(String(("./" + entry.path().string()).c_str()));
      }
    }
  });
  const double decodeOnly = TimeLoad([] {
    for (const char* folder : {"data/game", "data/game/buildings", "data/game/tutorial", "data/menu"}) {
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".png") continue;
        int w = 0, h = 0, c = 0;
        std::uint8_t* p = currentGlfwGame->ReadImageFile(String(("./" + entry.path().string()).c_str()), &w, &h, &c);
        std::free(p);
      }
    }
  });
  std::printf("decoding alone: %.1f ms\n", decodeOnly);
  const double sounds = TimeLoad([] { LoadGameSounds(); });
  const double music = TimeLoad([] { StartGameMusic(0.5f); });
  std::printf("start-up shares (loaded again): window %.1f ms, font %.1f ms, pictures  "
              "%.1f ms, sounds %.1f ms, music %.1f ms\n",
              window, font, pictures, sounds, music);
}

class FrameBench : public c_MainGame {
 public:
  int Update() override {
    if (updates++ == 0) {
      std::printf("process start to first presented frame: %.1f ms\n", MsSince(processStart));
      FinishLoading();
      SetUpBusyLevel(this);
      Measure();
      StartUpShares();
      std::fflush(stdout);
      Error(String());
    }
    return 0;
  }

 private:
  // The game's frame and the reference alternate, so both see the same
  // machine: a busy moment slows both, not one of them.
  void Measure() {
    gxtkGraphics* gfx = currentGraphicsDevice;
    std::vector<gxtkVertex> quads;
    gfx->capturedQuads = &quads;
    currentDelegate->HandleRender();
    gfx->capturedQuads = nullptr;
    const int calls = gfx->counters.drawCalls, vertices = gfx->counters.vertices;
    const ReferenceFrame reference(std::move(quads));
    FrameCost game, bare;
    for (int f = 0; f < kFrames; ++f) {
      game.Measure([] { currentDelegate->HandleRender(); });
      bare.Measure([&] { reference.Draw(); });
    }
    std::printf("playing frame: %d draw calls, %d vertices; the reference: the frame's %d quads, one texture, "
                "one call\n",
                calls, vertices, reference.Quads());
    const double thread = Median(game.thread), threadRef = Median(bare.thread);
    const double process = Median(game.process), processRef = Median(bare.process);
    std::printf("  drawing thread: %.3f ms, reference %.3f ms, ratio %.2f (medians of %d)\n", thread, threadRef,
                thread / threadRef, kFrames);
    std::printf("  whole process (rasterising threads included): %.3f ms, reference %.3f ms, ratio %.2f\n",
                process, processRef, process / processRef);
  }

  int updates = 0;
};


}  // namespace

int main(int argc, char** argv) {
  return TarvexStart(argc, argv, InitGameGlobals, [] { new FrameBench(); });
}
