// Picking the reader from a file's bytes, and the files that are refused whole.
#include "import/import_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "import/mecab_reading_deriver.h"
#include "import_test_support.h"
#include "support/temp_dir.h"

namespace {

using import_test::DataPath;

struct FormatCase {
  const char* what;
  std::string bytes;
  ContactsFormat expected;
};

class FormatOfTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatOfTest, TellsTheKindFromTheBytes) {
  EXPECT_EQ(FormatOf(GetParam().bytes), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, FormatOfTest,
    testing::Values(FormatCase{"vCard", "BEGIN:VCARD\r\n", ContactsFormat::VCard},
                    FormatCase{"vCard in lower case after a BOM and blank lines",
                               "\xEF\xBB\xBF\r\n\nbegin:vcard\n", ContactsFormat::VCard},
                    FormatCase{"kept book file", "DUDODE-CallDir,1\r\n", ContactsFormat::KeptBook},
                    FormatCase{"the export", "03-1,,,,,,,,,1,0,0,,0\r\n",
                               ContactsFormat::CsvExport},
                    FormatCase{"empty", "", ContactsFormat::CsvExport}));

struct DataFileCase {
  const char* file;
  std::size_t records;
};

class ReadContactsFileTest : public testing::TestWithParam<DataFileCase> {};

TEST_P(ReadContactsFileTest, ReadsEachKindOfFile) {
  const FileReading reading = ReadContactsFile(DataPath(GetParam().file), nullptr);
  EXPECT_EQ(reading.refusal, "");
  EXPECT_EQ(reading.records.size(), GetParam().records) << GetParam().file;
  for (const ImportRecord& r : reading.records) EXPECT_EQ(r.file, DataPath(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Files, ReadContactsFileTest,
                         testing::Values(DataFileCase{"feature_phone_21.vcf", 4},
                                         DataFileCase{"phone_30.vcf", 4},
                                         DataFileCase{"card_40.vcf", 2},
                                         DataFileCase{"own_export.csv", 4},
                                         DataFileCase{"CallDir.csv.backup-20261201-120000", 3}));

TEST(ReadContactsFile, RefusesAMissingFileNamingIt) {
  const std::string path = DataPath("no such file.vcf");
  const FileReading reading = ReadContactsFile(path, nullptr);
  EXPECT_NE(reading.refusal.find(path), std::string::npos);
  EXPECT_TRUE(reading.records.empty());
}

TEST(ReadContactsFile, RefusesAFileOver64MegabytesButReadsOneAtTheLimit) {
  TempDir dir;
  const std::string path = (dir.path() / "big.vcf").string();
  {
    std::ofstream out(path, std::ios::binary);
    out << "BEGIN:VCARD\nFN:A\nTEL:1\nEND:VCARD\n";
  }
  std::filesystem::resize_file(path, kMaxImportFileBytes);  // the rest NUL bytes, outside the card
  EXPECT_EQ(ReadContactsFile(path, nullptr).refusal, "");
  std::filesystem::resize_file(path, kMaxImportFileBytes + 1);
  const FileReading refused = ReadContactsFile(path, nullptr);
  EXPECT_NE(refused.refusal.find(path), std::string::npos);
  EXPECT_NE(refused.refusal.find("64 MB"), std::string::npos);
}

// The real analyser on names whose reading is certain.
TEST(MecabReadingDeriver, ReadsCommonNames) {
  const auto deriver = MecabReadingDeriver::Open();
  ASSERT_NE(deriver, nullptr) << "MeCab with mecab-ipadic-utf8 is installed by scripts/setup";
  EXPECT_EQ(deriver->Derive("山田"), "ヤマダ");
  EXPECT_EQ(deriver->Derive("太郎"), "タロウ");
  EXPECT_EQ(deriver->Derive("株式会社"), "カブシキガイシャ");
  const FileReading reading = ReadContactsFile(DataPath("card_40.vcf"), deriver.get());
  ASSERT_FALSE(reading.records.empty());
  EXPECT_FALSE(reading.records[0].readingDerived);  // the card carries SORT-AS
}

}  // namespace
