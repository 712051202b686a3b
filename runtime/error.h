// Console output, the run-time error report with its debugger prompt, the
// translation of processor faults into reports, and the end of the process on an
// uncaught throwable. The report never returns: the process ends inside it.
#pragma once

#include "runtime/string.h"

// Writes the text as UTF-8 and one line feed to standard output, flushed.
void Print(const String& text);

// An empty text ends the process with status 0 and no output (how the
// application closes itself); any other text runs the run-time error report.
[[noreturn]] void Error(const String& text);

// Runs once, just before the application's own normal end (Error with an empty
// text), for whatever must still be written; null for nothing.
void SetNormalEndHandler(void (*handler)());

// The run-time error report: prints the error and position lines, then runs
// the prompt. The byte text form is for processor faults.
[[noreturn]] void RunTimeError(const String& text);
[[noreturn]] void RunTimeError(const char* text);

// Installs processor-fault translation (SIGSEGV, SIGBUS, SIGILL, SIGFPE, stack
// overflow on an alternate signal stack) for the calling thread. Idempotent.
void InstallFaultTranslation();

// Prints "Tarvex Runtime Error : Uncaught Tarvex Exception" and ends with status -1.
[[noreturn]] void ReportUncaught();

// The source position a debugging build would keep current; always empty here.
extern String debugPosition;
