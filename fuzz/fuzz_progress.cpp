// Feeds arbitrary bytes as the state file to the game's start-up load of the
// progress ("trandle.sav"), saves as the game saves and loads again. Whatever
// loaded must come back the same, a second save must write the same bytes,
// loading alone must write nothing, and a state file that holds no readable
// save must be kept aside byte for byte before any save could replace it.
#include "fuzz/player_files.h"

using namespace player_files;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SetUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string original(reinterpret_cast<const char*>(data), size);
  PutStateFile(data, size);
  const Loaded first = StartUp();

  bool aside = false;
  const std::string asideText = StateFile(".tarvexstate.damaged", &aside);
  if (first.hadSave) {
    PLAYER_FILES_CHECK(!aside);
    PLAYER_FILES_CHECK(StateFile(".tarvexstate") == original);
  } else if (!DecodeText(data, size).Empty()) {
    PLAYER_FILES_CHECK(aside && asideText == original);
  }

  SaveProgress();
  const std::string saved = StateFile(".tarvexstate");
  const Loaded second = StartUp();
  PLAYER_FILES_CHECK(second.hadSave);
  PLAYER_FILES_CHECK(second.progress == first.progress);
  // The saved file is read as it is: nothing more is kept aside.
  PLAYER_FILES_CHECK(StateFile(".tarvexstate.damaged") == asideText);
  SaveProgress();
  PLAYER_FILES_CHECK(StateFile(".tarvexstate") == saved);
  GcCollectAll();
  return 0;
}
