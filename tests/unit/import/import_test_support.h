// What the import's tests share: the data folder, a reading analyser that answers from a
// table, and records shown in UTF-8 so a failure reads plainly.
#pragma once

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "import/import_record.h"
#include "import/reading_deriver.h"
#include "platform/cp932.h"

namespace import_test {

inline std::string DataPath(const std::string& name) {
  return std::string(DUDODE_IMPORT_DATA) + "/" + name;
}

inline std::string DataFile(const std::string& name) {
  std::ifstream in(DataPath(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Code page 932 shown as UTF-8; a text that is not code page 932 shows as "<not cp932>".
inline std::string Utf8(std::string_view cp932Text) {
  const cp932::Conversion shown = cp932::ToUtf8(cp932Text);
  return shown.ok ? shown.text : "<not cp932>";
}

// Answers each name part from its table; an unknown part comes back as it was, as the
// analyser answers for a word it does not know. Counts the questions.
class TableDeriver final : public ReadingDeriver {
 public:
  explicit TableDeriver(std::map<std::string, std::string> readings)
      : readings_(std::move(readings)) {}
  std::string Derive(std::string_view part) override {
    ++calls;
    const auto found = readings_.find(std::string(part));
    return found == readings_.end() ? std::string(part) : found->second;
  }
  int calls = 0;

 private:
  std::map<std::string, std::string> readings_;
};

// The record in one line of UTF-8, for table comparisons: its non-empty texts by name,
// its flags (callAccept/illumination), then skip, line and whether the reading was derived:
// "number=090-1; name=山田 太郎; flags=1/0; line=3".
inline std::string Describe(const ImportRecord& r) {
  static constexpr const char* kSkips[] = {"",        "no number", "foreign", "malformed",
                                           "damaged", "duplicate", "full"};
  const EntryForm& f = r.form;
  std::ostringstream out;
  const std::pair<const char*, const std::string*> texts[] = {
      {"number", &f.number},   {"name", &f.name},
      {"kana", &f.nameKana},   {"postal", &f.postalCode},
      {"fax", &f.fax},         {"address", &f.address},
      {"company", &f.company}, {"companyAddress", &f.companyAddress},
      {"email", &f.email},     {"registered", &f.registeredName}};
  for (const auto& [name, text] : texts) {
    if (!text->empty()) out << name << '=' << Utf8(*text) << "; ";
  }
  out << "flags=" << r.callAccept << '/' << r.illumination;
  if (r.skip != SkipReason::None) out << "; skip=" << kSkips[static_cast<int>(r.skip)];
  out << "; line=" << r.line;
  if (r.readingDerived) out << "; derived";
  return out.str();
}

}  // namespace import_test
