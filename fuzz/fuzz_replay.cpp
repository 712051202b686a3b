// Arbitrary bytes as a replay file. A refusal names a line of the text (or the
// whole file) and says why; an accepted replay holds only what the game can be
// given (times in order and in range, positions on the virtual screen, known
// keys, buttons and characters), and writing it out reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/replay_file.h"

namespace {

void CheckEvent(const ReplayEvent& e, int previousTime) {
  if (e.time < previousTime || e.time > kReplayMaxTime) std::abort();
  const bool positioned = e.kind == ReplayEvent::Move || e.kind == ReplayEvent::WindowOpened || e.hasPosition;
  if (positioned && !(e.x >= 0 && e.x < kReplayVirtualWidth && e.y >= 0 && e.y < kReplayVirtualHeight)) std::abort();
  switch (e.kind) {
    case ReplayEvent::Key:
      if (e.code < 0 || e.code > kReplayMaxKey || e.action < 0 || e.action > 2) std::abort();
      break;
    case ReplayEvent::ButtonDown:
    case ReplayEvent::ButtonUp:
      if (e.code < 0 || e.code > kReplayMaxButton) std::abort();
      break;
    case ReplayEvent::Char:
      if (e.code < 0 || e.code > kReplayMaxCodepoint) std::abort();
      break;
    default:
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ReplayScript script;
  ReplayError error;
  if (!ParseReplay(text, &script, &error)) {
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    if (error.line < 0 || static_cast<std::size_t>(error.line) > lines || error.message.empty()) std::abort();
    return 0;
  }
  if (script.events.size() > kReplayMaxEvents || script.calendar.size() > kReplayMaxCalendar) std::abort();
  if (script.displayWidth < 1 || script.displayWidth > kReplayMaxDisplay) std::abort();
  if (script.displayHeight < 1 || script.displayHeight > kReplayMaxDisplay) std::abort();
  if (script.endTime < 0 || script.endTime > kReplayMaxTime) std::abort();
  int previous = 0;
  for (const ReplayEvent& e : script.events) {
    CheckEvent(e, previous);
    previous = e.time;
  }
  for (std::int64_t s : script.calendar) {
    if (s < 0 || s > kReplayMaxCalendarSeconds) std::abort();
  }
  // What the writer makes of it is a replay that says the same.
  const std::string written = FormatReplay(script);
  ReplayScript again;
  if (!ParseReplay(written, &again, &error)) std::abort();
  if (FormatReplay(again) != written) std::abort();
  return 0;
}
