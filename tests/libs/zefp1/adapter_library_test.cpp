// The ZEF_P1 library through its C interface, against the emulator on a real
// pseudo-terminal: every operation, every error number it reports, and the faults of a
// line and a device (BUSY, lost and damaged replies, a device that dies or never answers).
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "zefp1/zefp1.h"
#include "libs/zefp1/adapter_test_support.h"
#include "platform/text_bytes.h"
#include "support/adapter_entry.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

// "Within a few seconds": the generous bound a failing call must keep.
constexpr auto kFailureBound = std::chrono::seconds(10);

std::string NumberOf(const AdapterEntry& entry) {
  return std::string(text_bytes::FieldText(entry.number));
}
std::string NameOf(const AdapterEntry& entry) {
  return std::string(text_bytes::FieldText(entry.registeredName));
}

// A pseudo-terminal whose far end the test holds, and serves or not, by hand.
class BareTerminal {
 public:
  BareTerminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
  }
  ~BareTerminal() { ::close(master_); }
  BareTerminal(const BareTerminal&) = delete;
  BareTerminal& operator=(const BareTerminal&) = delete;

  int master() const { return master_; }
  std::string device() const { return ::ptsname(master_); }

 private:
  int master_;
};

class AdapterLibraryTest : public ::testing::Test {
 protected:
  void TearDown() override { AdapterClose(); }

  // Starts the emulator (at full speed unless `arguments` say otherwise) with a log.
  void StartEmulator(std::vector<std::string> arguments = {}) {
    arguments.insert(arguments.begin(), {"--baud", "0", "--log", LogPath()});
    emulator_ = ::StartEmulator(Link(), arguments);
  }

  int Open(int32_t extMode = 0) {
    const AdapterParams params{extMode, 4800};
    return AdapterOpen(Link().c_str(), &params);
  }

  void StartAndOpen(std::vector<std::string> arguments = {}) {
    StartEmulator(std::move(arguments));
    ASSERT_NE(Open(), 0) << AdapterLastError();
  }

  std::string Link() const { return folder_.File("adapter"); }
  std::string LogPath() const { return folder_.File("emulator.log"); }
  std::string StatePath() const { return folder_.File("state"); }

  // The emulator's log lines that begin with `command`, e.g. "REGISTER".
  std::vector<std::string> Logged(const std::string& command) const {
    std::ifstream log(LogPath());
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) {
      if (line.rfind(command + " ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  TempDir folder_;
  std::unique_ptr<ChildProcess> emulator_;
};

// --- Operations ---------------------------------------------------------------------

TEST_F(AdapterLibraryTest, RegisteredEntriesComeBackInOrderWithEveryField) {
  StartAndOpen();
  const AdapterEntry first = MakeAdapterEntry("03-1234-5678", "\xC0\xC5\xB6 \xC0\xDB\xB3", 1, 3);
  const AdapterEntry second = MakeAdapterEntry("#31#090*1", "", 0, 0);
  ASSERT_NE(AdapterRegister(&first), 0) << AdapterLastError();
  ASSERT_NE(AdapterRegister(&second), 0) << AdapterLastError();

  const AdapterContents read = ReadAdapter();
  ASSERT_NE(read.ok, 0) << AdapterLastError();
  ASSERT_EQ(read.count, 2);
  EXPECT_EQ(std::memcmp(&read.entries[0], &first, sizeof first), 0);
  EXPECT_EQ(std::memcmp(&read.entries[1], &second, sizeof second), 0);
  EXPECT_EQ(AdapterLastError(), ADAPTER_NO_ERROR);
}

TEST_F(AdapterLibraryTest, RegisteringAHeldNumberUpdatesItInPlace) {
  StartAndOpen();
  const AdapterEntry a = MakeAdapterEntry("0311112222", "\xB1");
  const AdapterEntry b = MakeAdapterEntry("0333334444", "\xB2");
  const AdapterEntry newA = MakeAdapterEntry("0311112222", "\xB3\xB4", 0, 2);
  ASSERT_NE(AdapterRegister(&a), 0);
  ASSERT_NE(AdapterRegister(&b), 0);
  ASSERT_NE(AdapterRegister(&newA), 0);

  const AdapterContents read = ReadAdapter();
  ASSERT_NE(read.ok, 0);
  ASSERT_EQ(read.count, 2);
  EXPECT_EQ(std::memcmp(&read.entries[0], &newA, sizeof newA), 0);
  EXPECT_EQ(NumberOf(read.entries[1]), "0333334444");
}

TEST_F(AdapterLibraryTest, DeleteRemovesANumberAndSucceedsForAnUnknownOne) {
  StartAndOpen();
  const AdapterEntry a = MakeAdapterEntry("0311112222", "\xB1");
  ASSERT_NE(AdapterRegister(&a), 0);
  char unknown[24] = "0999999999";
  EXPECT_NE(AdapterDelete(unknown), 0) << AdapterLastError();
  EXPECT_EQ(ReadAdapter().count, 1);
  char held[24] = "0311112222";
  EXPECT_NE(AdapterDelete(held), 0) << AdapterLastError();
  const AdapterContents read = ReadAdapter();
  EXPECT_NE(read.ok, 0);
  EXPECT_EQ(read.count, 0);
}

TEST_F(AdapterLibraryTest, ReadAllOverwritesTheWholeBufferAndTheCount) {
  StartAndOpen();
  const AdapterEntry a = MakeAdapterEntry("0311112222", "\xB1");
  ASSERT_NE(AdapterRegister(&a), 0);
  AdapterContents read;
  std::memset(read.entries.data(), 'x', sizeof read.entries);
  read.count = 99;
  ASSERT_NE(AdapterReadAll(read.entries.data(), &read.count), 0);
  EXPECT_EQ(read.count, 1);
  EXPECT_EQ(NumberOf(read.entries[0]), "0311112222");
  const AdapterEntry zero{};
  for (int i = 1; i < ADAPTER_CAPACITY; ++i) {
    EXPECT_EQ(std::memcmp(&read.entries[i], &zero, sizeof zero), 0) << "record " << i;
  }
}

TEST_F(AdapterLibraryTest, FullAdapterRefusesNewNumbersWith5ButStillUpdates) {
  StartAndOpen({"--capacity", "2"});
  const AdapterEntry a = MakeAdapterEntry("01", "\xB1");
  const AdapterEntry b = MakeAdapterEntry("02", "\xB2");
  const AdapterEntry c = MakeAdapterEntry("03", "\xB3");
  ASSERT_NE(AdapterRegister(&a), 0);
  ASSERT_NE(AdapterRegister(&b), 0);
  EXPECT_EQ(AdapterRegister(&c), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_ADAPTER_FULL);
  const AdapterEntry newB = MakeAdapterEntry("02", "\xB4");
  EXPECT_NE(AdapterRegister(&newB), 0) << AdapterLastError();
  const AdapterContents read = ReadAdapter();
  ASSERT_EQ(read.count, 2);
  EXPECT_EQ(NameOf(read.entries[1]), "\xB4");
}

TEST_F(AdapterLibraryTest, FieldsAtTheirLimitsAreAccepted) {
  StartAndOpen();
  const std::string number = "0123456789-#*0123456789";  // 23 bytes, every character allowed
  const std::string name =
      "\xA1\xDF \xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2";
  ASSERT_EQ(name.size(), 21u);
  const AdapterEntry entry = MakeAdapterEntry(number, name, 0, 3);
  ASSERT_NE(AdapterRegister(&entry), 0) << AdapterLastError();
  const AdapterContents read = ReadAdapter();
  ASSERT_EQ(read.count, 1);
  EXPECT_EQ(std::memcmp(&read.entries[0], &entry, sizeof entry), 0);
}

// --- Invalid data and misuse ---------------------------------------------------------

TEST_F(AdapterLibraryTest, InvalidEntriesFailWith8AndAreNeverSent) {
  StartAndOpen();
  std::vector<std::pair<std::string, AdapterEntry>> cases = {
      {"empty number", MakeAdapterEntry("", "\xB1")},
      {"letter in number", MakeAdapterEntry("03a1", "\xB1")},
      {"space in number", MakeAdapterEntry("03 1", "\xB1")},
      {"ASCII letter in name", MakeAdapterEntry("031",
                                                "\xB1"
                                                "A")},
      {"double-byte name", MakeAdapterEntry("031", "\x83\x41")},
      {"call flag 2", MakeAdapterEntry("031", "\xB1", 2, 0)},
      {"pattern 4", MakeAdapterEntry("031", "\xB1", 1, 4)},
  };
  AdapterEntry longNumber = MakeAdapterEntry("031", "\xB1");
  std::memset(longNumber.number, '1', sizeof longNumber.number);  // 24 digits, no terminator
  cases.push_back({"unterminated number", longNumber});
  AdapterEntry longName = MakeAdapterEntry("031", "");
  std::memset(longName.registeredName, '\xB1', sizeof longName.registeredName);
  cases.push_back({"unterminated name", longName});

  for (const auto& [what, entry] : cases) {
    EXPECT_EQ(AdapterRegister(&entry), 0) << what;
    EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA) << what;
  }
  char badNumber[24] = "03-1234+5678";
  EXPECT_EQ(AdapterDelete(badNumber), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA);
  EXPECT_TRUE(Logged("REGISTER").empty());
  EXPECT_TRUE(Logged("DELETE").empty());
}

TEST_F(AdapterLibraryTest, NullPointersFailWith8) {
  StartAndOpen();
  int32_t count = 7;
  std::array<AdapterEntry, ADAPTER_CAPACITY> entries{};
  EXPECT_EQ(AdapterReadAll(nullptr, &count), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(AdapterReadAll(entries.data(), nullptr), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA);
  EXPECT_EQ(AdapterRegister(nullptr), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA);
  EXPECT_EQ(AdapterDelete(nullptr), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA);
}

TEST_F(AdapterLibraryTest, CallsOnAClosedPortFailWith1) {
  const AdapterEntry entry = MakeAdapterEntry("031", "\xB1");
  char number[24] = "031";
  auto expectClosed = [&](const char* when) {
    AdapterContents contents;
    contents.count = 5;
    contents.entries[0].callAccept = 1;
    EXPECT_EQ(AdapterReadAll(contents.entries.data(), &contents.count), 0) << when;
    EXPECT_EQ(AdapterLastError(), LIBERR_PORT_NOT_OPEN) << when;
    EXPECT_EQ(contents.count, 0) << when << ": a failed read-all leaves no count";
    EXPECT_EQ(contents.entries[0].callAccept, 0) << when;
    EXPECT_EQ(AdapterRegister(&entry), 0) << when;
    EXPECT_EQ(AdapterLastError(), LIBERR_PORT_NOT_OPEN) << when;
    EXPECT_EQ(AdapterDelete(number), 0) << when;
    EXPECT_EQ(AdapterLastError(), LIBERR_PORT_NOT_OPEN) << when;
  };
  expectClosed("before open");
  StartAndOpen();
  AdapterClose();
  expectClosed("after close");
}

TEST_F(AdapterLibraryTest, SecondOpenFailsWith2AndKeepsTheFirst) {
  StartAndOpen();
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_PORT_ALREADY_OPEN);
  EXPECT_NE(ReadAdapter().ok, 0) << AdapterLastError();
}

TEST_F(AdapterLibraryTest, OpenFailsForAMissingPortOrBadParameters) {
  EXPECT_EQ(Open(), 0);  // nothing at the link
  EXPECT_EQ(AdapterLastError(), LIBERR_PORT_NOT_OPEN);
  std::ofstream(Link()) << "not a terminal";
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_PORT_NOT_OPEN);
  std::remove(Link().c_str());
  StartEmulator();
  EXPECT_EQ(AdapterOpen(nullptr, nullptr), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA);
  EXPECT_EQ(Open(2), 0);  // an extMode bit nobody defined
  EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA);
  for (const int32_t baud : {0, -4800, 300}) {  // 300: a full read-all would take a minute
    const AdapterParams slow{0, baud};
    EXPECT_EQ(AdapterOpen(Link().c_str(), &slow), 0) << baud;
    EXPECT_EQ(AdapterLastError(), LIBERR_INVALID_DATA) << baud;
  }
}

TEST_F(AdapterLibraryTest, HardwareFlowControlModeTalksToTheAdapter) {
  StartEmulator();
  ASSERT_NE(Open(1), 0) << AdapterLastError();
  EXPECT_NE(ReadAdapter().ok, 0) << AdapterLastError();
}

TEST_F(AdapterLibraryTest, ComNameOpensTheDeviceItsVariableNames) {
  StartEmulator();
  ::setenv("ZEFP1_COM7", Link().c_str(), 1);
  const AdapterParams params{0, 4800};
  const int opened = AdapterOpen("COM7", &params);
  ::unsetenv("ZEFP1_COM7");
  ASSERT_NE(opened, 0) << AdapterLastError();
  EXPECT_NE(ReadAdapter().ok, 0) << AdapterLastError();
}

// A relative path names a file under the working folder, given directly or through
// $ZEFP1_COMn alike, never one under /dev.
TEST_F(AdapterLibraryTest, ARelativePathIsTakenFromTheWorkingFolder) {
  StartEmulator();
  const std::string folder = Link().substr(0, Link().rfind('/'));
  const std::string parent = folder.substr(0, folder.rfind('/'));
  const std::string relative =
      folder.substr(parent.size() + 1) + "/adapter";  // "dudode-test-x/adapter"
  ::setenv("ZEFP1_COM7", relative.c_str(), 1);
  char previous[4096];
  ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(::chdir(parent.c_str()), 0);
  for (const std::string& name : {relative, std::string("COM7")}) {
    const AdapterParams params{0, 4800};
    const int opened = AdapterOpen(name.c_str(), &params);
    EXPECT_NE(opened, 0) << name << ": " << AdapterLastError();
    if (opened != 0) {
      EXPECT_NE(ReadAdapter().ok, 0) << AdapterLastError();
    }
    AdapterClose();
  }
  ::unsetenv("ZEFP1_COM7");
  ASSERT_EQ(::chdir(previous), 0);
}

TEST_F(AdapterLibraryTest, PortCanBeClosedAndOpenedAgain) {
  StartAndOpen();
  const AdapterEntry entry = MakeAdapterEntry("031", "\xB1");
  ASSERT_NE(AdapterRegister(&entry), 0);
  AdapterClose();
  ASSERT_NE(Open(), 0) << AdapterLastError();
  const AdapterContents read = ReadAdapter();
  EXPECT_NE(read.ok, 0) << AdapterLastError();
  EXPECT_EQ(read.count, 1);
}

// --- The change counter ---------------------------------------------------------------

TEST_F(AdapterLibraryTest, RepeatedReadAllReusesTheLastTransferUntilTheAdapterChanges) {
  WriteEmulatorState(StatePath(), 5);
  StartAndOpen({"--state", StatePath()});
  AdapterContents reads[3];
  for (AdapterContents& read : reads) read = ReadAdapter();
  for (const AdapterContents& read : reads) {
    ASSERT_NE(read.ok, 0);
    ASSERT_EQ(read.count, 5);
    EXPECT_EQ(std::memcmp(read.entries.data(), reads[0].entries.data(), sizeof read.entries), 0);
  }
  EXPECT_EQ(Logged("READ_ALL").size(), 1u);
  EXPECT_EQ(Logged("READ_COUNTER").size(), 2u);

  // Any change moves the counter, and the next read-all fetches the list again.
  const AdapterEntry added = MakeAdapterEntry("0311112222", "\xB1");
  ASSERT_NE(AdapterRegister(&added), 0);
  const AdapterContents afterRegister = ReadAdapter();
  EXPECT_EQ(afterRegister.count, 6);
  char number[24] = "0311112222";
  ASSERT_NE(AdapterDelete(number), 0);
  EXPECT_EQ(ReadAdapter().count, 5);
  EXPECT_EQ(Logged("READ_ALL").size(), 3u);
}

TEST_F(AdapterLibraryTest, AReplyOfMoreThan50EntriesIsRefusedWith12) {
  WriteEmulatorState(StatePath(), 60);
  StartAndOpen({"--state", StatePath(), "--capacity", "60"});
  const AdapterContents read = ReadAdapter();
  EXPECT_EQ(read.ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  EXPECT_EQ(read.count, 0);
}

// --- Faults of the device and the line --------------------------------------------------

TEST_F(AdapterLibraryTest, BusyThatClearsIsRetried) {
  StartAndOpen({"--busy", "2"});
  const AdapterEntry entry = MakeAdapterEntry("031", "\xB1");
  EXPECT_NE(AdapterRegister(&entry), 0) << AdapterLastError();
  EXPECT_EQ(Logged("REGISTER").size(), 3u);
  EXPECT_EQ(ReadAdapter().count, 1);
}

TEST_F(AdapterLibraryTest, BusyThatPersistsFailsWith6) {
  StartAndOpen({"--busy", "100"});
  const AdapterEntry entry = MakeAdapterEntry("031", "\xB1");
  char number[24] = "031";
  const auto start = Clock::now();
  EXPECT_EQ(AdapterRegister(&entry), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_ADAPTER_BUSY);
  EXPECT_EQ(AdapterDelete(number), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_ADAPTER_BUSY);
  EXPECT_EQ(ReadAdapter().ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_ADAPTER_BUSY);
  EXPECT_LT(Clock::now() - start, 3 * kFailureBound);
}

TEST_F(AdapterLibraryTest, LostOrDamagedRepliesAreRecoveredByRetrying) {
  StartAndOpen({"--drop", "1", "--garble", "1"});
  const AdapterEntry entry = MakeAdapterEntry("0311112222", "\xB1\xB2");
  EXPECT_NE(AdapterRegister(&entry), 0) << AdapterLastError();  // dropped, then garbled, then OK
  EXPECT_EQ(Logged("REGISTER").size(), 3u);
  const AdapterContents read = ReadAdapter();
  ASSERT_NE(read.ok, 0) << AdapterLastError();
  EXPECT_EQ(read.count, 1);
}

TEST_F(AdapterLibraryTest, PersistentlyLostRepliesFailWith12) {
  StartAndOpen({"--drop", "1000"});
  const auto start = Clock::now();
  EXPECT_EQ(ReadAdapter().ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  EXPECT_LT(Clock::now() - start, kFailureBound);
}

TEST_F(AdapterLibraryTest, PersistentlyDamagedRepliesFailWith12) {
  WriteEmulatorState(StatePath(), 50);
  StartAndOpen({"--state", StatePath(), "--garble", "1000"});
  const auto start = Clock::now();
  EXPECT_EQ(ReadAdapter().ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  const AdapterEntry entry = MakeAdapterEntry("031", "\xB1");
  EXPECT_EQ(AdapterRegister(&entry), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  EXPECT_LT(Clock::now() - start, 2 * kFailureBound);
}

TEST_F(AdapterLibraryTest, AdapterDyingInTheMiddleOfAReadAllFailsWith12) {
  WriteEmulatorState(StatePath(), 50);
  StartEmulator({"--state", StatePath(), "--baud", "4800"});  // the reply takes about 2 s
  ASSERT_NE(Open(), 0);
  std::thread killer([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    emulator_->Kill();
  });
  const auto start = Clock::now();
  const AdapterContents read = ReadAdapter();
  const auto elapsed = Clock::now() - start;
  killer.join();
  EXPECT_EQ(read.ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  EXPECT_EQ(read.count, 0);
  EXPECT_LT(elapsed, kFailureBound);
}

TEST_F(AdapterLibraryTest, AnAdapterGoneBeforeACallFailsWith13) {
  StartAndOpen();
  ASSERT_NE(ReadAdapter().ok, 0);
  emulator_->Kill();
  const AdapterEntry entry = MakeAdapterEntry("031", "\xB1");
  EXPECT_EQ(AdapterRegister(&entry), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_SEND_FAILED);
  EXPECT_EQ(ReadAdapter().ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_SEND_FAILED);
}

// A pseudo-terminal nobody serves: the port opens, the device never answers.
TEST_F(AdapterLibraryTest, ADeviceThatNeverAnswersFailsWithinSeconds) {
  BareTerminal terminal;
  const AdapterParams params{0, 4800};
  ASSERT_NE(AdapterOpen(terminal.device().c_str(), &params), 0) << AdapterLastError();

  const AdapterEntry entry = MakeAdapterEntry("031", "\xB1");
  char number[24] = "031";
  const auto start = Clock::now();
  EXPECT_EQ(ReadAdapter().ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  EXPECT_EQ(AdapterRegister(&entry), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  EXPECT_EQ(AdapterDelete(number), 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  EXPECT_LT(Clock::now() - start, kFailureBound);
}

// A device that never stops sending: start bytes that announce a long frame, one every
// 100 ms, so the reply always seems under way. The call still ends in time.
TEST_F(AdapterLibraryTest, ADeviceThatBabblesForeverCannotHoldACall) {
  BareTerminal terminal;
  const AdapterParams params{0, 4800};
  ASSERT_NE(AdapterOpen(terminal.device().c_str(), &params), 0) << AdapterLastError();

  std::atomic<bool> done = false;
  std::thread babbler([&] {
    const std::uint8_t start = 0x02;
    while (!done) {
      if (::write(terminal.master(), &start, 1) != 1) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  const auto start = Clock::now();
  const AdapterContents contents = ReadAdapter();
  const auto elapsed = Clock::now() - start;
  done = true;
  babbler.join();
  EXPECT_EQ(contents.ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_RECEIVE_FAILED);
  EXPECT_LT(elapsed, kFailureBound);
}

}  // namespace
