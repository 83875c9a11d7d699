#include "book/csv_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/book_builder.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"
#include "support/temp_dir.h"

namespace {

using text_bytes::FillField;

BookEntry FullEntry() {
  BookEntry e = MakeEntry("03-1234-5678", Sjis("やまだたろう"), Sjis("山田太郎"));
  FillField(e.address, Sjis("東京都千代田区1-2-3"));
  FillField(e.fax, "03-1234-5679");
  FillField(e.postalCode, "100-0001");
  FillField(e.company, Sjis("山田商事"));
  FillField(e.companyAddress, Sjis("東京都港区4-5"));
  FillField(e.email, "taro@example.jp");
  FillField(e.callAccept, "0");
  FillField(e.adapterWanted, "1");
  FillField(e.illumination, "2");
  FillField(e.registeredName, Sjis("ﾔﾏﾀﾞ"));
  e.inAdapter = 1;
  return e;
}

struct LineCase {
  const char* what;
  BookEntry entry;
  std::string expected;  // UTF-8, turned into code page 932
};

class CsvLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(CsvLineTest, WritesTheLineByteForByte) {
  std::string line;
  AppendCsvLine(GetParam().entry, line);
  EXPECT_EQ(line, Sjis(GetParam().expected)) << GetParam().what;
}

BookEntry Edited(BookEntry e, void (*edit)(BookEntry&)) {
  edit(e);
  return e;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CsvLineTest,
    testing::Values(
        LineCase{"number and name only", MakeEntry("0312345678", "", Sjis("山田")),
                 "0312345678,山田,,,,,,,,1,0,0,,0\r\n"},
        LineCase{"every field", FullEntry(),
                 "03-1234-5678,山田太郎,やまだたろう,東京都千代田区1-2-3,03-1234-5679,100-0001,"
                 "山田商事,東京都港区4-5,taro@example.jp,0,1,2,ﾔﾏﾀﾞ,1\r\n"},
        LineCase{"empty flags become one space",
                 Edited(MakeEntry("011"),
                        [](BookEntry& e) {
                          FillField(e.callAccept, "");
                          FillField(e.adapterWanted, "");
                          FillField(e.illumination, "");
                        }),
                 "011,,,,,,,,, , , ,,0\r\n"},
        LineCase{"a comma in the reading is quoted", MakeEntry("022", Sjis("やまだ,たろう")),
                 "022,,\"やまだ,たろう\",,,,,,,1,0,0,,0\r\n"},
        LineCase{"a line break in the address is quoted",
                 Edited(MakeEntry("033"),
                        [](BookEntry& e) { FillField(e.address, Sjis("一丁目\r\n二番地")); }),
                 "033,,,\"一丁目\r\n二番地\",,,,,,1,0,0,,0\r\n"},
        LineCase{
            "a quote in the adapter name is doubled",
            Edited(MakeEntry("044"), [](BookEntry& e) { FillField(e.registeredName, "A\"B"); }),
            "044,,,,,,,,,1,0,0,\"A\"\"B\",0\r\n"},
        LineCase{"a second byte 0x5C stays unquoted", MakeEntry("055", "", Sjis("表ソ")),
                 "055,表ソ,,,,,,,,1,0,0,,0\r\n"}),
    [](const testing::TestParamInfo<LineCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(CsvFileTest, LiveEntriesInArrayOrder) {
  PhoneBook book;
  Put(book, MakeEntry("300", "", "C"));
  Put(book, MakeEntry("100", "", "A"));
  book.SetDeleted(Put(book, MakeEntry("200", "", "B")), true);
  Put(book, MakeEntry("400", "", "D"));
  book.SetViewSlot(0, 3);  // the display list has no say in the order
  EXPECT_EQ(FormatCsv(book),
            "300,C,,,,,,,,1,0,0,,0\r\n100,A,,,,,,,,1,0,0,,0\r\n400,D,,,,,,,,1,0,0,,0\r\n");
}

class CsvExportTest : public testing::Test {
 protected:
  CsvExportTest() { Put(book, MakeEntry("0312345678", "", "A")); }

  std::vector<std::string> Texts() const { return prompter.Texts(); }

  TempDir dir;
  TempDir home;  // the program folder
  PhoneBook book;
  RecordingPrompter prompter;
  const std::string path = dir.File("DUDODE.CSV");
  const std::string line = "0312345678,A,,,,,,,,1,0,0,,0\r\n";
};

TEST_F(CsvExportTest, WritesANewFileWithoutAsking) {
  EXPECT_EQ(ExportCsv(book, path, home.path().string(), prompter), CsvExportResult::Written);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(dir.Read("DUDODE.CSV"), line);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"DUDODE.CSV"});
}

TEST_F(CsvExportTest, EmptyBookWarnsThenWritesAnEmptyFile) {
  PhoneBook empty;
  EXPECT_EQ(ExportCsv(empty, path, home.path().string(), prompter), CsvExportResult::Written);
  ASSERT_EQ(prompter.messages.size(), 1u);
  const auto& box = prompter.messages[0];
  EXPECT_EQ(box.text, kCsvNoDataMessage);
  EXPECT_EQ(box.caption, "データ保存エラー");
  EXPECT_EQ(box.icon, PromptIcon::None);
  EXPECT_EQ(box.buttons, PromptButtons::Ok);
  EXPECT_EQ(box.owner.kind, PromptOwner::Kind::None);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(dir.Read("DUDODE.CSV"), "");
}

TEST_F(CsvExportTest, ExistingFileIsReplacedOnlyAfterOk) {
  dir.Write("DUDODE.CSV", "old");
  prompter.answers = {PromptAnswer::Cancel};
  EXPECT_EQ(ExportCsv(book, path, home.path().string(), prompter), CsvExportResult::Cancelled);
  EXPECT_EQ(dir.Read("DUDODE.CSV"), "old");
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "すでにファイルが存在します。上書き保存しますか？");
  EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(prompter.messages[0].owner.kind, PromptOwner::Kind::None);

  prompter.answers = {PromptAnswer::Ok};
  EXPECT_EQ(ExportCsv(book, path, home.path().string(), prompter), CsvExportResult::Written);
  EXPECT_EQ(dir.Read("DUDODE.CSV"), line);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"DUDODE.CSV"});
}

TEST_F(CsvExportTest, FailedWriteSaysSoAndLeavesNoFileBehind) {
  // A folder in the file's place: everything is written, but nothing can replace it.
  std::filesystem::create_directory(path);
  EXPECT_EQ(ExportCsv(book, path, home.path().string(), prompter), CsvExportResult::Failed);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kCsvOverwriteQuestion, kCsvSaveFailedMessage}));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"DUDODE.CSV"});

  const std::string nowhere = dir.File("missing/DUDODE.CSV");
  prompter.messages.clear();
  EXPECT_EQ(ExportCsv(book, nowhere, home.path().string(), prompter), CsvExportResult::Failed);
  EXPECT_EQ(Texts(), std::vector<std::string>{"データの保存に失敗しました！！"});
}

#ifndef _WIN32
TEST_F(CsvExportTest, TheProgramsOwnFilesAreRefusedHoweverTheyAreNamed) {
  const std::string folder = home.path().string();
  for (const char* name : {"CallDir.csv", "CallDir.csv.backup-20261207-101500", "DUDODE.ini",
                           "VIZAZED.ini"}) {
    home.Write(name, "kept");
  }
  std::filesystem::create_symlink(home.File("CallDir.csv"), dir.File("link.csv"));
  for (const std::string& target :
       {home.File("CallDir.csv"), folder + "/./CallDir.csv", dir.File("../") +
            home.path().filename().string() + "/DUDODE.ini",
        home.File("CallDir.csv.backup-20261207-101500"), home.File("VIZAZED.ini"),
        dir.File("link.csv")}) {
    prompter.messages.clear();
    EXPECT_EQ(ExportCsv(book, target, folder, prompter), CsvExportResult::Refused) << target;
    ASSERT_EQ(prompter.messages.size(), 1u) << target;
    EXPECT_EQ(prompter.messages[0].text, kCsvProgramFileMessage);
    EXPECT_EQ(prompter.messages[0].caption, kCsvErrorCaption);
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::None);
    EXPECT_EQ(prompter.messages[0].owner.kind, PromptOwner::Kind::None);
  }
  for (const char* name : {"CallDir.csv", "CallDir.csv.backup-20261207-101500", "DUDODE.ini"}) {
    EXPECT_EQ(home.Read(name), "kept") << name;
  }
  // Another file in the program folder is the user's to choose.
  prompter.messages.clear();
  EXPECT_EQ(ExportCsv(book, home.File("CallDir.csv.old"), folder, prompter),
            CsvExportResult::Written);
  EXPECT_TRUE(prompter.messages.empty());
}
#endif

}  // namespace
