// Feeds arbitrary bytes as the state file to the game's start-up load of the
// records ("records.sav"), saves as the game saves and loads again. Records
// that load are written back as they were read and load the same; a records
// file that does not load is kept whole as "records.damaged" and the player
// starts with empty records; records put back by the game load the same.
#include "fuzz/player_files.h"

using namespace player_files;

namespace {

// The records file of the state text as the file system splits it, before
// the game has looked at it.
std::string RecordsInState(const std::uint8_t* data, std::size_t size, bool* found) {
  c_FileSystem* scratch = new c_FileSystem;
  scratch->separator = String("\t");
  scratch->LoadFilesFromText(DecodeText(data, size));
  c_FileStream* stream = scratch->OpenFile(String(kRecordsFileName));
  *found = stream != nullptr;
  return stream ? stream->valueText.ToUtf8() : std::string();
}

// Saves, loads again and answers what loaded; the save must be read back
// without anything set aside.
Loaded SaveAndLoad() {
  SaveProgress();
  bool found = false;
  const std::string damagedBefore = StreamText(kDamagedRecordsFileName, &found);
  const Loaded again = StartUp();
  PLAYER_FILES_CHECK(again.hadSave);
  bool stillFound = false;
  PLAYER_FILES_CHECK(StreamText(kDamagedRecordsFileName, &stillFound) == damagedBefore && stillFound == found);
  return again;
}

void CheckRecords(const std::uint8_t* data, std::size_t size) {
  bool hadRecords = false;
  const std::string original = RecordsInState(data, size, &hadRecords);
  PutStateFile(data, size);
  const Loaded first = StartUp();
  if (!first.hadSave) return;  // the whole state file was kept aside

  bool found = false;
  const std::string kept = StreamText(kRecordsFileName, &found);
  if (hadRecords && kept != original) {
    // Set aside: the damaged text whole, and empty records to play on.
    bool aside = false;
    PLAYER_FILES_CHECK(StreamText(kDamagedRecordsFileName, &aside) == original && aside);
    PLAYER_FILES_CHECK(RecordValues(first.records) == RecordValues(LevelRecords{}));
  }
  const std::string savedRecords = kept;

  Loaded again = SaveAndLoad();
  PLAYER_FILES_CHECK(RecordValues(again.records) == RecordValues(first.records));
  PLAYER_FILES_CHECK(StreamText(kRecordsFileName, &found) == savedRecords);

  // Written by the game's own writer, the records read back the same.
  PutRecords(again.records);
  const Loaded rewritten = SaveAndLoad();
  PLAYER_FILES_CHECK(RecordValues(rewritten.records) == RecordValues(first.records));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SetUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckRecords(data, size);
  GcCollectAll();
  return 0;
}
