// The program's own CSV read back: export -> import gives every field but adapterWanted
// and inAdapter, and damaged lines are named.
#include "import/csv_import_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "book/csv_export.h"
#include "book_generator.h"
#include "import_test_support.h"
#include "support/book_builder.h"
#include "support/sjis.h"

namespace {

using import_test::DataFile;
using import_test::Describe;
using text_bytes::FieldText;
using text_bytes::FillField;

BookEntry EntryWith(void (*edit)(BookEntry&)) {
  BookEntry e = MakeEntry("03-1234-5678", Sjis("やまだ たろう"), Sjis("山田 太郎"));
  edit(e);
  return e;
}

// Entries whose fields test the quoting and the flags.
std::vector<BookEntry> Entries() {
  return {
      EntryWith([](BookEntry& e) {
        FillField(e.address, Sjis("東京都千代田区1-2-3, 5F"));
        FillField(e.fax, "03-1234-5679");
        FillField(e.postalCode, "100-0001");
        FillField(e.company, Sjis("\"山田\" 商事"));
        FillField(e.companyAddress, Sjis("港区\r\n4-5"));
        FillField(e.email, "taro@example.jp");
        FillField(e.callAccept, "0");
        FillField(e.adapterWanted, "1");
        FillField(e.illumination, "3");
        FillField(e.registeredName, Sjis("ﾔﾏﾀﾞ"));
        e.inAdapter = 1;
      }),
      EntryWith([](BookEntry& e) {  // empty flags go out as a single space
        FillField(e.callAccept, "");
        FillField(e.adapterWanted, "");
        FillField(e.illumination, "");
      }),
      EntryWith([](BookEntry& e) { FillField(e.name, Sjis("表示")); }),  // 0x5C as trail byte
      EntryWith([](BookEntry& e) { FillField(e.name, " "); }),
      EntryWith([](BookEntry& e) { FillField(e.number, "#31*"); }),
  };
}

TEST(CsvImport, AnExportReadsBackInEveryFieldButTheAdapterOnes) {
  PhoneBook book;
  for (const BookEntry& e : Entries()) Put(book, e);
  const FileReading reading = ReadCsvExportFile("DUDODE.CSV", FormatCsv(book));
  ASSERT_EQ(reading.refusal, "");
  ASSERT_EQ(reading.records.size(), Entries().size());
  int line = 1;
  for (std::size_t i = 0; i < reading.records.size(); ++i) {
    const ImportRecord& r = reading.records[i];
    const BookEntry& e = book[static_cast<int>(i)];
    EXPECT_EQ(r.form.number, FieldText(e.number)) << i;
    EXPECT_EQ(r.form.name, FieldText(e.name)) << i;
    EXPECT_EQ(r.form.nameKana, FieldText(e.nameKana)) << i;
    EXPECT_EQ(r.form.address, FieldText(e.address)) << i;
    EXPECT_EQ(r.form.fax, FieldText(e.fax)) << i;
    EXPECT_EQ(r.form.postalCode, FieldText(e.postalCode)) << i;
    EXPECT_EQ(r.form.company, FieldText(e.company)) << i;
    EXPECT_EQ(r.form.companyAddress, FieldText(e.companyAddress)) << i;
    EXPECT_EQ(r.form.email, FieldText(e.email)) << i;
    EXPECT_EQ(r.form.registeredName, FieldText(e.registeredName)) << i;
    EXPECT_EQ(r.callAccept, FieldText(e.callAccept)) << i;
    EXPECT_EQ(r.illumination, FieldText(e.illumination)) << i;
    EXPECT_FALSE(r.form.adapterWanted) << i;
    EXPECT_EQ(r.skip, SkipReason::None) << i;
    EXPECT_EQ(r.line, line) << i;
    line += i == 0 ? 2 : 1;  // the first holds a quoted line break
  }
  EXPECT_TRUE(reading.records[0].form.callRejected);
  EXPECT_EQ(reading.records[0].form.illumination, 3);
  EXPECT_EQ(reading.records[1].form.illumination, -1);
}

// A full generated book (deleted entries among them): the live entries come back in
// array order, equal in every field but adapterWanted and inAdapter.
TEST(CsvImport, AFullBookRoundTrips) {
  PhoneBook book;
  GenerateBook(book, BookShape{});
  const FileReading reading = ReadCsvExportFile("DUDODE.CSV", FormatCsv(book));
  ASSERT_EQ(reading.refusal, "");
  std::size_t next = 0;
  int live = 0;
  for (int i = 0; i < book.entryCount(); ++i) {
    const BookEntry& e = book[i];
    if (e.deleted != 0) continue;
    ++live;
    ASSERT_LT(next, reading.records.size());
    const ImportRecord& r = reading.records[next++];
    ASSERT_EQ(r.skip, SkipReason::None) << i;
    const std::pair<std::string_view, const std::string&> fields[] = {
        {FieldText(e.number), r.form.number},
        {FieldText(e.name), r.form.name},
        {FieldText(e.nameKana), r.form.nameKana},
        {FieldText(e.address), r.form.address},
        {FieldText(e.fax), r.form.fax},
        {FieldText(e.postalCode), r.form.postalCode},
        {FieldText(e.company), r.form.company},
        {FieldText(e.companyAddress), r.form.companyAddress},
        {FieldText(e.email), r.form.email},
        {FieldText(e.registeredName), r.form.registeredName},
        {FieldText(e.callAccept), r.callAccept},
        {FieldText(e.illumination), r.illumination}};
    for (const auto& [stored, read] : fields) ASSERT_EQ(read, stored) << "entry " << i;
  }
  EXPECT_EQ(reading.records.size(), next);
  EXPECT_GT(live, 9000);
}

TEST(CsvImport, ReadsTheFileWrittenForTheTests) {
  const FileReading reading = ReadCsvExportFile("own_export.csv", DataFile("own_export.csv"));
  std::vector<std::string> described;
  for (const ImportRecord& r : reading.records) described.push_back(Describe(r));
  EXPECT_EQ(
      described,
      (std::vector<std::string>{
          "number=03-1234-5678; name=山田 太郎; kana=やまだ たろう; postal=100-0001; "
          "fax=03-1234-5679; address=東京都千代田区1-2-3, 5F; company=山田商事 \"本店\"; "
          "companyAddress=東京都港区4-5; email=taro@example.jp; registered=ﾔﾏﾀﾞ; flags=0/2; line=1",
          "number=090-0000-1111; name=鈴木; kana=すずき; flags=/; line=2",
          "flags=1/0; skip=damaged; line=3",
          "number=06-1111-2222; name=改行\r\n入り; kana=かいぎょう; flags=1/3; line=4"}));
}

struct DamagedCase {
  const char* what;
  std::string file;
  std::vector<int> damagedLines;
  std::vector<int> goodLines;
};

class CsvDamagedLineTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(CsvDamagedLineTest, NamesTheLineAndReadsOn) {
  const FileReading reading = ReadCsvExportFile("a.csv", GetParam().file);
  std::vector<int> damaged, good;
  for (const ImportRecord& r : reading.records) {
    (r.skip == SkipReason::DamagedLine ? damaged : good).push_back(r.line);
  }
  EXPECT_EQ(damaged, GetParam().damagedLines) << GetParam().what;
  EXPECT_EQ(good, GetParam().goodLines) << GetParam().what;
}

const std::string kGood = "1,,,,,,,,,1,0,0,,0\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lines, CsvDamagedLineTest,
    testing::Values(
        DamagedCase{"too few fields", kGood + "1,2,3\r\n" + kGood, {2}, {1, 3}},
        DamagedCase{"too many fields", kGood + "1,,,,,,,,,1,0,0,,0,x\r\n" + kGood, {2}, {1, 3}},
        DamagedCase{"an open quote spoils only its own line",
                    kGood + "\"1,,,,,,,,,1,0,0,,0\r\n" + kGood,
                    {2},
                    {1, 3}},
        DamagedCase{"a quote inside a field", "1\"2,,,,,,,,,1,0,0,,0\r\n" + kGood, {1}, {2}},
        DamagedCase{"text after a closing quote", "\"1\"2,,,,,,,,,1,0,0,,0\r\n" + kGood, {1}, {2}},
        DamagedCase{
            "bytes that are not code page 932", "1,\x81\x20,,,,,,,,1,0,0,,0\r\n" + kGood, {1}, {2}},
        DamagedCase{"blank lines are passed over", "\r\n" + kGood + "\n" + kGood, {}, {2, 4}},
        DamagedCase{
            "LF line ends read too", "1,,,,,,,,,1,0,0,,0\n1,,,,,,,,,1,0,0,,0", {}, {1, 2}}));

TEST(CsvImport, RefusesAFileWithNoLineThatReads) {
  for (const std::string& bytes : {std::string(), std::string("name,number\r\nA,1\r\n")}) {
    const FileReading reading = ReadCsvExportFile("住所録.csv", bytes);
    EXPECT_NE(reading.refusal.find("住所録.csv"), std::string::npos);
    EXPECT_TRUE(reading.records.empty());
  }
}

}  // namespace
