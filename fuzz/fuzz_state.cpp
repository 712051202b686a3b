// Feeds arbitrary bytes, decoded as a text file, to the state loader, reads every
// file it keeps to the end, and checks that what it kept saves and loads back to
// the same text.
#include <cstddef>
#include <cstdint>

#include "support/file_system.h"

namespace {

c_FileSystem* Load(const String& text) {
  c_FileSystem* fs = new c_FileSystem;
  fs->separator = String("\t");
  fs->LoadFilesFromText(text);
  return fs;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  GcInitLists();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  c_FileSystem* fs = Load(DecodeText(data, size));
  c_ValueEnumerator* it = fs->files->Values()->ObjectEnumerator();
  while (it->HasNext()) {
    c_FileStream* stream = static_cast<c_FileStream*>(it->NextObject());
    if (stream->valueCount < 0) __builtin_trap();
    // A stored name in upper case opens the file of its lower-case name, if any.
    c_FileStream* opened = fs->OpenFile(stream->fileName);
    if (!opened) continue;
    if (opened->readTokens.Length() != opened->valueCount) __builtin_trap();
    for (int i = 0; i <= opened->valueCount; ++i) opened->NextFloat();
    if (opened->lastError.Empty()) __builtin_trap();
  }
  const String saved = fs->BuildStateText();
  if (!(Load(saved)->BuildStateText() == saved)) __builtin_trap();
  GcCollectAll();
  return 0;
}
