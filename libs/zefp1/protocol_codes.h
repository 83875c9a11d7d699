// The adapter's command and reply codes, and the limits every frame and record keeps.
// The frame layout and the meaning of each message are in docs/zefp1-protocol.md.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zefp1 {

// What the computer asks the adapter.
enum class Command : std::uint8_t {
  kReadCounter = 0x01,  // the change counter alone: a tiny reply
  kReadAll = 0x02,      // the counter and every held entry
  kRegister = 0x03,     // store an entry, or update the one with its number
  kDelete = 0x04,       // remove a number; an unknown number is no failure
};

// The code of every reply. The high bit tells a reply from a command on the line.
enum class Status : std::uint8_t {
  kOk = 0x80,
  kFull = 0x85,
  kBusy = 0x86,
  kInvalidCommand = 0x87,
  kInvalidData = 0x88,
};

// The high bit of a frame's code marks a reply.
constexpr bool IsReplyCode(std::uint8_t code) {
  return (code & 0x80) != 0;
}

// Field limits of the adapter's memory, in bytes.
constexpr std::size_t kMaxNumberBytes = 23;
constexpr std::size_t kMaxNameBytes = 21;
constexpr int kMaxIllumination = 3;

// The most entries a read-all reply can announce (its count is one byte). A real adapter
// holds at most 50; the library refuses a reply that claims more.
constexpr std::size_t kMaxAnnouncedEntries = 255;

}  // namespace zefp1
