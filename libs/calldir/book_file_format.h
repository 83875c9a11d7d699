// The one place that knows the layout of the book file CallDir.csv (docs/calldir-format.md):
// a header line, then one CSV line per live entry, CR LF line ends, RFC 4180 quoting.
// Bytes in, bytes out: nothing here looks at CP932 pairs, so every byte but NUL comes back.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calldir/calldir.h"

namespace calldir {

// The first line: the format's name and version. Any other first line is not a book file.
inline constexpr std::string_view kFormatHeader = "DUDODE-CallDir,1";

// The 13 texts in BookEntry order, then inAdapter as a decimal.
inline constexpr int kFieldsPerRecord = 14;

// Where formatted bytes go: a file being written, or a string in a test.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Put(std::string_view bytes) = 0;
};

class StringSink final : public ByteSink {
 public:
  bool Put(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
  std::string text;
};

// What the file keeps of an entry: each text cut to its field on a character boundary,
// terminated and zero-filled (the text of a field the caller left unterminated loses its
// last byte or character). viewSlot, deleted and inAdapter are left as they are.
void NormalizeEntry(BookEntry& entry);

// One record line, CR LF included, for a live entry.
void AppendRecord(const BookEntry& entry, std::string& line);

// The whole file: the header, then a line for every entry whose `deleted` is 0, in order.
// False when the sink refuses bytes.
bool FormatBook(std::span<const BookEntry> book, ByteSink& sink);

// Reads a book file fed in pieces of any size. Records become entries appended to `book`
// with viewSlot = their index and deleted = 0. The first fault stops it for good.
class BookParser {
 public:
  enum class Error {
    None,
    BadHeader,       // the first line is not kFormatHeader
    BadLineEnd,      // a CR without LF, or an LF without CR outside quotes
    BadQuote,        // a quote inside an unquoted field, or text after a closing quote
    NulByte,         // no field can hold a NUL
    FieldTooLong,    // a text longer than its BookEntry field (width - 1), a long number
    FieldCount,      // a record without exactly kFieldsPerRecord fields
    BadNumber,       // inAdapter is not a canonical decimal int32
    TooManyEntries,  // more than BOOK_CAPACITY records
    Truncated,       // the file ends inside a line (a quote left open, no final CR LF)
  };

  explicit BookParser(std::vector<BookEntry>& book) : book_(book) {}

  bool Feed(std::string_view bytes);  // false once the file is known to be bad
  bool Finish();                      // true when the bytes fed make a whole book file
  Error error() const { return error_; }
  std::size_t line() const { return line_; }  // 1-based: the line of the fault

 private:
  enum class State { Header, HeaderEnd, FieldStart, Plain, Quoted, QuoteInQuoted, RecordEnd };

  bool Fail(Error error);
  bool Take(char byte);
  bool Append(char byte);
  bool AppendRun(const char* bytes, std::size_t size);
  bool EndField();
  bool EndRecord();

  std::vector<BookEntry>& book_;
  State state_ = State::Header;
  Error error_ = Error::None;
  std::size_t line_ = 1;
  int fieldIndex_ = 0;
  std::size_t fieldLength_ = 0;
  char field_[128];  // longer than any field's text
  BookEntry entry_{};
};

// The whole file as one string: for tests and tools (the library streams to its file).
std::string FormatBookText(std::span<const BookEntry> book);

}  // namespace calldir
