#include "book/phone_book.h"

#include <algorithm>
#include <cassert>

#include "book/phone_match.h"
#include "platform/text_bytes.h"

namespace {

using text_bytes::FieldText;
using text_bytes::FillField;

// The thirteen texts an edit carries into the book, each cut to its field and terminated.
void CopyTexts(BookEntry& to, const BookEntry& from) {
  FillField(to.number, FieldText(from.number));
  FillField(to.name, FieldText(from.name));
  FillField(to.nameKana, FieldText(from.nameKana));
  FillField(to.address, FieldText(from.address));
  FillField(to.fax, FieldText(from.fax));
  FillField(to.postalCode, FieldText(from.postalCode));
  FillField(to.company, FieldText(from.company));
  FillField(to.companyAddress, FieldText(from.companyAddress));
  FillField(to.email, FieldText(from.email));
  FillField(to.registeredName, FieldText(from.registeredName));
  FillField(to.adapterWanted, FieldText(from.adapterWanted));
  FillField(to.callAccept, FieldText(from.callAccept));
  FillField(to.illumination, FieldText(from.illumination));
}

}  // namespace

PhoneBook::PhoneBook()
    : entries_(new BookEntry[BOOK_CAPACITY]()),
      numberKeys_(new uint64_t[BOOK_CAPACITY]),
      readingLeads_(new uint16_t[BOOK_CAPACITY]()) {
  // Every slot holds an empty number until it is filled.
  std::fill_n(numberKeys_.get(), BOOK_CAPACITY, PhoneKey(entries_[0].number));
}

void PhoneBook::Load(int count, const std::function<void(BookEntry* entries)>& read) {
  entryCount_ = std::clamp(count, 0, BOOK_CAPACITY);
  read(entries_.get());
  for (int i = 0; i < entryCount_; ++i) {
    At(i).viewSlot = i;
    RefreshKeys(i);
  }
}

void PhoneBook::SetEntry(int index, const BookEntry& entry) {
  if (index < 0 || index > entryCount_ || index >= BOOK_CAPACITY) return;
  At(index) = entry;
  if (index == entryCount_) entryCount_ += 1;
  RefreshKeys(index);
  assert(KeysMatchEntries());
}

bool PhoneBook::AppendEntry(const BookEntry& w) {
  if (IsFull()) return false;
  const int slot = entryCount_;
  BookEntry& entry = At(slot);
  CopyTexts(entry, w);
  entry.inAdapter = w.inAdapter;
  entry.viewSlot = slot;
  entry.deleted = 0;
  entryCount_ += 1;
  RefreshKeys(slot);
  assert(KeysMatchEntries());
  return true;
}

bool PhoneBook::ReplaceEntry(int index, const BookEntry& w) {
  if (!IsValidIndex(index)) return false;
  BookEntry& entry = At(index);
  CopyTexts(entry, w);
  entry.deleted = 0;
  entry.inAdapter = w.inAdapter;
  RefreshKeys(index);
  assert(KeysMatchEntries());
  return true;
}

void PhoneBook::SetDeleted(int index, bool deleted) {
  if (IsValidIndex(index)) At(index).deleted = deleted ? 1 : 0;
}

void PhoneBook::SetInAdapter(int index, bool inAdapter) {
  if (IsValidIndex(index)) At(index).inAdapter = inAdapter ? 1 : 0;
}

void PhoneBook::SetAdapterWanted(int index, bool wanted) {
  if (IsValidIndex(index)) FillField(At(index).adapterWanted, wanted ? "1" : "0");
}

void PhoneBook::SetCallAccepted(int index, bool accepted) {
  if (IsValidIndex(index)) FillField(At(index).callAccept, accepted ? "1" : "0");
}

void PhoneBook::SetIllumination(int index, int pattern) {
  if (!IsValidIndex(index)) return;
  const char digit[2] = {static_cast<char>('0' + pattern), '\0'};
  FillField(At(index).illumination, digit);
}

void PhoneBook::SetRegisteredName(int index, std::string_view registeredName) {
  if (IsValidIndex(index)) FillField(At(index).registeredName, registeredName);
}

void PhoneBook::ClearDetails(int index) {
  if (!IsValidIndex(index)) return;
  BookEntry& entry = At(index);
  for (char* field : {entry.name, entry.nameKana, entry.fax, entry.address, entry.postalCode,
                      entry.company, entry.companyAddress, entry.email}) {
    field[0] = '\0';
  }
  RefreshKeys(index);
}

void PhoneBook::RefreshKeys(int index) {
  const auto i = static_cast<std::size_t>(index);
  numberKeys_[i] = PhoneKey(entries_[i].number);
  readingLeads_[i] = LeadingPair(entries_[i].nameKana);
}

bool PhoneBook::KeysMatchEntries() const {
  for (std::size_t i = 0; i < static_cast<std::size_t>(entryCount_); ++i) {
    if (numberKeys_[i] != PhoneKey(entries_[i].number)) return false;
    if (readingLeads_[i] != LeadingPair(entries_[i].nameKana)) return false;
  }
  return true;
}
