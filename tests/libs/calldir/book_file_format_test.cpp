// The book file's line format: quoting, the byte-wise parser and every way a file is bad.
#include "book_file_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>

#include "libs/calldir/calldir_test_support.h"

namespace {

using calldir::BookParser;
using calldir_test::MakeBook;
using calldir_test::Set;
using Error = calldir::BookParser::Error;

const std::string kHead = "DUDODE-CallDir,1\r\n";
const std::string kEmptyRecord = ",,,,,,,,,,,,,0\r\n";

std::string Line(const BookEntry& e) {
  std::string line;
  calldir::AppendRecord(e, line);
  return line;
}

struct Parsed {
  bool ok = false;
  Error error = Error::None;
  std::size_t line = 0;
  std::vector<BookEntry> book;
};

Parsed Parse(const std::string& bytes, std::size_t chunk = 0) {
  Parsed p;
  BookParser parser(p.book);
  bool fed = true;
  if (chunk == 0) {
    fed = parser.Feed(bytes);
  } else {
    for (std::size_t at = 0; fed && at < bytes.size(); at += chunk) {
      fed = parser.Feed(std::string_view(bytes).substr(at, chunk));
    }
  }
  p.ok = fed && parser.Finish();
  p.error = parser.error();
  p.line = parser.line();
  return p;
}

BookEntry Blank() {
  BookEntry e{};
  Set(e.callAccept, "1");
  Set(e.adapterWanted, "0");
  Set(e.illumination, "0");
  return e;
}

// One entry with `text` in the field `set` fills, written and read back.
template <typename Setter>
void ExpectRoundTrip(Setter set, const std::string& text, const std::string& expectedLine) {
  BookEntry e = Blank();
  set(e, text);
  const std::string line = Line(e);
  if (!expectedLine.empty()) {
    EXPECT_EQ(line, expectedLine);
  }
  const Parsed p = Parse(kHead + line);
  ASSERT_TRUE(p.ok) << static_cast<int>(p.error);
  ASSERT_EQ(p.book.size(), 1u);
  EXPECT_TRUE(calldir_test::SameStoredPart(e, p.book[0]));
}

TEST(BookFileFormat, AnEmptyBookIsTheHeaderLineAlone) {
  EXPECT_EQ(calldir::FormatBookText({}), kHead);
  const Parsed p = Parse(kHead);
  EXPECT_TRUE(p.ok);
  EXPECT_TRUE(p.book.empty());
}

TEST(BookFileFormat, ARecordIsTheThirteenTextsAndInAdapterInEntryOrder) {
  BookEntry e{};
  Set(e.number, "03-1234-5678");
  Set(e.name, "\x8e\x52\x93\x63");  // 山田
  Set(e.address, "a");
  Set(e.company, "b");
  Set(e.companyAddress, "c");
  Set(e.fax, "d");
  Set(e.postalCode, "100-0001");
  Set(e.nameKana, "\x82\xe2\x82\xdc\x82\xbe");
  Set(e.email, "e@x.jp");
  Set(e.callAccept, "1");
  Set(e.adapterWanted, "0");
  Set(e.illumination, "3");
  Set(e.registeredName, "\xd4\xcf\xc0\xde");
  e.inAdapter = 1;
  e.viewSlot = 42;  // not stored
  EXPECT_EQ(Line(e),
            "03-1234-5678,\x8e\x52\x93\x63,a,b,c,d,100-0001,\x82\xe2\x82\xdc\x82\xbe,e@x.jp,1,0,3,"
            "\xd4\xcf\xc0\xde,1\r\n");
}

TEST(BookFileFormat, QuotesAFieldOnlyWhenItHoldsACommaAQuoteCrOrLf) {
  const auto address = [](BookEntry& e, const std::string& t) { Set(e.address, t); };
  ExpectRoundTrip(address, "a,b", ",,\"a,b\",,,,,,,1,0,0,,0\r\n");
  ExpectRoundTrip(address, "say \"hi\"", ",,\"say \"\"hi\"\"\",,,,,,,1,0,0,,0\r\n");
  ExpectRoundTrip(address, "\"", ",,\"\"\"\",,,,,,,1,0,0,,0\r\n");
  ExpectRoundTrip(address, "\"\"", ",,\"\"\"\"\"\",,,,,,,1,0,0,,0\r\n");
  ExpectRoundTrip(address, "cr\rhere", ",,\"cr\rhere\",,,,,,,1,0,0,,0\r\n");
  ExpectRoundTrip(address, "lf\nhere", ",,\"lf\nhere\",,,,,,,1,0,0,,0\r\n");
  ExpectRoundTrip(address, "\r\n", ",,\"\r\n\",,,,,,,1,0,0,,0\r\n");
  ExpectRoundTrip(address, ",", ",,\",\",,,,,,,1,0,0,,0\r\n");
  // No quoting for what RFC 4180 does not ask for: spaces, tabs, backslashes, apostrophes.
  ExpectRoundTrip(address, " lead\ttab\\back'q ", ",, lead\ttab\\back'q ,,,,,,,1,0,0,,0\r\n");
}

TEST(BookFileFormat, TrailBytesThatLookLikeAsciiComeBackUnchanged) {
  const auto name = [](BookEntry& e, const std::string& t) { Set(e.name, t); };
  ExpectRoundTrip(name, "\x95\x5c", ",\x95\x5c,,,,,,,,1,0,0,,0\r\n");  // 表: trail byte '\'
  ExpectRoundTrip(name, "\x83\x7c", ",\x83\x7c,,,,,,,,1,0,0,,0\r\n");  // ポ: trail byte '|'
  ExpectRoundTrip(name, "\x81\x40\x81\x41", "");  // full-width space and comma 、
}

TEST(BookFileFormat, AFieldEndingInALoneLeadByteParsesBeforeACommaOrAClosingQuote) {
  const auto name = [](BookEntry& e, const std::string& t) { Set(e.name, t); };
  const auto address = [](BookEntry& e, const std::string& t) { Set(e.address, t); };
  ExpectRoundTrip(name, "ab\x81", ",ab\x81,,,,,,,,1,0,0,,0\r\n");         // lead byte, then ','
  ExpectRoundTrip(address, "a,\x82", ",,\"a,\x82\",,,,,,,1,0,0,,0\r\n");  // lead byte, then '"'
  ExpectRoundTrip(address, "\"\x9f", ",,\"\"\"\x9f\",,,,,,,1,0,0,,0\r\n");
  ExpectRoundTrip(name, "\xfc", "");
  // The last field before inAdapter, and a lead byte just before CR LF in a quoted field.
  const auto registered = [](BookEntry& e, const std::string& t) { Set(e.registeredName, t); };
  ExpectRoundTrip(registered, "x\xe0", ",,,,,,,,,1,0,0,x\xe0,0\r\n");
  ExpectRoundTrip(address, "\r\n\x81", ",,\"\r\n\x81\",,,,,,,1,0,0,,0\r\n");
}

TEST(BookFileFormat, EveryByteButNulRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  // 255 bytes spread over the wide fields, 99 at most each.
  const auto address = [&](BookEntry& e, const std::string&) {
    Set(e.address, all.substr(0, 99));
    Set(e.company, all.substr(99, 81));
    Set(e.companyAddress, all.substr(180, 75));
  };
  ExpectRoundTrip(address, "", "");
}

TEST(BookFileFormat, DeletedEntriesAreDroppedAndViewSlotIsNotStored) {
  std::vector<BookEntry> book = MakeBook(1, 4);
  book[1].deleted = 1;
  book[3].deleted = 7;  // any nonzero value means deleted
  book[0].viewSlot = 99;
  book[2].viewSlot = -5;
  const Parsed p = Parse(calldir::FormatBookText(book));
  ASSERT_TRUE(p.ok);
  calldir_test::ExpectBook({book[0], book[2]}, p.book, "live entries");
}

TEST(BookFileFormat, InAdapterIsAnyInt32AsADecimal) {
  for (const int32_t value : {0, 1, -1, 12345, INT_MIN, INT_MAX}) {
    BookEntry e = Blank();
    e.inAdapter = value;
    const Parsed p = Parse(kHead + Line(e));
    ASSERT_TRUE(p.ok) << value;
    EXPECT_EQ(p.book[0].inAdapter, value);
  }
  BookEntry e = Blank();
  e.inAdapter = INT_MIN;
  EXPECT_EQ(Line(e), ",,,,,,,,,1,0,0,,-2147483648\r\n");
}

TEST(BookFileFormat, AnUnterminatedFieldIsStoredCutOnACharacterBoundary) {
  BookEntry e = Blank();
  std::memset(e.number, 'x', sizeof e.number);  // 24 bytes and no NUL
  // postalCode: 10 bytes, a double-byte character at 8..9 and no NUL: the cut drops it.
  std::memcpy(e.postalCode, "12345678\x82\xa0", 10);
  const std::string line = Line(e);
  EXPECT_EQ(line, std::string(23, 'x') + ",,,,,,12345678,,,1,0,0,,0\r\n");
  calldir::NormalizeEntry(e);
  EXPECT_EQ(text_bytes::FieldText(e.number), std::string(23, 'x'));
  EXPECT_EQ(e.number[23], '\0');
  EXPECT_EQ(text_bytes::FieldText(e.postalCode), "12345678");
  EXPECT_EQ(Line(e), line);
}

TEST(BookFileFormat, NormalizeZeroFillsBehindTheText) {
  BookEntry e = Blank();
  std::memset(e.name, 'q', sizeof e.name);
  e.name[3] = '\0';  // "qqq", then garbage the program left behind the terminator
  calldir::NormalizeEntry(e);
  EXPECT_EQ(std::string(e.name, sizeof e.name), std::string("qqq") + std::string(19, '\0'));
}

TEST(BookFileFormat, ATextFillsItsFieldButNeverOverflowsIt) {
  // number: 24 bytes, so 23 bytes of text; the header is line 1, the record line 2.
  const std::string fits = kHead + std::string(23, '9') + ",,,,,,,,,1,0,0,,0\r\n";
  const Parsed ok = Parse(fits);
  ASSERT_TRUE(ok.ok);
  EXPECT_EQ(text_bytes::FieldText(ok.book[0].number), std::string(23, '9'));
  const Parsed bad = Parse(kHead + std::string(24, '9') + ",,,,,,,,,1,0,0,,0\r\n");
  EXPECT_FALSE(bad.ok);
  EXPECT_EQ(bad.error, Error::FieldTooLong);
  EXPECT_EQ(bad.line, 2u);
  // A quoted field counts its text, not its quotes: 21 quotes in name (22 bytes) fit.
  const Parsed quoted = Parse(kHead + ",\"" + std::string(42, '"') + "\",,,,,,,,1,0,0,,0\r\n");
  ASSERT_TRUE(quoted.ok) << static_cast<int>(quoted.error);
  EXPECT_EQ(text_bytes::FieldText(quoted.book[0].name), std::string(21, '"'));
  // callAccept holds one byte.
  EXPECT_EQ(Parse(kHead + ",,,,,,,,,10,0,0,,0\r\n").error, Error::FieldTooLong);
}

struct BadFile {
  const char* what;
  std::string bytes;
  Error error;
};

TEST(BookFileFormat, EveryKindOfBadFileIsRefused) {
  const std::string rec = ",,,,,,,,,1,0,0,,0";
  const std::vector<BadFile> cases = {
      {"empty file", "", Error::BadHeader},
      {"other format", "DUDODE-CallDir,2\r\n", Error::BadHeader},
      {"no header", rec + "\r\n", Error::BadHeader},
      {"header without line end", "DUDODE-CallDir,1", Error::BadHeader},
      {"header with LF only", "DUDODE-CallDir,1\n", Error::BadHeader},
      {"header with trailing space", "DUDODE-CallDir,1 \r\n", Error::BadHeader},
      {"a byte-order mark", "\xef\xbb\xbf" + kHead, Error::BadHeader},
      {"thirteen fields", kHead + ",,,,,,,,1,0,0,,0\r\n", Error::FieldCount},
      {"fifteen fields", kHead + rec + ",0\r\n", Error::FieldCount},
      {"blank line", kHead + "\r\n", Error::FieldCount},
      {"inAdapter empty", kHead + ",,,,,,,,,1,0,0,,\r\n", Error::BadNumber},
      {"inAdapter with a letter", kHead + ",,,,,,,,,1,0,0,,1a\r\n", Error::BadNumber},
      {"inAdapter with plus", kHead + ",,,,,,,,,1,0,0,,+1\r\n", Error::BadNumber},
      {"inAdapter leading zero", kHead + ",,,,,,,,,1,0,0,,01\r\n", Error::BadNumber},
      {"inAdapter minus zero", kHead + ",,,,,,,,,1,0,0,,-0\r\n", Error::BadNumber},
      {"inAdapter beyond int32", kHead + ",,,,,,,,,1,0,0,,2147483648\r\n", Error::BadNumber},
      {"inAdapter far too long", kHead + ",,,,,,,,,1,0,0,,123456789012\r\n", Error::FieldTooLong},
      {"quote left open", kHead + ",,\"abc" + rec.substr(2) + "\r\n", Error::Truncated},
      {"quote in a plain field", kHead + ",,a\"b,,,,,,,1,0,0,,0\r\n", Error::BadQuote},
      {"text after a closing quote", kHead + ",,\"a\"b,,,,,,,1,0,0,,0\r\n", Error::BadQuote},
      {"bare LF", kHead + rec + "\n", Error::BadLineEnd},
      {"bare CR", kHead + rec + "\rx", Error::BadLineEnd},
      {"LF inside a plain field", kHead + ",a\nb,,,,,,,,1,0,0,,0\r\n", Error::BadLineEnd},
      {"no final line end", kHead + rec, Error::Truncated},
      {"only CR at the end", kHead + rec + "\r", Error::Truncated},
      {"NUL in a field", kHead + std::string(",a\0b,,,,,,,,1,0,0,,0\r\n", 22), Error::NulByte},
  };
  for (const BadFile& c : cases) {
    const Parsed p = Parse(c.bytes);
    EXPECT_FALSE(p.ok) << c.what;
    EXPECT_EQ(p.error, c.error) << c.what;
  }
}

TEST(BookFileFormat, TenThousandRecordsAreABookAndOneMoreIsNot) {
  std::string bytes = kHead;
  for (int i = 0; i < BOOK_CAPACITY; ++i) bytes += kEmptyRecord;
  const Parsed full = Parse(bytes);
  ASSERT_TRUE(full.ok);
  EXPECT_EQ(full.book.size(), static_cast<std::size_t>(BOOK_CAPACITY));
  EXPECT_EQ(full.book.back().viewSlot, BOOK_CAPACITY - 1);
  const Parsed over = Parse(bytes + kEmptyRecord);
  EXPECT_FALSE(over.ok);
  EXPECT_EQ(over.error, Error::TooManyEntries);
}

TEST(BookFileFormat, PiecesOfAnySizeParseAlike) {
  std::vector<BookEntry> book = MakeBook(3, 40);
  Set(book[5].address, "\"\r\n,\x81");
  const std::string bytes = calldir::FormatBookText(book);
  const Parsed whole = Parse(bytes);
  ASSERT_TRUE(whole.ok);
  calldir_test::ExpectBook(book, whole.book, "whole");
  for (const std::size_t chunk : {1u, 2u, 3u, 7u, 64u, 4096u}) {
    const Parsed p = Parse(bytes, chunk);
    ASSERT_TRUE(p.ok) << chunk;
    calldir_test::ExpectBook(book, p.book, "chunk " + std::to_string(chunk));
  }
}

TEST(BookFileFormat, RandomTextsInEveryFieldRoundTrip) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> byte(0, 255);  // a NUL ends a field early
  std::vector<BookEntry> book(500);
  for (BookEntry& e : book) {
    char* bytes = reinterpret_cast<char*>(&e);
    // Random bytes over all 13 texts (offsets 0..467); normalizing cuts each at its NUL.
    for (int i = 0; i < 468; ++i) bytes[i] = static_cast<char>(byte(random));
    e.inAdapter = static_cast<int32_t>(random());
    calldir::NormalizeEntry(e);
  }
  const Parsed p = Parse(calldir::FormatBookText(book), 777);
  ASSERT_TRUE(p.ok) << static_cast<int>(p.error) << " line " << p.line;
  calldir_test::ExpectBook(book, p.book, "random");
}

}  // namespace
