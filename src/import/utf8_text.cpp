#include "import/utf8_text.h"

namespace utf8_text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

unsigned char ByteAt(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]);
}

bool IsContinuation(std::string_view text, std::size_t at) {
  return at < text.size() && (ByteAt(text, at) & 0xC0) == 0x80;
}

// The code point at `at` and its length; length 0 when no well-formed sequence starts there.
std::size_t Decode(std::string_view text, std::size_t at, char32_t& codePoint) {
  const unsigned char lead = ByteAt(text, at);
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  std::size_t length = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(text, at + i)) return 0;
    codePoint = (codePoint << 6) | (ByteAt(text, at + i) & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < least || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

bool IsSpace(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\u3000';
}

}  // namespace

bool IsValid(std::string_view text) {
  char32_t codePoint = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (ByteAt(text, at) < 0x80) {
      ++at;  // the common case, kept cheap
      continue;
    }
    const std::size_t length = Decode(text, at, codePoint);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool IsAscii(std::string_view text) {
  for (const char byte : text) {
    if (static_cast<unsigned char>(byte) >= 0x80) return false;
  }
  return true;
}

char32_t Next(std::string_view text, std::size_t& at) {
  char32_t codePoint = 0;
  const std::size_t length = Decode(text, at, codePoint);
  at += length == 0 ? 1 : length;
  return length == 0 ? kReplacement : codePoint;
}

void Append(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t next = begin;
    if (!IsSpace(Next(text, next))) break;
    begin = next;
  }
  std::size_t end = text.size();
  while (end > begin) {
    // Step back to the start of the last code point.
    std::size_t start = end - 1;
    while (start > begin && (ByteAt(text, start) & 0xC0) == 0x80) --start;
    std::size_t next = start;
    if (!IsSpace(Next(text, next)) || next != end) break;
    end = start;
  }
  return text.substr(begin, end - begin);
}

}  // namespace utf8_text
