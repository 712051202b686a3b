// A small application on the real GLFW host, driven from outside by
// window_test: it reports its start, every left click with the pointer
// position, the update rate it sees, and what reopening the window does.
#include "app/app.h"
#include "runtime/error.h"

namespace {

class WindowApp : public c_App {
 public:
  int Startup() override {
    SetAppUpdateRate(30);
    currentGame->ShowMouseCursor(true);
    int w = 0, h = 0;
    currentGlfwGame->GetWindowSize(&w, &h);
    Print(String("ready ") + String::FromInt(graphicsGeneration) + String(" ") + String::FromInt(w) +
          String(" ") + String::FromInt(h));
    return 0;
  }

  int Update() override {
    c_InputDevice* input = currentInputDevice;
    ++updates;
    if (updates == 1) firstUpdateMs = AppElapsedMs();
    // Sixty updates at 30 Hz span two seconds, vertical sync or not.
    if (updates == 61) Print(String("rate ") + String::FromInt(AppElapsedMs() - firstUpdateMs));
    if (input->keyHitCount[KeyMouseLeft] > 0) {
      Print(String("hit ") + String::FromInt(static_cast<int>(input->mouseX)) + String(" ") +
            String::FromInt(static_cast<int>(input->mouseY)));
    }
    if (input->keyDown['A'] && !reopened) {
      reopened = true;
      const int before = graphicsGeneration;
      currentGlfwGame->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, true);
      const bool releasedAtOnce = !input->keyDown['A'];
      int fullW = 0, fullH = 0;
      currentGlfwGame->GetWindowSize(&fullW, &fullH);
      currentGlfwGame->OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
      Print(String("reopened ") + String::FromInt(graphicsGeneration - before) + String(" ") +
            String(releasedAtOnce ? "released" : "held"));
      Print(String("full screen ") + String::FromInt(fullW) + String(" ") + String::FromInt(fullH));
    }
    return 0;
  }

  // The close button reaches the application, whose default ends the program.
  int Close() override {
    Print(String("close"));
    return c_App::Close();
  }

  int updates = 0;
  int firstUpdateMs = 0;
  bool reopened = false;
};

void InitGlobals() { InitAppGlobals(); }
void ProgramMain() { new WindowApp(); }

}  // namespace

int main(int argc, char** argv) { return TarvexStart(argc, argv, InitGlobals, ProgramMain); }
