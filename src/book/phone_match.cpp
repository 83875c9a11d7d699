#include "book/phone_match.h"

#include "platform/text_bytes.h"

namespace {

constexpr std::string_view kHyphen = "-";
constexpr std::string_view kPhoneSeparators = "/-, \t";

bool IsSeparator(char byte, std::string_view separators) {
  return separators.find(byte) != std::string_view::npos;
}

// Copies the bytes of `text` that are not separators, byte by byte: separators all lie
// below 0x40, so they are never the second byte of a character. A result that does not fit
// is cut on a character boundary.
template <std::size_t N>
FixedText<N> RemoveSeparators(std::string_view text, std::string_view separators) {
  FixedText<N> result;
  // Gathers one byte more than fits, so the cut can see whether the last one starts a
  // character that goes on.
  for (std::size_t i = 0; i < text.size() && text[i] != '\0' && result.length < N; ++i) {
    if (!IsSeparator(text[i], separators)) result.bytes[result.length++] = text[i];
  }
  if (result.length == N) {
    result.length = text_bytes::BoundaryLength({result.bytes, N}, N - 1);
  }
  result.bytes[result.length] = '\0';
  return result;
}

// Whether `number`, with its separators removed, is exactly `key`. Compares as it walks,
// so most entries of a large book are rejected after a byte or two.
bool EqualsWithoutSeparators(std::string_view number, std::string_view key,
                             std::string_view separators) {
  std::size_t k = 0;
  for (char byte : number) {
    if (IsSeparator(byte, separators)) continue;
    if (k == key.size() || key[k] != byte) return false;
    ++k;
  }
  return k == key.size();
}

int FindFirst(const PhoneBook& book, std::string_view key, std::string_view separators) {
  for (int i = 0; i < book.entryCount; ++i) {
    if (EqualsWithoutSeparators(text_bytes::FieldText(book[i].number), key, separators)) {
      return i;
    }
  }
  return -1;
}

}  // namespace

FixedText<90> StripHyphens(std::string_view text) { return RemoveSeparators<90>(text, kHyphen); }

FixedText<24> NormalizePhone(std::string_view text) {
  return RemoveSeparators<24>(text, kPhoneSeparators);
}

int FindSameNumber(const PhoneBook& book, std::string_view key) {
  return FindFirst(book, StripHyphens(key).view(), kHyphen);
}

int FindEntryByPhone(const PhoneBook& book, std::string_view key) {
  return FindFirst(book, NormalizePhone(key).view(), kPhoneSeparators);
}
