// CP932 conversion through glibc's iconv, whose "CP932" table already takes the
// characters Linux input methods type (U+301C wave dash, U+2212 minus, ...) as the
// CP932 characters that users mean.
#include <iconv.h>

#include <cerrno>
#include <vector>

#include "platform/cp932.h"

namespace cp932 {
namespace {

Conversion Convert(const char* to, const char* from, std::string_view input) {
  Conversion result;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return result;

  std::vector<char> out(input.size() * 4 + 4);
  char* in = const_cast<char*>(input.data());  // iconv's interface is not const-correct
  std::size_t inLeft = input.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t converted = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);

  result.text.assign(out.data(), static_cast<std::size_t>(outPtr - out.data()));
  result.ok = converted != static_cast<std::size_t>(-1) && inLeft == 0;
  result.failedAt = input.size() - inLeft;
  return result;
}

}  // namespace

Conversion FromUtf8(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8);
}

Conversion ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932);
}

}  // namespace cp932
