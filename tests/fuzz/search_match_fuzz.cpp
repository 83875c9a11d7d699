// The search on any small book and any typed text: every hit is a live entry, listed once,
// in book order, and the entries a hit's row stands for include it.
// Input: the condition byte, the typed text, NUL, then entries as
// number NUL registered name NUL reading NUL deleted-byte NUL, repeated.
#include <algorithm>

#include "book/phone_book.h"
#include "fuzz_support.h"
#include "index/search_match.h"
#include "platform/text_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int condition = data[0] % kSearchConditionCount;
  const auto pieces = fuzz::SplitAtNul(fuzz::AsText(data + 1, size - 1), 2 + 4 * 16);
  static PhoneBook book;
  book = PhoneBook();
  for (std::size_t p = 1; p + 3 < pieces.size(); p += 4) {
    BookEntry entry{};
    text_bytes::FillField(entry.number, pieces[p]);
    text_bytes::FillField(entry.registeredName, pieces[p + 1]);
    text_bytes::FillField(entry.nameKana, pieces[p + 2]);
    entry.deleted = !pieces[p + 3].empty() && (pieces[p + 3][0] & 1) != 0;
    book.SetEntry(book.entryCount(), entry);
  }

  const std::vector<int> hits = FindSearchMatches(book, condition, pieces[0]);
  for (std::size_t h = 0; h < hits.size(); ++h) {
    FUZZ_CHECK(book.IsValidIndex(hits[h]) && book[hits[h]].deleted == 0);
    FUZZ_CHECK(h == 0 || hits[h - 1] < hits[h]);
    const BookEntry& hit = book[hits[h]];
    const auto row = EntriesOfPickedRow(book, condition, SearchResultText(hit, condition, 0),
                                        SearchResultText(hit, condition, 1));
    FUZZ_CHECK(SearchResultText(hit, condition, 0).empty() ||
               std::find(row.begin(), row.end(), hits[h]) != row.end());
  }
  return 0;
}
