// Replay files: a played session as line-based text.
//
//   rails-against-time replay 2          header, always the first line: the
//                                        version of the game's rules it was
//                                        recorded under (1 or 2)
//   display 1280 1024                    optional: the full-screen size in pixels
//   state TVXDATA<TAB>1<TAB>...           optional: the saved state to start from
//   <ms> move X Y                        the pointer moves to virtual (X, Y)
//   <ms> down B [X Y]  / <ms> up B [X Y] mouse button B (0 left, 1 right, 2 middle)
//   <ms> click X Y                       move, then left button down and up
//   <ms> key K press|release|repeat      a key by its window-system key code
//   <ms> char C                          a typed character (Unicode code point)
//   <ms> open X Y                        a window opened with the pointer at (X, Y)
//   calendar S                           the next answer to the game's calendar
//   end <ms>                             the last line: the last update's time
//
// Times are the game's clock in milliseconds and never decrease; positions are
// on the virtual 1024 x 768 screen. '#' starts a comment line; blank lines are
// skipped. Replays are passed around by players, so the reader bounds every
// length and count and range-checks every number; it refuses a file with a
// message naming the offending line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The newest version; a recording writes it. Older versions still play: the
// game runs the rules they were recorded under.
constexpr int kReplayVersion = 2;
constexpr int kOldestReplayVersion = 1;
constexpr const char* kReplayMagic = "rails-against-time replay";

// Limits of what a reader accepts.
constexpr std::size_t kReplayMaxBytes = 64u << 20;
constexpr std::size_t kReplayMaxLine = 8192;
constexpr std::size_t kReplayMaxEvents = 4000000;
constexpr std::size_t kReplayMaxCalendar = 100000;
constexpr std::int64_t kReplayMaxTime = 2000000000;  // the game's int clock, with room
constexpr float kReplayVirtualWidth = 1024.0f;
constexpr float kReplayVirtualHeight = 768.0f;
constexpr int kReplayMaxDisplay = 16384;
constexpr int kReplayMaxKey = 348;  // the window system's highest key code
constexpr int kReplayMaxButton = 7;
constexpr std::int64_t kReplayMaxCodepoint = 0x10FFFF;
constexpr std::int64_t kReplayMaxCalendarSeconds = 253402300799;  // the end of year 9999

struct ReplayEvent {
  // WindowOpened is where the pointer was when a window opened: the replay
  // hands these out in order as its windows open, not by time.
  enum Kind { Move, ButtonDown, ButtonUp, Key, Char, WindowOpened };
  int time = 0;
  Kind kind = Move;
  // Move, WindowOpened: the position. Buttons: the button, and the position when hasPosition.
  // Key: the key code and the action (HostInputSink's kAction*). Char: the code.
  int code = 0;
  int action = 0;
  bool hasPosition = false;
  float x = 0, y = 0;
};

struct ReplayScript {
  int version = kReplayVersion;
  int displayWidth = 1024;
  int displayHeight = 768;
  bool hasState = false;
  std::string state;
  std::vector<ReplayEvent> events;
  std::vector<std::int64_t> calendar;
  int endTime = 0;
};

struct ReplayError {
  int line = 0;  // 1-based; 0 for the file as a whole
  std::string message;
  // "line N: message" (or the message alone).
  std::string Text() const;
};

// Reads a whole replay text. False with the first problem found.
bool ParseReplay(const std::string& text, ReplayScript* script, ReplayError* error);
// Reads the file at path; a file that cannot be read or is too large is an error on line 0.
bool ReadReplayFile(const std::string& path, ReplayScript* script, ReplayError* error);

// The text of single lines, each with its line feed, as the writer puts them.
namespace replay_text {
std::string Header(int version = kReplayVersion);
std::string Display(int width, int height);
// False when the state cannot stand on one line (a line break, or too long).
bool State(const std::string& state, std::string* line);
std::string Event(const ReplayEvent& event);
std::string Calendar(std::int64_t seconds);
std::string End(int time);
// A position as the shortest plain decimal that reads back to the same float.
std::string Position(float value);
}  // namespace replay_text

// The whole script as text (for tests and tools that build replays).
std::string FormatReplay(const ReplayScript& script);
