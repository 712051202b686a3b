#include <gtest/gtest.h>

#include <string>

#include "runtime/array.h"
#include "runtime/string.h"

namespace {

String Units(std::initializer_list<char16_t> units) {
  return String(units.begin(), static_cast<int>(units.size()));
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

TEST(StringSharing, ResultsEqualToAnOperandShareItsRepresentation) {
  const String hello("hello");
  const String empty;
  const int refs = hello.RepForTesting()->refs;
  const String joined = empty + hello;
  EXPECT_EQ(joined.RepForTesting(), hello.RepForTesting());
  EXPECT_EQ(hello.RepForTesting()->refs, refs + 1);
  EXPECT_EQ((hello + empty).RepForTesting(), hello.RepForTesting());
  EXPECT_EQ(hello.Slice(0, 99).RepForTesting(), hello.RepForTesting());
  EXPECT_EQ(hello.Trim().RepForTesting(), hello.RepForTesting());
  EXPECT_EQ(hello.ToLower().RepForTesting(), hello.RepForTesting());
  EXPECT_EQ(hello.Split(String(",")) [0].RepForTesting(), hello.RepForTesting());
  // Every empty string is the one static representation.
  EXPECT_EQ(String("").RepForTesting(), empty.RepForTesting());
  EXPECT_EQ(hello.Slice(3, 1).RepForTesting(), empty.RepForTesting());
}

TEST(StringSharing, ReleasingTheLastCopyKeepsOthersIntact) {
  String a("shared text");
  {
    String b = a;
    String c = b;
    c = String("other");
  }
  EXPECT_EQ(a, String("shared text"));
  EXPECT_EQ(a.RepForTesting()->refs, 1);
}

TEST(StringOperations, SliceClampsLikeTheRules) {
  const String hello("hello");
  EXPECT_EQ(hello.Slice(-3), String("llo"));
  EXPECT_EQ(hello.Slice(1, -1), String("ell"));
  EXPECT_EQ(hello.Slice(4, 2), String());
  EXPECT_EQ(hello.Slice(-99, 2), String("he"));
  EXPECT_EQ(hello.Slice(7), String());
}

TEST(StringOperations, FindStartsWithEndsWith) {
  const String abc("abc");
  EXPECT_EQ(abc.Find(String(), 3), 3);
  EXPECT_EQ(abc.Find(String(), 4), -1);
  EXPECT_EQ(abc.Find(String("a"), -5), 0);
  EXPECT_EQ(abc.Find(String("c"), 1), 2);
  EXPECT_EQ(abc.Find(String("cd")), -1);
  EXPECT_TRUE(abc.StartsWith(String("ab")));
  EXPECT_FALSE(abc.StartsWith(String("abcd")));
  EXPECT_TRUE(abc.EndsWith(String("bc")));
  EXPECT_TRUE(abc.EndsWith(String()));
  EXPECT_FALSE(abc.EndsWith(String("ab")));
}

TEST(StringOperations, SplitPieces) {
  Array<String> parts = String("a,,b,").Split(String(","));
  ASSERT_EQ(parts.Length(), 4);
  EXPECT_EQ(parts[0], String("a"));
  EXPECT_EQ(parts[1], String());
  EXPECT_EQ(parts[2], String("b"));
  EXPECT_EQ(parts[3], String());

  Array<String> units = String("ab").Split(String());
  ASSERT_EQ(units.Length(), 2);
  EXPECT_EQ(units[0], String("a"));
  EXPECT_EQ(units[1], String("b"));

  Array<String> none = String().Split(String(","));
  ASSERT_EQ(none.Length(), 1);
  EXPECT_EQ(none[0], String());

  Array<String> multi = String("x<>y<>z").Split(String("<>"));
  ASSERT_EQ(multi.Length(), 3);
  EXPECT_EQ(multi[2], String("z"));
}

TEST(StringOperations, TrimAndLowerCase) {
  EXPECT_EQ(String(" \t\r\n  ").Trim(), String());
  EXPECT_EQ(Units({160, u'a', 160}).Trim(), Units({160, u'a', 160}));
  EXPECT_EQ(String("  x y ").Trim(), String("x y"));
  EXPECT_EQ(Units({196, u'A', u'z'}).ToLower(), Units({196, u'a', u'z'}));
}

TEST(StringOperations, CompareOrdersByUnsignedUnitsThenLength) {
  EXPECT_LT(String("a").Compare(String("ab")), 0);
  EXPECT_LT(String("B").Compare(String("a")), 0);
  EXPECT_GT(Units({0xFFFF}).Compare(String("z")), 0);
  EXPECT_EQ(String("same").Compare(String("same")), 0);
}

TEST(StringNumbers, IntegerText) {
  EXPECT_EQ(String::FromInt(0), String("0"));
  EXPECT_EQ(String::FromInt(-2147483647 - 1), String("-2147483648"));
  EXPECT_EQ(String(" 42abc").ToInt(), 42);
  EXPECT_EQ(String("abc").ToInt(), 0);
  EXPECT_EQ(String("\t-17").ToInt(), -17);
  EXPECT_EQ(String("+8").ToInt(), 8);
  EXPECT_EQ(String("99999999999").ToInt(), 2147483647);
  EXPECT_EQ(String("-99999999999").ToInt(), -2147483647 - 1);
  // Only the first 63 units are read.
  String padded = String(std::string(62, ' ').c_str()) + String("12");
  EXPECT_EQ(padded.ToInt(), 1);
  EXPECT_EQ(String("1.5").ToFloat(), 1.5f);
  EXPECT_EQ(String::FromFloat(0.25f), String("0.25"));
  EXPECT_EQ(String::FromFloat(-3.0f), String("-3"));
  EXPECT_EQ(String::FromFloat(300.0f), String("300"));
  EXPECT_EQ(String::FromFloat(0.1f), String("0.1"));
  EXPECT_EQ(String::FromFloat(123456.5f), String("123456.5"));
  EXPECT_EQ(String::FromFloat(0.0f), String("0"));
  EXPECT_EQ(String::FromFloat(1e20f).ToFloat(), 1e20f);
}

TEST(StringCodec, DecodeByByteOrderMarkOrUtf8) {
  EXPECT_EQ(DecodeText(Bytes({239, 187, 191, 65})), String("A"));
  EXPECT_EQ(DecodeText(Bytes({255, 254, 65, 0})), String("A"));
  EXPECT_EQ(DecodeText(Bytes({254, 255, 0, 65})), String("A"));
  EXPECT_EQ(DecodeText(Bytes({255, 254, 65, 0, 66})), String("A"));  // odd trailing byte dropped
  EXPECT_EQ(DecodeText(Bytes({65, 200})), Units({65, 200}));
  EXPECT_EQ(DecodeText(Bytes({226, 130, 172})), Units({8364}));
  EXPECT_EQ(DecodeText(Bytes({0xC3, 0xA9, 0x41})), Units({0xE9, 0x41}));
  EXPECT_EQ(DecodeText(Bytes({0xF0, 0x9F, 0x98, 0x80})), Units({0xF0, 0x9F, 0x98, 0x80}));
  EXPECT_EQ(DecodeText(std::string()), String());
  EXPECT_EQ(DecodeText(Bytes({239, 187, 191})), String());
}

TEST(StringCodec, EncodeEveryUnitOnItsOwn) {
  EXPECT_EQ(EncodeUtf8(Units({8364})), Bytes({226, 130, 172}));
  EXPECT_EQ(EncodeUtf8(Units({0xE9})), Bytes({0xC3, 0xA9}));
  EXPECT_EQ(EncodeUtf8(Units({0xD83D})), Bytes({0xED, 0xA0, 0xBD}));
  // Round trip of every unit from 1 to 65535.
  std::u16string all;
  for (int u = 1; u < 65536; ++u) all += static_cast<char16_t>(u);
  const String text(all.data(), static_cast<int>(all.size()));
  EXPECT_EQ(DecodeText(EncodeUtf8(text)), text);
}

TEST(StringCodec, ByteCopiesForTheOperatingSystem) {
  const String text = Units({u'a', 0x141, u'z'});
  CString bytes = text.ToCString();
  EXPECT_EQ(std::string(bytes.get()), Bytes({'a', 0x41, 'z'}));
  WideCString wide = text.ToWideCString();
  EXPECT_EQ(wide.get()[1], 0x141);
  EXPECT_EQ(wide.get()[3], 0);
  CString copy = bytes;
  EXPECT_EQ(copy.get(), bytes.get());
  EXPECT_EQ(String::FromUtf8("\xC3\xA9t\xC3\xA9"), Units({0xE9, u't', 0xE9}));
}

}  // namespace
