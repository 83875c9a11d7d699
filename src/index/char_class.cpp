#include "index/char_class.h"

#include "index/kana_table.h"
#include "platform/cp932.h"

namespace {

// The text up to its first NUL.
std::string_view UpToTerminator(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

template <typename Predicate>
bool EveryByte(std::string_view text, Predicate accepts) {
  for (char byte : UpToTerminator(text)) {
    if (!accepts(static_cast<unsigned char>(byte))) return false;
  }
  return true;
}

// Whether a unit of one or two bytes stands in some row before its first filler.
bool IsIndexKana(const char* unit) {
  for (const auto& row : KanaRowTable) {
    for (const char* slot : row) {
      if (IsKanaFiller(slot)) break;
      if (KanaSlotMatches(slot, unit)) return true;
    }
  }
  return false;
}

}  // namespace

bool IsSingleByteText(std::string_view text) {
  return EveryByte(text, [](unsigned char byte) { return !cp932::IsLeadByte(byte); });
}

bool IsHalfKanaText(std::string_view text) {
  return EveryByte(
      text, [](unsigned char byte) { return (byte >= 0xA2 && byte <= 0xDF) || byte <= 0x20; });
}

bool IsPhoneText(std::string_view text) {
  return EveryByte(text, [](unsigned char byte) {
    const bool digit = cp932::IsAlphaNumeric(byte) && !cp932::IsAlpha(byte);
    return digit || byte == '-' || byte == '#' || byte == '*';
  });
}

bool IsHiraganaReading(std::string_view text) {
  if (IsSingleByteText(text)) return false;
  const auto stripped = StripBlanksCommas(text);
  for (std::size_t p = 0; p < stripped.length; p += 2) {
    // A unit is two bytes, or one at the very end; the terminator ends the shorter one.
    const char unit[3] = {stripped.bytes[p], p + 1 < stripped.length ? stripped.bytes[p + 1] : '\0',
                          '\0'};
    if (!IsIndexKana(unit)) return false;
  }
  return true;
}

text_bytes::FixedText<128> StripBlanksCommas(std::string_view text) {
  return text_bytes::RemoveBytes<128>(text, " ,");
}
