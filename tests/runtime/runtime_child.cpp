// A small program the error-report tests run as a child process: each mode
// ends in one of the ways the run-time error report can end a process.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/error.h"
#include "runtime/gc.h"

namespace {

volatile int zero = 0;
int* volatile nowhere = nullptr;

#pragma GCC diagnostic ignored "-Winfinite-recursion"
int Recurse(int depth) {
  volatile char frame[512];
  frame[depth % 512] = static_cast<char>(depth);
  return Recurse(depth + 1) + frame[0];
}

// Replaces standard input with the given text, so the prompt reads it.
void FeedStdin(const std::string& text) {
  int fds[2];
  if (pipe(fds) != 0) return;
  if (write(fds[1], text.data(), text.size()) < 0) return;
  close(fds[1]);
  dup2(fds[0], 0);
  close(fds[0]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string mode = argv[1];
  InstallFaultTranslation();
  GcInitLists();

  if (mode == "error") Error(String("Image frame outside surface"));
  if (mode == "error-empty") Error(String());
  if (mode == "error-empty-handler") {
    // The handler runs once, even when it ends the program the same way.
    SetNormalEndHandler([] {
      Print(String("last words"));
      Error(String());
    });
    Error(String());
  }
  if (mode == "error-wide") Error(String(u"wide \u0141 unit"));
  if (mode == "print") {
    Print(String(u"caf\u00e9 \u20ac"));
    return 0;
  }
  if (mode == "uncaught") ReportUncaught();
  if (mode == "null") return *nowhere;
  if (mode == "divide") return 10 / zero;
  if (mode == "recurse") return Recurse(0);
  if (mode == "describe-live") {
    Object* live = new Object();
    char line[64];
    std::snprintf(line, sizeof line, "@%llx\nq\n",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(live)));
    FeedStdin(line);
    Error(String("describe"));
  }
  return 3;
}
