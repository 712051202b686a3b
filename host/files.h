// The framework's file functions: data-relative names, text files and the
// application state.
#pragma once

#include "runtime/string.h"

// The state file in the working directory, and the temporary file a new state
// is written to before it replaces the old one.
extern const char* const kStateFileName;
extern const char* const kStateTempName;

// "menu/logo.png" -> "tarvex://data/menu/logo.png"; paths with a scheme and
// paths starting with "./" or "/" are answered unchanged.
String ResolveDataPath(const String& path);
// The whole text file at the data-relative path, or "" when it cannot be read.
String LoadTextFile(const String& path);
// StoreAppState of the host: 0 saved, -1 cannot create, -2 short write.
int SaveAppState(const String& state);
String LoadAppState();
