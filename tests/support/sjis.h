// Tests write Japanese in UTF-8 and turn it into the code page 932 bytes the program keeps.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/cp932.h"

inline std::string Sjis(const std::string& utf8) {
  const auto converted = cp932::FromUtf8(utf8);
  if (!converted.ok) throw std::invalid_argument("not representable in code page 932: " + utf8);
  return converted.text;
}
