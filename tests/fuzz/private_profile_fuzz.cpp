// The private-profile reader on any file, then one key written into it: a write either
// keeps the line structure and reads back, or is refused for a reason the header names.
// Input: section, NUL, key, NUL, value, NUL, then the file's bytes (NULs allowed).
#include <charconv>
#include <optional>

#include "fuzz_support.h"
#include "platform/private_profile.h"
#include "platform/text_bytes.h"

namespace {

std::string TrimBlanks(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// The value's number when it is exactly a decimal int, as an int is written.
std::optional<int> ExactInt(const std::string& text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto pieces = fuzz::SplitAtNul(fuzz::AsText(data, size), 4);
  const std::string& section = pieces[0];
  const std::string& key = pieces[1];
  const std::string& value = pieces[2];
  const std::string ini = fuzz::ScratchFile("test.ini");
  fuzz::WriteFile(ini, pieces[3]);

  profile::ReadInt(ini, section, key, 0);
  constexpr std::size_t kCapacity = 16;
  FUZZ_CHECK(profile::ReadString(ini, section, key, value, kCapacity).size() < kCapacity);

  const bool written = profile::WriteString(ini, section, key, value);
  FUZZ_CHECK(written == profile::KeepsLineStructure(section, key, value));
  if (!written) return 0;
  const std::string stored = TrimBlanks(value);
  FUZZ_CHECK(profile::ReadString(ini, section, key, "\x01 missing", stored.size() + 1) == stored);
  FUZZ_CHECK(profile::ReadInt(ini, section, key, 0) == text_bytes::ParseInt(stored));
  if (const auto number = ExactInt(stored)) {
    FUZZ_CHECK(profile::ReadInt(ini, section, key, 0) == *number);
  }
  return 0;
}
