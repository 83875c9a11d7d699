#include "import/mecab_reading_deriver.h"

#include <mecab.h>

namespace {

// Where Debian's mecab-ipadic-utf8 puts the dictionary. Named rather than left to
// /etc/mecabrc, whose default may be the EUC-JP build of the same dictionary.
constexpr const char* kTaggerOptions = "-Oyomi -d /var/lib/mecab/dic/ipadic-utf8";

}  // namespace

std::unique_ptr<MecabReadingDeriver> MecabReadingDeriver::Open() {
  mecab_t* tagger = mecab_new2(kTaggerOptions);
  if (tagger == nullptr) return nullptr;
  return std::unique_ptr<MecabReadingDeriver>(new MecabReadingDeriver(tagger));
}

MecabReadingDeriver::~MecabReadingDeriver() {
  mecab_destroy(tagger_);
}

std::string MecabReadingDeriver::Derive(std::string_view namePartUtf8) {
  // The "yomi" output: the katakana reading of every word, a word MeCab does not know as
  // written, then a line end.
  const char* read = mecab_sparse_tostr2(tagger_, namePartUtf8.data(), namePartUtf8.size());
  if (read == nullptr) return {};
  std::string reading(read);
  while (!reading.empty() && (reading.back() == '\n' || reading.back() == '\r')) reading.pop_back();
  return reading;
}
