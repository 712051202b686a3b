#include "app/app.h"

#include "runtime/error.h"

gc_global<c_App*> currentApp;
gc_global<c_GameDelegate*> currentDelegate;
int appUpdateRate = 0;

void InitAppGlobals() {
  currentApp = nullptr;
  currentDelegate = nullptr;
  InitGraphicsGlobals();
  currentInputDevice = nullptr;
  currentAudioDevice = nullptr;
  appUpdateRate = 0;
}

void SetAppUpdateRate(int hertz) {
  appUpdateRate = hertz;
  currentGame->ChangeUpdateRate(hertz);
}

int AppElapsedMs() { return currentGame->ElapsedMilliseconds(); }

// ---- c_App ----------------------------------------------------------------------

c_App::c_App() {
  if (currentApp.get() != nullptr) Error(String("App has already been created"));
  currentApp = this;
  currentDelegate = new c_GameDelegate();
  currentGame->AttachDelegate(currentDelegate);
}

int c_App::Close() { Error(String()); }

// ---- c_GameDelegate -----------------------------------------------------------

void c_GameDelegate::Mark() {
  graphics.Mark();
  audio.Mark();
  input.Mark();
}

void c_GameDelegate::HandleStart() {
  graphics = new gxtkGraphics();
  currentGraphicsDevice = graphics.get();
  LoadDefaultFont();
  // A headless run has no sound device to open (and nobody to hear it).
  audio = new gxtkAudio(currentGlfwGame == nullptr || !currentGlfwGame->Platform()->Headless());
  currentAudioDevice = audio.get();
  input = new c_InputDevice();
  currentInputDevice = input.get();
  currentApp->Startup();
}

// The application is not told about suspension; only the sound pauses.
void c_GameDelegate::HandleSuspend() {
  audio->SuspendOutput();
}

void c_GameDelegate::HandleResume() {
  audio->ResumeOutput();
}

void c_GameDelegate::HandleUpdate() {
  input->BeginInputUpdate();
  currentApp->Update();
  input->EndInputUpdate();
  // The streamed music is topped up once an update, after the game's own
  // update has chosen what should play.
  if (appUpdateRate > 0) audio->UpdateStreams(1.0f / static_cast<float>(appUpdateRate));
}

void c_GameDelegate::HandleRender() {
  // 0 draw nothing, 1 a normal frame, 2 a loading frame (never on the desktop).
  const int mode = graphics->BeginRender();
  if (mode != 0) BeginFrame();
  if (mode == 2) {
    currentApp->RenderLoading();
  } else {
    currentApp->Render();
  }
  if (mode != 0) EndFrame();
  graphics->EndRender();
}

void c_GameDelegate::HandleKey(int event, int data) {
  input->ApplyKeyEvent(event, data);
  if (event == KeyPressed && (data == KeyCloseRequest || data == KeyBackRequest)) currentApp->Close();
}

void c_GameDelegate::HandleMouse(int event, int data, float x, float y) { input->ApplyMouseEvent(event, data, x, y); }

void c_GameDelegate::HandleTouch(int event, int data, float x, float y) { input->ApplyTouchEvent(event, data, x, y); }

void c_GameDelegate::HandleMotion(int event, int, float x, float y, float z) {
  if (event != Acceleration) return;
  input->accelX = x;
  input->accelY = y;
  input->accelZ = z;
}

void c_GameDelegate::HandleGraphicsLost() {
  graphics->ReleaseGraphics();  // nothing to do on the desktop
}
