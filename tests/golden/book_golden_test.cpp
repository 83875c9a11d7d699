// The book's file and passes against golden files: books generated at random with every
// awkward byte (commas, quotes, CR and LF in fields, double-byte characters whose second
// byte is a separator or a quote, unterminated fields, deleted entries) are written, read
// back, broken in many ways, searched and filtered, and every byte and answer must equal
// what tests/data/golden holds. Those files are the reference for any rework of the
// parser, the writer or the passes; DUDODE_WRITE_GOLDEN=<folder> writes them afresh, which
// is only right when a change of behaviour is meant.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "book/adapter_merge.h"
#include "book/book_storage.h"
#include "book_generator.h"
#include "book/phone_match.h"
#include "book_file_format.h"
#include "calldir/calldir.h"
#include "index/kana_filter.h"
#include "index/kana_table.h"
#include "libs/calldir/calldir_test_support.h"
#include "support/adapter_entry.h"
#include "support/fake_adapter.h"
#include "support/fake_calldir.h"
#include "support/recording_prompter.h"
#include "support/temp_dir.h"

namespace {

using Random = std::mt19937;

struct Shape {
  unsigned seed;
  int count;
};
constexpr Shape kBooks[] = {{1, 40}, {2, 120}, {3, 220}};

std::uint64_t Digest(const void* data, std::size_t size) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (std::size_t i = 0; i < size; ++i) {
    hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211ull;
  }
  return hash;
}

std::string Hex(std::string_view bytes) {
  std::string text;
  char pair[3];
  for (const char byte : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(byte));
    text += pair;
  }
  return text.empty() ? "-" : text;
}

unsigned Below(Random& random, unsigned n) {
  return static_cast<unsigned>(random() % n);
}

char LeadByte(Random& random) {
  return static_cast<char>(Below(random, 2) == 0 ? 0x81 + Below(random, 31) : 0xE0 + Below(random, 29));
}

const char* KanaSlot(Random& random) {
  const char* slot = KanaRowTable[Below(random, kKanaRowCount)][Below(random, kKanaSlotsPerRow)];
  return slot != nullptr ? slot : "";
}

// Bytes the format and the lookups must get right, mixed with ordinary text.
void AppendUnit(std::string& text, Random& random) {
  constexpr std::string_view kAwkward = ",\"\r\n-/ \t#*";
  switch (Below(random, 8)) {
    case 0:
      text += kAwkward[Below(random, 4)];
      break;
    case 1:  // a double-byte character whose second byte is a separator or a quote
      text += LeadByte(random);
      text += kAwkward[Below(random, kAwkward.size())];
      break;
    case 2: {
      text += LeadByte(random);
      const unsigned trail = 0x40 + Below(random, 0xBD);
      text += static_cast<char>(trail == 0x7F ? 0x80 : trail);
      break;
    }
    case 3:
      text += static_cast<char>(0xA1 + Below(random, 0x3F));  // half-width katakana
      break;
    case 4:
      text += KanaSlot(random);
      break;
    default:
      text += static_cast<char>(0x20 + Below(random, 0x5F));
  }
}

std::string RandomText(Random& random, std::size_t maxLength) {
  std::string text;
  const std::size_t length = Below(random, static_cast<unsigned>(maxLength + 1));
  while (text.size() < length) AppendUnit(text, random);
  return text;
}

// Fills a field the ways a program's array may hold it: a terminated text, nothing, a text
// that runs to the field's end without a terminator, or bytes left behind the terminator.
void FillRandomly(std::span<char> field, const std::string& text, Random& random) {
  std::memset(field.data(), 0, field.size());
  const std::size_t fit = std::min(text.size(), field.size() - 1);
  switch (Below(random, 10)) {
    case 0:
      break;
    case 1: {
      std::string full = text;
      while (full.size() < field.size()) AppendUnit(full, random);
      std::memcpy(field.data(), full.data(), field.size());
      break;
    }
    case 2:
      std::memcpy(field.data(), text.data(), fit);
      for (std::size_t i = fit + 1; i < field.size(); ++i) field[i] = static_cast<char>(random());
      break;
    default:
      std::memcpy(field.data(), text.data(), fit);
  }
}

std::vector<std::span<char>> TextFields(BookEntry& e) {
  return {e.number,  e.name,        e.address, e.company, e.companyAddress,
          e.fax,     e.postalCode,  e.nameKana, e.email,  e.callAccept,
          e.adapterWanted, e.illumination, e.registeredName};
}

// A number built on one of a few digit strings, so that numbers repeat with different
// separators, and the lookups must pick the first.
std::string RandomNumber(Random& random) {
  std::string number;
  const unsigned base = Below(random, 24);
  const std::string digits = "0" + std::to_string(3 + base * 7919 % 100000);
  for (const char digit : digits) {
    if (Below(random, 4) == 0) number += "-/, \t#*"[Below(random, 7)];
    if (Below(random, 30) == 0) number += LeadByte(random);
    number += digit;
  }
  if (Below(random, 6) == 0) number += "-- "[Below(random, 3)];
  return number;
}

std::string RandomReading(Random& random) {
  if (Below(random, 3) == 0) return RandomText(random, 40);
  std::string reading;
  for (unsigned n = 1 + Below(random, 4); n > 0; --n) reading += KanaSlot(random);
  return reading;
}

std::vector<BookEntry> RandomBook(const Shape& shape) {
  Random random(shape.seed);
  std::vector<BookEntry> book(static_cast<std::size_t>(shape.count));
  for (BookEntry& e : book) {
    const std::vector<std::span<char>> fields = TextFields(e);
    for (std::size_t f = 0; f < fields.size(); ++f) {
      const std::string text = f == 0   ? RandomNumber(random)
                               : f == 7 ? RandomReading(random)
                                        : RandomText(random, fields[f].size() + 4);
      FillRandomly(fields[f], text, random);
    }
    constexpr std::int32_t kFlags[] = {0, 0, 0, 0, 1, 1, -1, 2, INT_MIN, INT_MAX};
    e.inAdapter = Below(random, 3) == 0 ? static_cast<std::int32_t>(random()) : kFlags[Below(random, 10)];
    e.deleted = Below(random, 7) == 0 ? kFlags[4 + Below(random, 6)] : 0;
    e.viewSlot = static_cast<std::int32_t>(random());
  }
  return book;
}

// Keys as a caller-ID line, a merge or an edit bring them: the book's own numbers, with
// separators added, removed or changed, and numbers found nowhere.
std::vector<std::string> LookupKeys(const std::vector<BookEntry>& book, Random& random) {
  std::vector<std::string> keys = {"", "-", " ", std::string(30, '1'), std::string(95, '-') + "1"};
  for (const BookEntry& e : book) {
    const std::string number(text_bytes::FieldText(e.number));
    std::string changed;
    for (const char byte : number) {
      const unsigned what = Below(random, 6);
      if (what == 0) continue;
      if (what == 1) changed += "-/, \t"[Below(random, 5)];
      changed += byte;
    }
    keys.push_back(number);
    keys.push_back(changed);
    if (Below(random, 3) == 0) keys.push_back(RandomNumber(random));
  }
  return keys;
}

std::vector<std::string> FilterTexts() {
  std::vector<std::string> texts = {std::string(kKanaRootText), "", " ", "_", "\x82",
                                    "\x82\xa0\x82\xa2", "\x82\xa0\x8ds\x82"};
  for (const char* row : KanaRowNames) texts.push_back(row);
  for (const auto& row : KanaRowTable) {
    for (const char* slot : row) {
      if (slot != nullptr && !IsKanaFiller(slot)) texts.push_back(slot);
    }
  }
  return texts;
}

// Every answer of the passes over the book, one line each.
void AppendPasses(std::ostream& out, PhoneBook& book, const std::vector<std::string>& keys) {
  for (const std::string& key : keys) {
    out << "lookup " << Hex(key) << " same " << FindSameNumber(book, key) << " phone "
        << FindEntryByPhone(book, key) << "\n";
  }
  for (const std::string& text : FilterTexts()) {
    const int listed = ApplyKanaFilter(book, text);
    std::vector<std::int32_t> slots;
    for (int i = 0; i < book.entryCount(); ++i) slots.push_back(book[i].viewSlot);
    out << "filter " << Hex(text) << " " << listed << " "
        << Digest(slots.data(), slots.size() * sizeof(std::int32_t)) << "\n";
  }
}

std::uint64_t BookDigest(std::span<const BookEntry> book) {
  return Digest(book.data(), book.size_bytes());
}

std::string ParseAnswer(std::string_view bytes, std::size_t chunk) {
  std::vector<BookEntry> book;
  calldir::BookParser parser(book);
  bool fed = true;
  for (std::size_t at = 0; fed && at < bytes.size(); at += chunk) {
    fed = parser.Feed(bytes.substr(at, chunk));
  }
  const bool ok = fed && parser.Finish();
  std::ostringstream out;
  // What a failed parse leaves in `book` is no one's concern: the library empties it.
  out << (ok ? "ok " : "bad ") << static_cast<int>(parser.error()) << " line " << parser.line();
  if (ok) out << " entries " << book.size() << " " << BookDigest(book);
  return out.str();
}

// The file broken in one place, the header's bytes more often than their share.
std::string Broken(const std::string& bytes, Random& random) {
  std::string broken = bytes;
  const std::size_t at = Below(random, 5) == 0 ? Below(random, 24) % bytes.size()
                                               : Below(random, static_cast<unsigned>(bytes.size()));
  constexpr std::string_view kInserted = std::string_view(",\"\r\n\0x\x82-0", 9);
  switch (Below(random, 4)) {
    case 0:
      broken.insert(at, 1, kInserted[Below(random, kInserted.size())]);
      break;
    case 1:
      broken.erase(at, 1 + Below(random, 3));
      break;
    case 2:
      broken[at] = kInserted[Below(random, kInserted.size())];
      break;
    default:
      broken.resize(at);
  }
  return broken;
}

// Files the random breaks do not reach: the size limits and the empty cases.
std::vector<std::string> EdgeFiles() {
  const std::string head = "DUDODE-CallDir,1\r\n";
  std::string full = head;
  for (int i = 0; i < BOOK_CAPACITY; ++i) full += ",,,,,,,,,,,,,0\r\n";
  std::string long_number = head + ",,,,,,,,,,,,,-2147483648\r\n";
  return {"", "DUDODE-CallDir,1", head, full, full + ",,,,,,,,,,,,,0\r\n",
          long_number, head + ",,,,,,,,,,,,,-2147483649\r\n", head + ",,,,,,,,,,,,,00\r\n",
          head + ",,,,,,,,,,,,,-0\r\n", head + ",,,,,,,,,,,,,0,\r\n", head + ",,,,,,,,,,,,0\r\n"};
}

// The part of a book's answers that reads its golden file: the parse of the bytes, whole
// and in pieces, and of broken copies.
void AppendParses(std::ostream& out, const std::string& bytes, Random& random) {
  for (const std::size_t chunk : {bytes.size() + 1, std::size_t{1}, std::size_t{7}, std::size_t{4093}}) {
    out << "parse " << ParseAnswer(bytes, chunk) << "\n";
  }
  for (int i = 0; i < 150; ++i) {
    const std::string broken = Broken(bytes, random);
    const std::string whole = ParseAnswer(broken, broken.size() + 1);
    EXPECT_EQ(ParseAnswer(broken, 5), whole) << "break " << i;
    out << "break " << i << " " << whole << "\n";
  }
}

// Edits through the book's primitives and a merge from an adapter, so that the answers
// after them show whether the passes follow every change of a number.
void Edit(PhoneBook& book, const std::vector<std::string>& keys, Random& random) {
  FakeCallDir callDir;
  RecordingPrompter prompter;
  BookAccess access{book, callDir, prompter, "CallDir.csv"};
  for (int n = 0; n < 20 && book.entryCount() > 0; ++n) {
    BookEntry w{};
    text_bytes::FillField(w.number, keys[Below(random, static_cast<unsigned>(keys.size()))]);
    text_bytes::FillField(w.nameKana, RandomReading(random));
    const int index = static_cast<int>(Below(random, static_cast<unsigned>(book.entryCount())));
    if (n % 3 == 0) {
      book.AppendEntry(w);
    } else if (n % 3 == 1) {
      book.ReplaceEntry(index, w);
    } else {
      MarkDeleted(access, index);
    }
  }
  FakeAdapter adapter;
  for (int k = 0; k < ADAPTER_CAPACITY; ++k) {
    const std::string number = k % 2 == 0 ? keys[Below(random, static_cast<unsigned>(keys.size()))]
                                          : RandomNumber(random);
    adapter.held.push_back(MakeAdapterEntry(k % 10 == 0 ? "090-1234-5678-9012-3456" : number,
                                            "\xb1\xb2"));
  }
  MergeFromAdapter(access, adapter);
}

// Everything the golden files hold about one book. `goldenBytes` is the file as the golden
// folder keeps it: the bytes this code writes are compared with it by the caller.
std::string Answers(const Shape& shape, const std::string& goldenBytes, const TempDir& folder) {
  std::ostringstream out;
  Random random(shape.seed * 7 + 1);
  AppendParses(out, goldenBytes, random);

  folder.Write("load.csv", goldenBytes);
  calldir_test::Program program(folder.File("load.csv"));
  EXPECT_TRUE(program.LoadBook());
  PhoneBook& book = program.book;
  out << "load " << book.entryCount() << " "
      << BookDigest({book.data(), static_cast<std::size_t>(book.entryCount())}) << "\n";

  std::vector<BookEntry> loaded(book.data(), book.data() + book.entryCount());
  const std::vector<std::string> keys = LookupKeys(loaded, random);
  AppendPasses(out, book, keys);
  Edit(book, keys, random);
  const std::span<const BookEntry> edited(book.data(), static_cast<std::size_t>(book.entryCount()));
  out << "edited " << book.entryCount() << " " << BookDigest(edited) << " written "
      << Digest(calldir::FormatBookText(edited).data(), calldir::FormatBookText(edited).size())
      << "\n";
  AppendPasses(out, book, keys);
  return out.str();
}

// The bytes the library writes for the book `shape` describes. The next start of the
// same run gets the book back from the library's memory, not the file: it must be the
// book the file holds.
std::string Written(const Shape& shape, const TempDir& folder) {
  const std::vector<BookEntry> book = RandomBook(shape);
  const std::string path = folder.File("written.csv");
  EXPECT_EQ(CallDirOpen(path.c_str()), 1);
  EXPECT_EQ(CallDirWrite(book.data(), static_cast<int>(book.size())), 1);
  CallDirClose();
  const std::string bytes = ReadBytes(path);

  EXPECT_EQ(CallDirOpen(path.c_str()), 1);
  std::vector<BookEntry> again(static_cast<std::size_t>(std::max(CallDirCount(), 0)));
  EXPECT_EQ(CallDirRead(again.data()), 1);
  CallDirClose();
  std::vector<BookEntry> parsed;
  calldir::BookParser parser(parsed);
  EXPECT_TRUE(parser.Feed(bytes) && parser.Finish());
  EXPECT_EQ(BookDigest(again), BookDigest(parsed)) << "the book read back from memory";
  return bytes;
}

std::string GoldenPath(const std::string& folder, const Shape& shape, const char* kind) {
  return folder + "/book-" + std::to_string(shape.seed) + "." + kind;
}

// The first line where two texts differ, for a readable failure.
std::string FirstDifference(const std::string& want, const std::string& got) {
  std::istringstream a(want), b(got);
  std::string lineA, lineB;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, lineA));
    const bool moreB = static_cast<bool>(std::getline(b, lineB));
    if (!moreA && !moreB) return "none";
    if (lineA != lineB || moreA != moreB) {
      return "line " + std::to_string(line) + ": golden \"" + (moreA ? lineA : "<end>") +
             "\", now \"" + (moreB ? lineB : "<end>") + "\"";
    }
  }
}

class BookGolden : public ::testing::TestWithParam<Shape> {};

TEST_P(BookGolden, WritesReadsAndAnswersAsTheGoldenFilesSay) {
  const Shape shape = GetParam();
  TempDir folder;
  const std::string written = Written(shape, folder);
  const char* writeTo = std::getenv("DUDODE_WRITE_GOLDEN");
  if (writeTo != nullptr && *writeTo != '\0') {
    WriteBytes(GoldenPath(writeTo, shape, "csv"), written);
    WriteBytes(GoldenPath(writeTo, shape, "answers"), Answers(shape, written, folder));
    GTEST_SKIP() << "golden files written to " << writeTo;
  }
  const std::string goldenBytes = ReadBytes(GoldenPath(DUDODE_GOLDEN_DIR, shape, "csv"));
  ASSERT_FALSE(goldenBytes.empty());
  EXPECT_TRUE(written == goldenBytes) << "the written bytes differ from the golden file";
  const std::string golden = ReadBytes(GoldenPath(DUDODE_GOLDEN_DIR, shape, "answers"));
  const std::string now = Answers(shape, goldenBytes, folder);
  EXPECT_TRUE(now == golden) << FirstDifference(golden, now);
}

INSTANTIATE_TEST_SUITE_P(Seeds, BookGolden, ::testing::ValuesIn(kBooks),
                         [](const auto& info) { return "Seed" + std::to_string(info.param.seed); });

TEST(BookGoldenEdges, SizeLimitsEmptyFilesAndAFullBookAsTheGoldenFileSays) {
  std::ostringstream out;
  for (const std::string& bytes : EdgeFiles()) {
    out << ParseAnswer(bytes, bytes.size() + 1) << "\n";
    EXPECT_EQ(ParseAnswer(bytes, 3), ParseAnswer(bytes, bytes.size() + 1));
  }
  // A full book as make-book generates it: its bytes written and read back.
  auto generated = std::make_unique<PhoneBook>();
  GenerateBook(*generated, BookShape{});
  const std::string bytes = calldir::FormatBookText(
      {generated->data(), static_cast<std::size_t>(generated->entryCount())});
  out << "generated " << bytes.size() << " " << Digest(bytes.data(), bytes.size()) << " "
      << ParseAnswer(bytes, 65536) << "\n";
  const char* writeTo = std::getenv("DUDODE_WRITE_GOLDEN");
  if (writeTo != nullptr && *writeTo != '\0') {
    WriteBytes(std::string(writeTo) + "/edges.answers", out.str());
    GTEST_SKIP();
  }
  const std::string golden = ReadBytes(std::string(DUDODE_GOLDEN_DIR) + "/edges.answers");
  EXPECT_TRUE(out.str() == golden) << FirstDifference(golden, out.str());
}

}  // namespace
