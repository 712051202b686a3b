// Paths, the whole-file readers, the state file and the desktop opener.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "host/image_codec.h"
#include "host/files.h"
#include "tests/host/host_test_util.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

// Each test runs in its own empty working directory.
class FilesTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    char pattern[] = "/tmp/tarvex-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    char* old = getcwd(nullptr, 0);
    previous = old;
    std::free(old);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    EXPECT_EQ(chdir(previous.c_str()), 0);
    EXPECT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0);
    HostFixture::TearDown();
  }
  std::string dir, previous;
};

TEST_F(FilesTest, MapPathMapsOnlyTheThreeSchemeFolders) {
  EXPECT_EQ(game->MapPath(String("tarvex://data/")), String("./data/"));
  EXPECT_EQ(game->MapPath(String("tarvex://data/menu/logo.png")), String("./data/menu/logo.png"));
  EXPECT_EQ(game->MapPath(String("tarvex://internal/a")), String("./internal/a"));
  EXPECT_EQ(game->MapPath(String("tarvex://external/b/c")), String("./external/b/c"));
  EXPECT_EQ(game->MapPath(String("tarvex://DATA/x")), String());
  EXPECT_EQ(game->MapPath(String("tarvex:/data/x")), String());
  EXPECT_EQ(game->MapPath(String("tarvex:")), String());
  EXPECT_EQ(game->MapPath(String("TARVEX://data/x")), String("TARVEX://data/x"));
  EXPECT_EQ(game->MapPath(String("./.tarvexstate")), String("./.tarvexstate"));
  // The base host maps nothing.
  BBGame plain;
  EXPECT_EQ(plain.MapPath(String("tarvex://data/x")), String("tarvex://data/x"));
  currentGame = game.get();
}

TEST_F(FilesTest, ResolveDataPathPutsNamesUnderTheDataFolder) {
  EXPECT_EQ(ResolveDataPath(String("menu/logo.png")), String("tarvex://data/menu/logo.png"));
  EXPECT_EQ(ResolveDataPath(String("c:/x.png")), String("c:/x.png"));
  EXPECT_EQ(ResolveDataPath(String("tarvex://data/a")), String("tarvex://data/a"));
  EXPECT_EQ(ResolveDataPath(String("./x.png")), String("./x.png"));
  EXPECT_EQ(ResolveDataPath(String("/abs/x.png")), String("/abs/x.png"));
  EXPECT_EQ(ResolveDataPath(String("a/b:/c")), String("tarvex://data/a/b:/c"));
  EXPECT_EQ(ResolveDataPath(String("")), String("tarvex://data/"));
}

TEST_F(FilesTest, ReadersGoThroughTheMappingAndReadWholeFiles) {
  ASSERT_EQ(mkdir("data", 0755), 0);
  std::string big(4096 * 3 + 17, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  WriteFile("data/big.bin", big);
  WriteFile("data/exact.bin", std::string(8192, 'x'));
  WriteFile("data/empty.bin", "");

  int length = -5;
  unsigned char* block = game->ReadBinaryFile(String("tarvex://data/big.bin"), &length);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(length, static_cast<int>(big.size()));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block), length), big);
  std::free(block);

  block = game->ReadBinaryFile(String("tarvex://data/exact.bin"), &length);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(length, 8192);
  std::free(block);

  block = game->ReadBinaryFile(String("./data/empty.bin"), &length);
  ASSERT_NE(block, nullptr);  // an empty file is still a file
  EXPECT_EQ(length, 0);
  std::free(block);

  length = -5;
  EXPECT_EQ(game->ReadBinaryFile(String("tarvex://data/missing"), &length), nullptr);
  EXPECT_EQ(game->ReadBinaryFile(String("tarvex://DATA/big.bin"), &length), nullptr);
  EXPECT_EQ(length, -5);
  EXPECT_EQ(game->OpenPathFile(String("tarvex:/data/big.bin"), String("rb")), nullptr);
  EXPECT_EQ(game->ReadTextFile(String("tarvex://data/missing")), String());
}

TEST_F(FilesTest, TextFilesAreDecodedByTheirMarkAndUnicodeNamesWork) {
  ASSERT_EQ(mkdir("data", 0755), 0);
  // Little-endian UTF-16 with its mark: "Zug \u00e9\u263a".
  const unsigned char utf16[] = {0xFF, 0xFE, 'Z', 0, 'u', 0, 'g', 0, ' ', 0, 0xE9, 0, 0x3A, 0x26};
  WriteFile("data/utf16.txt", std::string(reinterpret_cast<const char*>(utf16), sizeof utf16));
  const char16_t expected[] = {u'Z', u'u', u'g', u' ', 0xE9, 0x263A, 0};
  EXPECT_EQ(LoadTextFile(String("utf16.txt")), String(expected));

  // A name beyond Latin-1 reaches the file system as UTF-8.
  const char16_t name[] = {u'd', u'a', u't', u'a', u'/', 0x65E5, u'.', u't', u'x', u't', 0};
  WriteFile("data/\xE6\x97\xA5.txt", "plain");
  EXPECT_EQ(game->ReadTextFile(String(name)), String("plain"));
}

TEST_F(FilesTest, SoundAndImageReadersDecodeTheMappedFile) {
  ASSERT_EQ(mkdir("data", 0755), 0);
  // A mono 16-bit WAV of four frames at 8000 Hz.
  auto le = [](std::uint32_t v, int n) {
    std::string b;
    for (int i = 0; i < n; ++i) b += static_cast<char>((v >> (8 * i)) & 255);
    return b;
  };
  const std::string samples = le(1, 2) + le(0xFFFF, 2) + le(300, 2) + le(0x8000, 2);
  const std::string wav = "RIFF" + le(36 + 8, 4) + "WAVE" + "fmt " + le(16, 4) + le(1, 2) + le(1, 2) +
                          le(8000, 4) + le(16000, 4) + le(2, 2) + le(16, 2) + "data" + le(8, 4) + samples;
  WriteFile("data/beep.wav", wav);
  WriteFile("data/beep.txt", wav);
  int length = 0, channels = 0, format = 0, rate = 0;
  unsigned char* frames = game->ReadSoundFile(String("tarvex://data/beep.wav"), &length, &channels, &format, &rate);
  ASSERT_NE(frames, nullptr);
  EXPECT_EQ(length, 4);
  EXPECT_EQ(channels, 1);
  EXPECT_EQ(format, 2);
  EXPECT_EQ(rate, 8000);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(frames), 8), samples);
  std::free(frames);
  // The kind comes from the name; missing files and unmapped paths give null.
  EXPECT_EQ(game->ReadSoundFile(String("tarvex://data/beep.txt"), &length, &channels, &format, &rate), nullptr);
  EXPECT_EQ(game->ReadSoundFile(String("tarvex://data/none.wav"), &length, &channels, &format, &rate), nullptr);
  // A 2 x 1 RGBA picture: opaque red, half-transparent blue.
  const unsigned char png[] = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
      0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xF4, 0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00,
      0x0E, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0x00, 0x42, 0x0D, 0x00, 0x0F, 0x7A, 0x03,
      0x7E, 0x77, 0xE9, 0x7F, 0x97, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  WriteFile("data/two.png", std::string(reinterpret_cast<const char*>(png), sizeof png));
  int w = 0, h = 0, c = 0;
  unsigned char* pixels = game->ReadImageFile(String("tarvex://data/two.png"), &w, &h, &c);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(c, 4);
  const unsigned char expected[] = {255, 0, 0, 255, 0, 0, 255, 128};
  EXPECT_EQ(std::memcmp(pixels, expected, sizeof expected), 0);
  FreeImagePixels(pixels);
  EXPECT_EQ(game->ReadImageFile(String("tarvex://data/beep.wav"), &w, &h, &c), nullptr);
  EXPECT_EQ(game->ReadImageFile(String("tarvex://data/none.png"), &w, &h, &c), nullptr);
}

TEST_F(FilesTest, ChosenDataAndStateFoldersAreUsedInsteadOfTheWorkingFolder) {
  ASSERT_EQ(mkdir("share", 0755), 0);
  ASSERT_EQ(mkdir("user", 0755), 0);
  SetDataFolder(dir + "/share/");
  SetStateFolder(dir + "/user/");
  EXPECT_EQ(game->MapPath(String("tarvex://data/menu/logo.png")), String::FromUtf8(dir + "/share/menu/logo.png"));
  EXPECT_EQ(game->MapPath(String("tarvex://internal/a")), String("./internal/a"));
  EXPECT_EQ(SaveAppState(String("kept elsewhere")), 0);
  EXPECT_EQ(ReadFile("user/.tarvexstate"), "kept elsewhere");
  EXPECT_FALSE(Exists(".tarvexstate"));
  EXPECT_FALSE(Exists("user/.tarvexstate.new"));
  EXPECT_EQ(LoadAppState(), String("kept elsewhere"));
  SetDataFolder("./data/");
  SetStateFolder("./");
  EXPECT_EQ(StateFilePath(), kStateFileName);
  EXPECT_EQ(LoadAppState(), String());
}

TEST_F(FilesTest, EmptyStateSavesAnEmptyFileAndLoadsEmpty) {
  EXPECT_EQ(LoadAppState(), String());  // first run: no file
  EXPECT_EQ(SaveAppState(String("x")), 0);
  EXPECT_EQ(SaveAppState(String()), 0);
  EXPECT_TRUE(Exists(".tarvexstate"));
  EXPECT_EQ(ReadFile(".tarvexstate"), "");
  EXPECT_EQ(LoadAppState(), String());
  EXPECT_FALSE(Exists(kStateTempName));
}

TEST_F(FilesTest, StateWithEveryUnitFrom128To65535SurvivesSaveAndLoad) {
  std::u16string units;
  for (int u = 128; u <= 65535; ++u) units += static_cast<char16_t>(u);
  const String state(units.data(), static_cast<int>(units.size()));
  ASSERT_EQ(SaveAppState(state), 0);
  const String back = LoadAppState();
  ASSERT_EQ(back.Length(), state.Length());
  EXPECT_TRUE(back == state);
  // The file holds exactly the UTF-8 bytes, with no mark or terminator.
  EXPECT_EQ(ReadFile(".tarvexstate"), EncodeUtf8(state));
}

TEST_F(FilesTest, StateThatCannotBeCreatedAnswersMinusOneAndKeepsTheOld) {
  ASSERT_EQ(SaveAppState(String("old")), 0);
  // The temporary file's name is taken by a folder: nothing can be created.
  ASSERT_EQ(mkdir(kStateTempName, 0755), 0);
  EXPECT_EQ(SaveAppState(String("new")), -1);
  EXPECT_EQ(LoadAppState(), String("old"));
  ASSERT_EQ(rmdir(kStateTempName), 0);
  // The state file's name is a non-empty folder: the rename fails.
  ASSERT_EQ(unlink(".tarvexstate"), 0);
  ASSERT_EQ(mkdir(".tarvexstate", 0755), 0);
  WriteFile(".tarvexstate/x", "");
  EXPECT_EQ(SaveAppState(String("new")), -1);
  EXPECT_FALSE(Exists(kStateTempName));
}

// Files that write only half of what they are given.
class ShortWritingFiles : public HostFiles {
 public:
  std::size_t Write(const void* bytes, std::size_t n, std::FILE* file) override {
    return HostFiles::Write(bytes, n / 2, file);
  }
};

TEST_F(FilesTest, ShortWriteAnswersMinusTwoAndKeepsThePreviousStateWhole) {
  ASSERT_EQ(SaveAppState(String("the previous state")), 0);
  ShortWritingFiles shortFiles;
  BBTarvexGame failing(&platform, &shortFiles);
  EXPECT_EQ(failing.StoreAppState(String("a new state that will not fit")), -2);
  EXPECT_EQ(failing.FetchAppState(), String("the previous state"));
  EXPECT_FALSE(Exists(kStateTempName));
  // An empty state writes nothing, so it cannot be short.
  EXPECT_EQ(failing.StoreAppState(String()), 0);
  currentGame = game.get();
}

TEST_F(FilesTest, KilledWhileSavingAlwaysLeavesOneWholeState) {
  // Two states of different lengths; a child saves them alternately without
  // end and is killed at a random moment. Every time, the file must hold one
  // of them completely.
  const std::string a = "A" + std::string(40000, 'a');
  const std::string b = "B" + std::string(70000, 'b');
  ASSERT_EQ(SaveAppState(String(a.c_str())), 0);
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay(0, 3000);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
  int rounds = 0;
  for (; rounds < 300 && std::chrono::steady_clock::now() < deadline; ++rounds) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const String sa(a.c_str()), sb(b.c_str());
      for (int i = 0;; ++i) game->StoreAppState(i % 2 ? sa : sb);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    const std::string now = ReadFile(".tarvexstate");
    ASSERT_TRUE(now == a || now == b) << "round " << rounds << ": " << now.size() << " bytes";
  }
  EXPECT_GE(rounds, 100);
}

TEST_F(FilesTest, OpenExternalPassesTheTargetAsOneArgumentWithoutAShell) {
  // A stand-in opener that records its arguments.
  ASSERT_EQ(mkdir("bin", 0755), 0);
  const std::string out = dir + "/args";
  WriteFile("bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" + out + ".part'\nmv '" + out +
                                ".part' '" + out + "'\n");
  ASSERT_EQ(chmod("bin/xdg-open", 0755), 0);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (dir + "/bin:" + oldPath).c_str(), 1);

  const std::string target = "http://x/?a=1&b=2; touch pwned $(touch pwned2) `touch pwned3`";
  game->OpenExternal(String(target.c_str()));
  setenv("PATH", oldPath.c_str(), 1);
  for (int i = 0; i < 500 && !Exists(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(ReadFile(out), "1\n" + target + "\n");
  EXPECT_FALSE(Exists("pwned"));
  EXPECT_FALSE(Exists("pwned2"));
  EXPECT_FALSE(Exists("pwned3"));
  // No child is left behind as a zombie.
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

TEST_F(FilesTest, FillDateFillsOnlyAsFarAsTheArrayAllows) {
  Array<int> date(9);
  for (int i = 0; i < 9; ++i) date[i] = -5;
  const std::time_t before = std::time(nullptr);
  game->FillDate(date);
  std::tm local{};
  localtime_r(&before, &local);
  EXPECT_EQ(date[0], local.tm_year + 1900);
  EXPECT_GE(date[1], 1);
  EXPECT_LE(date[1], 12);
  EXPECT_GE(date[2], 1);
  EXPECT_LE(date[2], 31);
  EXPECT_LE(date[3], 23);
  EXPECT_LE(date[5], 60);
  EXPECT_EQ(date[6], 0);
  EXPECT_EQ(date[7], -5);
  EXPECT_EQ(date[8], -5);
  Array<int> two(2);
  two[1] = -5;
  game->FillDate(two);
  EXPECT_EQ(two[0], local.tm_year + 1900);
  EXPECT_EQ(two[1], local.tm_mon + 1);
  game->FillDate(Array<int>());  // nothing to fill
}

}  // namespace
