// The emulator as a device: spoken to in raw frames, the way the library never would,
// so its own checks, its replies, its state file and its life cycle can be seen.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "adapter_messages.h"
#include "frame_codec.h"
#include "libs/zefp1/adapter_test_support.h"
#include "protocol_codes.h"
#include "support/temp_dir.h"

namespace {

using zefp1::Command;
using zefp1::Frame;
using zefp1::Status;

constexpr int kReplyLimitMs = 3000;

// A client that opens the emulator's line as a plain terminal and sends frames by hand.
class RawClient {
 public:
  explicit RawClient(const std::string& device)
      : fd_(::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)), decoder_(4096) {
    termios settings{};
    if (fd_ >= 0 && ::tcgetattr(fd_, &settings) == 0) {
      ::cfmakeraw(&settings);
      ::tcsetattr(fd_, TCSANOW, &settings);
    }
  }
  ~RawClient() {
    if (fd_ >= 0) ::close(fd_);
  }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;

  bool ok() const { return fd_ >= 0; }

  void SendBytes(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Sends one frame and returns the reply, or nothing when none came in time.
  std::optional<Frame> Ask(std::uint8_t code, std::vector<std::uint8_t> payload = {},
                           std::uint8_t sequence = 1) {
    SendBytes(zefp1::EncodeFrame({sequence, code, std::move(payload)}));
    return Reply();
  }

  std::optional<Frame> Reply() {
    for (;;) {
      if (auto frame = decoder_.Next()) return frame;
      pollfd waiting{fd_, POLLIN, 0};
      if (::poll(&waiting, 1, kReplyLimitMs) <= 0) return std::nullopt;
      std::uint8_t buffer[256];
      const ssize_t count = ::read(fd_, buffer, sizeof buffer);
      if (count <= 0) return std::nullopt;
      decoder_.Feed(std::span(buffer, static_cast<std::size_t>(count)));
    }
  }

 private:
  int fd_;
  zefp1::FrameDecoder decoder_;
};

std::uint8_t Code(Command command) {
  return static_cast<std::uint8_t>(command);
}
std::uint8_t Code(Status status) {
  return static_cast<std::uint8_t>(status);
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

class EmulatorTest : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> arguments = {}) {
    arguments.insert(arguments.begin(), {"--baud", "0"});
    emulator_ = StartEmulator(Link(), arguments);
  }

  std::string Link() const { return folder_.File("adapter"); }
  std::string StatePath() const { return folder_.File("state"); }

  TempDir folder_;
  std::unique_ptr<ChildProcess> emulator_;
};

TEST_F(EmulatorTest, AnswersEachCommandWithItsSequenceAndKeepsTheCounterMoving) {
  Start();
  RawClient client(Link());
  ASSERT_TRUE(client.ok());
  const auto first = client.Ask(Code(Command::kReadCounter), {}, 41);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->sequence, 41);
  EXPECT_EQ(first->code, Code(Status::kOk));
  const auto before = zefp1::DecodeCounter(first->payload);
  ASSERT_TRUE(before.has_value());

  const zefp1::Record record{"0311112222", "\xB1\xB2", false, 1};
  const auto registered = client.Ask(Code(Command::kRegister), zefp1::EncodeRecord(record), 42);
  ASSERT_TRUE(registered.has_value());
  EXPECT_EQ(registered->code, Code(Status::kOk));
  EXPECT_EQ(zefp1::DecodeCounter(registered->payload), *before + 1);

  // Deleting a number nobody holds changes nothing, so the counter stays.
  const auto deleted = client.Ask(Code(Command::kDelete), zefp1::EncodeNumber("0999"), 43);
  ASSERT_TRUE(deleted.has_value());
  EXPECT_EQ(deleted->code, Code(Status::kOk));
  EXPECT_EQ(zefp1::DecodeCounter(deleted->payload), *before + 1);

  const auto all = client.Ask(Code(Command::kReadAll), {}, 44);
  ASSERT_TRUE(all.has_value());
  const auto list = zefp1::DecodeEntryList(all->payload);
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(list->counter, *before + 1);
  EXPECT_EQ(list->records, std::vector<zefp1::Record>{record});
}

TEST_F(EmulatorTest, ChecksWhatItIsSentAsTheDeviceWould) {
  Start();
  RawClient client(Link());
  ASSERT_TRUE(client.ok());
  EXPECT_EQ(client.Ask(0x09)->code, Code(Status::kInvalidCommand));

  const auto record = zefp1::EncodeRecord({"031", "\xB1", true, 0});
  auto withByte = [&](std::size_t at, std::uint8_t value) {
    auto bytes = record;
    bytes[at] = value;
    return bytes;
  };
  const std::vector<std::vector<std::uint8_t>> badRegisters = {
      withByte(0, 0x09),  // an unknown flag bit
      withByte(1, 24),    // number too long
      withByte(2, 0xE0),  // no such number character
      withByte(5, 0x41),  // ASCII letter in the name
      {},
  };
  for (const auto& payload : badRegisters) {
    EXPECT_EQ(client.Ask(Code(Command::kRegister), payload)->code, Code(Status::kInvalidData));
  }
  EXPECT_EQ(client.Ask(Code(Command::kDelete), {0})->code, Code(Status::kInvalidData));
  EXPECT_EQ(client.Ask(Code(Command::kReadAll), {1})->code, Code(Status::kInvalidData));
  const auto all = client.Ask(Code(Command::kReadAll));
  EXPECT_TRUE(zefp1::DecodeEntryList(all->payload)->records.empty());
}

TEST_F(EmulatorTest, FindsACommandAfterLineNoise) {
  Start();
  RawClient client(Link());
  ASSERT_TRUE(client.ok());
  client.SendBytes({0xFF, zefp1::kStartByte, 0x00, 0x13});  // noise that looks like a start
  const auto reply = client.Ask(Code(Command::kReadCounter), {}, 9);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->sequence, 9);
}

TEST_F(EmulatorTest, ServesOneClientAfterAnother) {
  Start();
  for (int round = 0; round < 3; ++round) {
    RawClient client(Link());
    ASSERT_TRUE(client.ok());
    const auto reply = client.Ask(Code(Command::kReadCounter));
    ASSERT_TRUE(reply.has_value()) << "round " << round;
  }
}

TEST_F(EmulatorTest, KeepsItsEntriesInTheStateFileAcrossRuns) {
  Start({"--state", StatePath()});
  struct stat info {};
  EXPECT_EQ(::stat(StatePath().c_str(), &info), 0) << "created when missing";
  {
    RawClient client(Link());
    ASSERT_TRUE(client.ok());
    client.Ask(Code(Command::kRegister), zefp1::EncodeRecord({"031", "\xB1", false, 2}));
    client.Ask(Code(Command::kRegister), zefp1::EncodeRecord({"032", "", true, 0}));
    client.Ask(Code(Command::kDelete), zefp1::EncodeNumber("031"));
  }
  EXPECT_EQ(emulator_->Stop(), 0);
  EXPECT_EQ(ReadFile(StatePath()), "032\t\t1\t0\n");

  Start({"--state", StatePath()});
  RawClient client(Link());
  const auto all = client.Ask(Code(Command::kReadAll));
  ASSERT_TRUE(all.has_value());
  EXPECT_EQ(zefp1::DecodeEntryList(all->payload)->records,
            (std::vector<zefp1::Record>{{"032", "", true, 0}}));
}

TEST_F(EmulatorTest, RefusesToStartOnAStateFileTheAdapterCouldNotHold) {
  std::ofstream(StatePath()) << "03-1234\tABC\t1\t0\n";  // a name that is not katakana
  EXPECT_THROW(Start({"--state", StatePath()}), std::runtime_error);
  EXPECT_EQ(ReadFile(StatePath()), "03-1234\tABC\t1\t0\n") << "the file is left as it was";

  std::ofstream(StatePath()) << "031\t\t1\t0\n032\t\t1\t0\n";
  EXPECT_THROW(Start({"--state", StatePath(), "--capacity", "1"}), std::runtime_error);
}

// Random fault bursts: at 100 percent every command meets a fault, and a seed gives the
// same faults in every run.
TEST_F(EmulatorTest, FaultBurstsFollowTheirSeed) {
  constexpr int kCommands = 12;
  const auto outcomes = [this](const std::string& seed, const std::string& log) {
    Start({"--fault-bursts", "100", "--fault-seed", seed, "--log", log});
    RawClient client(Link());
    for (int i = 1; i <= kCommands; ++i) {
      client.SendBytes(
          zefp1::EncodeFrame({static_cast<std::uint8_t>(i), Code(Command::kReadCounter), {}}));
    }
    std::string text;
    for (int wait = 0; wait < 100 && std::count(text.begin(), text.end(), '\n') < kCommands;
         ++wait) {
      ::usleep(50'000);
      text = ReadFile(log);
    }
    emulator_->Stop();
    return text;
  };
  const std::string first = outcomes("7", folder_.File("log1"));
  ASSERT_EQ(std::count(first.begin(), first.end(), '\n'), kCommands);
  std::istringstream lines(first);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(line.find("DROPPED") != std::string::npos ||
                line.find("BUSY") != std::string::npos || line.find("GARBLED") != std::string::npos)
        << line;
  }
  EXPECT_EQ(outcomes("7", folder_.File("log2")), first);
  EXPECT_NE(outcomes("8", folder_.File("log3")), first);
}

TEST_F(EmulatorTest, RefusesOptionsItDoesNotKnow) {
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--capacity", "256"},
                                              {"--baud", "-1"},
                                              {"--busy"},
                                              {"--fast", "1"}}) {
    EXPECT_THROW(StartEmulator(Link(), bad), std::runtime_error) << bad[0];
    struct stat info {};
    EXPECT_NE(::lstat(Link().c_str(), &info), 0) << "no link left behind";
  }
}

TEST_F(EmulatorTest, RemovesItsLinkWhenStopped) {
  Start();
  struct stat info {};
  ASSERT_EQ(::lstat(Link().c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(emulator_->Stop(), 0);
  EXPECT_NE(::lstat(Link().c_str(), &info), 0);
}

TEST_F(EmulatorTest, ReplacesALinkLeftByAKilledRun) {
  Start();
  emulator_->Kill();
  Start();
  char target[256] = {};
  ASSERT_GT(::readlink(Link().c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ(std::string(target), emulator_->firstLine());
  RawClient client(Link());
  EXPECT_TRUE(client.Ask(Code(Command::kReadCounter)).has_value());
}

}  // namespace
