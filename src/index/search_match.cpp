#include "index/search_match.h"

#include <array>

#include "book/phone_match.h"
#include "index/char_class.h"
#include "platform/text_bytes.h"

namespace {

using FieldOf = std::string_view (*)(const BookEntry&);

std::string_view Number(const BookEntry& e) {
  return text_bytes::FieldText(e.number);
}
std::string_view Name(const BookEntry& e) {
  return text_bytes::FieldText(e.name);
}
std::string_view Address(const BookEntry& e) {
  return text_bytes::FieldText(e.address);
}
std::string_view RegisteredName(const BookEntry& e) {
  return text_bytes::FieldText(e.registeredName);
}
std::string_view NameKana(const BookEntry& e) {
  return text_bytes::FieldText(e.nameKana);
}

struct ConditionDef {
  const char* name;                         // the condition box's item (UTF-8)
  int inputLimit;                           // bytes
  bool keyIsNumber;                         // the key is a phone number, with its own separators
  std::array<FieldOf, 3> columns;           // column 0 is the key field
  std::array<const char*, 3> headings;      // the result columns' headings (UTF-8)
};

constexpr std::array<ConditionDef, kSearchConditionCount> kConditions = {{
    {"電話番号", 22, true, {Number, Name, Address}, {"電話番号", "氏名", "住所"}},
    {"登録名称", 20, false, {RegisteredName, Number, Address}, {"登録名称", "電話番号", "住所"}},
    {"氏名かな", 30, false, {NameKana, Number, Address}, {"氏名かな", "電話番号", "住所"}},
}};

const ConditionDef& Def(int condition) {
  return kConditions[static_cast<std::size_t>(KnownSearchCondition(condition))];
}

// Hands `text` without its separators to `visit`: numbers lose "/", "-", ",", space and
// tab, names and readings their spaces and commas. A visit, since the two results differ
// in size and the search should not allocate per entry.
template <typename Visit>
void WithoutSeparators(const ConditionDef& def, std::string_view text, Visit visit) {
  if (def.keyIsNumber) {
    visit(NormalizePhone(text).view());
  } else {
    visit(StripBlanksCommas(text).view());
  }
}

}  // namespace

int KnownSearchCondition(int condition) {
  return condition >= 0 && condition < kSearchConditionCount ? condition : kSearchByNumber;
}

const char* SearchConditionName(int condition) {
  return Def(condition).name;
}

const char* SearchResultHeading(int condition, int column) {
  const auto& headings = Def(condition).headings;
  return column >= 0 && column < static_cast<int>(headings.size())
             ? headings[static_cast<std::size_t>(column)]
             : "";
}

int SearchInputLimit(int condition) {
  return Def(condition).inputLimit;
}

const char* SearchInputError(int condition, std::string_view input) {
  switch (condition) {
    case kSearchByRegisteredName:
      if (!IsSingleByteText(input)) return "半角カナを入力してください。";
      if (!IsHalfKanaText(input)) return "カナを入力してください。";
      return nullptr;
    case kSearchByNameKana:
      if (!IsHiraganaReading(input)) return "平仮名を入力してください。";
      return nullptr;
    default:
      if (!IsSingleByteText(input)) return "半角数字を入力してください。";
      // A lone hyphen would list the whole book; two of them may, on purpose.
      if (!IsPhoneText(input) || input == "-") return "数字を入力してください。";
      return nullptr;
  }
}

std::vector<int> FindSearchMatches(const PhoneBook& book, int condition, std::string_view input) {
  std::vector<int> matches;
  const ConditionDef& def = Def(condition);
  WithoutSeparators(def, input, [&](std::string_view wanted) {
    for (int i = 0; i < book.entryCount(); ++i) {
      if (book[i].deleted != 0) continue;
      WithoutSeparators(def, def.columns[0](book[i]), [&](std::string_view own) {
        if (own.starts_with(wanted)) matches.push_back(i);
      });
    }
  });
  return matches;
}

std::string_view SearchResultText(const BookEntry& entry, int condition, int column) {
  const auto& columns = Def(condition).columns;
  return column >= 0 && column < static_cast<int>(columns.size())
             ? columns[static_cast<std::size_t>(column)](entry)
             : std::string_view{};
}

std::vector<int> EntriesOfPickedRow(const PhoneBook& book, int condition, std::string_view col0,
                                    std::string_view col1) {
  std::vector<int> entries;
  if (col0.empty()) return entries;
  const ConditionDef& def = Def(condition);
  for (int i = 0; i < book.entryCount(); ++i) {
    // A deleted entry is never listed, so it cannot be the row the user picked.
    if (book[i].deleted != 0) continue;
    if (def.columns[0](book[i]) != col0) continue;
    if (def.keyIsNumber || Number(book[i]) == col1) entries.push_back(i);
  }
  return entries;
}
