#include <gtest/gtest.h>

#include <string>

#include "support/file_system.h"

namespace {

String S(const char* text) { return String(text); }

// A file system whose files come from the given state text.
c_FileSystem* Loaded(const std::string& text) {
  c_FileSystem* fs = new c_FileSystem;
  fs->separator = S("\t");
  fs->LoadFilesFromText(String::FromUtf8(text));
  return fs;
}

std::string Values(c_FileSystem* fs, const char* name) {
  c_FileStream* f = fs->OpenFile(S(name));
  return f ? f->valueText.ToUtf8() : "<none>";
}

TEST(FileSystem, WritesAndReadsBackValuesInNameOrder) {
  c_FileSystem* fs = Loaded("");
  c_FileStream* b = fs->CreateFile(S("b.sav"));
  b->AppendInt(7);
  b->AppendInt(-12);
  b->AppendInt(2147483647);
  c_FileStream* a = fs->CreateFile(S("A.sav"));
  a->AppendInt(0);
  EXPECT_EQ(a->fileName.ToUtf8(), "a.sav");
  const String state = fs->BuildStateText();
  EXPECT_EQ(state.ToUtf8(), "TVXDATA\t2\ta.sav\t1\t0\tb.sav\t3\t7\t-12\t2147483647");
  EXPECT_EQ(fs->stateText.ToUtf8(), state.ToUtf8());

  c_FileSystem* again = Loaded(state.ToUtf8());
  c_FileStream* f = again->OpenFile(S("B.SAV"));
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->valueCount, 3);
  EXPECT_EQ(f->NextInt(), 7);
  EXPECT_EQ(f->NextInt(), -12);
  EXPECT_EQ(f->NextInt(), 2147483647);
  EXPECT_TRUE(f->lastError.Empty());
  EXPECT_EQ(f->NextInt(), 0);
  EXPECT_EQ(f->lastError.ToUtf8(), "End of file: b.sav");
  EXPECT_EQ(f->NextFloat(), 0.0f);
  // Reopening rewinds; a stream opened for reading saves back unchanged.
  f = again->OpenFile(S("b.sav"));
  EXPECT_EQ(f->NextInt(), 7);
  EXPECT_EQ(again->BuildStateText().ToUtf8(), state.ToUtf8());
}

TEST(FileSystem, NamesDifferingOnlyInCaseNameTheSameFile) {
  c_FileSystem* fs = Loaded("");
  fs->CreateFile(S("Trandle.SAV"))->AppendInt(1);
  c_FileStream* second = fs->CreateFile(S("TRANDLE.sav"));
  second->AppendInt(2);
  EXPECT_EQ(fs->files->Count(), 1);
  EXPECT_EQ(fs->OpenFile(S("trandle.sav")), second);
  EXPECT_EQ(fs->OpenFile(S("tRaNdLe.SaV"))->NextInt(), 2);
  EXPECT_EQ(fs->OpenFile(S("other.sav")), nullptr);
}

TEST(FileSystem, FileWithNoValues) {
  c_FileSystem* fs = Loaded("");
  fs->CreateFile(S("empty"));
  EXPECT_EQ(fs->BuildStateText().ToUtf8(), "TVXDATA\t1\tempty\t0");
  c_FileSystem* again = Loaded("TVXDATA\t1\tempty\t0");
  c_FileStream* f = again->OpenFile(S("empty"));
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->valueCount, 0);
  EXPECT_TRUE(f->lastError.Empty());
  EXPECT_EQ(f->NextInt(), 0);
  EXPECT_EQ(f->lastError.ToUtf8(), "End of file: empty");
}

TEST(FileSystem, StatesThatLoadNothing) {
  for (const char* text : {"", "TVXDATA", "TVXDATA\t0", "TVXDATA\t-3\ta\t1\t5", "tvxdata\t1\ta\t1\t5",
                           "TVXDATA \t1\ta\t1\t5", "garbage", "TVXDATA\t1", "TVXDATA\t1\ta"}) {
    c_FileSystem* fs = Loaded(text);
    EXPECT_EQ(fs->files->Count(), 0) << text;
    EXPECT_EQ(fs->stateText.ToUtf8(), text);
    EXPECT_EQ(fs->BuildStateText().ToUtf8(), "TVXDATA\t0");
  }
}

TEST(FileSystem, CutShortStateKeepsTheCompleteFiles) {
  // The third file promises 4 values and holds 2: it and everything after is dropped.
  c_FileSystem* fs = Loaded("TVXDATA\t4\ta\t2\t1\t2\tb\t0\tc\t4\t9\t9");
  EXPECT_EQ(fs->files->Count(), 2);
  EXPECT_EQ(Values(fs, "a"), "1\t2");
  EXPECT_EQ(Values(fs, "b"), "");
  EXPECT_EQ(Values(fs, "c"), "<none>");
  // More files promised than present.
  fs = Loaded("TVXDATA\t1000000\ta\t1\t5");
  EXPECT_EQ(fs->files->Count(), 1);
  EXPECT_EQ(Values(fs, "a"), "5");
}

TEST(FileSystem, AbsurdAndNegativeCountsAllocateNothing) {
  c_FileSystem* fs = Loaded("TVXDATA\t2147483647\ta\t2147483647\t1\t2");
  EXPECT_EQ(fs->files->Count(), 0);
  fs = Loaded("TVXDATA\t2\ta\t2147483646\tb\t1\t3");
  EXPECT_EQ(fs->files->Count(), 0);
  // A negative count is a file without values; the next file follows at once.
  fs = Loaded("TVXDATA\t2\ta\t-5\tb\t1\t3");
  EXPECT_EQ(fs->files->Count(), 2);
  EXPECT_EQ(fs->OpenFile(S("a"))->valueCount, 0);
  EXPECT_EQ(Values(fs, "b"), "3");
  EXPECT_EQ(fs->BuildStateText().ToUtf8(), "TVXDATA\t2\ta\t0\tb\t1\t3");
}

TEST(FileSystem, LaterFileOfTheSameNameWinsAndStoredNamesAreKept) {
  c_FileSystem* fs = Loaded("TVXDATA\t3\tx\t1\t1\tMixed\t1\t4\tx\t2\t2\t3");
  EXPECT_EQ(fs->files->Count(), 2);
  EXPECT_EQ(Values(fs, "x"), "2\t3");
  // A stored upper-case name is kept as it is and cannot be opened by name.
  EXPECT_EQ(fs->OpenFile(S("Mixed")), nullptr);
  EXPECT_EQ(fs->BuildStateText().ToUtf8(), "TVXDATA\t2\tMixed\t1\t4\tx\t2\t2\t3");
}

TEST(FileSystem, ValuesConvertAsIntegersOrFloats) {
  c_FileSystem* fs = Loaded("TVXDATA\t1\tv\t9\t12\t3.7\t-2.5e2\t 7x\tabc\t1e\t.5\t-\t1e-2");
  c_FileStream* f = fs->OpenFile(S("v"));
  EXPECT_EQ(f->NextFloat(), 12.0f);
  EXPECT_EQ(f->NextInt(), 3);
  EXPECT_EQ(f->NextFloat(), -250.0f);
  EXPECT_EQ(f->NextFloat(), 7.0f);
  EXPECT_EQ(f->NextFloat(), 0.0f);
  EXPECT_EQ(f->NextFloat(), 1.0f);
  EXPECT_EQ(f->NextFloat(), 0.5f);
  EXPECT_EQ(f->NextFloat(), 0.0f);
  EXPECT_EQ(f->NextFloat(), 0.01f);
  EXPECT_TRUE(f->lastError.Empty());
}

TEST(FileSystem, FloatConversionReadsAtMost255Units) {
  std::string digits(254, '0');
  EXPECT_EQ(ParseDecimalFloat(String((digits + "7").c_str())), 7.0f);
  EXPECT_EQ(ParseDecimalFloat(String((digits + "07").c_str())), 0.0f);
  EXPECT_EQ(ParseDecimalFloat(S("0x10")), 0.0f);
  EXPECT_EQ(ParseDecimalFloat(S("inf")), 0.0f);
  EXPECT_EQ(ParseDecimalFloat(S("0.1")), 0.1f);
}

}  // namespace
