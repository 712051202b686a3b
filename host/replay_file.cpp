#include "host/replay_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/platform.h"

std::string ReplayError::Text() const {
  return line > 0 ? "line " + std::to_string(line) + ": " + message : message;
}

namespace {

// Splits a line at single spaces; runs of spaces count as one.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool AllDigits(const std::string& s, std::size_t from, std::size_t to) {
  if (from >= to) return false;
  for (std::size_t i = from; i < to; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

// A whole number of at most 12 digits (no sign) within [low, high].
bool WholeNumber(const std::string& word, std::int64_t low, std::int64_t high, std::int64_t* value) {
  if (word.size() > 12 || !AllDigits(word, 0, word.size())) return false;
  const long long v = std::strtoll(word.c_str(), nullptr, 10);
  if (v < low || v > high) return false;
  *value = v;
  return true;
}

// A plain decimal: digits, optionally a point and more digits; at most 40 characters.
bool Decimal(const std::string& word, float high, float* value) {
  if (word.size() > 40) return false;
  const std::size_t point = word.find('.');
  if (point == std::string::npos) {
    if (!AllDigits(word, 0, word.size())) return false;
  } else if (!AllDigits(word, 0, point) || !AllDigits(word, point + 1, word.size())) {
    return false;
  }
  const float v = std::strtof(word.c_str(), nullptr);
  if (!(v >= 0.0f && v < high)) return false;
  *value = v;
  return true;
}

class Reader {
 public:
  Reader(ReplayScript* script, ReplayError* error) : script_(script), error_(error) {}

  bool Read(const std::string& text) {
    *script_ = ReplayScript();
    if (text.size() > kReplayMaxBytes) return Fail(0, "the file is larger than a replay can be");
    std::size_t pos = 0;
    int number = 0;
    bool ended = false;
    while (pos < text.size()) {
      ++number;
      const std::size_t feed = text.find('\n', pos);
      if (feed == std::string::npos) return Fail(number, "the file ends inside this line (truncated)");
      std::string line = text.substr(pos, feed - pos);
      pos = feed + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > kReplayMaxLine) return Fail(number, "the line is too long");
      if (line.find('\r') != std::string::npos) return Fail(number, "a carriage return inside the line");
      if (number == 1) {
        if (!Header(line)) return false;
        continue;
      }
      if (line.empty() || line[0] == '#') continue;
      if (ended) return Fail(number, "nothing may follow the end line");
      if (!Line(number, line, &ended)) return false;
    }
    if (number == 0) return Fail(1, "the file is empty");
    if (!ended) return Fail(number, "the file stops before its end line (truncated)");
    return true;
  }

 private:
  bool Fail(int line, const std::string& message) {
    error_->line = line;
    error_->message = message;
    return false;
  }

  bool Header(const std::string& line) {
    const std::string magic = std::string(kReplayMagic) + " ";
    if (line.compare(0, magic.size(), magic) != 0) return Fail(1, "not a replay file (no replay header)");
    std::int64_t version = 0;
    if (!WholeNumber(line.substr(magic.size()), 0, 999999, &version)) {
      return Fail(1, "the header's version is not a number");
    }
    if (version < kOldestReplayVersion || version > kReplayVersion) {
      return Fail(1, "replay version " + std::to_string(version) + " is not supported (this game reads versions " +
                         std::to_string(kOldestReplayVersion) + " to " + std::to_string(kReplayVersion) + ")");
    }
    script_->version = static_cast<int>(version);
    return true;
  }

  bool Line(int number, const std::string& line, bool* ended) {
    if (line.compare(0, 6, "state ") == 0) return State(number, line.substr(6));
    const std::vector<std::string> words = Words(line);
    if (words.empty()) return true;  // spaces only
    const std::string& first = words[0];
    if (first == "display") return Display(number, words);
    if (first == "calendar") return Calendar(number, words);
    if (first == "end") {
      std::int64_t t = 0;
      if (words.size() != 2) return Fail(number, "an end line is: end <ms>");
      if (!WholeNumber(words[1], 0, kReplayMaxTime, &t)) return Fail(number, "bad time: " + words[1]);
      script_->endTime = static_cast<int>(t);
      *ended = true;
      return true;
    }
    std::int64_t t = 0;
    if (!WholeNumber(first, 0, kReplayMaxTime, &t)) {
      return AllDigits(first, 0, first.size()) ? Fail(number, "bad time: " + first)
                                                : Fail(number, "unknown line: " + first);
    }
    if (t < lastTime_) {
      return Fail(number, "time " + first + " is earlier than the line before it (" + std::to_string(lastTime_) +
                              ")");
    }
    lastTime_ = t;
    if (words.size() < 2) return Fail(number, "a time must be followed by an event");
    return Event(number, static_cast<int>(t), words);
  }

  bool BeforeEvents(int number, const char* what) {
    if (!script_->events.empty()) return Fail(number, std::string(what) + " must come before the first event");
    return true;
  }

  bool State(int number, const std::string& text) {
    if (!BeforeEvents(number, "the state line")) return false;
    if (script_->hasState) return Fail(number, "a second state line");
    script_->hasState = true;
    script_->state = text;
    return true;
  }

  bool Display(int number, const std::vector<std::string>& words) {
    if (!BeforeEvents(number, "the display line")) return false;
    std::int64_t w = 0, h = 0;
    if (words.size() != 3) return Fail(number, "a display line is: display <width> <height>");
    if (!WholeNumber(words[1], 1, kReplayMaxDisplay, &w) || !WholeNumber(words[2], 1, kReplayMaxDisplay, &h)) {
      return Fail(number, "bad display size");
    }
    script_->displayWidth = static_cast<int>(w);
    script_->displayHeight = static_cast<int>(h);
    return true;
  }

  bool Calendar(int number, const std::vector<std::string>& words) {
    std::int64_t s = 0;
    if (words.size() != 2) return Fail(number, "a calendar line is: calendar <seconds>");
    if (!WholeNumber(words[1], 0, kReplayMaxCalendarSeconds, &s)) return Fail(number, "bad calendar seconds");
    if (script_->calendar.size() >= kReplayMaxCalendar) return Fail(number, "too many calendar lines");
    script_->calendar.push_back(s);
    return true;
  }

  bool Position(int number, const std::string& xs, const std::string& ys, ReplayEvent* e) {
    if (!Decimal(xs, kReplayVirtualWidth, &e->x) || !Decimal(ys, kReplayVirtualHeight, &e->y)) {
      return Fail(number, "bad position (x 0..1023, y 0..767)");
    }
    e->hasPosition = true;
    return true;
  }

  bool Add(int number, const ReplayEvent& e) {
    if (script_->events.size() >= kReplayMaxEvents) return Fail(number, "too many events");
    script_->events.push_back(e);
    return true;
  }

  bool Event(int number, int time, const std::vector<std::string>& w) {
    ReplayEvent e;
    e.time = time;
    const std::string& kind = w[1];
    std::int64_t n = 0;
    if (kind == "open") {
      if (w.size() != 4) return Fail(number, "an open line is: <ms> open <x> <y>");
      if (!Position(number, w[2], w[3], &e)) return false;
      e.kind = ReplayEvent::WindowOpened;
      e.hasPosition = false;
      return Add(number, e);
    }
    if (kind == "move" || kind == "click") {
      if (w.size() != 4) return Fail(number, "a " + kind + " is: <ms> " + kind + " <x> <y>");
      if (!Position(number, w[2], w[3], &e)) return false;
      e.kind = ReplayEvent::Move;
      e.hasPosition = false;
      if (!Add(number, e)) return false;
      if (kind == "move") return true;
      e.kind = ReplayEvent::ButtonDown;
      e.code = 0;
      if (!Add(number, e)) return false;
      e.kind = ReplayEvent::ButtonUp;
      return Add(number, e);
    }
    if (kind == "down" || kind == "up") {
      if (w.size() != 3 && w.size() != 5) return Fail(number, "a button line is: <ms> " + kind + " <button> [<x> <y>]");
      if (!WholeNumber(w[2], 0, kReplayMaxButton, &n)) return Fail(number, "bad button: " + w[2]);
      e.kind = kind == "down" ? ReplayEvent::ButtonDown : ReplayEvent::ButtonUp;
      e.code = static_cast<int>(n);
      if (w.size() == 5 && !Position(number, w[3], w[4], &e)) return false;
      return Add(number, e);
    }
    if (kind == "key") {
      if (w.size() != 4) return Fail(number, "a key line is: <ms> key <code> press|release|repeat");
      if (!WholeNumber(w[2], 0, kReplayMaxKey, &n)) return Fail(number, "bad key code: " + w[2]);
      e.kind = ReplayEvent::Key;
      e.code = static_cast<int>(n);
      if (w[3] == "press") {
        e.action = HostInputSink::kActionPress;
      } else if (w[3] == "release") {
        e.action = HostInputSink::kActionRelease;
      } else if (w[3] == "repeat") {
        e.action = HostInputSink::kActionRepeat;
      } else {
        return Fail(number, "a key is pressed, released or repeated, not " + w[3]);
      }
      return Add(number, e);
    }
    if (kind == "char") {
      if (w.size() != 3) return Fail(number, "a char line is: <ms> char <code point>");
      if (!WholeNumber(w[2], 0, kReplayMaxCodepoint, &n)) return Fail(number, "bad character: " + w[2]);
      e.kind = ReplayEvent::Char;
      e.code = static_cast<int>(n);
      return Add(number, e);
    }
    return Fail(number, "unknown event: " + kind);
  }

  ReplayScript* script_;
  ReplayError* error_;
  std::int64_t lastTime_ = 0;
};

}  // namespace

bool ParseReplay(const std::string& text, ReplayScript* script, ReplayError* error) {
  return Reader(script, error).Read(text);
}

bool ReadReplayFile(const std::string& path, ReplayScript* script, ReplayError* error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error->line = 0;
    error->message = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  std::string text;
  char chunk[65536];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    text.append(chunk, n);
    if (text.size() > kReplayMaxBytes) break;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    error->line = 0;
    error->message = "cannot read " + path;
    return false;
  }
  return ParseReplay(text, script, error);
}

// ---- Writing -------------------------------------------------------------------------

namespace replay_text {

std::string Header(int version) { return std::string(kReplayMagic) + " " + std::to_string(version) + "\n"; }

std::string Display(int width, int height) {
  return "display " + std::to_string(width) + " " + std::to_string(height) + "\n";
}

bool State(const std::string& state, std::string* line) {
  if (state.find_first_of("\r\n") != std::string::npos || state.size() + 6 > kReplayMaxLine) return false;
  *line = "state " + state + "\n";
  return true;
}

std::string Position(float value) {
  char buffer[64];
  for (int digits = 0; digits <= 30; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, static_cast<double>(value));
    if (std::strtof(buffer, nullptr) == value) break;
  }
  return buffer;
}

std::string Event(const ReplayEvent& e) {
  std::string line = std::to_string(e.time);
  const std::string at = e.hasPosition ? " " + Position(e.x) + " " + Position(e.y) : "";
  switch (e.kind) {
    case ReplayEvent::Move:
      line += " move " + Position(e.x) + " " + Position(e.y);
      break;
    case ReplayEvent::ButtonDown:
      line += " down " + std::to_string(e.code) + at;
      break;
    case ReplayEvent::ButtonUp:
      line += " up " + std::to_string(e.code) + at;
      break;
    case ReplayEvent::Key:
      line += " key " + std::to_string(e.code) +
              (e.action == HostInputSink::kActionRelease  ? " release"
               : e.action == HostInputSink::kActionRepeat ? " repeat"
                                                          : " press");
      break;
    case ReplayEvent::Char:
      line += " char " + std::to_string(e.code);
      break;
    case ReplayEvent::WindowOpened:
      line += " open " + Position(e.x) + " " + Position(e.y);
      break;
  }
  return line + "\n";
}

std::string Calendar(std::int64_t seconds) { return "calendar " + std::to_string(seconds) + "\n"; }

std::string End(int time) { return "end " + std::to_string(time) + "\n"; }

}  // namespace replay_text

std::string FormatReplay(const ReplayScript& script) {
  std::string text = replay_text::Header(script.version);
  if (script.displayWidth != 1024 || script.displayHeight != 768) {
    text += replay_text::Display(script.displayWidth, script.displayHeight);
  }
  std::string line;
  if (script.hasState && replay_text::State(script.state, &line)) text += line;
  for (std::int64_t s : script.calendar) text += replay_text::Calendar(s);
  for (const ReplayEvent& e : script.events) text += replay_text::Event(e);
  return text + replay_text::End(script.endTime);
}
