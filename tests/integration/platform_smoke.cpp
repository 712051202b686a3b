// The whole platform on the game's real data, started the way the game starts:
// the host's start function, the framework's application, the virtual display
// in a full-screen window, the bitmap font, pictures, a sound and the music,
// and the embedded file system over the state file in the working directory.
//
// Usage: platform_smoke <screenshot.png>, run in a folder holding "data".
// After a fixed number of updates it reads the window's pixels back, writes
// them to the PNG and ends through the application's default Close (status 0).
// Checks it can make itself are reported as "FAILED: ..." lines and status 1.
// It prints for the test that runs it:
//   "state loaded <seeded> reread <value> <score>"  the state file round trip
//   "text <name> <changed> <box pixels>"            pixels the text changed
//   "screenshot <width> <height>"                   the picture written
#include <stb/stb_image_write.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app.h"
#include "host/game.h"
#include "runtime/error.h"
#include "support/bitmap_font.h"
#include "support/file_system.h"
#include "support/virtual_display.h"

namespace {

// The board as the game lays it out: 13 x 9 cells of 74 pixels below and to
// the right of a 31-pixel frame.
constexpr int kCell = 74;
constexpr int kBoardLeft = 31;
constexpr int kBoardTop = 31;
constexpr int kColumns = 13;
constexpr int kRows = 9;

// Every update renders once, so the picture of this update is the last one.
constexpr int kCaptureUpdate = 20;
constexpr int kScore = 1234;

// The clear colour of the logical screen, which the board must cover.
constexpr float kClearR = 0, kClearG = 40, kClearB = 90;

std::string screenshotPath;
int failures = 0;

void Check(bool ok, const char* what) {
  if (ok) return;
  Print(String("FAILED: ") + String(what));
  ++failures;
}

String Num(int v) { return String::FromInt(v); }

float CellX(int column) { return static_cast<float>(kBoardLeft + kCell * column); }
float CellY(int row) { return static_cast<float>(kBoardTop + kCell * row); }

// A logical rectangle in device pixels, through the display's scale and offset.
struct DeviceBox {
  int x, y, w, h;
};

DeviceBox ToDevice(float x, float y, float w, float h) {
  const c_VirtualDisplay* d = currentVirtualDisplay;
  const float f = d->scale * d->zoom;
  const int left = static_cast<int>(f * (x + d->virtualOffsetX));
  const int top = static_cast<int>(f * (y + d->virtualOffsetY));
  const int right = static_cast<int>(f * (x + w + d->virtualOffsetX)) + 1;
  const int bottom = static_cast<int>(f * (y + h + d->virtualOffsetY)) + 1;
  return {left, top, right - left, bottom - top};
}

Array<int> ReadBox(const DeviceBox& box) {
  Array<int> pixels(box.w * box.h);
  currentGraphicsDevice->ReadPixels(pixels, box.x, box.y, box.w, box.h, 0, box.w);
  return pixels;
}

int CountChanged(const Array<int>& before, const Array<int>& after) {
  int changed = 0;
  for (int i = 0; i < before.Length(); ++i) {
    if ((before[i] & 0xffffff) != (after[i] & 0xffffff)) ++changed;
  }
  return changed;
}

class SmokeApp : public c_App {
 public:
  int Startup() override {
    // What the game does first: its display, full screen, the cursor, the rate.
    CreateVirtualDisplay(1.0f);
    currentGlfwGame->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, true);
    currentGame->ShowMouseCursor(true);
    RoundTripState();
    SetAppUpdateRate(30);

    font = LoadFont(String("time.txt"));
    Check(font->TextWidth(String("Score: 1234")) > 0.0f, "the font measures text");
    ground = LoadImage(String("game/tile1.png"));
    straight = LoadImage(String("game/0.png"));
    upright = LoadImage(String("game/1.png"));
    crossing = LoadImage(String("game/6.png"));
    engine = LoadImage(String("game/engine.png"), 1, ImageCentreHandle);
    border = LoadImage(String("game/border.png"));
    Check(ground && ground->Width() == kCell && ground->Height() == kCell, "game/tile1.png loads");
    Check(straight && upright && crossing, "the rail pieces load");
    Check(engine && engine->handleX == engine->Width() / 2.0f, "game/engine.png loads with a centred handle");
    Check(border && border->Width() == 1024 && border->Height() == 768, "game/border.png loads");

    click = CreateSound(String("sounds/click2.wav"));
    Check(click && click->sample, "sounds/click2.wav loads");
    SetMusicLevel(0.5f);
    Check(StartMusicFile(String("music.ogg"), 1) == 0, "music.ogg starts");
    return 0;
  }

  int Update() override {
    ++updates;
    if (updates == 1) StartSound(click, 0, 0);
    return 0;
  }

  int Render() override {
    ApplyVirtualDisplay();
    ClearToColor(kClearR, kClearG, kClearB);

    for (int column = 0; column < kColumns; ++column) {
      for (int row = 0; row < kRows; ++row) DrawImage(ground, CellX(column), CellY(row));
    }
    // A straight line across row 4 that crosses a short upright one.
    for (int column = 1; column <= 6; ++column) DrawImage(straight, CellX(column), CellY(4));
    DrawImage(crossing, CellX(7), CellY(4));
    DrawImage(upright, CellX(7), CellY(3));
    DrawImage(upright, CellX(7), CellY(5));
    DrawImage(engine, CellX(3) + kCell / 2.0f, CellY(4) + kCell / 2.0f);
    DrawImage(border, 0, 0);

    if (updates < kCaptureUpdate) {
      font->DrawText(scoreText, 31, 4);
      font->DrawText(centredText, 512, 120, AlignCenter);
      return 0;
    }

    // The capture frame: each text box is read before and after its text.
    DrawTextCounted("score", scoreText, 31, 4, AlignLeft);
    DrawTextCounted("centred", centredText, 512, 120, AlignCenter);
    Capture();
    if (failures > 0) std::exit(1);
    Close();
    return 0;
  }

  void Mark() override {
    font.Mark();
    ground.Mark();
    straight.Mark();
    upright.Mark();
    crossing.Mark();
    engine.Mark();
    border.Mark();
    click.Mark();
  }

 private:
  // Saves a value derived from the seeded state, then reads the state file
  // again through a fresh file system.
  void RoundTripState() {
    c_FileSystem* fs = CreateFileSystem();
    c_FileStream* seeded = fs->OpenFile(String("smoke"));
    const int loaded = seeded ? seeded->NextInt() : -1;
    c_FileStream* out = fs->CreateFile(String("smoke"));
    out->AppendInt(loaded + 1000);
    out->AppendInt(kScore);
    Check(fs->SaveFilesToState() == 0, "the state is saved");

    c_FileSystem* again = CreateFileSystem();
    c_FileStream* in = again->OpenFile(String("Smoke"));
    Check(in != nullptr, "the saved file is found again");
    const int value = in ? in->NextInt() : -1;
    const int score = in ? in->NextInt() : -1;
    Print(String("state loaded ") + Num(loaded) + String(" reread ") + Num(value) + String(" ") + Num(score));
    scoreText = String("Score: ") + Num(score);
  }

  void DrawTextCounted(const char* name, const String& text, float x, float y, int align) {
    const float width = font->TextWidth(text);
    const float left = align == AlignCenter ? x - width / 2.0f : x;
    const DeviceBox box = ToDevice(left - 4, y - 4, width + 8, 29 + 8);
    const Array<int> before = ReadBox(box);
    font->DrawText(text, x, y, align);
    const Array<int> after = ReadBox(box);
    Print(String("text ") + String(name) + String(" ") + Num(CountChanged(before, after)) + String(" ") +
          Num(box.w * box.h));
  }

  void Capture() {
    gxtkGraphics* device = currentGraphicsDevice;
    const int w = device->Width();
    const int h = device->Height();
    int windowW = 0, windowH = 0;
    currentGlfwGame->GetWindowSize(&windowW, &windowH);
    Check(w == windowW && h == windowH, "the renderer draws on the whole window");
    Check(w > 0 && h > 0, "the window has an area");
    if (w <= 0 || h <= 0) return;

    Array<int> pixels(w * h);
    device->ReadPixels(pixels, 0, 0, w, h, 0, w);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    for (int i = 0; i < w * h; ++i) {
      const auto p = static_cast<std::uint32_t>(pixels[i]);
      rgb[3 * i] = static_cast<std::uint8_t>(p >> 16);
      rgb[3 * i + 1] = static_cast<std::uint8_t>(p >> 8);
      rgb[3 * i + 2] = static_cast<std::uint8_t>(p);
    }
    Check(stbi_write_png(screenshotPath.c_str(), w, h, 3, rgb.data(), w * 3) != 0, "the screenshot is written");
    Print(String("screenshot ") + Num(w) + String(" ") + Num(h));
  }

  gc_ref<c_BitmapFont> font;
  gc_ref<c_Image> ground, straight, upright, crossing, engine, border;
  gc_ref<c_Sound> click;
  String scoreText;
  String centredText = String("All aboard");
  int updates = 0;
};

void InitGlobals() {
  InitAppGlobals();
  currentVirtualDisplay = nullptr;
  fileSystem = nullptr;
}

void ProgramMain() { new SmokeApp(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    Print(String("usage: platform_smoke <screenshot.png>"));
    return 2;
  }
  screenshotPath = argv[1];
  return TarvexStart(argc, argv, InitGlobals, ProgramMain);
}
