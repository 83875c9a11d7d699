#include "listing/column_table.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/private_profile.h"
#include "platform/text_bytes.h"

namespace {

constexpr const char* kSection = "LOADCOL";
constexpr std::size_t kValueCapacity = 100;  // bytes read of one COL value, terminator included

// Headings in code page 932.
constexpr ColumnTable kDefaultColumns = {{
    {"\x93\x64\x98\x62\x94\xd4\x8d\x86", kAlignRight, 100, kFieldNumber},      // 電話番号
    {"ZEF-P1\x93o\x98^\x8d\xcf", kAlignLeft, 50, kFieldInAdapterMark},         // ZEF-P1登録済
    {"\x92\x85\x90M\x8e\xed\x95\xca", kAlignLeft, 55, kFieldCallAcceptMark},   // 着信種別
    {"\x8e\x81\x96\xbc", kAlignLeft, 80, kFieldName},                          // 氏名
    {"\x8e\x81\x96\xbc\x82\xa9\x82\xc8", kAlignLeft, 50, kFieldNameKana},      // 氏名かな
    {"FAX\x94\xd4\x8d\x86", kAlignRight, 100, kFieldFax},                      // FAX番号
    {"\x8fZ\x8f\x8a", kAlignLeft, 150, kFieldAddress},                         // 住所
    {"\x93o\x98^\x96\xbc\x8f\xcc", kAlignLeft, 50, kFieldRegisteredName},      // 登録名称
    {"\x97X\x95\xd6\x94\xd4\x8d\x86", kAlignRight, 30, kFieldPostalCode},      // 郵便番号
    {"\x89\xef\x8e\xd0\x96\xbc", kAlignLeft, 50, kFieldCompany},               // 会社名
    {"\x89\xef\x8e\xd0\x8fZ\x8f\x8a", kAlignLeft, 100, kFieldCompanyAddress},  // 会社住所
    {"E-mail\x83\x41\x83h\x83\x8c\x83X", kAlignLeft, 60, kFieldEmail},         // E-mailアドレス
}};

// Splits at commas, skipping the empty pieces between adjacent commas.
std::vector<std::string_view> Pieces(std::string_view value) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t comma = std::min(value.find(',', start), value.size());
    if (comma > start) pieces.push_back(value.substr(start, comma - start));
    start = comma + 1;
  }
  return pieces;
}

// A value that does not name a known alignment or field is taken as 0 (left, the number),
// so the list never indexes outside its tables.
int32_t InRange(int32_t value, int32_t highest) {
  return value >= 0 && value <= highest ? value : 0;
}

ColumnDef ParseColumn(std::string_view value) {
  ColumnDef column{};
  const auto pieces = Pieces(value);
  const auto number = [&](std::size_t i) {
    return i < pieces.size() ? text_bytes::ParseInt(pieces[i]) : 0;
  };
  if (!pieces.empty()) text_bytes::FillField(column.heading, pieces[0]);
  column.width = std::max(number(1), 0);
  column.fieldId = InRange(number(2), kFieldEmail);
  column.format = InRange(number(3), kAlignCenter);
  return column;
}

}  // namespace

const ColumnTable& DefaultColumns() {
  return kDefaultColumns;
}

int LoadColumns(const std::string& iniPath, ColumnTable& table) {
  table = ColumnTable{};
  const int count =
      std::min(profile::ReadInt(iniPath, kSection, "COUNT", kMaxColumns), kMaxColumns);
  int read = 0;
  while (read < count) {
    const std::string key = "COL" + std::to_string(read + 1);
    const std::string value = profile::ReadString(iniPath, kSection, key, "", kValueCapacity);
    if (value.empty()) break;
    table[static_cast<std::size_t>(read++)] = ParseColumn(value);
  }
  if (read > 0) return read;
  table = kDefaultColumns;
  return kMaxColumns;
}

bool SaveColumns(const std::string& iniPath, const ColumnTable& table, int count) {
  count = std::clamp(count, 0, kMaxColumns);
  std::vector<profile::KeyValue> keys;
  for (int i = 0; i < count; ++i) {
    const ColumnDef& column = table[static_cast<std::size_t>(i)];
    keys.emplace_back("COL" + std::to_string(i + 1),
                      std::string(text_bytes::FieldText(column.heading)) + "," +
                          std::to_string(column.width) + "," + std::to_string(column.fieldId) +
                          "," + std::to_string(column.format));
  }
  keys.emplace_back("COUNT", std::to_string(count));
  return profile::WriteStrings(iniPath, kSection, keys);
}
