// Replay files: what the reader accepts, what it refuses (naming the line),
// and that what the writer puts out reads back the same.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/platform.h"
#include "host/replay_file.h"

namespace {

const std::string kHeader = "rails-against-time replay 1\n";

ReplayError Refusal(const std::string& text) {
  ReplayScript script;
  ReplayError error;
  EXPECT_FALSE(ParseReplay(text, &script, &error)) << text;
  return error;
}

ReplayScript Accept(const std::string& text) {
  ReplayScript script;
  ReplayError error;
  EXPECT_TRUE(ParseReplay(text, &script, &error)) << error.Text();
  return script;
}

TEST(ReplayFileTest, ReadsEveryKindOfLine) {
  const ReplayScript s = Accept(kHeader +
                                "# a comment, then a blank line\n"
                                "\n"
                                "display 1280 1024\n"
                                "state TVXDATA\t1\ttrandle.sav\t2\t3\t4\n"
                                "calendar 1700000000\n"
                                "0 move 10 20.5\n"
                                "3000 click 700 340\n"
                                "3000 down 1 5 6\n"
                                "3100 up 1\n"
                                "3200 key 256 press\n"
                                "3233 key 256 repeat\n"
                                "3266 key 256 release\n"
                                "3300 char 233\n"
                                "calendar 1700000060\n"
                                "end 5000\n");
  EXPECT_EQ(s.displayWidth, 1280);
  EXPECT_EQ(s.displayHeight, 1024);
  EXPECT_TRUE(s.hasState);
  EXPECT_EQ(s.state, "TVXDATA\t1\ttrandle.sav\t2\t3\t4");
  EXPECT_EQ(s.calendar, (std::vector<std::int64_t>{1700000000, 1700000060}));
  EXPECT_EQ(s.endTime, 5000);
  ASSERT_EQ(s.events.size(), 10u);
  EXPECT_EQ(s.events[0].kind, ReplayEvent::Move);
  EXPECT_FLOAT_EQ(s.events[0].y, 20.5f);
  // A click is a move and the left button going down and up at once.
  EXPECT_EQ(s.events[1].kind, ReplayEvent::Move);
  EXPECT_FLOAT_EQ(s.events[1].x, 700);
  EXPECT_EQ(s.events[2].kind, ReplayEvent::ButtonDown);
  EXPECT_EQ(s.events[2].code, 0);
  EXPECT_EQ(s.events[3].kind, ReplayEvent::ButtonUp);
  EXPECT_EQ(s.events[3].time, 3000);
  EXPECT_TRUE(s.events[4].hasPosition);
  EXPECT_EQ(s.events[4].code, 1);
  EXPECT_FALSE(s.events[5].hasPosition);
  EXPECT_EQ(s.events[6].action, HostInputSink::kActionPress);
  EXPECT_EQ(s.events[7].action, HostInputSink::kActionRepeat);
  EXPECT_EQ(s.events[8].action, HostInputSink::kActionRelease);
  EXPECT_EQ(s.events[9].kind, ReplayEvent::Char);
  EXPECT_EQ(s.events[9].code, 233);
}

TEST(ReplayFileTest, DefaultsWithoutOptionalLinesAndToleratesCarriageReturns) {
  const ReplayScript s = Accept("rails-against-time replay 1\r\n100  move  1  2\r\nend 100\r\n");
  EXPECT_EQ(s.displayWidth, 1024);
  EXPECT_EQ(s.displayHeight, 768);
  EXPECT_FALSE(s.hasState);
  EXPECT_TRUE(s.calendar.empty());
  ASSERT_EQ(s.events.size(), 1u);
  EXPECT_FLOAT_EQ(s.events[0].x, 1);
}

TEST(ReplayFileTest, RefusesHeadersOfOtherFilesAndOtherVersions) {
  EXPECT_EQ(Refusal("").Text(), "line 1: the file is empty");
  ReplayError e = Refusal("hello\nend 0\n");
  EXPECT_EQ(e.line, 1);
  EXPECT_NE(e.message.find("not a replay"), std::string::npos);
  e = Refusal("rails-against-time replay 3\nend 0\n");
  EXPECT_EQ(e.line, 1);
  EXPECT_NE(e.message.find("version 3"), std::string::npos);
  e = Refusal("rails-against-time replay 0\nend 0\n");
  EXPECT_NE(e.message.find("version 0"), std::string::npos);
  // Both versions the game has had read, each keeping its number.
  for (int version : {1, 2}) {
    ReplayScript script;
    ReplayError error;
    ASSERT_TRUE(ParseReplay("rails-against-time replay " + std::to_string(version) + "\nend 0\n", &script, &error));
    EXPECT_EQ(script.version, version);
    EXPECT_EQ(FormatReplay(script).substr(0, 28), "rails-against-time replay " + std::to_string(version) + "\n");
  }
  e = Refusal("rails-against-time replay one\nend 0\n");
  EXPECT_EQ(e.line, 1);
}

TEST(ReplayFileTest, RefusesTruncatedFiles) {
  // Cut inside a line: the last line has no line feed.
  ReplayError e = Refusal(kHeader + "0 move 1 2\n100 cli");
  EXPECT_EQ(e.line, 3);
  EXPECT_NE(e.message.find("truncated"), std::string::npos);
  // Cut between lines: the end line is missing.
  e = Refusal(kHeader + "0 move 1 2\n100 click 3 4\n");
  EXPECT_EQ(e.line, 3);
  EXPECT_NE(e.message.find("truncated"), std::string::npos);
  e = Refusal(kHeader + "end 100\n200 click 3 4\n");
  EXPECT_EQ(e.line, 3);
}

TEST(ReplayFileTest, RefusesBadNumbersNamingTheLine) {
  const struct {
    std::string line;
    const char* says;
  } cases[] = {
      {"12x move 1 2", "unknown line"},
      {"99999999999 move 1 2", "bad time"},
      {"-5 move 1 2", "unknown line"},
      {"10 move 1024 2", "bad position"},
      {"10 move 1 768", "bad position"},
      {"10 move 1.5.1 2", "bad position"},
      {"10 move 1e3 2", "bad position"},
      {"10 move -1 2", "bad position"},
      {"10 move nan 2", "bad position"},
      {"10 down 8", "bad button"},
      {"10 key 349 press", "bad key"},
      {"10 key 65 hold", "pressed, released or repeated"},
      {"10 char 1114112", "bad character"},
      {"10 jump 1 2", "unknown event"},
      {"10 move 1", "a move is"},
      {"10", "followed by an event"},
      {"calendar -1", "bad calendar"},
      {"calendar 999999999999", "bad calendar"},
      {"display 0 768", "bad display"},
      {"end x", "bad time"},
      {"state a\rb", "carriage return"},
  };
  for (const auto& c : cases) {
    const ReplayError e = Refusal(kHeader + "calendar 1\n" + c.line + "\nend 100\n");
    EXPECT_EQ(e.line, 3) << c.line;
    EXPECT_NE(e.message.find(c.says), std::string::npos) << c.line << " -> " << e.message;
  }
}

TEST(ReplayFileTest, RefusesEventsOutOfOrderAndHeaderLinesAfterEvents) {
  ReplayError e = Refusal(kHeader + "1000 move 1 2\n# fine\n999 move 1 2\nend 2000\n");
  EXPECT_EQ(e.line, 4);
  EXPECT_EQ(e.message, "time 999 is earlier than the line before it (1000)");
  e = Refusal(kHeader + "10 move 1 2\nstate TVXDATA\t0\nend 100\n");
  EXPECT_EQ(e.line, 3);
  e = Refusal(kHeader + "10 move 1 2\ndisplay 800 600\nend 100\n");
  EXPECT_EQ(e.line, 3);
  e = Refusal(kHeader + "state a\nstate b\nend 100\n");
  EXPECT_EQ(e.line, 3);
}

TEST(ReplayFileTest, RefusesOverlongLines) {
  const ReplayError e = Refusal(kHeader + "state " + std::string(kReplayMaxLine, '1') + "\nend 0\n");
  EXPECT_EQ(e.line, 2);
  EXPECT_NE(e.message.find("too long"), std::string::npos);
}

TEST(ReplayFileTest, ReadingAMissingFileIsAnErrorOfTheWholeFile) {
  ReplayScript s;
  ReplayError e;
  EXPECT_FALSE(ReadReplayFile("/nonexistent/x.replay", &s, &e));
  EXPECT_EQ(e.line, 0);
  EXPECT_EQ(e.Text().find("cannot open /nonexistent/x.replay"), 0u);
}

TEST(ReplayFileTest, PositionsAreWrittenShortAndReadBackExactly) {
  EXPECT_EQ(replay_text::Position(700), "700");
  EXPECT_EQ(replay_text::Position(511.5f), "511.5");
  // Every position a 1280-pixel-wide display maps to comes back bit for bit.
  for (int px = 0; px < 1280; ++px) {
    const float v = static_cast<float>(px) / 1.25f;
    const std::string text = replay_text::Position(v);
    EXPECT_EQ(std::strtof(text.c_str(), nullptr), v) << text;
    EXPECT_EQ(text.find('e'), std::string::npos) << text;
  }
}

TEST(ReplayFileTest, WrittenScriptReadsBackTheSame) {
  ReplayScript s;
  s.displayWidth = 1920;
  s.displayHeight = 1080;
  s.hasState = true;
  s.state = "TVXDATA\t0";
  s.calendar = {1700000000, 1700000333};
  ReplayEvent move;
  move.time = 33;
  move.x = 0.8f * 333;
  move.y = 767;
  ReplayEvent key;
  key.time = 66;
  key.kind = ReplayEvent::Key;
  key.code = 257;
  key.action = HostInputSink::kActionRepeat;
  ReplayEvent down;
  down.time = 66;
  down.kind = ReplayEvent::ButtonDown;
  down.code = 2;
  down.hasPosition = true;
  down.x = 1.25f;
  down.y = 3;
  s.events = {move, key, down};
  s.endTime = 1000;

  const std::string text = FormatReplay(s);
  const ReplayScript back = Accept(text);
  EXPECT_EQ(FormatReplay(back), text);
  EXPECT_EQ(back.displayWidth, 1920);
  EXPECT_EQ(back.state, s.state);
  EXPECT_EQ(back.calendar, s.calendar);
  ASSERT_EQ(back.events.size(), 3u);
  EXPECT_EQ(back.events[0].x, move.x);
  EXPECT_EQ(back.events[1].action, HostInputSink::kActionRepeat);
  EXPECT_EQ(back.events[2].x, 1.25f);
  EXPECT_EQ(back.endTime, 1000);
}

}  // namespace
