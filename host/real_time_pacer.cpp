#include "host/real_time_pacer.h"

#include <thread>

void RealTimePacer::WaitFor(double clockSeconds) {
  using Clock = std::chrono::steady_clock;
  const auto offset = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(clockSeconds));
  const Clock::time_point now = Clock::now();
  if (!started_ || now - (origin_ + offset) > std::chrono::milliseconds(250)) {
    started_ = true;
    origin_ = now - offset;
    return;
  }
  std::this_thread::sleep_until(origin_ + offset);
}
