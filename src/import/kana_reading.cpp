#include "import/kana_reading.h"

#include <string_view>

#include "import/utf8_text.h"
#include "index/char_class.h"
#include "platform/cp932.h"

namespace {

// U+FF66 (ｦ) to U+FF9D (ﾝ) in hiragana, in code point order.
constexpr char32_t kHalfWidthKana[] =
    U"をぁぃぅぇぉゃゅょっーあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"
    U"や"
    U"ゆよらりるれろわん";
static_assert(std::size(kHalfWidthKana) - 1 == 0xFF9D - 0xFF66 + 1);

constexpr char32_t kHalfVoicedMark = 0xFF9E;
constexpr char32_t kHalfSemiVoicedMark = 0xFF9F;
constexpr char32_t kCombiningVoicedMark = 0x3099;
constexpr char32_t kCombiningSemiVoicedMark = 0x309A;

bool InRange(char32_t c, char32_t first, char32_t last) {
  return c >= first && c <= last;
}

// The kana a voiced mark joins: each voiced form is the next code point (が is か + 1).
constexpr std::u32string_view kVoiceable = U"かきくけこさしすせそたちつてとはひふへほ";
// The kana a semi-voiced mark joins: ぱ is は + 2.
constexpr std::u32string_view kSemiVoiceable = U"はひふへほ";

char32_t ToHiragana(char32_t c) {
  const bool keptKatakana = c == U'ヴ' || c == U'ヵ' || c == U'ヶ';
  if (InRange(c, U'ァ', U'ヶ') && !keptKatakana) return c - (U'ァ' - U'ぁ');
  if (InRange(c, 0xFF66, 0xFF9D)) return kHalfWidthKana[c - 0xFF66];
  if (c == U'\u3000' || c == U'・' || c == 0xFF65) return U' ';
  return c;
}

}  // namespace

std::string ToHiraganaReading(std::string_view utf8) {
  std::u32string kana;
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t c = utf8_text::Next(utf8, at);
    const bool voiced = c == kHalfVoicedMark || c == kCombiningVoicedMark;
    const bool semiVoiced = c == kHalfSemiVoicedMark || c == kCombiningSemiVoicedMark;
    if (voiced && !kana.empty() && kVoiceable.find(kana.back()) != std::u32string_view::npos) {
      kana.back() += 1;
    } else if (semiVoiced && !kana.empty() &&
               kSemiVoiceable.find(kana.back()) != std::u32string_view::npos) {
      kana.back() += 2;
    } else if (voiced) {
      kana += U'゛';  // nothing to join: left for the user to see
    } else if (semiVoiced) {
      kana += U'゜';
    } else {
      kana += ToHiragana(c);
    }
  }
  std::string out;
  for (const char32_t c : kana) utf8_text::Append(out, c);
  return out;
}

bool IsAcceptedReading(std::string_view utf8) {
  const cp932::Conversion held = cp932::FromUtf8(utf8);
  return held.ok && IsHiraganaReading(held.text);
}
