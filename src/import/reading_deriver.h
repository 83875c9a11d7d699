// Reads a name aloud: the seam between the import and the morphological analyser, so
// that tests can answer with a fake.
#pragma once

#include <string>
#include <string_view>

class ReadingDeriver {
 public:
  virtual ~ReadingDeriver() = default;
  // The reading of one part of a name (no spaces in it), UTF-8 in, kana out (katakana or
  // hiragana, as the analyser writes it). A word the analyser does not know may come
  // back as it was written; the caller checks the result.
  virtual std::string Derive(std::string_view namePartUtf8) = 0;
};
