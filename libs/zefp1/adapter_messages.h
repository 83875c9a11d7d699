// The adapter's entries and the payloads made of them, packed to spare line time:
// a number is a length byte and two characters a byte, a name a length byte and its bytes,
// so an entry costs what it holds rather than a fixed 48 bytes.
// Every decoder checks what it reads against the adapter's field rules.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zefp1 {

// One entry as the adapter keeps it. `name` is CP932 half-width katakana and spaces.
struct Record {
  std::string number;
  std::string name;
  bool callAccept = true;
  std::uint8_t illumination = 0;

  bool operator==(const Record&) const = default;
};

// 1 to 23 bytes of digits, "-", "#" and "*".
bool IsValidNumber(std::string_view number);

// Up to 21 bytes of half-width katakana (0xA1-0xDF) and spaces; empty is allowed.
bool IsValidName(std::string_view name);

bool IsValidRecord(const Record& record);

// Payload of a delete command. `number` must be valid.
std::vector<std::uint8_t> EncodeNumber(std::string_view number);
std::optional<std::string> DecodeNumber(std::span<const std::uint8_t> payload);

// Payload of a register command. `record` must be valid.
std::vector<std::uint8_t> EncodeRecord(const Record& record);
std::optional<Record> DecodeRecord(std::span<const std::uint8_t> payload);

// Payload of the OK replies to read-counter, register and delete: the change counter.
std::vector<std::uint8_t> EncodeCounter(std::uint32_t counter);
std::optional<std::uint32_t> DecodeCounter(std::span<const std::uint8_t> payload);

// Payload of the OK reply to read-all: the change counter, the count, the entries.
struct EntryList {
  std::uint32_t counter = 0;
  std::vector<Record> records;
};
std::vector<std::uint8_t> EncodeEntryList(const EntryList& list);
std::optional<EntryList> DecodeEntryList(std::span<const std::uint8_t> payload);

// The largest read-all payload for `entries` entries of the longest kind.
std::size_t MaxEntryListPayload(std::size_t entries);

}  // namespace zefp1
