#include "book_file_format.h"

#include <array>
#include <bit>
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

// Eight bytes at a time (the texts are short, a call or a test per byte would cost more
// than the bytes): in `word`, the bytes equal to `byte` get their top bit set. Bits above
// a match may be set falsely, the lowest set bit never is, so it finds the first match.
constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kTops = 0x8080808080808080;
static_assert(std::endian::native == std::endian::little, "the lowest byte comes first");

inline std::uint64_t Load8(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

inline std::uint64_t Matches(std::uint64_t word, unsigned char byte) {
  const std::uint64_t x = word ^ (kOnes * byte);
  return (x - kOnes) & ~x & kTops;
}

// The bytes that end an unquoted field in a file, or make the writer quote, or end a text.
inline std::uint64_t SpecialBytes(std::uint64_t word) {
  return Matches(word, ',') | Matches(word, '"') | Matches(word, '\r') | Matches(word, '\n') |
         Matches(word, '\0');
}

std::size_t FirstMatch(std::uint64_t matches) {
  return static_cast<std::size_t>(std::countr_zero(matches)) / 8;
}

// The length of a field's text when it is terminated inside the field; else `width`.
std::size_t TextLength(const char* field, std::size_t width) {
  std::size_t length = 0;
  for (; length + 8 <= width; length += 8) {
    const std::uint64_t nul = Matches(Load8(field + length), '\0');
    if (nul != 0) return length + FirstMatch(nul);
  }
  while (length < width && field[length] != '\0') ++length;
  return length;
}

bool AllZero(const char* bytes, std::size_t size) {
  std::uint64_t any = 0;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) any |= Load8(bytes + i);
  for (; i < size; ++i) any |= static_cast<unsigned char>(bytes[i]);
  return any == 0;
}

// What each byte means to the writer and the reader, looked up rather than tested.
enum ByteClass : unsigned char {
  kOrdinary = 0,
  kQuoteOnly = 1,  // ends a quoted field's run: '"'
  kEndsPlain = 2,  // ends an unquoted field's run, and makes the writer quote: ',' CR LF
  kNul = 4,        // ends a field's text in memory, and every run in a file
};

constexpr std::array<unsigned char, 256> MakeByteClasses() {
  std::array<unsigned char, 256> classes{};
  classes[','] = classes['\r'] = classes['\n'] = kEndsPlain;
  classes['"'] = kEndsPlain | kQuoteOnly;
  classes[0] = kNul;
  return classes;
}
constexpr std::array<unsigned char, 256> kByteClass = MakeByteClasses();

unsigned char ClassOf(char byte) {
  return kByteClass[static_cast<unsigned char>(byte)];
}

// Writes the text a field stores: up to its NUL, or for an unterminated field cut on a
// character boundary to leave room for the NUL. Each byte is copied as it is classified;
// only a text holding a comma, quote, CR or LF is written again, quoted.
char* PutField(const char* field, std::size_t width, char* out) {
  std::size_t length = 0;
  for (; length + 8 <= width; length += 8) {
    const std::uint64_t word = Load8(field + length);
    if (SpecialBytes(word) != 0) break;  // the bytes of this word are taken one by one
    std::memcpy(out + length, &word, sizeof word);
  }
  unsigned char seen = 0;
  for (; length < width; ++length) {
    const unsigned char byteClass = ClassOf(field[length]);
    if (byteClass == kNul) break;
    seen |= byteClass;
    out[length] = field[length];
  }
  if (length == width) {
    length = text_bytes::BoundaryLength(std::string_view(field, width), width - 1);
    seen = 0;
    for (std::size_t i = 0; i < length; ++i) seen |= ClassOf(field[i]);
  }
  if (seen == 0) return out + length;
  *out++ = '"';
  for (std::size_t i = 0; i < length; ++i) {
    if (field[i] == '"') *out++ = '"';
    *out++ = field[i];
  }
  *out++ = '"';
  return out;
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
      // Terminated: the text stays, whatever lies behind its NUL is cleared. Programs fill
      // their fields zero-padded, so the bytes are read before any is written.
      if (!AllZero(bytes + length, field.width - length)) {
        std::memset(bytes + length, 0, field.width - length);
      }
    } else {
      char text[128];
      std::memcpy(text, bytes, length);  // FillField must not copy onto itself
      text_bytes::FillField(bytes, field.width, std::string_view(text, length));
    }
  }
}

char* FormatRecord(const BookEntry& entry, char* out) {
  for (const TextField& field : kTextFields) {
    out = PutField(FieldOf(entry, field), field.width, out);
    *out++ = ',';
  }
  out = std::to_chars(out, out + kNumberLength, entry.inAdapter).ptr;
  *out++ = '\r';
  *out++ = '\n';
  return out;
}

void AppendRecord(const BookEntry& entry, std::string& line) {
  char record[kLongestRecord];
  line.append(record, FormatRecord(entry, record));
}

bool FormatBook(std::span<const BookEntry> book, ByteSink& sink) {
  char* out = sink.Room(kFormatHeader.size() + 2);
  if (out == nullptr) return false;
  std::memcpy(out, kFormatHeader.data(), kFormatHeader.size());
  std::memcpy(out + kFormatHeader.size(), "\r\n", 2);
  sink.Commit(kFormatHeader.size() + 2);
  for (const BookEntry& entry : book) {
    if (entry.deleted != 0) continue;  // deleted entries are dropped, never stored
    out = sink.Room(kLongestRecord);
    if (out == nullptr) return false;
    sink.Commit(static_cast<std::size_t>(FormatRecord(entry, out) - out));
  }
  return true;
}

std::string FormatBookText(std::span<const BookEntry> book) {
  StringSink sink;
  FormatBook(book, sink);
  return sink.text;
}

void BookParser::ResumeAtLine(std::size_t line) {
  if (!BetweenRecords()) book_.pop_back();  // the record the fault stopped in (or the one too many)
  state_ = State::FieldStart;
  error_ = Error::None;
  fieldIndex_ = 0;
  fieldLength_ = 0;
  line_ = line;
}

namespace {

// Where the line that starts at `from` ends: after its LF, or at the end of the file.
std::size_t LineEnd(std::string_view file, std::size_t from) {
  const std::size_t lf = file.find('\n', from);
  return lf == std::string_view::npos ? file.size() : lf + 1;
}

}  // namespace

bool ReadBookTolerantly(std::string_view file, std::vector<BookEntry>& book,
                        std::vector<std::size_t>& recordLines,
                        std::vector<DamagedRecord>& damaged) {
  BookParser parser(book);
  std::size_t at = LineEnd(file, 0);
  if (!parser.Feed(file.substr(0, at)) || !parser.BetweenRecords() || parser.line() != 2) {
    return false;
  }
  // Fed a line at a time, so that a fault can be traced to the line its record starts on.
  std::size_t recordStart = at;
  std::size_t recordLine = 2;
  std::size_t line = 2;
  for (;;) {
    bool damagedRecord = false;
    if (at < file.size()) {
      const std::size_t end = LineEnd(file, at);
      damagedRecord = !parser.Feed(file.substr(at, end - at));
      at = end;
      ++line;
      if (!damagedRecord && !parser.BetweenRecords()) continue;  // a quoted field goes on
    } else if (parser.Finish()) {
      return true;
    } else {
      damagedRecord = true;  // the file ends inside the record
    }
    if (damagedRecord) {
      damaged.push_back({recordLine, parser.error()});
      // The record's first line alone is given up: a stray quote there must not swallow
      // the good lines behind it.
      at = LineEnd(file, recordStart);
      line = recordLine + 1;
      parser.ResumeAtLine(line);
    } else {
      recordLines.push_back(recordLine);
    }
    recordStart = at;
    recordLine = line;
  }
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
    // Inside a field, a run of ordinary bytes goes straight into its place, and the
    // common steps between texts (an unquoted field starting, a comma ending one) are
    // taken here; every other byte, and every rule, goes through Take.
    if (state_ == State::FieldStart && ClassOf(*at) == kOrdinary) {
      if (fieldIndex_ == 0) StartRecord();
      state_ = State::Plain;
    }
    if (state_ == State::Plain || state_ == State::Quoted) {
      at = CopyRun(at, end);
      if (at == nullptr) return false;
      if (at == end) break;
      if (*at == ',' && state_ == State::Plain && fieldIndex_ < kTextFieldCount) {
        ++at;
        ++fieldIndex_;  // the text is in place already
        fieldLength_ = 0;
        state_ = State::FieldStart;
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

// Where the field being read goes: a text into its place in the entry, anything after the
// texts into shortField_.
char* BookParser::FieldBytes() {
  if (fieldIndex_ < kTextFieldCount) return FieldOf(*entry_, kTextFields[fieldIndex_]);
  return shortField_;
}

std::size_t BookParser::FieldLimit() const {
  return fieldIndex_ < kTextFieldCount ? kTextFields[fieldIndex_].width - 1 : kNumberLength;
}

// Copies the bytes from `at` up to the next one that matters to the state; returns where
// they end, or nullptr when the field grows longer than it may. The entry was zero-filled,
// so a text that fits is already terminated: no second pass over it.
const char* BookParser::CopyRun(const char* at, const char* end) {
  const unsigned char stops = state_ == State::Plain ? kEndsPlain | kNul : kQuoteOnly | kNul;
  const std::size_t room = FieldLimit() - fieldLength_;
  // A run longer than the room fails whatever follows it: look no further than that.
  const char* const last = static_cast<std::size_t>(end - at) > room ? at + room + 1 : end;
  // Each byte is copied as it is looked at (fields are short: a memcpy call would cost
  // more). A run one byte too long lands on the field's terminator, inside the field, and
  // fails the file.
  char* const to = FieldBytes() + fieldLength_;
  std::size_t size = 0;
  while (at + size < last && (ClassOf(at[size]) & stops) == 0) {
    to[size] = at[size];
    ++size;
  }
  if (size > room) {
    Fail(Error::FieldTooLong);
    return nullptr;
  }
  fieldLength_ += size;
  return at + size;
}

bool BookParser::Append(char byte) {
  if (fieldLength_ >= FieldLimit()) return Fail(Error::FieldTooLong);
  FieldBytes()[fieldLength_++] = byte;
  return true;
}

void BookParser::StartRecord() {
  entry_ = &book_.emplace_back();  // zero-filled
}

bool BookParser::EndField() {
  if (fieldIndex_ == kTextFieldCount) {
    if (!ParseCanonicalInt({shortField_, fieldLength_}, entry_->inAdapter)) {
      return Fail(Error::BadNumber);
    }
  } else if (fieldIndex_ > kTextFieldCount) {
    return Fail(Error::FieldCount);
  }
  ++fieldIndex_;
  fieldLength_ = 0;
  return true;
}

bool BookParser::EndRecord() {
  if (fieldIndex_ != kFieldsPerRecord) return Fail(Error::FieldCount);
  // The record is already in the book: it is one too many when the book holds more.
  if (book_.size() > BOOK_CAPACITY) return Fail(Error::TooManyEntries);
  entry_->viewSlot = static_cast<std::int32_t>(book_.size() - 1);
  entry_->deleted = 0;
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
        if (std::string_view(shortField_, fieldLength_) != kFormatHeader) {
          return Fail(Error::BadHeader);
        }
        state_ = State::HeaderEnd;
      } else {
        if (fieldLength_ >= kFormatHeader.size()) return Fail(Error::BadHeader);
        shortField_[fieldLength_++] = byte;
      }
      return true;
    case State::HeaderEnd:
      if (byte != '\n') return Fail(Error::BadHeader);
      fieldLength_ = 0;
      ++line_;
      state_ = State::FieldStart;
      return true;
    case State::FieldStart:
      if (fieldIndex_ == 0) StartRecord();
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
