// Any entries, written and read back: the live ones, normalised as a write normalises
// them, come back equal, entry for entry; deleted ones are gone.
// Input: raw BookEntry records, 480 bytes each.
#include "book_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size / sizeof(BookEntry) > BOOK_CAPACITY) return 0;  // more than a book can hold
  std::vector<BookEntry> book(size / sizeof(BookEntry));
  if (!book.empty()) std::memcpy(book.data(), data, book.size() * sizeof(BookEntry));
  for (BookEntry& entry : book) {
    calldir::NormalizeEntry(entry);
    FUZZ_CHECK(fuzz::AllTerminated(entry));
  }
  fuzz::CheckReadsBackAs(book);
  return 0;
}
