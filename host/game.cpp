#include "host/game.h"

#include <cstdlib>
#include <ctime>

#include "runtime/error.h"

const char* const kWindowTitle = "Rails Against Time";

BBGame* currentGame = nullptr;
BBGlfwGame* currentGlfwGame = nullptr;
int graphicsGeneration = 0;
int hostArgc = 0;
char** hostArgv = nullptr;

// ---- BBGame: state ---------------------------------------------------------

BBGame::BBGame(HostFiles* files) : files_(files ? files : DefaultHostFiles()) {
  currentGame = this;
  SetJoystickSource(this);
}

BBGame::~BBGame() {
  if (currentGame != this) return;
  currentGame = nullptr;
  SetJoystickSource(nullptr);
}

void BBGame::AttachDelegate(BBGameDelegate* delegate) {
  delegate_ = delegate;
  // The host is not a collected object: keep the delegate alive until the
  // first callback marks it again.
  MarkNow(delegate);
}
BBGameDelegate* BBGame::CurrentDelegate() { return delegate_; }
void BBGame::SetKeyboardActive(bool active) { keyboardActive_ = active; }
bool BBGame::IsKeyboardActive() { return keyboardActive_; }
void BBGame::ChangeUpdateRate(int rate) { updateRate_ = rate; }
int BBGame::CurrentUpdateRate() { return updateRate_; }
bool BBGame::HasStarted() { return started_; }
bool BBGame::IsSuspended() { return suspended_; }
int BBGame::ElapsedMilliseconds() { return 0; }

void BBGame::FillDate(Array<int> date) {
  const int n = date.Length();
  if (n <= 0) return;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const int fields[7] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min, local.tm_sec, 0};
  for (int i = 0; i < n && i < 7; ++i) date[i] = fields[i];
}

bool BBGame::ReadJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) { return false; }
bool BBGame::ReadGamepad(int, GamepadState*) { return false; }
void BBGame::OpenExternal(const String&) {}
void BBGame::ShowMouseCursor(bool) {}
void BBGame::SetMouseCursorShape(bool) {}

// ---- BBGame: guarded forwarding ----------------------------------------------

void BBGame::ReportUncaught(ThrowableObject*) { ::ReportUncaught(); }

void BBGame::CollectAfterCallback() {
  MarkNow(delegate_);
  CollectStep();
}

// Runs one delegate call: a throwable that escapes it ends the process; a
// collector step follows a normal return.
#define TARVEX_FORWARD(call)                  \
  do {                                        \
    try {                                     \
      delegate_->call;                        \
    } catch (ThrowableObject * thrown) {      \
      ReportUncaught(thrown);                 \
    }                                         \
    CollectAfterCallback();                   \
  } while (0)

void BBGame::BeginGame() {
  if (started_) return;
  started_ = true;
  TARVEX_FORWARD(HandleStart());
}

void BBGame::PauseGame() {
  if (!started_ || suspended_) return;
  suspended_ = true;
  TARVEX_FORWARD(HandleSuspend());
}

void BBGame::UnpauseGame() {
  if (!started_ || !suspended_) return;
  suspended_ = false;
  TARVEX_FORWARD(HandleResume());
}

void BBGame::StepGame() {
  if (!started_ || suspended_) return;
  TARVEX_FORWARD(HandleUpdate());
}

void BBGame::DrawGame() {
  if (!started_) return;
  TARVEX_FORWARD(HandleRender());
}

void BBGame::PostKey(int event, int data) {
  if (!started_) return;
  TARVEX_FORWARD(HandleKey(event, data));
}

void BBGame::PostMouse(int event, int data, float x, float y) {
  if (!started_) return;
  TARVEX_FORWARD(HandleMouse(event, data, x, y));
}

void BBGame::PostTouch(int event, int data, float x, float y) {
  if (!started_) return;
  TARVEX_FORWARD(HandleTouch(event, data, x, y));
}

void BBGame::PostMotion(int event, int data, float x, float y, float z) {
  if (!started_) return;
  TARVEX_FORWARD(HandleMotion(event, data, x, y, z));
}

void BBGame::DropGraphics() {
  if (!started_) return;
  TARVEX_FORWARD(HandleGraphicsLost());
}

#undef TARVEX_FORWARD

// ---- BBGlfwGame: clock, window and loop -------------------------------------

BBGlfwGame::BBGlfwGame(HostPlatform* platform, HostFiles* files) : BBGame(files), platform_(platform) {
  iconified_ = false;
  currentGlfwGame = this;
}

BBTarvexGame::~BBTarvexGame() {
  if (currentGlfwGame == this) currentGlfwGame = nullptr;
}

void BBGlfwGame::ChangeUpdateRate(int rate) {
  updateRate_ = rate;
  if (rate != 0) {
    updatePeriod_ = 1.0 / rate;
    nextUpdateTime_ = platform_->Now() + updatePeriod_;
  }
}

int BBGlfwGame::ElapsedMilliseconds() { return static_cast<int>(platform_->Now() * 1000.0); }

void BBGlfwGame::ShowMouseCursor(bool visible) {
  if (platform_->Initialised()) platform_->ShowCursor(visible);
}

void BBGlfwGame::SetMouseCursorShape(bool hand) {
  if (platform_->Initialised()) platform_->SetCursorShape(hand);
}

void BBGlfwGame::GetWindowSize(int* width, int* height) { platform_->FramebufferSize(width, height); }

void BBGlfwGame::SwapBuffers() { platform_->SwapBuffers(); }

void BBGlfwGame::ToPixels(double x, double y, float* px, float* py) {
  // Positions arrive in screen coordinates; the renderer draws in drawable
  // pixels. Where the two differ (high-density screens) the pointer is scaled
  // so that it lands on what is drawn under it.
  int ww = 0, wh = 0, fw = 0, fh = 0;
  platform_->WindowSize(&ww, &wh);
  platform_->FramebufferSize(&fw, &fh);
  // Whole positions, as the window system reported them to the game before.
  x = static_cast<int>(x);
  y = static_cast<int>(y);
  if (ww > 0 && wh > 0 && (ww != fw || wh != fh)) {
    x = x * fw / ww;
    y = y * fh / wh;
  }
  *px = static_cast<float>(x);
  *py = static_cast<float>(y);
}

void BBGlfwGame::OpenGameWindow(int width, int height, int redBits, int greenBits, int blueBits,
                                int alphaBits, int depthBits, int stencilBits, bool fullScreen) {
  // The application never keeps a key down across a window change.
  for (int k = 0; k <= kGlfwKeyLast; ++k) {
    const int key = TranslateKey(k);
    if (key != 0 && platform_->KeyHeld(k)) PostKey(KeyReleased, key);
  }
  platform_->OpenWindow(width, height, redBits, greenBits, blueBits, alphaBits, depthBits,
                        stencilBits, fullScreen, kWindowTitle);
  // A headless platform makes no OpenGL context: surfaces then keep their
  // pixels and never ask for a texture.
  if (!platform_->Headless()) graphicsGeneration += 1;
  // Installing the callbacks reports the pointer position once.
  platform_->InstallCallbacks(this);
}

void BBGlfwGame::RunLoop() {
  // Headless, nothing is ever drawn: the loop only updates.
  const bool draws = !platform_->Headless();
  OpenGameWindow(1024, 768, 8, 8, 8, 0, 0, 0, false);
  BeginGame();
  if (draws) DrawGame();
  for (;;) {
    platform_->PollEvents();
    if (!platform_->WindowOpen()) return;

    if (platform_->WindowIconified()) {
      if (!suspended_) {
        iconified_ = true;
        PauseGame();
      }
    } else if (platform_->WindowActive() && suspended_) {
      iconified_ = false;
      UnpauseGame();
      // Time spent suspended is not caught up.
      nextUpdateTime_ = platform_->Now();
    }

    if (updateRate_ == 0 || suspended_) {
      if (!iconified_ && draws) DrawGame();
      platform_->WaitEvents();
      continue;
    }

    const double delay = nextUpdateTime_ - platform_->Now();
    if (delay > 0) {
      platform_->Sleep(delay);
      continue;
    }

    int updates = 0;
    for (;;) {
      nextUpdateTime_ += updatePeriod_;
      StepGame();
      if (updateRate_ == 0) break;
      if (nextUpdateTime_ - platform_->Now() > 0) break;
      if (++updates == 4) break;
    }
    if (draws) DrawGame();
    // After a stall the backlog is dropped: the game slows down instead of spiralling.
    if (updateRate_ != 0 && updates == 4) nextUpdateTime_ = platform_->Now();
  }
}

// ---- Process start -----------------------------------------------------------

int TarvexStartWith(HostPlatform* platform, HostFiles* files, int argc, char** argv,
                    void (*initGlobals)(), void (*programMain)()) {
  if (!platform->Init()) {
    Print(String("glfwInit failed"));
    std::exit(-1);
  }
  BBTarvexGame* game = new BBTarvexGame(platform, files);
  try {
    hostArgc = argc;
    hostArgv = argv;
    InstallFaultTranslation();
    GcInitLists();
    if (initGlobals) initGlobals();
    MarkGlobalRoots();
    if (programMain) programMain();
  } catch (ThrowableObject* thrown) {
    platform->Terminate();
    game->ReportUncaught(thrown);
  }
  if (game->CurrentDelegate()) game->RunLoop();
  platform->Terminate();
  return 0;
}

int TarvexStart(int argc, char** argv, void (*initGlobals)(), void (*programMain)()) {
  return TarvexStartWith(GlfwPlatform(), nullptr, argc, argv, initGlobals, programMain);
}
