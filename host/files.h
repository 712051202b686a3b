// The framework's file functions: data-relative names, text files and the
// application state.
#pragma once

#include <string>

#include "runtime/string.h"

// The state file in the working directory, and the temporary file a new state
// is written to before it replaces the old one: where they are unless the
// program chose another state folder.
extern const char* const kStateFileName;
extern const char* const kStateTempName;

// Where "tarvex://data/" leads and where the state file is kept: "./data/" and
// "./" unless the program chooses others before it starts (an installed game
// reads its data beside its executable and keeps its state in the user's
// data folder). Both take a folder name ending in "/".
void SetDataFolder(const std::string& folder);
const std::string& DataFolder();
void SetStateFolder(const std::string& folder);
const std::string& StateFolder();
// The state file and its temporary file inside the state folder.
std::string StateFilePath();
std::string StateTempPath();

// "menu/logo.png" -> "tarvex://data/menu/logo.png"; paths with a scheme and
// paths starting with "./" or "/" are answered unchanged.
String ResolveDataPath(const String& path);
// The whole text file at the data-relative path, or "" when it cannot be read.
String LoadTextFile(const String& path);
// StoreAppState of the host: 0 saved, -1 cannot create, -2 short write.
int SaveAppState(const String& state);
String LoadAppState();
