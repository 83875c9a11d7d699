#include "import/contact_mapping.h"

#include <algorithm>

#include "import/kana_reading.h"
#include "import/reading_deriver.h"
#include "import/utf8_text.h"
#include "platform/cp932.h"

namespace {

bool HasType(const VCardProperty& property, std::string_view type) {
  return std::find(property.types.begin(), property.types.end(), type) != property.types.end();
}

// A value's text with its escapes undone; a line break (escaped or real) becomes a space,
// since every field is one line.
std::string Unescaped(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\' && i + 1 < value.size()) {
      const char escaped = value[++i];
      if (escaped == 'n' || escaped == 'N') {
        out += ' ';
      } else if (escaped == ',' || escaped == ';' || escaped == '\\') {
        out += escaped;
      } else {
        out += c;
        out += escaped;
      }
    } else if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
      // CR LF is one line break: the LF makes the space.
    } else if (c == '\r' || c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// The components of a structured value (N, ADR, ORG, SOUND), split at unescaped ';'.
std::vector<std::string> Components(std::string_view value) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= value.size(); ++i) {
    if (i < value.size() && value[i] == '\\') {
      ++i;
      continue;
    }
    if (i < value.size() && value[i] != ';') continue;
    parts.push_back(std::string(utf8_text::Trim(Unescaped(value.substr(start, i - start)))));
    start = i + 1;
  }
  return parts;
}

std::string ComponentAt(const std::vector<std::string>& parts, std::size_t index) {
  return index < parts.size() ? parts[index] : std::string();
}

bool EndsWithAscii(std::string_view text) {
  return static_cast<unsigned char>(text.back()) < 0x80;
}

// Parts joined in order, the empty ones left out. Japanese runs on without a space
// ("東京都" "千代田区"); a space goes where either side is Latin ("Tokyo" "Chiyoda").
std::string JoinParts(const std::vector<std::string>& parts, bool alwaysSpace) {
  std::string out;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!out.empty() &&
        (alwaysSpace || EndsWithAscii(out) || static_cast<unsigned char>(part.front()) < 0x80)) {
      out += ' ';
    }
    out += part;
  }
  return out;
}

// Family name then given name, as the book's entries are written ("山田 太郎").
std::string JoinName(const std::string& family, const std::string& given) {
  return JoinParts({family, given}, true);
}

// The first property named `name` that `accepts` takes.
template <typename Predicate>
const VCardProperty* Find(const VCard& card, std::string_view name, Predicate accepts) {
  for (const VCardProperty& property : card.properties) {
    if (property.name == name && accepts(property)) return &property;
  }
  return nullptr;
}

const VCardProperty* Find(const VCard& card, std::string_view name) {
  return Find(card, name, [](const VCardProperty&) { return true; });
}

std::string Text(const VCardProperty* property) {
  return property ? std::string(utf8_text::Trim(Unescaped(property->value))) : std::string();
}

std::vector<std::string> ComponentsOf(const VCardProperty* property) {
  return property ? Components(property->value) : std::vector<std::string>();
}

std::string NameOf(const VCard& card) {
  const std::vector<std::string> n = ComponentsOf(Find(card, "N"));
  std::string name = JoinName(ComponentAt(n, 0), ComponentAt(n, 1));
  if (name.empty()) name = Text(Find(card, "FN"));
  if (name.empty()) name = JoinParts(ComponentsOf(Find(card, "ORG")), true);
  return name;
}

// The reading the card carries, in the order phones write it; empty when none.
std::string CarriedReading(const VCard& card) {
  const VCardProperty* sound =
      Find(card, "SOUND", [](const VCardProperty& p) { return HasType(p, "x-irmc-n"); });
  if (sound != nullptr) {
    const std::vector<std::string> parts = Components(sound->value);
    return JoinName(ComponentAt(parts, 0), ComponentAt(parts, 1));
  }
  const std::string phonetic =
      JoinName(Text(Find(card, "X-PHONETIC-LAST-NAME")), Text(Find(card, "X-PHONETIC-FIRST-NAME")));
  if (!phonetic.empty()) return phonetic;
  const VCardProperty* n = Find(card, "N");
  if (n != nullptr && !n->sortAs.empty()) {
    // SORT-AS on N: the family name's sort string, then the given name's.
    const std::vector<std::string> parts = Components(n->sortAs);
    const std::string sortAs = parts.empty() ? std::string() : parts.front();
    const std::size_t comma = sortAs.find(',');
    if (comma == std::string::npos) return std::string(utf8_text::Trim(sortAs));
    return JoinName(std::string(utf8_text::Trim(sortAs.substr(0, comma))),
                    std::string(utf8_text::Trim(sortAs.substr(comma + 1))));
  }
  return {};
}

// Each space-separated part of the name read by the analyser, joined like the name. Empty
// when a part does not come back as a reading the entry rules accept.
std::string DerivedReading(std::string_view name, ReadingDeriver& deriver) {
  std::string reading;
  std::size_t at = 0;
  while (at < name.size()) {
    std::size_t end = name.find(' ', at);
    if (end == std::string_view::npos) end = name.size();
    const std::string_view part = utf8_text::Trim(name.substr(at, end - at));
    at = end + 1;
    if (part.empty()) continue;
    if (!reading.empty()) reading += ' ';
    reading += ToHiraganaReading(deriver.Derive(part));
  }
  return IsAcceptedReading(reading) ? reading : std::string();
}

enum class TelKind { Voice, Fax, Other };

TelKind KindOf(const VCardProperty& tel) {
  if (HasType(tel, "fax")) return TelKind::Fax;
  for (const char* voice : {"voice", "cell", "home", "work"}) {
    if (HasType(tel, voice)) return TelKind::Voice;
  }
  // "pref" says only which number comes first: with no other type it is a voice number.
  const bool untyped = std::all_of(tel.types.begin(), tel.types.end(), [](const std::string& t) {
    return t == "pref" || t.starts_with("x-");
  });
  return untyped ? TelKind::Voice : TelKind::Other;
}

// A home ADR, or one that says neither home nor work.
bool IsHomeAddress(const VCardProperty& adr) {
  return HasType(adr, "home") || !HasType(adr, "work");
}

// ADR's components: box; extended; street; locality; region; postal code; country.
// Japanese addresses run from the region down.
std::string AddressText(const std::vector<std::string>& adr) {
  const std::string mainPart =
      JoinParts({ComponentAt(adr, 4), ComponentAt(adr, 3), ComponentAt(adr, 2)}, false);
  return JoinParts({mainPart, ComponentAt(adr, 1)}, true);
}

// Puts a UTF-8 text into the record's field in code page 932, or, when code page 932
// cannot hold it, keeps it aside for the user (the field stays empty).
void SetText(ImportRecord& record, EntryField field, const std::string& utf8) {
  if (utf8.empty()) return;
  if (utf8_text::IsAscii(utf8)) {
    FieldOf(record.form, field) = utf8;
    return;
  }
  cp932::Conversion held = cp932::FromUtf8(utf8);
  if (held.ok) {
    FieldOf(record.form, field) = std::move(held.text);
  } else {
    record.unheld.push_back({field, utf8});
  }
}

// Full-width digits and signs as phones in Japan sometimes write them.
char32_t PlainDigit(char32_t c) {
  if (c >= U'０' && c <= U'９') return U'0' + (c - U'０');
  if (c == U'－' || c == U'‐' || c == U'−' || c == U'ー') return U'-';
  if (c == U'＋') return U'+';
  return c;
}

// vCard 4 may write a number as a URI: "tel:+81-3-1234-5678;ext=12".
std::string_view WithoutUri(std::string_view value) {
  const bool uri =
      value.size() >= 4 && (value.substr(0, 4) == "tel:" || value.substr(0, 4) == "TEL:");
  if (!uri) return value;
  value.remove_prefix(4);
  return value.substr(0, value.find(';'));
}

}  // namespace

MappedNumber MapNumber(std::string_view telValue) {
  const std::string_view value = WithoutUri(utf8_text::Trim(telValue));
  std::string plain;
  for (std::size_t at = 0; at < value.size();) {
    const char32_t c = PlainDigit(utf8_text::Next(value, at));
    const bool dropped = c == U' ' || c == U'\u3000' || c == U'(' || c == U')' || c == U'（' ||
                         c == U'）' || c == U'.' || c == U'\t';
    if (!dropped) utf8_text::Append(plain, c);
  }
  MappedNumber mapped;
  if (plain.starts_with("+81")) {
    std::string_view national = std::string_view(plain).substr(3);
    while (national.starts_with('-')) national.remove_prefix(1);
    if (national.starts_with('0')) national.remove_prefix(1);
    mapped.text = "0" + std::string(national);
  } else {
    mapped.foreign = plain.starts_with('+');
    mapped.text = plain;
  }
  return mapped;
}

std::vector<ImportRecord> MapCard(const VCard& card, ReadingDeriver* deriver) {
  ImportRecord base;
  base.line = card.line;
  if (card.malformed) {
    base.skip = SkipReason::MalformedCard;
    return {base};
  }
  const std::string name = NameOf(card);
  SetText(base, EntryField::Name, name);
  std::string reading = ToHiraganaReading(CarriedReading(card));
  if (reading.empty() && deriver != nullptr && !name.empty()) {
    reading = DerivedReading(name, *deriver);
    base.readingDerived = !reading.empty();
  }
  SetText(base, EntryField::NameKana, reading);

  const VCardProperty* home = Find(card, "ADR", IsHomeAddress);
  const std::vector<std::string> homeParts = ComponentsOf(home);
  SetText(base, EntryField::Address, AddressText(homeParts));
  SetText(base, EntryField::PostalCode, ComponentAt(homeParts, 5));
  const VCardProperty* work =
      Find(card, "ADR", [](const VCardProperty& p) { return !IsHomeAddress(p); });
  SetText(base, EntryField::CompanyAddress, AddressText(ComponentsOf(work)));
  SetText(base, EntryField::Company, JoinParts(ComponentsOf(Find(card, "ORG")), true));
  SetText(base, EntryField::Email, Text(Find(card, "EMAIL")));
  const VCardProperty* fax =
      Find(card, "TEL", [](const VCardProperty& p) { return KindOf(p) == TelKind::Fax; });
  if (fax != nullptr) SetText(base, EntryField::Fax, MapNumber(Unescaped(fax->value)).text);

  std::vector<ImportRecord> records;
  for (const VCardProperty& tel : card.properties) {
    if (tel.name != "TEL" || KindOf(tel) != TelKind::Voice) continue;
    const MappedNumber number = MapNumber(Unescaped(tel.value));
    if (number.text.empty()) continue;
    ImportRecord& record = records.emplace_back(base);
    SetText(record, EntryField::Number, number.text);
    if (number.foreign) record.skip = SkipReason::ForeignNumber;
  }
  if (records.empty()) {
    base.skip = SkipReason::NoNumber;
    records.push_back(std::move(base));
  }
  return records;
}
