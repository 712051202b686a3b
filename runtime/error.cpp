#include "runtime/error.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/gc.h"

String debugPosition;

namespace {

[[noreturn]] void EndProcess(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(status);
}

// Every line the report writes: the low 8 bits of each unit, a line feed, flushed.
void WriteByteLine(const String& text) {
  CString bytes = text.ToCString();
  std::fwrite(bytes.get(), 1, static_cast<std::size_t>(text.Length()), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Reads one prompt line of at most 255 bytes. False at the end of input or when
// the line holds no line feed.
bool ReadPromptLine(std::string& line) {
  char buffer[256];
  if (!std::fgets(buffer, sizeof buffer, stdin)) return false;
  char* feed = std::strchr(buffer, '\n');
  if (!feed) return false;
  *feed = 0;
  line = buffer;
  return true;
}

// "@" names an object by its identity in hexadecimal. The identity is only
// looked up among the collector's live objects, never dereferenced blindly.
void DescribeObject(const std::string& hex) {
  char* end = nullptr;
  const unsigned long long identity = std::strtoull(hex.c_str(), &end, 16);
  Object* object = nullptr;
  if (identity != 0 && GcIsLiveObject(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(identity)))) {
    object = dynamic_cast<Object*>(reinterpret_cast<gc_object*>(static_cast<std::uintptr_t>(identity)));
  }
  WriteByteLine(object ? object->DebugText() : String());
}

enum class PromptResult { Restart };

// The debugger prompt: returns only to restart the report; every other way out ends the process.
PromptResult RunPrompt() {
  for (;;) {
    std::fprintf(stderr, "{{~~%s~~}}\n", debugPosition.ToCString().get());
    std::fflush(stderr);
    WriteByteLine(String());
    for (;;) {
      std::string line;
      if (!ReadPromptLine(line)) EndProcess(-1);
      const char command = line.empty() ? 0 : line[0];
      switch (command) {
        case '?':
          continue;
        case '@':
          DescribeObject(line.substr(1));
          continue;
        case 'e':
        case 'l':
        case 'r':
        case 's':
          return PromptResult::Restart;
        case 'q':
          EndProcess(0);
        default:
          std::fprintf(stdout, "????? %s ?????\n", line.c_str());
          std::fflush(stdout);
          EndProcess(-1);
      }
    }
  }
}

// ---- Processor faults --------------------------------------------------------

// Bounds of the application thread's stack, to tell a stack overflow from
// another access violation.
std::uintptr_t stackLow = 0;
std::uintptr_t stackHigh = 0;
constexpr std::size_t kAltStackSize = 256 * 1024;
bool translationInstalled = false;

void FindStackBounds() {
  pthread_attr_t attr;
  if (pthread_getattr_np(pthread_self(), &attr) != 0) return;
  void* base = nullptr;
  std::size_t size = 0;
  if (pthread_attr_getstack(&attr, &base, &size) == 0) {
    stackLow = reinterpret_cast<std::uintptr_t>(base);
    stackHigh = stackLow + size;
  }
  pthread_attr_destroy(&attr);
}

bool IsStackOverflow(const siginfo_t* info) {
  if (stackLow == 0) return false;
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  // The guard area sits just below the lowest usable stack address.
  constexpr std::uintptr_t kGuardReach = 1024 * 1024;
  return address < stackLow + 4096 && address + kGuardReach >= stackLow;
}

const char* FaultMessage(int signal, const siginfo_t* info) {
  switch (signal) {
    case SIGSEGV:
    case SIGBUS:
      return IsStackOverflow(info) ? "Stack overflow" : "Memory access violation";
    case SIGILL:
      return "Illegal instruction";
    case SIGFPE:
      return info->si_code == FPE_INTDIV ? "Integer divide by zero" : "Unknown exception";
    default:
      return "Unknown exception";
  }
}

void OnFault(int signal, siginfo_t* info, void*) {
  // The process never resumes the faulting code: the report ends it.
  RunTimeError(FaultMessage(signal, info));
}

}  // namespace

void Print(const String& text) {
  std::string bytes = EncodeUtf8(text);
  bytes += '\n';
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

namespace {
void (*normalEndHandler)() = nullptr;
}  // namespace

void SetNormalEndHandler(void (*handler)()) { normalEndHandler = handler; }

void Error(const String& text) {
  if (text.Empty()) {
    if (void (*handler)() = normalEndHandler) {
      normalEndHandler = nullptr;  // once, even if it ends the program itself
      handler();
    }
    EndProcess(0);
  }
  RunTimeError(text);
}

void RunTimeError(const char* text) { RunTimeError(String(text)); }

// The error and position lines are console lines like any other (UTF-8, so a
// file name in the message survives); only the prompt's own lines are bytes.
void RunTimeError(const String& text) {
  for (;;) {
    Print(String("Tarvex Runtime Error : ") + text);
    Print(debugPosition.Empty() ? String() : debugPosition + String("\n"));
    RunPrompt();
  }
}

void ReportUncaught() {
  Print(String("Tarvex Runtime Error : Uncaught Tarvex Exception"));
  EndProcess(-1);
}

void InstallFaultTranslation() {
  if (translationInstalled) return;
  translationInstalled = true;
  FindStackBounds();
  static void* altStack = std::malloc(kAltStackSize);
  stack_t stack = {};
  stack.ss_sp = altStack;
  stack.ss_size = kAltStackSize;
  sigaltstack(&stack, nullptr);

  struct sigaction action = {};
  action.sa_sigaction = OnFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE}) sigaction(signal, &action, nullptr);
}

void TarvexIndexFailure(long index, long length, const char* file, int line) {
  std::fprintf(stderr, "index %ld out of range 0..%ld at %s:%d\n", index, length - 1, file, line);
  std::fflush(stderr);
  std::abort();
}
