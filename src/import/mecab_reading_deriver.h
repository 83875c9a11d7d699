// The reading analyser: MeCab with the IPA dictionary in UTF-8 (docs/architecture.md
// says why). One instance is used by one thread at a time.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "import/reading_deriver.h"

struct mecab_t;

class MecabReadingDeriver final : public ReadingDeriver {
 public:
  // Nothing when MeCab or its dictionary cannot be opened: the import then goes on
  // without derived readings.
  static std::unique_ptr<MecabReadingDeriver> Open();
  ~MecabReadingDeriver() override;
  MecabReadingDeriver(const MecabReadingDeriver&) = delete;
  MecabReadingDeriver& operator=(const MecabReadingDeriver&) = delete;

  std::string Derive(std::string_view namePartUtf8) override;

 private:
  explicit MecabReadingDeriver(mecab_t* tagger) : tagger_(tagger) {}
  mecab_t* tagger_;
};
