#include "game/session/replay_session.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include "game/rules/state.h"
#include "host/files.h"
#include "host/game.h"
#include "host/memory_files.h"
#include "host/recording_platform.h"
#include "host/replay_platform.h"
#include "runtime/error.h"
#include "support/virtual_display.h"

static_assert(kNewestRules == kReplayVersion, "a recording's header names the rules it is played under");

namespace {

// A display of its own, so that mapping never disturbs the game's; the game
// always uses zoom 1.
gc_global<c_VirtualDisplay*> mappingDisplay;

// What the running session's callbacks need (one session per process).
const GameProgram* sessionProgram = nullptr;
bool sessionWithMedia = true;
ReplayPlatform* sessionReplay = nullptr;
RecordingPlatform* sessionRecording = nullptr;

void CreateSessionApp() { sessionProgram->createApp(sessionWithMedia); }

void PrintEndLine() {
  const std::string line = ReplayEndLine(sessionProgram->screen(), sessionProgram->clockMs());
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::int64_t ReplayedCalendar() { return sessionReplay->NextCalendarSeconds(); }
std::int64_t ReplayedShownCalendar() { return sessionReplay->PeekCalendarSeconds(); }

std::int64_t RecordedCalendar() {
  const std::int64_t seconds = static_cast<std::int64_t>(std::time(nullptr));
  sessionRecording->RecordCalendar(seconds);
  return seconds;
}

void FinishRecording() { sessionRecording->Finish(); }

// The raw bytes of the player's state file ("" when there is none).
std::string PlayerState() {
  std::string text;
  if (std::FILE* file = std::fopen(StateFilePath().c_str(), "rb")) {
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
    std::fclose(file);
  }
  return text;
}

}  // namespace

void GameDisplayMap::ToVirtual(int x, int y, int width, int height, float* vx, float* vy) const {
  if (mappingDisplay.get() == nullptr) mappingDisplay = new c_VirtualDisplay(1.0f);
  c_VirtualDisplay* display = mappingDisplay;
  display->UpdateDevice(width, height);
  *vx = display->MapMouseX(static_cast<float>(x), width);
  *vy = display->MapMouseY(static_cast<float>(y), height);
}

std::string ReplayEndLine(int screen, int timeMs) {
  std::string states;
  for (int i = 0; i < levelStates.Length(); ++i) states += std::to_string(levelStates[i]);
  return "screen=" + std::to_string(screen) + " level=" + std::to_string(gameState.progress.currentLevel) +
         " score=" + std::to_string(gameState.progress.totalScore) + " gold=" + std::to_string(gameState.progress.totalGold) +
         " workers=" + std::to_string(gameState.progress.ownedWorkers) + " time=" + std::to_string(timeMs) +
         " states=" + states;
}

int PlayReplay(const std::string& path, bool headless, const GameProgram& program, int argc, char** argv,
               HostFiles* diskFiles) {
  ReplayScript script;
  ReplayError error;
  if (!ReadReplayFile(path, &script, &error)) {
    std::fprintf(stderr, "rails-against-time: %s: %s\n", path.c_str(), error.Text().c_str());
    return 2;
  }
  // The saved state lives in memory: the replay's own, or none (a new game).
  static MemoryFiles files;
  files.Put(StateFilePath(), script.hasState ? script.state : std::string());
  static GameDisplayMap map;
  static std::unique_ptr<ReplayPlatform> platform;
  platform = std::make_unique<ReplayPlatform>(script, &map, headless ? nullptr : GlfwPlatform());

  sessionProgram = &program;
  sessionWithMedia = !headless;
  sessionReplay = platform.get();
  SetRulesVersion(script.version);
  SetCalendarSource(ReplayedCalendar);
  SetShownCalendarSource(ReplayedShownCalendar);
  // The game may end the program itself (the menu's quit): the line comes first.
  SetNormalEndHandler(PrintEndLine);
  TarvexStartWith(platform.get(), diskFiles ? diskFiles : &files, argc, argv, program.initGlobals, CreateSessionApp);
  SetNormalEndHandler(nullptr);
  SetShownCalendarSource(nullptr);
  PrintEndLine();
  return 0;
}

int RecordGame(const std::string& path, const GameProgram& program, int argc, char** argv) {
  static GameDisplayMap map;
  static std::unique_ptr<RecordingPlatform> platform;
  platform = std::make_unique<RecordingPlatform>(GlfwPlatform(), &map);
  const std::string state = PlayerState();
  std::string error;
  if (!platform->Open(path, &state, &error)) {
    std::fprintf(stderr, "rails-against-time: %s\n", error.c_str());
    return 2;
  }
  sessionProgram = &program;
  sessionWithMedia = true;
  sessionRecording = platform.get();
  SetRulesVersion(kNewestRules);
  SetCalendarSource(RecordedCalendar);
  SetNormalEndHandler(FinishRecording);
  TarvexStartWith(platform.get(), nullptr, argc, argv, program.initGlobals, CreateSessionApp);
  SetNormalEndHandler(nullptr);
  platform->Finish();
  return 0;
}
