#include "platform/private_profile.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <climits>
#include <utility>

#include "support/temp_dir.h"

namespace {

class PrivateProfile : public ::testing::Test {
 protected:
  TempDir dir;
  std::string ini = dir.File("test.ini");
};

TEST_F(PrivateProfile, MissingFileSectionOrKeyGivesTheFallback) {
  EXPECT_EQ(profile::ReadInt(ini, "COMPORT", "ComPort", 1), 1);
  EXPECT_EQ(profile::ReadString(ini, "LOADCOL", "COL1", "none", 100), "none");
  dir.Write("test.ini", "[OTHER]\nComPort=5\n");
  EXPECT_EQ(profile::ReadInt(ini, "COMPORT", "ComPort", 1), 1);
  EXPECT_EQ(profile::ReadInt(ini, "OTHER", "ExtMode", 7), 7);
}

TEST_F(PrivateProfile, MatchesNamesWithoutRegardToCaseAndIgnoresBlanks) {
  dir.Write("test.ini", "; settings\r\n [ comport ] \r\n  COMPORT  =  3  \r\nextmode=\t1\r\n");
  EXPECT_EQ(profile::ReadInt(ini, "COMPORT", "ComPort", 1), 3);
  EXPECT_EQ(profile::ReadInt(ini, "ComPort", "ExtMode", 0), 1);
  EXPECT_EQ(profile::ReadString(ini, "COMPORT", "comport", "", 100), "3");
}

TEST_F(PrivateProfile, ReadsNumbersAsTheSystemDoes) {
  dir.Write("test.ini", "[S]\nneg=-4\nword=abc\nlead=12abc\nempty=\nhuge=99999999999999999999\n");
  EXPECT_EQ(profile::ReadInt(ini, "S", "neg", 1), -4);
  EXPECT_EQ(profile::ReadInt(ini, "S", "word", 1), 0);
  EXPECT_EQ(profile::ReadInt(ini, "S", "lead", 1), 12);
  EXPECT_EQ(profile::ReadInt(ini, "S", "empty", 1), 0);
  EXPECT_EQ(profile::ReadInt(ini, "S", "huge", 1), 2147483647);
  dir.Write("test.ini", "[S]\nmin=-2147483648\nbelow=-99999999999\n");
  EXPECT_EQ(profile::ReadInt(ini, "S", "min", 1), INT_MIN);
  EXPECT_EQ(profile::ReadInt(ini, "S", "below", 1), INT_MIN);
}

TEST_F(PrivateProfile, KeepsValuesAsBytesAndCutsThemOnACharacterBoundary) {
  // "電話" in code page 932, then more: a 4-byte buffer holds one character and the NUL.
  dir.Write("test.ini", "[S]\nk=\x93\x64\x98\x62xyz\n");
  EXPECT_EQ(profile::ReadString(ini, "S", "k", "", 100), "\x93\x64\x98\x62xyz");
  EXPECT_EQ(profile::ReadString(ini, "S", "k", "", 4), "\x93\x64");
  EXPECT_EQ(profile::ReadString(ini, "S", "k", "", 5), "\x93\x64\x98\x62");
}

TEST_F(PrivateProfile, WritingOneKeyKeepsEveryOtherKeyAndComment) {
  dir.Write("test.ini", "; top comment\r\n[A]\r\nx=1\r\n; keep me\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
  ASSERT_TRUE(profile::WriteString(ini, "a", "Y", "20"));
  ASSERT_TRUE(profile::WriteString(ini, "A", "new", "v"));
  ASSERT_TRUE(profile::WriteString(ini, "C", "w", "4"));
  const char* expected[][3] = {
      {"A", "x", "1"}, {"A", "y", "20"}, {"A", "new", "v"}, {"B", "z", "3"}, {"C", "w", "4"}};
  for (const auto& [section, key, value] : expected) {
    EXPECT_EQ(profile::ReadString(ini, section, key, "missing", 100), value) << key;
  }
  const std::string text = dir.Read("test.ini");
  EXPECT_NE(text.find("; top comment\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("; keep me\r\n"), std::string::npos) << text;
}

TEST_F(PrivateProfile, CreatesAMissingFileWithItsSection) {
  ASSERT_TRUE(profile::WriteStrings(ini, "LOADCOL", {{"COL1", "a"}, {"COUNT", "1"}}));
  EXPECT_EQ(profile::ReadString(ini, "LOADCOL", "COL1", "", 100), "a");
  EXPECT_EQ(profile::ReadInt(ini, "LOADCOL", "COUNT", 0), 1);
}

#ifndef _WIN32
using PrivateProfileOnPosix = PrivateProfile;

TEST_F(PrivateProfileOnPosix, ANewFileHasLineFeedsAndIsReadableByItsOwnerAlone) {
  ASSERT_TRUE(profile::WriteStrings(ini, "LOADCOL", {{"COL1", "a"}, {"COUNT", "1"}}));
  EXPECT_EQ(dir.Read("test.ini"), "[LOADCOL]\nCOL1=a\nCOUNT=1\n");
  struct stat info {};
  ASSERT_EQ(stat(ini.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(PrivateProfileOnPosix, WritingOneKeyLeavesEveryOtherByteAsItWas) {
  const std::string before =
      "; top comment\r\n[A]\r\nx=1\r\n; keep me\r\ny=2\r\n\r\n[B]\r\nz=3\r\n";
  dir.Write("test.ini", before);
  ASSERT_TRUE(profile::WriteString(ini, "a", "Y", "20"));
  EXPECT_EQ(dir.Read("test.ini"),
            "; top comment\r\n[A]\r\nx=1\r\n; keep me\r\nY=20\r\n\r\n[B]\r\nz=3\r\n");
  ASSERT_TRUE(profile::WriteString(ini, "A", "new", "v"));
  ASSERT_TRUE(profile::WriteString(ini, "C", "w", "4"));
  EXPECT_EQ(dir.Read("test.ini"),
            "; top comment\r\n[A]\r\nx=1\r\n; keep me\r\nY=20\r\nnew=v\r\n\r\n[B]\r\nz=3\r\n"
            "\r\n[C]\r\nw=4\r\n");
}
#endif

TEST_F(PrivateProfile, RefusesWhatWouldBreakTheFile) {
  const std::string refused[][3] = {
      {"S", "k", "two\nlines"}, {"S", "a=b", "v"}, {"S]", "k", "v"},
      {"S", " ", "v"},          {"S", ";k", "v"},  {"S", " ;k", "v"},
      {"S", "[k", "]"},         {"S", "[k]", "v"}, {"S", "k", std::string("a\0b", 3)},
  };
  for (const auto& [section, key, value] : refused) {
    EXPECT_FALSE(profile::WriteString(ini, section, key, value)) << key << "=" << value;
    EXPECT_FALSE(profile::WriteStrings(ini, section, {{"fine", "1"}, {key, value}})) << key;
  }
  EXPECT_EQ(profile::ReadString(ini, "S", "fine", "none", 100), "none");  // all or nothing
  EXPECT_FALSE(profile::WriteString(dir.File("no/such/folder.ini"), "S", "k", "v"));
}

TEST_F(PrivateProfile, KeysThatLookOddButKeepTheLineReadBack) {
  const std::pair<std::string, std::string> written[] = {
      {"[k", "v"}, {"k;", "v"}, {"k]", "v"}, {"k", ";v"}, {"k2", "[v]"}};
  for (const auto& [key, value] : written) {
    ASSERT_TRUE(profile::WriteString(ini, "S", key, value)) << key;
    EXPECT_EQ(profile::ReadString(ini, "S", key, "missing", 100), value) << key;
  }
}

}  // namespace
