// The support libraries over the host's files, in a scratch working directory:
// the file system through the application-state file, fonts from description files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "host/game.h"
#include "support/bitmap_font.h"
#include "support/file_system.h"

namespace {

class ScratchHost : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tarvex-state-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    char* old = getcwd(nullptr, 0);
    previous_ = old;
    std::free(old);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    game_ = std::make_unique<BBGame>();
  }
  void TearDown() override {
    game_.reset();
    EXPECT_EQ(chdir(previous_.c_str()), 0);
    EXPECT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }

  static std::string Stored() {
    std::ifstream in(".tarvexstate", std::ios::binary);
    if (!in) return "<missing>";
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Store(const std::string& bytes) { std::ofstream(".tarvexstate", std::ios::binary) << bytes; }

 private:
  std::string dir_, previous_;
  std::unique_ptr<BBGame> game_;
};

TEST_F(ScratchHost, FirstRunStoresTheEmptyStateAtOnce) {
  EXPECT_EQ(Stored(), "<missing>");
  c_FileSystem* fs = CreateFileSystem();
  EXPECT_EQ(fileSystem.get(), fs);
  EXPECT_EQ(fs->separator.ToUtf8(), "\t");
  EXPECT_EQ(fs->header.ToUtf8(), "TVXDATA");
  EXPECT_EQ(fs->files->Count(), 0);
  EXPECT_EQ(Stored(), "");
}

TEST_F(ScratchHost, SavedFilesComeBackInTheNextRun) {
  c_FileSystem* fs = CreateFileSystem();
  c_FileStream* save = fs->CreateFile(String("Trandle.sav"));
  for (int i = 0; i < 21; ++i) save->AppendInt(i * 1000 - 3);
  fs->CreateFile(String("empty"));
  ASSERT_EQ(fs->SaveFilesToState(), 0);
  std::string expected = "TVXDATA\t2\tempty\t0\ttrandle.sav\t21";
  for (int i = 0; i < 21; ++i) expected += "\t" + std::to_string(i * 1000 - 3);
  EXPECT_EQ(Stored(), expected);

  c_FileSystem* next = CreateFileSystem();
  EXPECT_NE(next, fs);
  EXPECT_EQ(Stored(), expected);  // loading does not rewrite a stored state
  c_FileStream* read = next->OpenFile(String("TRANDLE.SAV"));
  ASSERT_NE(read, nullptr);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(read->NextInt(), i * 1000 - 3);
  EXPECT_TRUE(read->lastError.Empty());
  c_FileStream* empty = next->OpenFile(String("Empty"));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->NextInt(), 0);
  EXPECT_EQ(empty->lastError.ToUtf8(), "End of file: empty");
  // Saving after reading writes the same state back.
  ASSERT_EQ(next->SaveFilesToState(), 0);
  EXPECT_EQ(Stored(), expected);
}

TEST_F(ScratchHost, ForeignOrEmptyStateLoadsNoFilesAndIsOverwrittenBySaving) {
  Store("TVXDATA\t0");
  EXPECT_EQ(CreateFileSystem()->files->Count(), 0);
  Store("some other program's state");
  c_FileSystem* fs = CreateFileSystem();
  EXPECT_EQ(fs->files->Count(), 0);
  EXPECT_EQ(Stored(), "some other program's state");
  fs->CreateFile(String("a"))->AppendInt(5);
  ASSERT_EQ(fs->SaveFilesToState(), 0);
  EXPECT_EQ(Stored(), "TVXDATA\t1\ta\t1\t5");
}

TEST_F(ScratchHost, MissingFontIsReportedAndHasNoGlyphs) {
  testing::internal::CaptureStdout();
  c_BitmapFont* font = LoadFont(String("time.txt"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "FONT time.txt WAS NOT FOUND!!!\n");
  EXPECT_EQ(font->faceGlyphs.Length(), 1);
  EXPECT_EQ(font->faceGlyphs[0], nullptr);
  EXPECT_EQ(font->TextWidth(String("time")), 0.0f);
}

TEST_F(ScratchHost, FontDescriptionIsReadFromItsFileWithDynamicLoading) {
  std::ofstream("Small.TXT", std::ios::binary) << "65,{FC,0,0,0,1,2,8,9,10,0,\n66,{SH,0,0,0,0,0,8,9,10,0,";
  testing::internal::CaptureStdout();
  c_BitmapFont* font = LoadFont(String("./Small.TXT"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  ASSERT_EQ(font->faceGlyphs.Length(), 67);
  EXPECT_EQ(font->faceGlyphs[65]->imagePath.ToUtf8(), "./Small_65.png");
  EXPECT_EQ(font->shadowGlyphs[66]->imagePath.ToUtf8(), "./Small_SHADOW_66.png");
  EXPECT_EQ(font->TextWidth(String("A")), 8.0f);
}

}  // namespace
