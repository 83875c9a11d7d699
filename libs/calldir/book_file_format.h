// The one place that knows the layout of the book file CallDir.csv (docs/calldir-format.md):
// a header line, then one CSV line per live entry, CR LF line ends, RFC 4180 quoting.
// Bytes in, bytes out: nothing here looks at CP932 pairs, so every byte but NUL comes back.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The longest record line: every text quoted with each byte a doubled quote, the longest
// inAdapter, the commas and CR LF. A sink's room for one record.
inline constexpr std::size_t kLongestRecord = 2 * (sizeof(BookEntry) - 3 * sizeof(std::int32_t)) +
                                              2 * (kFieldsPerRecord - 1) + 11 +
                                              (kFieldsPerRecord - 1) + 2;

// Where formatted bytes go: a file being written, or a string in a test. The formatter
// writes straight into the sink's buffer, so each field is copied once.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Room for `size` bytes after those put so far; nullptr when the sink fails.
  virtual char* Room(std::size_t size) = 0;
  // The first `size` bytes of the last room hold formatted bytes.
  virtual void Commit(std::size_t size) = 0;
};

class StringSink final : public ByteSink {
 public:
  char* Room(std::size_t size) override {
    text.resize(used_ + size);
    return text.data() + used_;
  }
  void Commit(std::size_t size) override {
    used_ += size;
    text.resize(used_);
  }
  std::string text;

 private:
  std::size_t used_ = 0;
};

// What the file keeps of an entry: each text cut to its field on a character boundary,
// terminated and zero-filled (the text of a field the caller left unterminated loses its
// last byte or character). viewSlot, deleted and inAdapter are left as they are.
void NormalizeEntry(BookEntry& entry);

// One record line, CR LF included, for a live entry, written at `out` (room for
// kLongestRecord bytes). Returns the end of the line.
char* FormatRecord(const BookEntry& entry, char* out);

// The same line appended to `line`.
void AppendRecord(const BookEntry& entry, std::string& line);

// The whole file: the header, then a line for every entry whose `deleted` is 0, in order.
// False when the sink refuses bytes.
bool FormatBook(std::span<const BookEntry> book, ByteSink& sink);

// Reads a book file fed in pieces of any size, each byte once: records become entries
// appended to `book` with viewSlot = their index and deleted = 0, their fields copied
// straight into place. The first fault stops it for good (what `book` then holds is
// unspecified; the caller drops it).
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

  // Between two records: every record fed so far is complete.
  bool BetweenRecords() const { return state_ == State::FieldStart && fieldIndex_ == 0; }

  // After a fault in a record (not in the header): drops the record being read and reads
  // on as if the next bytes fed began a record on line `line`.
  void ResumeAtLine(std::size_t line);

 private:
  enum class State { Header, HeaderEnd, FieldStart, Plain, Quoted, QuoteInQuoted, RecordEnd };

  bool Fail(Error error);
  bool Take(char byte);
  const char* CopyRun(const char* at, const char* end);
  bool Append(char byte);
  char* FieldBytes();
  std::size_t FieldLimit() const;
  void StartRecord();
  bool EndField();
  bool EndRecord();

  std::vector<BookEntry>& book_;
  State state_ = State::Header;
  Error error_ = Error::None;
  std::size_t line_ = 1;
  int fieldIndex_ = 0;
  std::size_t fieldLength_ = 0;
  BookEntry* entry_ = nullptr;  // the record being read, in place at the end of book_
  char shortField_[16];         // the header line, inAdapter and any field after it
};

// A record the tolerant read passed over: the line it starts on and what is wrong with it.
struct DamagedRecord {
  std::size_t line = 0;
  BookParser::Error error = BookParser::Error::None;
};

// Reads a whole book file that may hold damaged records (a kept backup): every record
// that parses comes into `book` as BookParser reads it, the line it starts on appended to
// `recordLines`; a damaged record is named in `damaged` and reading resumes on the line
// after the one it starts on. What the library itself opens stays as strict as ever: this
// is for the import. False when the first line is not the header.
bool ReadBookTolerantly(std::string_view file, std::vector<BookEntry>& book,
                        std::vector<std::size_t>& recordLines, std::vector<DamagedRecord>& damaged);

// The whole file as one string: for tests and tools (the library streams to its file).
std::string FormatBookText(std::span<const BookEntry> book);

}  // namespace calldir
