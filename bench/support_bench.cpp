#include <benchmark/benchmark.h>

#include <string>

#include "support/bitmap_font.h"
#include "support/file_system.h"
#include "support/virtual_display.h"

namespace {

c_Image* EmptyImage(const String&) { return new c_Image; }

// A packed description like the game's: 95 characters, three layers, two pages.
String GameSizedDescription() {
  std::string records;
  for (int code = 32; code < 127; ++code) {
    for (const char* layer : {"S", "B", "F"}) {
      const int page = code < 80 ? 1 : 2;
      if (!records.empty()) records += ";";
      records += std::to_string(code) + "," + layer + "," + std::to_string(page) + ",10,20,16,29,0,-2,-2,16,29,12";
    }
  }
  return String(("P1.01," + records).c_str());
}

gc_global<c_BitmapFont*> font;

c_BitmapFont* GameFont() {
  if (!font) {
    fontImageLoader = EmptyImage;
    font = new c_BitmapFont;
    font->ParseFontDescription(GameSizedDescription(), String("time.txt"), true);
  }
  return font;
}

void BM_ParseFontDescription(benchmark::State& state) {
  fontImageLoader = EmptyImage;
  const String text = GameSizedDescription();
  int parsed = 0;
  for (auto _ : state) {
    c_BitmapFont* f = new c_BitmapFont;
    f->ParseFontDescription(text, String("time.txt"), true);
    if (f->faceGlyphs.Length() != 127) state.SkipWithError("description not parsed");
    if (++parsed % 64 == 0) {
      state.PauseTiming();
      GcCollectAll();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_ParseFontDescription);

void BM_TextWidth(benchmark::State& state) {
  c_BitmapFont* f = GameFont();
  const String text("Score: 123456   Gold: 789");
  for (auto _ : state) benchmark::DoNotOptimize(f->TextWidth(text));
}
BENCHMARK(BM_TextWidth);

void BM_LayoutCentredTwoLines(benchmark::State& state) {
  c_BitmapFont* f = GameFont();
  const String text("Level complete!\nPress to continue");
  for (auto _ : state) {
    int sum = 0;
    f->LayoutGlyphLayer(text, 512, 300, f->faceGlyphs, AlignCenter, 1, -1,
                        [&sum](c_BitMapChar*, int x, int y) { sum += x + y; });
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_LayoutCentredTwoLines);

void BM_StateRoundTrip(benchmark::State& state) {
  static gc_global<c_FileSystem*> fs;
  fs = new c_FileSystem;
  fs->separator = String("\t");
  c_FileStream* save = fs->CreateFile(String("trandle.sav"));
  for (int i = 0; i < 21; ++i) save->AppendInt(i * 12345);
  const String text = fs->BuildStateText();
  int rounds = 0;
  for (auto _ : state) {
    fs->LoadFilesFromText(text);
    c_FileStream* f = fs->OpenFile(String("trandle.sav"));
    int sum = 0;
    for (int i = 0; i < 21; ++i) sum += f->NextInt();
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(fs->BuildStateText().Length());
    if (++rounds % 1024 == 0) {
      state.PauseTiming();
      GcCollectAll();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_StateRoundTrip);

void BM_DisplayUnchangedFrame(benchmark::State& state) {
  c_VirtualDisplay* d = CreateVirtualDisplay(1.0f);
  d->UpdateDevice(1920, 1080);
  float x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(d->UpdateDevice(1920, 1080));
    x += d->MapMouseY(500.0f, 1080) + d->MapMouseX(700.0f, 1920);
  }
  benchmark::DoNotOptimize(x);
}
BENCHMARK(BM_DisplayUnchangedFrame);

}  // namespace

BENCHMARK_MAIN();
