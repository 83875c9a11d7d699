// Byte classes of code page 932, the same on every platform: the program's rules are
// stated for this code page whatever the system's own code page is.
#include "platform/cp932.h"

namespace cp932 {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsAlpha(unsigned char byte) {
  const bool ascii = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
  const bool halfWidthKatakana = byte >= 0xA6 && byte <= 0xDD;  // ｦ to ﾝ
  return ascii || halfWidthKatakana;
}

bool IsAlphaNumeric(unsigned char byte) {
  return IsAlpha(byte) || (byte >= '0' && byte <= '9');
}

}  // namespace cp932
