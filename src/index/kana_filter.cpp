#include "index/kana_filter.h"

#include <array>
#include <bitset>
#include <cassert>
#include <cstdint>
#include <string>

#include "index/kana_table.h"

namespace {

using KanaSet = std::bitset<65536>;

// Per row, the slots before its first filler: counted once per filter, not per slot.
using SlotCounts = std::array<int, kKanaRowCount>;

SlotCounts MeaningfulSlots() {
  SlotCounts counts{};
  for (int row = 0; row < kKanaRowCount; ++row) {
    int& count = counts[static_cast<std::size_t>(row)];
    while (count < kKanaSlotsPerRow && !IsKanaFiller(KanaRowTable[row][count])) ++count;
  }
  return counts;
}

void Add(KanaSet& set, const SlotCounts& counts, int row, int slot) {
  if (slot < counts[static_cast<std::size_t>(row)]) set.set(LeadingPair(KanaRowTable[row][slot]));
}

// A row name selects every meaningful slot of the row whose first slot starts the name.
KanaSet RowKana(const char* rowName) {
  const SlotCounts counts = MeaningfulSlots();
  KanaSet set;
  for (int row = 0; row < kKanaRowCount; ++row) {
    if (!KanaSlotMatches(KanaRowTable[row][0], rowName)) continue;
    for (int slot = 0; slot < counts[static_cast<std::size_t>(row)]; ++slot) {
      Add(set, counts, row, slot);
    }
    break;
  }
  return set;
}

// A plain kana selects itself and, in the rows that have them, its voiced and semi-voiced
// forms, which stand five and ten slots after it.
KanaSet SingleKana(const char* kana) {
  constexpr int kKa = 1, kSa = 2, kTa = 3, kHa = 5;
  constexpr int kPlainSlots = 5;
  const SlotCounts counts = MeaningfulSlots();
  KanaSet set;
  for (int row = 0; row < kKanaRowCount; ++row) {
    for (int slot = 0; slot < counts[static_cast<std::size_t>(row)]; ++slot) {
      if (!KanaSlotMatches(KanaRowTable[row][slot], kana)) continue;
      Add(set, counts, row, slot);
      if (slot >= kPlainSlots) continue;  // only plain kana have voiced forms
      if (row == kKa || row == kSa || row == kTa || row == kHa) Add(set, counts, row, slot + 5);
      if (row == kHa) Add(set, counts, row, slot + 10);
    }
  }
  return set;
}

}  // namespace

// The comparison stops at two bytes or where both texts end: the pair says it all.
int ApplyKanaFilter(PhoneBook& book, std::string_view filterText) {
  assert(book.KeysMatchEntries());
  if (filterText == kKanaRootText) {
    for (int i = 0; i < book.entryCount(); ++i) book.SetViewSlot(i, i);
    return book.entryCount();
  }
  const std::string text(filterText.substr(0, filterText.find('\0')));
  const KanaSet selected = text.size() == 4 ? RowKana(text.c_str()) : SingleKana(text.c_str());
  // The readings come from the book's compact side array; each viewSlot is written once:
  // the selected indexes first, then 0 in the slots behind them.
  int n = 0;
  for (int i = 0; i < book.entryCount(); ++i) {
    if (selected.test(book.ReadingLead(i))) book.SetViewSlot(n++, i);
  }
  for (int j = n; j < book.entryCount(); ++j) book.SetViewSlot(j, 0);
  return n;
}
