// The embedded file system: any number of small named files of decimal values,
// kept in memory and serialised into the one application-state text.
//
// State text: "TVXDATA", the file count, then per file (in name order) its name,
// its value count and the values, all separated by one TAB and nothing else.
#pragma once

#include "runtime/array.h"
#include "runtime/collections.h"
#include "runtime/gc.h"
#include "runtime/string.h"

class c_DataConversion : public Object {};

class c_FileStream : public c_DataConversion {
 public:
  // Appends one value in decimal, after a separator unless the file is empty.
  void AppendInt(int value);
  // The next value; past the end 0, with lastError set to "End of file: " + name.
  int NextInt();
  float NextFloat();
  void Mark() override;

  String separator;
  String fileName;
  int valueCount = 0;
  String valueText;
  int readPosition = 0;
  Array<String> readTokens;
  String lastError;

 private:
  // The token at readPosition (advancing past it), or null past the end.
  const String* NextToken();
};

class c_FileSystem : public c_DataConversion {
 public:
  c_FileSystem();

  // Reads the stored application state and replaces every file with its content.
  void LoadFilesFromState();
  // Serialises every file into the application state; answers the host's status.
  int SaveFilesToState();

  // Replaces every file with the content of a state text. A text that does not
  // start with the header loads nothing; one cut short keeps the files that are
  // complete and drops the rest.
  void LoadFilesFromText(const String& text);
  // Builds stateText from the files and returns it.
  String BuildStateText();

  // A new empty file named name in lower case, replacing any file of that name.
  c_FileStream* CreateFile(const String& name);
  // The file of that name (any case) rewound for reading, or null.
  c_FileStream* OpenFile(const String& name);
  void Mark() override;

  String separator;
  String stateText;
  gc_ref<c_StringMap2> files;
  String header;

 private:
  c_FileStream* NewStream();
};

// The game's one file system, created at start-up by CreateFileSystem.
extern gc_global<c_FileSystem*> fileSystem;

// Creates the file system with a TAB separator, loads the stored files into it
// and makes it the current one.
c_FileSystem* CreateFileSystem();

// Decimal floating-point text (optional sign, digits, fraction, exponent) from
// at most the first 255 units, rounded to float; conversion stops at the first
// unit that does not fit and no number gives 0.
float ParseDecimalFloat(const String& text);
