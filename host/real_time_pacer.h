// Holds a clock that moves only when the loop sleeps in step with real time,
// for the platforms whose game clock is not the wall clock (a replay shown in
// a window, a recording): the game sees exact update intervals, the person
// watching sees them at their real pace.
#pragma once

#include <chrono>

class RealTimePacer {
 public:
  // Waits until real time has caught up with clockSeconds (measured from the
  // first call). When real time is ahead by more than a quarter second (a
  // slow frame, a dragged window) the pacer lets the difference go instead
  // of hurrying to catch up.
  void WaitFor(double clockSeconds);

 private:
  bool started_ = false;
  std::chrono::steady_clock::time_point origin_;
};
