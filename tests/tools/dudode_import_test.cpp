// dudode-import run as a child process on a temporary program folder: its exit statuses
// (0 everything applied, 1 some records not, 2 nothing done), the same for a dry run, and
// the instance lock it shares with the program.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/private_mutex_folder.h"
#include "support/sjis.h"
#include "support/temp_dir.h"

namespace {

std::string Card(const std::string& number, const std::string& name = "山田;太郎",
                 const std::string& reading = "ヤマダ") {
  return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + name + ";;;\r\nX-PHONETIC-LAST-NAME:" + reading +
         "\r\nTEL:" + number + "\r\nEND:VCARD\r\n";
}

// Two good cards; one whose reading is in Latin letters, which needs attention.
const std::string kGood = Card("090-1111-2222") + Card("03-3333-4444", "鈴木;花子", "スズキ");
const std::string kOneNeedsAttention = kGood + Card("080-5555-6666", "Smith;John", "smith");

class DudodeImport : public testing::Test {
 protected:
  void SetUp() override {
    setenv("DUDODE_HOME", home_.path().c_str(), 1);
    files_.Write("good.vcf", kGood);
    files_.Write("mixed.vcf", kOneNeedsAttention);
    files_.Write("broken.vcf", "not a contacts file at all\r\n");
  }

  // The tool's exit status with `arguments`; its standard output in `printed`.
  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), DUDODE_IMPORT_PATH);
    printed.clear();
    return RunToEnd(arguments, &printed);
  }
  std::string File(const std::string& name) const { return files_.File(name); }
  std::string Book() const { return home_.Read("CallDir.csv"); }
  bool BookExists() const { return std::filesystem::exists(home_.File("CallDir.csv")); }

  PrivateMutexFolder mutexes_;
  TempDir home_;
  TempDir files_;
  std::string printed;
};

TEST_F(DudodeImport, ExitStatusSaysWhetherEveryRecordWasApplied) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    int status;
    bool bookWritten;
  };
  const Case cases[] = {
      {"every record applied", {"good.vcf"}, 0, true},
      {"one needs attention", {"mixed.vcf"}, 1, true},
      {"a refused file beside a good one", {"broken.vcf", "good.vcf"}, 1, true},
      {"no file readable", {"broken.vcf"}, 2, false},
      {"no such file", {"missing.vcf"}, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(home_.File("CallDir.csv"));
    std::vector<std::string> arguments;
    for (const std::string& name : c.files) arguments.push_back(File(name));
    std::vector<std::string> dryRun = arguments;
    dryRun.insert(dryRun.begin(), "--dry-run");
    EXPECT_EQ(Run(dryRun), c.status);  // the real run's status, and nothing written
    EXPECT_FALSE(BookExists());
    EXPECT_EQ(Run(arguments), c.status) << printed;
    EXPECT_EQ(BookExists(), c.bookWritten);
  }
}

TEST_F(DudodeImport, PrintsALinePerRecordAndTheCounts) {
  ASSERT_EQ(Run({File("mixed.vcf")}), 1);
  const std::string mixed = File("mixed.vcf");
  EXPECT_NE(printed.find(mixed + ":1: 新規: 090-1111-2222 山田 太郎\n"), std::string::npos)
      << printed;
  EXPECT_NE(printed.find(":13: 要確認: 氏名かなは、平仮名を入力してください。: 080-5555-6666"),
            std::string::npos)
      << printed;
  EXPECT_NE(printed.find("追加: 2件\n更新: 0件\nスキップ: 1件"), std::string::npos) << printed;
  EXPECT_NE(Book().find("090-1111-2222"), std::string::npos);
  EXPECT_EQ(Book().find("080-5555-6666"), std::string::npos);  // never applied
}

TEST_F(DudodeImport, NumbersTheBookHoldsAreKeptUnlessUpdateIsGiven) {
  ASSERT_EQ(Run({File("good.vcf")}), 0);
  const std::string before = Book();
  files_.Write("again.vcf", Card("09011112222", "山田;一郎", "ヤマダ"));
  EXPECT_EQ(Run({File("again.vcf")}), 2);  // kept: nothing applicable
  EXPECT_EQ(Book(), before);
  EXPECT_EQ(Run({"--dry-run", "--update", File("again.vcf")}), 0);
  EXPECT_EQ(Book(), before);
  EXPECT_EQ(Run({"--update", File("again.vcf")}), 0);
  EXPECT_NE(Book().find(Sjis("山田 一郎")), std::string::npos);
}

TEST_F(DudodeImport, RefusesWhileTheProgramRuns) {
  ChildProcess program({HOLDMUTEX_PATH, "DUDODE_RUNNING"});
  ASSERT_FALSE(program.firstLine().empty());
  EXPECT_EQ(Run({"--dry-run", File("good.vcf")}), 2);
  EXPECT_EQ(Run({File("good.vcf")}), 2);
  EXPECT_FALSE(BookExists());
}

// The book's folder is a file: no one can write there, not even the superuser.
TEST_F(DudodeImport, ABookThatCannotBeWrittenIsNothingDone) {
  const std::string book = File("good.vcf") + "/CallDir.csv";
  EXPECT_EQ(Run({"--dry-run", "--book", book, File("good.vcf")}), 2);
  EXPECT_EQ(Run({"--book", book, File("good.vcf")}), 2);
}

TEST_F(DudodeImport, AWrongCommandLineIsNothingDone) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"--frobnicate", File("good.vcf")}), 2);
  EXPECT_EQ(Run({"--book"}), 2);
  EXPECT_FALSE(BookExists());
}

}  // namespace
