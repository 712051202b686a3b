// The real game, headless over a replay, keeping its state file on the disk in
// a folder of its own, for the kill test (kill_test.py). Each step of each
// save is announced on file descriptor 3 as one line, before and after it
// happens, so that whoever kills the game knows which moment the kill hit:
//
//   opening VALUES   the save begins: the values the game is saving
//   opened | writing BYTES | written | flushed | synced | closed | renamed | done
//
// ("writing" and "written" surround the copy into the stream's buffer; the
// bytes reach the file between "written" and "flushed".)
//
//   state_saver FOLDER REPLAY [--file-size-limit N]
//       plays the replay; every save goes to FOLDER/.tarvexstate. With a
//       limit, no file may grow past N bytes (a full disk).
//   state_saver --check FOLDER
//       loads FOLDER's state as a start-up does and prints "values VALUES",
//       in the format of the "opening" lines.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/screens/map.h"
#include "game/session/game_program.h"
#include "game/session/main_game.h"
#include "game/session/records_file.h"
#include "game/session/replay_session.h"
#include "game/session/save_file.h"
#include "host/files.h"
#include "host/game.h"
#include "runtime/gc.h"
#include "support/file_system.h"

namespace {

constexpr int kMarkerFd = 3;

void Mark(const std::string& line) {
  const std::string text = line + "\n";
  // One write per line: a pipe never splits it, and it is out before the step.
  if (write(kMarkerFd, text.data(), text.size()) < 0) return;
}

// The progress the game holds and the records beside it, as one line.
std::string PlayerValues(const LevelRecords& records) {
  const Progress& p = gameState.progress;
  std::string values;
  for (int v : {p.currentLevel, p.totalScore, p.totalGold, p.ownedWorkers, p.gameCompleted, p.progressSpare}) {
    values += std::to_string(v) + " ";
  }
  for (int i = 0; i < kLevelCount; ++i) values += std::to_string(levelStates[i]);
  for (int i = 0; i < kLevelCount; ++i) {
    values += " " + std::to_string(p.countedScore[i]) + "/" + std::to_string(p.countedGold[i]);
  }
  for (const LevelRecord& r : records.levels) {
    values += " " + std::to_string(r.won) + ":" + std::to_string(r.bestScore) + ":" + std::to_string(r.fastestSeconds) +
              ":" + std::to_string(r.wonWithoutHint) + ":" + std::to_string(r.stars);
  }
  return values;
}

LevelRecords GameRecords() {
  auto* game = static_cast<c_MainGame*>(currentApp.get());
  if (game == nullptr || game->scenarioMap.get() == nullptr) return LevelRecords{};
  return game->scenarioMap->records;
}

// The disk's own files, announcing each step of writing the state file.
class MarkingFiles final : public HostFiles {
 public:
  std::FILE* Open(const std::string& path, const char* mode) override {
    const bool saving = mode[0] == 'w' && path == StateTempPath();
    if (saving) Mark("opening " + PlayerValues(GameRecords()));
    std::FILE* file = HostFiles::Open(path, mode);
    if (saving) {
      saving_ = file;
      Mark("opened");
    }
    return file;
  }
  std::size_t Write(const void* bytes, std::size_t n, std::FILE* file) override {
    if (file == saving_) Mark("writing " + std::string(static_cast<const char*>(bytes), n));
    const std::size_t written = HostFiles::Write(bytes, n, file);
    if (file == saving_) Mark("written");
    return written;
  }
  bool Sync(std::FILE* file) override {
    // The bytes reach the file when the stream is flushed, at the start of
    // the sync; flushing first, apart, tells that moment from the sync's.
    // A failed flush fails the sync, as it would inside it.
    if (file == saving_) {
      if (std::fflush(file) != 0) return false;
      Mark("flushed");
    }
    return Step(file, "synced", HostFiles::Sync(file));
  }
  bool Close(std::FILE* file) override {
    const bool ours = file == saving_;
    const bool closed = HostFiles::Close(file);
    if (ours) {
      saving_ = nullptr;
      Mark("closed");
    }
    return closed;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    const bool renamed = HostFiles::Rename(from, to);
    if (from == StateTempPath()) Mark("renamed");
    return renamed;
  }
  void SyncFolder(const std::string& folder) override {
    HostFiles::SyncFolder(folder);
    Mark("done");
  }

 private:
  bool Step(std::FILE* file, const char* marker, bool result) {
    if (file == saving_) Mark(marker);
    return result;
  }
  std::FILE* saving_ = nullptr;
};

int Check(const std::string& folder) {
  GcInitLists();
  InitGameGlobals();
  SetStateFolder(folder);
  static BBGame host;
  CreateFileSystem();
  LoadProgress();
  const LevelRecords records = LoadRecords();
  std::printf("values %s\n", PlayerValues(records).c_str());
  return 0;
}

bool LimitFileSize(const char* bytes) {
  // Past the limit a write fails with EFBIG instead of ending the process.
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{static_cast<rlim_t>(std::atol(bytes)), static_cast<rlim_t>(std::atol(bytes))};
  return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--check") == 0) return Check(std::string(argv[2]) + "/");
  if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--file-size-limit") == 0)) {
    std::fputs("usage: state_saver FOLDER REPLAY [--file-size-limit N] | --check FOLDER\n", stderr);
    return 2;
  }
  if (argc == 5 && !LimitFileSize(argv[4])) return 2;
  SetStateFolder(std::string(argv[1]) + "/");
  static MarkingFiles files;
  const GameProgram program = MainGameProgram();
  char* gameArgv[] = {argv[0], nullptr};
  return PlayReplay(argv[2], true, program, 1, gameArgv, &files);
}
