// Random event sequences against the input device. After every event the
// device's bookkeeping must agree with itself: the hit queue holds exactly the
// hits counted, stays within 33 entries, the character queue within 32, and the
// left button and the first touch are down together.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/game.h"
#include "host/input.h"

namespace {

void Check(const c_InputDevice* d) {
  if (d->hitQueueLength < 0 || d->hitQueueLength > kHitQueueSize) std::abort();
  if (d->charQueueLength < 0 || d->charQueueLength > kCharQueueSize) std::abort();
  if (d->keyDown[KeyMouseLeft] != d->keyDown[KeyTouchFirst]) std::abort();
}

// The counts of all 512 keys add up to the queued hits.
void CheckCounts(const c_InputDevice* d) {
  long counted = 0;
  for (int k = 0; k < kKeyCount; ++k) counted += d->keyHitCount[k];
  if (counted != d->hitQueueLength) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One host and one device for the whole run (allocating per input would
  // look like a leak to the fuzzer); every input starts from keys up and
  // empty queues.
  static BBGame* host = [] {
    GcInitLists();
    currentInputDevice = new c_InputDevice();
    return new BBGame();
  }();
  (void)host;
  c_InputDevice* device = currentInputDevice;
  for (int k = 0; k < kKeyCount; ++k) device->keyDown[k] = false;
  device->EndInputUpdate();
  // Records of 6 bytes: operation, event, data (16 bits, signed), x, y. A few
  // hundred events say all there is to say about one update's queues.
  if (size > 6 * 300) size = 6 * 300;
  for (std::size_t i = 0; i + 6 <= size; i += 6) {
    const std::uint8_t op = data[i] % 5;
    const int event = data[i + 1] % 12;
    std::int16_t value;
    std::memcpy(&value, data + i + 2, 2);
    const float x = data[i + 4], y = data[i + 5];
    switch (op) {
      case 0: device->ApplyKeyEvent(event, value); break;
      case 1: device->ApplyMouseEvent(event, value, x, y); break;
      case 2: device->ApplyTouchEvent(event, value, x, y); break;
      case 3: device->BeginInputUpdate(); break;
      default:
        CheckCounts(device);
        device->EndInputUpdate();
        break;
    }
    Check(device);
    while (device->GetChar() != 0) {
    }
  }
  CheckCounts(device);
  return 0;
}
