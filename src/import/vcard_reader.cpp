#include "import/vcard_reader.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "import/contact_mapping.h"
#include "import/utf8_text.h"
#include "platform/cp932.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Unquoted(std::string_view text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

// Hands out a file's lines one by one, each without its CR LF or LF.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return at_ >= bytes_.size(); }
  int NextLineNumber() const { return number_ + 1; }

  std::string_view Next() {
    const std::size_t lf = bytes_.find('\n', at_);
    const std::size_t end = lf == std::string_view::npos ? bytes_.size() : lf;
    std::string_view line = bytes_.substr(at_, end - at_);
    at_ = lf == std::string_view::npos ? bytes_.size() : lf + 1;
    ++number_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  // A folded line goes on on the next line, which starts with a space or a tab.
  bool NextIsFolded() const { return !AtEnd() && (bytes_[at_] == ' ' || bytes_[at_] == '\t'); }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
  int number_ = 0;
};

// A content line taken apart: "group.NAME;PARAM=x;BARE:value".
struct ContentLine {
  VCardProperty property;
  std::string charset;  // upper case
  bool quotedPrintable = false;
  bool binary = false;  // base64: a photo or a sound, never a text the import reads
};

// Where the value starts: after the first colon outside double quotes.
std::size_t ValueColon(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ':' && !quoted) return i;
  }
  return std::string_view::npos;
}

void AddTypes(std::string_view list, std::vector<std::string>& types) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view type = list.substr(0, comma);
    if (!type.empty()) types.push_back(Lower(type));
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
  }
}

void TakeParameter(std::string_view parameter, ContentLine& content) {
  const std::size_t equals = parameter.find('=');
  const std::string name =
      equals == std::string_view::npos ? "TYPE" : Upper(parameter.substr(0, equals));
  const std::string_view value =
      Unquoted(equals == std::string_view::npos ? parameter : parameter.substr(equals + 1));
  const std::string upperValue = Upper(value);
  // vCard 2.1 writes an encoding bare, like a type.
  if (name == "ENCODING" || upperValue == "QUOTED-PRINTABLE" || upperValue == "BASE64") {
    content.quotedPrintable = upperValue == "QUOTED-PRINTABLE";
    content.binary = upperValue == "BASE64" || upperValue == "B";
  } else if (name == "CHARSET") {
    content.charset = upperValue;
  } else if (name == "SORT-AS") {
    content.property.sortAs = value;
  } else if (name == "TYPE") {
    AddTypes(value, content.property.types);
  }
}

// The head of a line (before the value's colon): the name and the parameters.
std::optional<ContentLine> ParseHead(std::string_view head) {
  ContentLine content;
  bool quoted = false;
  std::size_t start = 0;
  bool first = true;
  for (std::size_t i = 0; i <= head.size(); ++i) {
    if (i < head.size() && head[i] == '"') quoted = !quoted;
    if (i < head.size() && (head[i] != ';' || quoted)) continue;
    const std::string_view part = head.substr(start, i - start);
    if (first) {
      const std::size_t dot = part.rfind('.');
      content.property.name = Upper(dot == std::string_view::npos ? part : part.substr(dot + 1));
      first = false;
    } else if (!part.empty()) {
      TakeParameter(part, content);
    }
    start = i + 1;
  }
  if (content.property.name.empty()) return std::nullopt;
  return content;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "=XX" is the byte XX; an "=" that starts no such pair stays as it is.
std::string DecodeQuotedPrintable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '=' && i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool IsCodePage932(const std::string& charset) {
  return charset == "SHIFT_JIS" || charset == "SJIS" || charset == "WINDOWS-31J" ||
         charset == "CP932" || charset == "SHIFT-JIS" || charset == "MS_KANJI";
}

// The value's bytes as UTF-8; nothing when they are not in the character set they claim
// (or, without a claim, neither UTF-8 nor code page 932).
std::optional<std::string> DecodeText(std::string bytes, const std::string& charset) {
  const bool claimsCodePage932 = IsCodePage932(charset);
  if (!claimsCodePage932 && utf8_text::IsValid(bytes)) return bytes;
  if (!claimsCodePage932 && charset == "UTF-8") return std::nullopt;
  cp932::Conversion converted = cp932::ToUtf8(bytes);
  if (!converted.ok) return std::nullopt;
  return std::move(converted.text);
}

bool IsCardBoundary(const VCardProperty& property, std::string_view name) {
  return property.name == name && Upper(utf8_text::Trim(property.value)) == "VCARD";
}

// Builds the cards line by line.
class CardCollector {
 public:
  void Begin(int line) {
    CutShort();
    card_ = VCard{};
    card_->line = line;
  }
  void End() {
    if (card_) cards_.push_back(std::move(*card_));
    card_.reset();
  }
  void Add(VCardProperty property) {
    if (card_) card_->properties.push_back(std::move(property));
  }
  void MarkMalformed() {
    if (card_) card_->malformed = true;
  }
  // A card without its END:VCARD.
  void CutShort() {
    MarkMalformed();
    End();
  }
  std::vector<VCard> Take() {
    CutShort();
    return std::move(cards_);
  }

 private:
  std::optional<VCard> card_;
  std::vector<VCard> cards_;
};

}  // namespace

std::vector<VCard> ParseVCards(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  LineCursor lines(bytes);
  CardCollector cards;
  while (!lines.AtEnd()) {
    const int lineNumber = lines.NextLineNumber();
    std::string line(lines.Next());
    while (lines.NextIsFolded()) line += lines.Next().substr(1);
    if (utf8_text::Trim(line).empty()) continue;

    const std::size_t colon = ValueColon(line);
    std::optional<ContentLine> content = colon == std::string::npos
                                             ? std::nullopt
                                             : ParseHead(std::string_view(line).substr(0, colon));
    if (!content) {
      cards.MarkMalformed();
      continue;
    }
    std::string value = line.substr(colon + 1);
    // A quoted-printable soft line break: "=" at the end joins the next line.
    while (content->quotedPrintable && value.ends_with('=') && !lines.AtEnd()) {
      value.pop_back();
      value += lines.Next();
    }
    if (content->quotedPrintable) value = DecodeQuotedPrintable(value);
    if (!content->binary) {
      std::optional<std::string> text = DecodeText(std::move(value), content->charset);
      if (!text) {
        cards.MarkMalformed();
        continue;
      }
      content->property.value = std::move(*text);
    }
    if (IsCardBoundary(content->property, "BEGIN")) {
      cards.Begin(lineNumber);
    } else if (IsCardBoundary(content->property, "END")) {
      cards.End();
    } else {
      cards.Add(std::move(content->property));
    }
  }
  return cards.Take();
}

FileReading ReadVCardFile(const std::string& fileName, std::string_view bytes,
                          ReadingDeriver* deriver) {
  FileReading reading;
  bool anyReadable = false;
  for (const VCard& card : ParseVCards(bytes)) {
    anyReadable = anyReadable || !card.malformed;
    for (ImportRecord& record : MapCard(card, deriver)) {
      record.file = fileName;
      reading.records.push_back(std::move(record));
    }
  }
  if (!anyReadable) {
    reading.records.clear();
    reading.refusal = fileName + " に読み取れる連絡先 (vCard) がありません。";
  }
  return reading;
}
