#include "book/phone_match.h"

#include "platform/text_bytes.h"

namespace {

constexpr std::string_view kHyphen = "-";
constexpr std::string_view kPhoneSeparators = "/-, \t";

bool IsSeparator(char byte, std::string_view separators) {
  return separators.find(byte) != std::string_view::npos;
}

// Whether the number in `field`, with its separators removed, is exactly `key`. Compares as
// it walks, so most entries of a large book are rejected after a byte or two; this runs
// over the whole book on every save.
template <std::size_t N>
bool EqualsWithoutSeparators(const char (&field)[N], std::string_view key,
                             std::string_view separators) {
  std::size_t k = 0;
  for (std::size_t i = 0; i < N && field[i] != '\0'; ++i) {
    const char byte = field[i];
    if (k < key.size() && key[k] == byte) {
      ++k;  // the common case first: the byte is the next one of the key
    } else if (!IsSeparator(byte, separators)) {
      return false;
    }
  }
  return k == key.size();
}

int FindFirst(const PhoneBook& book, std::string_view key, std::string_view separators) {
  for (int i = 0; i < book.entryCount; ++i) {
    if (EqualsWithoutSeparators(book[i].number, key, separators)) return i;
  }
  return -1;
}

}  // namespace

text_bytes::FixedText<90> StripHyphens(std::string_view text) {
  return text_bytes::RemoveBytes<90>(text, kHyphen);
}

text_bytes::FixedText<24> NormalizePhone(std::string_view text) {
  return text_bytes::RemoveBytes<24>(text, kPhoneSeparators);
}

int FindSameNumber(const PhoneBook& book, std::string_view key) {
  return FindFirst(book, StripHyphens(key).view(), kHyphen);
}

int FindEntryByPhone(const PhoneBook& book, std::string_view key) {
  return FindFirst(book, NormalizePhone(key).view(), kPhoneSeparators);
}
