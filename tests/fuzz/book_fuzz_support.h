// Checks the two book-file targets share.
#pragma once

#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "book_file_format.h"
#include "fuzz_support.h"
#include "platform/text_bytes.h"

namespace fuzz {

// Every text field ends inside its field.
inline bool AllTerminated(const BookEntry& e) {
  const auto inside = [](const auto& field) {
    return text_bytes::FieldText(field).size() < sizeof field;
  };
  return inside(e.number) && inside(e.name) && inside(e.address) && inside(e.company) &&
         inside(e.companyAddress) && inside(e.fax) && inside(e.postalCode) && inside(e.nameKana) &&
         inside(e.email) && inside(e.callAccept) && inside(e.adapterWanted) &&
         inside(e.illumination) && inside(e.registeredName);
}

// The book `bytes` hold, read in pieces whose sizes come from `pieceSizes`; false when the
// reader refuses them.
inline bool ReadBook(std::string_view bytes, std::string_view pieceSizes,
                     std::vector<BookEntry>& book) {
  calldir::BookParser parser(book);
  std::size_t next = 0;
  while (!bytes.empty()) {
    const std::size_t size =
        pieceSizes.empty() ? bytes.size()
                           : 1 + static_cast<unsigned char>(pieceSizes[next++ % pieceSizes.size()]);
    const std::string_view piece = bytes.substr(0, size);
    bytes.remove_prefix(piece.size());
    if (!parser.Feed(piece)) return false;
  }
  return parser.Finish();
}

// `book` written and read back: its live entries, each as it is, in its slot; no others.
inline void CheckReadsBackAs(std::span<const BookEntry> book) {
  std::vector<BookEntry> reread;
  FUZZ_CHECK(ReadBook(calldir::FormatBookText(book), {}, reread));
  std::size_t slot = 0;
  for (const BookEntry& entry : book) {
    if (entry.deleted != 0) continue;
    FUZZ_CHECK(slot < reread.size());
    BookEntry expected = entry;
    expected.viewSlot = static_cast<std::int32_t>(slot);
    FUZZ_CHECK(std::memcmp(&reread[slot], &expected, sizeof expected) == 0);
    ++slot;
  }
  FUZZ_CHECK(reread.size() == slot);
}

}  // namespace fuzz
