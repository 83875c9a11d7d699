#include "book_file_format.h"

#include <charconv>
#include <cstddef>
#include <cstring>
#include <iterator>

#include "platform/text_bytes.h"

namespace calldir {

namespace {

struct TextField {
  std::size_t offset;
  std::size_t width;  // the NUL included
};

#define CALLDIR_TEXT_FIELD(name)                       \
  TextField {                                          \
    offsetof(BookEntry, name), sizeof(BookEntry::name) \
  }

// The 13 texts in the order of the file, which is the order of BookEntry.
constexpr TextField kTextFields[] = {
    CALLDIR_TEXT_FIELD(number),         CALLDIR_TEXT_FIELD(name),
    CALLDIR_TEXT_FIELD(address),        CALLDIR_TEXT_FIELD(company),
    CALLDIR_TEXT_FIELD(companyAddress), CALLDIR_TEXT_FIELD(fax),
    CALLDIR_TEXT_FIELD(postalCode),     CALLDIR_TEXT_FIELD(nameKana),
    CALLDIR_TEXT_FIELD(email),          CALLDIR_TEXT_FIELD(callAccept),
    CALLDIR_TEXT_FIELD(adapterWanted),  CALLDIR_TEXT_FIELD(illumination),
    CALLDIR_TEXT_FIELD(registeredName),
};
#undef CALLDIR_TEXT_FIELD

constexpr int kTextFieldCount = static_cast<int>(std::size(kTextFields));
static_assert(kTextFieldCount + 1 == kFieldsPerRecord);

// "-2147483648": the longest inAdapter.
constexpr std::size_t kNumberLength = 11;

const char* FieldOf(const BookEntry& entry, const TextField& field) {
  return reinterpret_cast<const char*>(&entry) + field.offset;
}

char* FieldOf(BookEntry& entry, const TextField& field) {
  return reinterpret_cast<char*>(&entry) + field.offset;
}

// The length of a field's text when it is terminated inside the field; else `width`.
std::size_t TextLength(const char* field, std::size_t width) {
  const void* nul = std::memchr(field, '\0', width);
  return nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : width;
}

// The text a field stores: up to its NUL. A terminated text always fits whole; only an
// unterminated one is cut, on a character boundary, to leave room for the NUL.
std::string_view StoredText(const char* field, std::size_t width) {
  const std::string_view text(field, TextLength(field, width));
  if (text.size() < width) return text;
  return text.substr(0, text_bytes::BoundaryLength(text, width - 1));
}

// The bytes that end or break an unquoted field.
bool IsSpecialInPlain(char byte) {
  return byte == ',' || byte == '\r' || byte == '\n' || byte == '"' || byte == '\0';
}

bool NeedsQuotes(std::string_view text) {
  return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

void AppendField(std::string_view text, std::string& line) {
  if (!NeedsQuotes(text)) {
    line.append(text);
    return;
  }
  line += '"';
  for (const char byte : text) {
    if (byte == '"') line += '"';
    line += byte;
  }
  line += '"';
}

// Only the form the writer produces: "0", or an optional "-" and digits without a leading 0.
bool ParseCanonicalInt(std::string_view text, std::int32_t& value) {
  const std::string_view digits = !text.empty() && text[0] == '-' ? text.substr(1) : text;
  if (digits.empty() || (digits[0] == '0' && text.size() > 1)) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

void NormalizeEntry(BookEntry& entry) {
  for (const TextField& field : kTextFields) {
    char* bytes = FieldOf(entry, field);
    const std::size_t length = TextLength(bytes, field.width);
    if (length < field.width) {
      // Terminated: the text stays, whatever lies behind its NUL is cleared.
      std::memset(bytes + length, 0, field.width - length);
    } else {
      char text[128];
      std::memcpy(text, bytes, length);  // FillField must not copy onto itself
      text_bytes::FillField(bytes, field.width, std::string_view(text, length));
    }
  }
}

void AppendRecord(const BookEntry& entry, std::string& line) {
  for (const TextField& field : kTextFields) {
    AppendField(StoredText(FieldOf(entry, field), field.width), line);
    line += ',';
  }
  char digits[kNumberLength + 1];
  const auto result = std::to_chars(digits, digits + sizeof digits, entry.inAdapter);
  line.append(digits, result.ptr);
  line += "\r\n";
}

bool FormatBook(std::span<const BookEntry> book, ByteSink& sink) {
  std::string line;
  line.reserve(1024);
  line.append(kFormatHeader);
  line += "\r\n";
  if (!sink.Put(line)) return false;
  for (const BookEntry& entry : book) {
    if (entry.deleted != 0) continue;  // deleted entries are dropped, never stored
    line.clear();
    AppendRecord(entry, line);
    if (!sink.Put(line)) return false;
  }
  return true;
}

std::string FormatBookText(std::span<const BookEntry> book) {
  StringSink sink;
  FormatBook(book, sink);
  return sink.text;
}

bool BookParser::Fail(Error error) {
  error_ = error;
  return false;
}

bool BookParser::Feed(std::string_view bytes) {
  if (error_ != Error::None) return false;
  const char* at = bytes.data();
  const char* const end = at + bytes.size();
  while (at < end) {
    // Inside a field, copy a run of plain text bytes at once; everything else, and every
    // rule, goes through Take one byte at a time.
    if (state_ == State::Plain || state_ == State::Quoted) {
      const char* run = at;
      if (state_ == State::Plain) {
        while (run < end && !IsSpecialInPlain(*run)) ++run;
      } else {
        while (run < end && *run != '"' && *run != '\0') ++run;
      }
      if (run != at) {
        if (!AppendRun(at, static_cast<std::size_t>(run - at))) return false;
        at = run;
        continue;
      }
    }
    if (!Take(*at++)) return false;
  }
  return true;
}

bool BookParser::Finish() {
  if (error_ != Error::None) return false;
  if (state_ == State::Header || state_ == State::HeaderEnd) return Fail(Error::BadHeader);
  // Only right after a record's CR LF (or the header's) is a file complete.
  if (state_ != State::FieldStart || fieldIndex_ != 0) return Fail(Error::Truncated);
  return true;
}

bool BookParser::Append(char byte) {
  return AppendRun(&byte, 1);
}

bool BookParser::AppendRun(const char* bytes, std::size_t size) {
  const std::size_t limit =
      fieldIndex_ < kTextFieldCount ? kTextFields[fieldIndex_].width - 1 : kNumberLength;
  if (size > limit - fieldLength_) return Fail(Error::FieldTooLong);
  std::memcpy(field_ + fieldLength_, bytes, size);
  fieldLength_ += size;
  return true;
}

bool BookParser::EndField() {
  const std::string_view text(field_, fieldLength_);
  if (fieldIndex_ < kTextFieldCount) {
    const TextField& field = kTextFields[fieldIndex_];
    text_bytes::FillField(FieldOf(entry_, field), field.width, text);
  } else if (fieldIndex_ == kTextFieldCount) {
    if (!ParseCanonicalInt(text, entry_.inAdapter)) return Fail(Error::BadNumber);
  } else {
    return Fail(Error::FieldCount);
  }
  ++fieldIndex_;
  fieldLength_ = 0;
  return true;
}

bool BookParser::EndRecord() {
  if (fieldIndex_ != kFieldsPerRecord) return Fail(Error::FieldCount);
  if (book_.size() >= BOOK_CAPACITY) return Fail(Error::TooManyEntries);
  entry_.viewSlot = static_cast<std::int32_t>(book_.size());
  entry_.deleted = 0;
  book_.push_back(entry_);
  entry_ = BookEntry{};
  fieldIndex_ = 0;
  ++line_;
  return true;
}

// One byte through the state machine. Bytes are never paired: CP932 trail bytes are never
// '"', ',', CR or LF, so a field ending in a lone lead byte parses like any other.
bool BookParser::Take(char byte) {
  if (byte == '\0') return Fail(state_ == State::Header ? Error::BadHeader : Error::NulByte);
  switch (state_) {
    case State::Header:
      if (byte == '\r') {
        if (fieldLength_ != kFormatHeader.size() ||
            std::string_view(field_, fieldLength_) != kFormatHeader) {
          return Fail(Error::BadHeader);
        }
        state_ = State::HeaderEnd;
      } else {
        if (fieldLength_ >= kFormatHeader.size()) return Fail(Error::BadHeader);
        field_[fieldLength_++] = byte;
      }
      return true;
    case State::HeaderEnd:
      if (byte != '\n') return Fail(Error::BadHeader);
      fieldLength_ = 0;
      ++line_;
      state_ = State::FieldStart;
      return true;
    case State::FieldStart:
      if (byte == '"') {
        state_ = State::Quoted;
        return true;
      }
      state_ = State::Plain;
      [[fallthrough]];
    case State::Plain:
      switch (byte) {
        case ',':
          state_ = State::FieldStart;
          return EndField();
        case '\r':
          state_ = State::RecordEnd;
          return EndField();
        case '\n':
          return Fail(Error::BadLineEnd);
        case '"':
          return Fail(Error::BadQuote);
        default:
          return Append(byte);
      }
    case State::Quoted:
      if (byte == '"') {
        state_ = State::QuoteInQuoted;
        return true;
      }
      return Append(byte);  // commas, CR and LF included
    case State::QuoteInQuoted:
      switch (byte) {
        case '"':  // a doubled quote stands for one
          state_ = State::Quoted;
          return Append(byte);
        case ',':
          state_ = State::FieldStart;
          return EndField();
        case '\r':
          state_ = State::RecordEnd;
          return EndField();
        default:
          return Fail(Error::BadQuote);
      }
    case State::RecordEnd:
      if (byte != '\n') return Fail(Error::BadLineEnd);
      state_ = State::FieldStart;
      return EndRecord();
  }
  return Fail(Error::Truncated);
}

}  // namespace calldir
