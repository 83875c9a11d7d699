// The book-file reader on any bytes, fed in pieces of varying size. A book it accepts
// holds at most BOOK_CAPACITY terminated entries, and written again it reads back the same.
// Input: piece sizes, a NUL, then the file's bytes.
#include "book_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::size_t nul = input.find('\0');
  const std::string_view pieceSizes = nul == std::string_view::npos ? "" : input.substr(0, nul);
  const std::string_view file = nul == std::string_view::npos ? input : input.substr(nul + 1);

  std::vector<BookEntry> book;
  if (!fuzz::ReadBook(file, pieceSizes, book)) return 0;
  FUZZ_CHECK(book.size() <= BOOK_CAPACITY);
  for (std::size_t i = 0; i < book.size(); ++i) {
    FUZZ_CHECK(fuzz::AllTerminated(book[i]));
    FUZZ_CHECK(book[i].viewSlot == static_cast<std::int32_t>(i) && book[i].deleted == 0);
  }
  fuzz::CheckReadsBackAs(book);
  return 0;
}
