// zefp1-emu: plays the ZEF-P1 adapter on a pseudo-terminal, for tests, benchmarks and
// the demo. See docs/zefp1-protocol.md for the protocol and the options.
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "adapter_memory.h"
#include "command_handler.h"
#include "frame_codec.h"
#include "protocol_codes.h"
#include "pseudo_terminal.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;  // set by SIGTERM and SIGINT

constexpr int kIdleMs = 200;                    // a frame silent this long is given up
constexpr std::size_t kMaxCommandPayload = 64;  // a register command is at most 36 bytes
constexpr int kMaxBaud = 1000000;
constexpr int kMaxCapacity = static_cast<int>(zefp1::kMaxAnnouncedEntries);
constexpr int kMaxFaults = 1000000;

constexpr const char* kUsage =
    "usage: zefp1-emu --link PATH [--state FILE] [--baud N] [--capacity N]\n"
    "                 [--busy N] [--drop N] [--garble N] [--log FILE]\n"
    "                 [--fault-bursts PERCENT] [--fault-seed N]\n";

struct Options {
  std::string link;
  std::string state;
  std::string log;
  int baud = 4800;
  int capacity = 50;
  FaultPlan faults;
};

// Sets `target` from a decimal count of 0 to `max`; false when `text` is no such count.
bool SetCount(std::string_view text, int max, int& target) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max) {
    return false;
  }
  target = value;
  return true;
}

// Fills `options` from the command line; false on anything it does not understand.
bool ParseOptions(int argc, char** argv, Options& options) {
  if (argc % 2 != 1) return false;  // every option takes a value
  for (int i = 1; i < argc; i += 2) {
    const std::string_view name = argv[i];
    const std::string_view value = argv[i + 1];
    bool understood = true;
    if (name == "--link") {
      options.link = value;
    } else if (name == "--state") {
      options.state = value;
    } else if (name == "--log") {
      options.log = value;
    } else if (name == "--baud") {
      understood = SetCount(value, kMaxBaud, options.baud);
    } else if (name == "--capacity") {
      understood = SetCount(value, kMaxCapacity, options.capacity);
    } else if (name == "--busy") {
      understood = SetCount(value, kMaxFaults, options.faults.busy);
    } else if (name == "--drop") {
      understood = SetCount(value, kMaxFaults, options.faults.drop);
    } else if (name == "--garble") {
      understood = SetCount(value, kMaxFaults, options.faults.garble);
    } else if (name == "--fault-bursts") {
      understood = SetCount(value, 100, options.faults.burstPercent);
    } else if (name == "--fault-seed") {
      int seed = 0;
      understood = SetCount(value, std::numeric_limits<int>::max(), seed);
      options.faults.seed = static_cast<std::uint32_t>(seed);
    } else {
      understood = false;
    }
    if (!understood) return false;
  }
  return !options.link.empty();
}

void RequestStop(int) {
  g_stop = 1;
}

// No SA_RESTART: a signal must cut a wait short so the loop sees the request.
void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

// Points `link` at `device`. An existing symbolic link (left by a killed run) is
// replaced; anything else at that path is left alone.
bool MakeLink(const std::string& link, const std::string& device) {
  struct stat info {};
  if (::lstat(link.c_str(), &info) == 0) {
    if (!S_ISLNK(info.st_mode) || ::unlink(link.c_str()) != 0) return false;
  }
  return ::symlink(device.c_str(), link.c_str()) == 0;
}

// Removes `link` only while it still points at our device: another run may own it now.
void RemoveLink(const std::string& link, const std::string& device) {
  char target[4096];
  const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
  if (length > 0 && std::string_view(target, static_cast<std::size_t>(length)) == device) {
    ::unlink(link.c_str());
  }
}

void Serve(PseudoTerminal& line, CommandHandler& handler, int baud) {
  zefp1::FrameDecoder decoder(kMaxCommandPayload);
  std::vector<std::uint8_t> bytes;
  while (g_stop == 0) {
    bytes.clear();
    const auto result = line.Read(bytes, kIdleMs);
    if (result == PseudoTerminal::ReadResult::kFailed) {
      std::fprintf(stderr, "zefp1-emu: the line failed: %s\n", std::strerror(errno));
      return;
    }
    if (result == PseudoTerminal::ReadResult::kIdle && decoder.HasPartialFrame()) {
      decoder.SkipStalledFrame();
    }
    decoder.Feed(bytes);
    while (auto command = decoder.Next()) {
      const auto reply = handler.Handle(*command);
      if (!reply.empty()) line.Write(reply, baud, g_stop);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  AdapterMemory memory(static_cast<std::size_t>(options.capacity), options.state);
  std::string error;
  if (!memory.LoadState(error)) {
    std::fprintf(stderr, "zefp1-emu: %s\n", error.c_str());
    return 1;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> log(nullptr, std::fclose);
  if (!options.log.empty()) {
    log.reset(std::fopen(options.log.c_str(), "a"));
    if (!log) {
      std::fprintf(stderr, "zefp1-emu: %s: %s\n", options.log.c_str(), std::strerror(errno));
      return 1;
    }
  }
  auto line = PseudoTerminal::Create(error);
  if (!line) {
    std::fprintf(stderr, "zefp1-emu: %s\n", error.c_str());
    return 1;
  }
  if (!MakeLink(options.link, line->devicePath())) {
    std::fprintf(stderr, "zefp1-emu: cannot link %s: %s\n", options.link.c_str(),
                 std::strerror(errno));
    return 1;
  }
  CatchStopSignals();
  std::printf("%s\n", line->devicePath().c_str());
  std::fflush(stdout);

  CommandHandler handler(memory, options.faults, log.get());
  Serve(*line, handler, options.baud);
  RemoveLink(options.link, line->devicePath());
  return 0;
}
