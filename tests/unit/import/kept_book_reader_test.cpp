// A kept book file: the good records come in with their lines, the damaged one is named.
#include "import/kept_book_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import_test_support.h"

namespace {

using import_test::DataFile;
using import_test::Describe;

TEST(KeptBook, ReadsTheGoodRecordsAndNamesTheDamagedLine) {
  const std::string name = "CallDir.csv.backup-20261201-120000";
  const FileReading reading = ReadKeptBookFile(name, DataFile(name));
  EXPECT_EQ(reading.refusal, "");
  std::vector<std::string> described;
  for (const ImportRecord& r : reading.records) {
    EXPECT_EQ(r.file, name);
    described.push_back(Describe(r));
  }
  EXPECT_EQ(described,
            (std::vector<std::string>{
                "number=03-1234-5678; name=山田 太郎; kana=やまだ たろう; postal=100-0001; "
                "address=東京都千代田区; registered=ﾔﾏﾀﾞ; flags=1/2; line=2",
                "flags=1/0; skip=damaged; line=3",
                "number=011-222-3333; name=佐藤 一; kana=さとう はじめ; flags=0/1; line=4"}));
  EXPECT_TRUE(reading.records[2].form.callRejected);
  EXPECT_EQ(reading.records[2].form.illumination, 1);
}

TEST(KeptBook, RefusesAFileThatIsNoBookFile) {
  for (const std::string& bytes :
       {std::string(), std::string("DUDODE-CallDir,9\r\n"),
        std::string("03-1,,,,,,,,,1,0,0,,0\r\n"), std::string("DUDODE-CallDir,1\r\n"),
        std::string("DUDODE-CallDir,1\r\n1,2\r\n")}) {
    const FileReading reading = ReadKeptBookFile("CallDir.csv.backup-1", bytes);
    EXPECT_NE(reading.refusal.find("CallDir.csv.backup-1"), std::string::npos);
    EXPECT_TRUE(reading.records.empty());
  }
}

TEST(KeptBook, AnEntryWithoutANumberIsSkipped) {
  const FileReading reading =
      ReadKeptBookFile("k", "DUDODE-CallDir,1\r\n,name,,,,,,,,1,0,0,,0\r\n");
  ASSERT_EQ(reading.records.size(), 1u);
  EXPECT_EQ(reading.records[0].skip, SkipReason::NoNumber);
}

TEST(KeptBook, ALineWhoseTextsAreNotCodePage932IsDamaged) {
  // The format keeps any bytes; a lone lead byte is no text of the program's.
  const FileReading reading = ReadKeptBookFile(
      "k", "DUDODE-CallDir,1\r\n1,\x82,,,,,,,,1,0,0,,0\r\n2,a,,,,,,,,1,0,0,,0\r\n");
  ASSERT_EQ(reading.records.size(), 2u);
  EXPECT_EQ(import_test::Describe(reading.records[0]), "flags=1/0; skip=damaged; line=2");
  EXPECT_EQ(import_test::Describe(reading.records[1]), "number=2; name=a; flags=1/0; line=3");
}

}  // namespace
