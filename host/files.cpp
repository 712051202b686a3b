#include "host/files.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/game.h"

const char* const kStateFileName = "./.tarvexstate";
const char* const kStateTempName = "./.tarvexstate.new";

namespace {

std::string dataFolder = "./data/";
std::string stateFolder = "./";

// The file name of a path: what follows its last "/".
std::string BaseName(const char* path) {
  const std::string p(path);
  return p.substr(p.rfind('/') + 1);
}

}  // namespace

void SetDataFolder(const std::string& folder) { dataFolder = folder; }
const std::string& DataFolder() { return dataFolder; }
void SetStateFolder(const std::string& folder) { stateFolder = folder; }
const std::string& StateFolder() { return stateFolder; }
std::string StateFilePath() { return stateFolder + BaseName(kStateFileName); }
std::string StateTempPath() { return stateFolder + BaseName(kStateTempName); }

// ---- POSIX files ---------------------------------------------------------------

std::FILE* HostFiles::Open(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::size_t HostFiles::Write(const void* bytes, std::size_t n, std::FILE* file) {
  return std::fwrite(bytes, 1, n, file);
}

bool HostFiles::Sync(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

bool HostFiles::Close(std::FILE* file) { return std::fclose(file) == 0; }

bool HostFiles::Rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void HostFiles::Remove(const std::string& path) { unlink(path.c_str()); }

void HostFiles::SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

HostFiles* DefaultHostFiles() {
  static HostFiles files;
  return &files;
}

// ---- Paths -------------------------------------------------------------------

String BBGame::MapPath(const String& path) { return path; }

String BBGlfwGame::MapPath(const String& path) {
  static const struct {
    const char* scheme;
    const char* folder;  // null: the data folder
  } kMappings[] = {
      {"tarvex://data/", nullptr},
      {"tarvex://internal/", "./internal/"},
      {"tarvex://external/", "./external/"},
  };
  for (const auto& m : kMappings) {
    const String scheme(m.scheme);
    const String folder = m.folder ? String(m.folder) : String::FromUtf8(DataFolder());
    if (path.StartsWith(scheme)) return folder + path.Slice(scheme.Length());
  }
  if (path.StartsWith(String("tarvex:"))) return String();
  return path;
}

String ResolveDataPath(const String& path) {
  const int i = path.Find(String(":/"));
  if (i != -1 && path.Find(String("/")) == i + 1) return path;
  if (path.StartsWith(String("./")) || path.StartsWith(String("/"))) return path;
  return String("tarvex://data/") + path;
}

std::FILE* BBGame::OpenPathFile(const String& path, const String& mode) {
  const String mapped = MapPath(path);
  if (mapped.Empty()) return nullptr;
  // File names are UTF-8 here, so any Unicode path reaches the file system.
  return files_->Open(mapped.ToUtf8(), mode.ToUtf8().c_str());
}

// ---- Whole-file readers --------------------------------------------------------

namespace {

// Reads the rest of the file in chunks of 4096 bytes until a short read.
std::vector<unsigned char> ReadAll(std::FILE* file) {
  std::vector<unsigned char> bytes;
  unsigned char chunk[4096];
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, file);
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (n < sizeof chunk) break;
  }
  return bytes;
}

}  // namespace

unsigned char* BBGame::ReadBinaryFile(const String& path, int* length) {
  std::FILE* file = OpenPathFile(path, String("rb"));
  if (!file) return nullptr;
  const std::vector<unsigned char> bytes = ReadAll(file);
  files_->Close(file);
  // One byte more than needed so that an empty file still gives a block.
  auto* block = static_cast<unsigned char*>(std::malloc(bytes.size() + 1));
  if (!block) return nullptr;
  if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
  *length = static_cast<int>(bytes.size());
  return block;
}

String BBGame::ReadTextFile(const String& path) {
  std::FILE* file = OpenPathFile(path, String("rb"));
  if (!file) return String();
  const std::vector<unsigned char> bytes = ReadAll(file);
  files_->Close(file);
  return DecodeText(bytes.data(), bytes.size());
}

// ---- The application state -----------------------------------------------------

String BBGame::FetchAppState() { return ReadTextFile(String::FromUtf8(StateFilePath())); }

int BBGame::StoreAppState(const String& state) {
  // The new state goes to a temporary file in the same folder first and then
  // replaces the old one by renaming, so that a failure or a crash at any
  // moment leaves either the old state or the new one, whole.
  const std::string temp = StateTempPath();
  std::FILE* file = OpenPathFile(String::FromUtf8(temp), String("wb"));
  if (!file) return -1;
  const std::string bytes = EncodeUtf8(state);
  const bool written = bytes.empty() || files_->Write(bytes.data(), bytes.size(), file) == bytes.size();
  const bool synced = written && files_->Sync(file);
  const bool closed = files_->Close(file);
  if (!written || !synced || !closed) {
    files_->Remove(temp);
    return -2;
  }
  if (!files_->Rename(temp, StateFilePath())) {
    files_->Remove(temp);
    return -1;
  }
  files_->SyncFolder(StateFolder());
  return 0;
}

// ---- The desktop's opener -------------------------------------------------------

void BBGlfwGame::OpenExternal(const String& target) {
  // The target is one argument of the opener program: no shell ever sees it.
  const std::string arg = target.ToUtf8();
  char program[] = "xdg-open";
  char* const argv[] = {program, const_cast<char*>(arg.c_str()), nullptr};
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    // A second fork detaches the opener, so it never lingers as a zombie.
    const pid_t opener = fork();
    if (opener == 0) {
      setsid();
      execvp(program, argv);
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

// ---- Framework functions ---------------------------------------------------------

String LoadTextFile(const String& path) { return currentGame->ReadTextFile(ResolveDataPath(path)); }

int SaveAppState(const String& state) { return currentGame->StoreAppState(state); }

String LoadAppState() { return currentGame->FetchAppState(); }
