#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct ChildResult {
  int status;
  std::string out;
  std::string err;
};

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs the helper program in a mode, feeding it the given standard input
// (or none at all, /dev/null), and collects what it wrote and its exit status.
ChildResult RunChild(const std::string& mode, const char* input) {
  char dir[] = "/tmp/runtime_childXXXXXX";
  if (!mkdtemp(dir)) return {-99, "", ""};
  const std::string base = dir;
  std::string stdinSource = "/dev/null";
  if (input) {
    stdinSource = base + "/in";
    std::ofstream(stdinSource, std::ios::binary) << input;
  }
  // Sanitizer builds: let the program's own fault handlers see the faults.
  const std::string command =
      std::string("ASAN_OPTIONS=handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:"
                  "allow_user_segv_handler=1:detect_leaks=0 ") +
      RUNTIME_CHILD + " " + mode + " < " + stdinSource + " > " + base +
                              "/out 2> " + base + "/err";
  const int raw = std::system(command.c_str());
  ChildResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -100, ReadAll(base + "/out"),
                     ReadAll(base + "/err")};
  std::system(("rm -rf " + base).c_str());
  return result;
}

const std::string kReport = "Tarvex Runtime Error : Image frame outside surface\n\n\n";

TEST(ErrorReport, EndOfInputEndsWithMinusOne) {
  ChildResult r = RunChild("error", nullptr);
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, kReport);
  EXPECT_EQ(r.err, "{{~~~~}}\n");
}

TEST(ErrorReport, PromptCommands) {
  ChildResult quit = RunChild("error", "q\n");
  EXPECT_EQ(quit.status, 0);
  EXPECT_EQ(quit.out, kReport);

  ChildResult unknown = RunChild("error", "x\n");
  EXPECT_EQ(unknown.status, 255);
  EXPECT_EQ(unknown.out, kReport + "????? x ?????\n");

  ChildResult again = RunChild("error", "r\nq\n");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, kReport + kReport);
  EXPECT_EQ(again.err, "{{~~~~}}\n{{~~~~}}\n");

  ChildResult help = RunChild("error", "?\nq\n");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, kReport);

  ChildResult noFeed = RunChild("error", "q");  // a line without its line feed
  EXPECT_EQ(noFeed.status, 255);
}

TEST(ErrorReport, ObjectIdentitiesAreLookedUpNotDereferenced) {
  ChildResult bogus = RunChild("error", "@deadbeef\n@0\nq\n");
  EXPECT_EQ(bogus.status, 0);
  EXPECT_EQ(bogus.out, kReport + "\n\n");

  ChildResult live = RunChild("describe-live", nullptr);
  EXPECT_EQ(live.status, 0);
  EXPECT_NE(live.out.find("\n+Object\n"), std::string::npos) << live.out;
}

TEST(ErrorReport, EmptyMessageEndsQuietlyAndTheErrorLineIsUtf8) {
  ChildResult quiet = RunChild("error-empty", nullptr);
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.out, "");
  EXPECT_EQ(quiet.err, "");

  // A program that must still write something at its normal end is heard first.
  ChildResult handled = RunChild("error-empty-handler", nullptr);
  EXPECT_EQ(handled.status, 0);
  EXPECT_EQ(handled.out, "last words\n");

  // U+0141 is two bytes of UTF-8, not the low byte of its unit.
  ChildResult wide = RunChild("error-wide", "q\n");
  EXPECT_EQ(wide.out.substr(0, 36), "Tarvex Runtime Error : wide \xC5\x81 unit\n");
}

TEST(ErrorReport, PrintWritesUtf8LinesAndUncaughtEndsWithMinusOne) {
  ChildResult print = RunChild("print", nullptr);
  EXPECT_EQ(print.status, 0);
  EXPECT_EQ(print.out, "caf\xC3\xA9 \xE2\x82\xAC\n");

  ChildResult uncaught = RunChild("uncaught", nullptr);
  EXPECT_EQ(uncaught.status, 255);
  EXPECT_EQ(uncaught.out, "Tarvex Runtime Error : Uncaught Tarvex Exception\n");
}

TEST(FaultTranslation, ProcessorFaultsBecomeReports) {
  ChildResult null = RunChild("null", "q\n");
  EXPECT_EQ(null.status, 0);
  EXPECT_EQ(null.out.substr(0, null.out.find('\n')), "Tarvex Runtime Error : Memory access violation");

  ChildResult divide = RunChild("divide", nullptr);
  EXPECT_EQ(divide.status, 255);
  EXPECT_EQ(divide.out.substr(0, divide.out.find('\n')), "Tarvex Runtime Error : Integer divide by zero");

  ChildResult recurse = RunChild("recurse", "q\n");
  EXPECT_EQ(recurse.status, 0);
  EXPECT_EQ(recurse.out.substr(0, recurse.out.find('\n')), "Tarvex Runtime Error : Stack overflow");
}

}  // namespace
