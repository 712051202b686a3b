#include "host/app/app.h"

#include "runtime/error.h"

gc_global<c_App*> currentApp;
gc_global<c_GameDelegate*> currentDelegate;
int appUpdateRate = 0;

void InitAppGlobals() {
  currentApp = nullptr;
  currentDelegate = nullptr;
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
  // GRAPHICS: graphics.Mark();
  audio.Mark();
  input.Mark();
}

void c_GameDelegate::HandleStart() {
  // GRAPHICS: the renderer, into graphics and currentGraphicsDevice, then the
  // drawing interface's default font for it ("glim_font.png").
  audio = new gxtkAudio();
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
}

void c_GameDelegate::HandleRender() {
  // GRAPHICS: mode := the renderer's BeginRender (the desktop renderer answers 1).
  const int mode = 1;
  // GRAPHICS: if mode != 0, the drawing interface's begin-frame reset.
  if (mode == 2) {
    currentApp->RenderLoading();
  } else {
    currentApp->Render();
  }
  // GRAPHICS: if mode != 0, clear the drawing interface's render device;
  // then the renderer's EndRender (flush and present).
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
  // GRAPHICS: the renderer's graphics-lost operation (nothing on the desktop).
}
