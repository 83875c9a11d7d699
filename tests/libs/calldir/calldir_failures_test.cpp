// Failures 15, 16 and 17: what the library answers and what it leaves on the disk.
// Faults are real, not simulated: a file-size limit (RLIMIT_FSIZE) makes write(2) fail the
// way a full disk does, and an unwritable folder is a folder of mode 0500 seen by an
// unprivileged user (when the tests run as root, a child process becomes "nobody" first,
// since root ignores permission bits).
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <set>

#include "calldir/calldir.h"
#include "book/book_storage.h"
#include "libs/calldir/calldir_test_support.h"

namespace {

using namespace calldir_test;

constexpr uid_t kNobody = 65534;

// In a child: from root to "nobody", so that permission bits count. True when they count.
bool LoseRoot() {
  if (geteuid() != 0) return true;
  return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0 &&
         geteuid() == kNobody;
}

class CallDirFailures : public ::testing::Test {
 protected:
  void SetUp() override { CallDirClose(); }
  void TearDown() override { CallDirClose(); }

  void StoreInNewProcess(const std::vector<BookEntry>& book) {
    RunInChild([&](ChildReport& r) {
      CallDirOpen(path.c_str());
      r.Check(CallDirWrite(book.data(), static_cast<int>(book.size())) != 0, "write");
      CallDirClose();
    });
  }

  std::vector<std::string> Backups() const {
    std::vector<std::string> names;
    for (const std::string& name : folder.Names()) {
      if (name.rfind("CallDir.csv.backup-", 0) == 0) names.push_back(name);
    }
    return names;
  }

  std::vector<std::string> TempFiles() const {
    std::vector<std::string> names;
    for (const std::string& name : folder.Names()) {
      if (name.find(".tmp-") != std::string::npos) names.push_back(name);
    }
    return names;
  }

  TempDir folder;
  const std::string path = folder.File("CallDir.csv");
};

const std::string kHead = "DUDODE-CallDir,1\r\n";

TEST_F(CallDirFailures, AFileThatDoesNotParseFailsWith16AndIsLeftAlone) {
  std::string tooMany = kHead;
  for (int i = 0; i <= BOOK_CAPACITY; ++i) tooMany += ",,,,,,,,,1,0,0,,0\r\n";
  const std::vector<std::pair<const char*, std::string>> files = {
      {"unknown format", "number,name\r\n1,2\r\n"},
      {"a newer version", "DUDODE-CallDir,2\r\n"},
      {"a broken line", kHead + ",,,,,,,,,1,0,0,0\r\n"},
      {"a line cut short", kHead + ",,,,,,,,,1,0,0,,"},
      {"a text too long", kHead + std::string(30, '1') + ",,,,,,,,,1,0,0,,0\r\n"},
      {"an open quote", kHead + ",\"abc,,,,,,,,1,0,0,,0\r\n"},
      {"10,001 entries", tooMany},
      {"binary junk", std::string("\x00\x01\x02\xff", 4)},
      {"an empty file", ""},
  };
  for (const auto& [what, bytes] : files) {
    WriteBytes(path, bytes);
    const StartResult start = FreshStart(path);
    EXPECT_EQ(start.opened, 0) << what;
    EXPECT_EQ(start.error, LIBERR_BOOK_UNREADABLE) << what;
    EXPECT_EQ(ReadBytes(path), bytes) << what << ": an open changes nothing";
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"CallDir.csv"}) << what;
  }
}

TEST_F(CallDirFailures, AnUnreadableBookSurvivesAsItsBackupBesideTheNewBook) {
  const std::string junk = "not a book, \x82\xa0 but somebody's data\r\n";
  WriteBytes(path, junk);
  chmod(path.c_str(), 0644);
  Program program(path);
  EXPECT_FALSE(program.LoadBook());
  EXPECT_EQ(program.LastError(), LIBERR_BOOK_UNREADABLE);
  program.Append(MakeEntry(1, 0));
  program.Append(MakeEntry(1, 1));
  ASSERT_TRUE(program.HandOverBook());
  const std::vector<std::string> backups = Backups();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_TRUE(std::regex_match(backups[0], std::regex(R"(CallDir\.csv\.backup-\d{8}-\d{6})")))
      << backups[0];
  EXPECT_EQ(ReadBytes(folder.File(backups[0])), junk);
  EXPECT_EQ(ModeOf(folder.File(backups[0])), 0600u) << "backups are private too";
  EXPECT_EQ(ModeOf(path), 0600u);
  ExpectBook(program.Live(), FreshStart(path).book, "the new book");
  // Once kept, the old file is not kept again.
  program.Append(MakeEntry(1, 2));
  ASSERT_TRUE(program.HandOverBook());
  EXPECT_EQ(Backups(), backups);
  EXPECT_EQ(folder.Names().size(), 2u);
}

TEST_F(CallDirFailures, TheSaveCommandAloneAlsoKeepsTheUnreadableBook) {
  WriteBytes(path, "garbage");
  Program program(path);
  EXPECT_FALSE(program.LoadBook());
  CallDirClose();
  ASSERT_TRUE(program.SaveCommand());  // window close, the book still empty
  ASSERT_EQ(Backups().size(), 1u);
  EXPECT_EQ(ReadBytes(folder.File(Backups()[0])), "garbage");
  const StartResult next = FreshStart(path);
  EXPECT_TRUE(next.opened);
  EXPECT_EQ(next.count, 0);
}

TEST_F(CallDirFailures, ABackupNeverReplacesAnother) {
  // Every name the library could pick in the next seconds is taken already.
  std::set<std::string> taken;
  const std::time_t now = std::time(nullptr);
  for (int s = 0; s < 4; ++s) {
    const std::time_t t = now + s;
    struct tm local;
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string name = std::string("CallDir.csv.backup-") + stamp;
    WriteBytes(folder.File(name), name);
    taken.insert(name);
  }
  WriteBytes(path, "first bad book");
  Program program(path);
  EXPECT_FALSE(program.LoadBook());
  program.Append(MakeEntry(1, 0));
  ASSERT_TRUE(program.HandOverBook());
  // Another program writes over the book while this one runs: that file is kept too.
  WriteBytes(path, "second bad book");
  program.Append(MakeEntry(1, 1));
  ASSERT_TRUE(program.HandOverBook());
  std::multiset<std::string> kept;
  for (const std::string& name : Backups()) {
    const std::string bytes = ReadBytes(folder.File(name));
    if (taken.count(name) != 0) {
      EXPECT_EQ(bytes, name) << "an existing backup was replaced";
    } else {
      EXPECT_TRUE(std::regex_match(name, std::regex(R"(CallDir\.csv\.backup-\d{8}-\d{6}-\d+)")))
          << name;
      kept.insert(bytes);
    }
  }
  EXPECT_EQ(kept, (std::multiset<std::string>{"first bad book", "second bad book"}));
  ExpectBook(program.Live(), FreshStart(path).book, "the program's book");
}

TEST_F(CallDirFailures, ABookWrittenByAnotherProcessMeanwhileIsKeptAside) {
  StoreInNewProcess(MakeBook(1, 3));
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  StoreInNewProcess(MakeBook(2, 7));  // someone else replaces the file
  const std::string theirs = ReadBytes(path);
  program.Append(MakeEntry(1, 3));
  ASSERT_TRUE(program.HandOverBook());
  ASSERT_EQ(Backups().size(), 1u);
  EXPECT_EQ(ReadBytes(folder.File(Backups()[0])), theirs);
  ExpectBook(program.Live(), FreshStart(path).book, "the program's book");
}

TEST_F(CallDirFailures, ABookPutInPlaceAfterAnEmptyStartIsKeptAside) {
  // A first start finds no book; then the user copies an old book into the folder while
  // the program runs. Neither the save command nor the next hand-over may simply replace it.
  for (const bool saveCommand : {true, false}) {
    std::filesystem::remove(path);
    for (const std::string& name : Backups()) std::filesystem::remove(folder.File(name));
    Program program(path);
    ASSERT_TRUE(program.LoadBook());
    StoreInNewProcess(MakeBook(2, 2));
    const std::string restored = ReadBytes(path);
    if (saveCommand) {
      ASSERT_TRUE(program.SaveCommand());
    } else {
      program.Append(MakeEntry(1, 0));
      ASSERT_TRUE(program.HandOverBook());
    }
    ASSERT_EQ(Backups().size(), 1u) << (saveCommand ? "save" : "hand-over");
    EXPECT_EQ(ReadBytes(folder.File(Backups()[0])), restored);
    ExpectBook(program.Live(), FreshStart(path).book, "the program's book");
    CallDirClose();
  }
}

TEST_F(CallDirFailures, AFifoWhereTheBookShouldBeFailsWith15InsteadOfHanging) {
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(CallDirOpen(path.c_str()), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_CANNOT_OPEN);
}

TEST_F(CallDirFailures, AFolderWhereTheBookShouldBeFailsWith15) {
  ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
  WriteBytes(path + "/inside", "kept");
  const StartResult start = FreshStart(path);
  EXPECT_EQ(start.opened, 0);
  EXPECT_EQ(start.error, LIBERR_BOOK_CANNOT_OPEN);
  // The program goes on with an empty book; its first write moves the folder aside whole.
  Program program(path);
  EXPECT_FALSE(program.LoadBook());
  EXPECT_EQ(program.LastError(), LIBERR_BOOK_CANNOT_OPEN);
  program.Append(MakeEntry(1, 0));
  ASSERT_TRUE(program.HandOverBook());
  ASSERT_EQ(Backups().size(), 1u);
  EXPECT_EQ(ReadBytes(folder.File(Backups()[0]) + "/inside"), "kept");
  ExpectBook(program.Live(), FreshStart(path).book, "the new book");
}

TEST_F(CallDirFailures, AFileThatCannotBeOpenedFailsWith15) {
  StoreInNewProcess(MakeBook(1, 3));
  const std::string before = ReadBytes(path);
  chmod(path.c_str(), 0000);
  RunInChild([&](ChildReport& r) {
    if (!r.Check(LoseRoot(), "become an ordinary user")) return;
    r.Check(CallDirOpen(path.c_str()) == 0, "open");
    r.Check(CallDirLastError() == LIBERR_BOOK_CANNOT_OPEN, "15");
  });
  chmod(path.c_str(), 0600);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(CallDirFailures, ADiskFullFailsWith17AndLeavesTheFileByteForByte) {
  StoreInNewProcess(MakeBook(1, 20));
  const std::string before = ReadBytes(path);
  std::vector<BookEntry> want;
  RunInChild([&](ChildReport& r) {
    signal(SIGXFSZ, SIG_IGN);  // past the limit, write(2) fails with EFBIG instead
    Program program(path);
    r.Check(program.LoadBook(), "start");
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlim_t unlimited = limit.rlim_cur;
    limit.rlim_cur = before.size() / 2;  // room for half the old book only
    r.Check(setrlimit(RLIMIT_FSIZE, &limit) == 0, "limit the file size");
    for (const BookEntry& e : MakeBook(2, 40)) program.Append(e);
    r.Check(!program.HandOverBook(), "write fails");
    r.Check(program.LastError() == LIBERR_BOOK_SAVE_FAILED, "write's 17");
    r.Check(ReadBytes(path) == before, "unchanged after the write");
    program.prompter.messages.clear();
    r.Check(!program.MarkDeleted(0), "delete fails");
    r.Check(program.LastError() == LIBERR_BOOK_SAVE_FAILED, "delete's 17");
    r.Check(ReadBytes(path) == before, "unchanged after the delete");
    program.prompter.messages.clear();
    r.Check(!program.SaveCommand(), "save fails");
    r.Check(program.LastError() == LIBERR_BOOK_SAVE_FAILED, "save's 17");
    r.Check(ReadBytes(path) == before, "unchanged after the save");
    r.Check(TempFiles().empty(), "no temporary file left");
    // Space again: the save command stores what the failed calls could not.
    limit.rlim_cur = unlimited;
    r.Check(setrlimit(RLIMIT_FSIZE, &limit) == 0, "lift the limit");
    r.Check(program.SaveCommand(), "save after the disk has room");
  });
  want = MakeBook(1, 20);
  for (const BookEntry& e : MakeBook(2, 40)) want.push_back(e);
  want.erase(want.begin());
  ExpectBook(want, FreshStart(path).book, "what the save stored");
}

TEST_F(CallDirFailures, AnUnwritableFolderFailsWith17AndLeavesTheFileByteForByte) {
  StoreInNewProcess(MakeBook(1, 5));
  const std::string before = ReadBytes(path);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(folder.path().c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
  }
  ASSERT_EQ(chmod(folder.path().c_str(), 0500), 0);
  RunInChild([&](ChildReport& r) {
    if (!r.Check(LoseRoot(), "become an ordinary user")) return;
    Program program(path);
    r.Check(program.LoadBook(), "start: the book is readable");
    program.Append(MakeEntry(2, 0));
    r.Check(!program.HandOverBook(), "write fails");
    r.Check(program.LastError() == LIBERR_BOOK_SAVE_FAILED, "write's 17");
    program.prompter.messages.clear();
    r.Check(!program.MarkDeleted(1), "delete fails");
    r.Check(program.LastError() == LIBERR_BOOK_SAVE_FAILED, "delete's 17");
    program.prompter.messages.clear();
    r.Check(!program.SaveCommand(), "save fails");
    r.Check(program.LastError() == LIBERR_BOOK_SAVE_FAILED, "save's 17");
  });
  chmod(folder.path().c_str(), 0700);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"CallDir.csv"});
}

TEST_F(CallDirFailures, ASaveIntoAMissingFolderFailsWith17) {
  Program program(path);
  ASSERT_TRUE(program.LoadBook());
  program.Append(MakeEntry(1, 0));
  ASSERT_TRUE(program.HandOverBook());
  const std::string nowhere = folder.File("no/such/CallDir.csv");
  EXPECT_EQ(CallDirSave(nowhere.c_str(), program.book.entryCount()), 0);
  EXPECT_EQ(CallDirLastError(), LIBERR_BOOK_SAVE_FAILED);
}

TEST_F(CallDirFailures, TheBookIsPrivateWhateverTheUmask) {
  RunInChild([&](ChildReport& r) {
    umask(0);
    Program program(path);
    r.Check(program.LoadBook(), "start");
    program.Append(MakeEntry(1, 0));
    r.Check(program.HandOverBook(), "write");
    r.Check(ModeOf(path) == 0600, "mode 0600 after a write");
    r.Check(program.SaveCommand(), "save");
    r.Check(ModeOf(path) == 0600, "mode 0600 after a save");
  });
}

}  // namespace
