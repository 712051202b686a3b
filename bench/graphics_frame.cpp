// One game-like frame through the drawing interface and the renderer: 2,000
// sprites from ten textures plus 400 glyphs of text, on a real window (run
// under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_graphics).
//
// Reports processor time per frame of the drawing thread (drawing interface,
// renderer and the driver's share on that thread), and the draw calls and
// vertices of the frame, with the sprites in texture order interleaved (the
// worst case for batching) and sorted by texture.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdio>
#include <vector>

#include "graphics/drawing.h"
#include "graphics/renderer.h"
#include "host/game.h"

namespace {

constexpr int kSprites = 2000;
constexpr int kTextures = 10;
constexpr int kGlyphs = 400;

gc_global<Array<c_Image*>> sprites;
gc_global<c_Image*> font;

// A picture made in memory: WritePixels into a created surface.
c_Image* MakeImage(int w, int h, int frames, int flags, std::uint32_t argb) {
  gxtkGraphics* gfx = currentGraphicsDevice;
  gxtkSurface* surface = gfx->CreateSurface(w, h);
  Array<int> px(w * h);
  for (int i = 0; i < w * h; ++i) px[i] = static_cast<int>(argb ^ static_cast<std::uint32_t>(i & 15));
  gfx->WritePixels(surface, px, 0, 0, w, h, 0, w);
  return (new c_Image())->InitFromSurface(surface, frames, flags);
}

void DrawFrame(bool sorted, bool rotated) {
  gxtkGraphics* gfx = currentGraphicsDevice;
  gfx->BeginRender();
  BeginFrame();
  ClearToColor(0, 0, 0);
  for (int n = 0; n < kSprites; ++n) {
    // Interleaved: consecutive sprites change texture. Sorted: 200 in a row share one.
    const int texture = sorted ? n / (kSprites / kTextures) : n % kTextures;
    const float x = static_cast<float>((n * 37) % 1000);
    const float y = static_cast<float>((n * 53) % 740);
    SetAlpha(n % 3 == 0 ? 0.5f : 1.0f);
    if (rotated) {
      DrawImage(sprites.get()[texture], x, y, static_cast<float>(n % 360), 1.5f, 1.5f, 0);
    } else {
      DrawImage(sprites.get()[texture], x, y, 0);
    }
  }
  SetAlpha(1);
  SetColor(255, 255, 0);
  for (int g = 0; g < kGlyphs; ++g) {
    DrawImage(font, static_cast<float>(10 + (g % 100) * 8), static_cast<float>(600 + (g / 100) * 12),
              (g * 7) % 96);
  }
  EndFrame();
  gfx->Flush();
}

void Frame(benchmark::State& state) {
  const bool sorted = state.range(0) != 0;
  const bool rotated = state.range(1) != 0;
  gxtkGraphics* gfx = currentGraphicsDevice;
  for (auto _ : state) {
    DrawFrame(sorted, rotated);
    state.PauseTiming();
    glFinish();  // rasterising belongs to the driver's threads, not to this frame's submission
    state.ResumeTiming();
  }
  state.counters["draw_calls"] = gfx->counters.drawCalls;
  state.counters["vertices"] = gfx->counters.vertices;
}
BENCHMARK(Frame)
    ->ArgNames({"sorted", "rotated"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  GcInitLists();
  InitGraphicsGlobals();
  HostPlatform* platform = GlfwPlatform();
  if (!platform->Init()) {
    std::printf("no display\n");
    return 1;
  }
  BBTarvexGame* game = new BBTarvexGame(platform);
  game->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
  currentGraphicsDevice = new gxtkGraphics();
  currentGraphicsDevice->BeginRender();

  sprites = Array<c_Image*>(kTextures);
  for (int t = 0; t < kTextures; ++t) {
    sprites.get()[t] = MakeImage(32 + 4 * t, 32, 1, ImageCentreHandle, 0xff204060u + 0x1000u * t);
  }
  font = MakeImage(96 * 10, 12, 96, ImagePadX, 0xffffffffu);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  platform->Terminate();
  return 0;
}
