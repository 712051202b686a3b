// The application framework: the application base class, the delegate the
// host drives, and the framework globals through which the rest of the program
// reaches the current application, the host game and the devices.
#pragma once

#include "audio/sound.h"
#include "graphics/drawing.h"
#include "host/game.h"
#include "host/input.h"
#include "runtime/gc.h"

class c_App : public Object {
 public:
  // Raises "App has already been created" when an application exists.
  c_App();
  virtual int Startup() { return 0; }
  virtual int Update() { return 0; }
  virtual int RenderLoading() { return 0; }
  virtual int Render() { return 0; }
  // Ends the program normally (status 0).
  virtual int Close();
};

class c_GameDelegate : public BBGameDelegate {
 public:
  void HandleStart() override;
  void HandleSuspend() override;
  void HandleResume() override;
  void HandleUpdate() override;
  void HandleRender() override;
  void HandleKey(int event, int data) override;
  void HandleMouse(int event, int data, float x, float y) override;
  void HandleTouch(int event, int data, float x, float y) override;
  void HandleMotion(int event, int data, float x, float y, float z) override;
  void HandleGraphicsLost() override;
  void Mark() override;

  gc_ref<gxtkGraphics> graphics;
  gc_ref<gxtkAudio> audio;
  gc_ref<c_InputDevice> input;
};

extern gc_global<c_App*> currentApp;
extern gc_global<c_GameDelegate*> currentDelegate;
extern int appUpdateRate;

// Gives the framework's globals their initial values; part of every
// program's global initialisation.
void InitAppGlobals();
// Sets the fixed update rate (0 stops fixed updates).
void SetAppUpdateRate(int hertz);
// Milliseconds on the host clock.
int AppElapsedMs();
