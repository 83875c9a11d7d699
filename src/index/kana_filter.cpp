#include "index/kana_filter.h"

#include <bitset>
#include <cstdint>
#include <string>

#include "index/kana_table.h"

char g_kanaFilter[kKanaFilterSize] = {};

namespace {

// The first two bytes of a text as one number. A table slot and a reading match exactly
// when these agree: the comparison stops at two bytes or where both texts end.
uint16_t LeadingPair(const char* text) {
  const auto first = static_cast<unsigned char>(text[0]);
  const auto second = first == 0 ? 0 : static_cast<unsigned char>(text[1]);
  return static_cast<uint16_t>(first << 8 | second);
}

using KanaSet = std::bitset<65536>;

// The slots of a row before its first filler.
int MeaningfulSlots(int row) {
  int count = 0;
  while (count < kKanaSlotsPerRow && !IsKanaFiller(KanaRowTable[row][count])) ++count;
  return count;
}

void Add(KanaSet& set, int row, int slot) {
  if (slot < MeaningfulSlots(row)) set.set(LeadingPair(KanaRowTable[row][slot]));
}

// A row name selects every meaningful slot of the row whose first slot starts the name.
KanaSet RowKana(const char* rowName) {
  KanaSet set;
  for (int row = 0; row < kKanaRowCount; ++row) {
    if (!KanaSlotMatches(KanaRowTable[row][0], rowName)) continue;
    for (int slot = 0; slot < MeaningfulSlots(row); ++slot) Add(set, row, slot);
    break;
  }
  return set;
}

// A plain kana selects itself and, in the rows that have them, its voiced and semi-voiced
// forms, which stand five and ten slots after it.
KanaSet SingleKana(const char* kana) {
  constexpr int kKa = 1, kSa = 2, kTa = 3, kHa = 5;
  constexpr int kPlainSlots = 5;
  KanaSet set;
  for (int row = 0; row < kKanaRowCount; ++row) {
    for (int slot = 0; slot < MeaningfulSlots(row); ++slot) {
      if (!KanaSlotMatches(KanaRowTable[row][slot], kana)) continue;
      Add(set, row, slot);
      if (slot >= kPlainSlots) continue;  // only plain kana have voiced forms
      if (row == kKa || row == kSa || row == kTa || row == kHa) Add(set, row, slot + 5);
      if (row == kHa) Add(set, row, slot + 10);
    }
  }
  return set;
}

}  // namespace

int ApplyKanaFilter(PhoneBook& book, std::string_view filterText) {
  for (int i = 0; i < book.entryCount; ++i) book[i].viewSlot = 0;
  if (filterText == kKanaRootText) {
    for (int i = 0; i < book.entryCount; ++i) book[i].viewSlot = i;
    return book.entryCount;
  }
  const std::string text(filterText.substr(0, filterText.find('\0')));
  const KanaSet selected = text.size() == 4 ? RowKana(text.c_str()) : SingleKana(text.c_str());
  int n = 0;
  for (int i = 0; i < book.entryCount; ++i) {
    if (selected.test(LeadingPair(book[i].nameKana))) book[n++].viewSlot = i;
  }
  return n;
}
