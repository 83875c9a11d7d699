#include "import/import_plan.h"

#include <optional>
#include <span>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "book/phone_match.h"
#include "editor/field_rules.h"
#include "platform/text_bytes.h"

namespace {

using text_bytes::FillField;

// The number as FindSameNumber compares it: without "-", which is never the second byte of
// a double-byte character.
std::string NumberKey(std::string_view number) {
  std::string key(number);
  std::erase(key, '-');
  return key;
}

struct Attention {
  EntryField field;
  std::string reason;
};

// Why the record cannot go into the book as it is, or nothing. Nothing is ever cut: a text
// code page 932 cannot hold or one over its typing limit waits for the user, as does one
// the entry rules refuse.
std::optional<Attention> AttentionOf(const ImportRecord& record) {
  if (!record.unheld.empty()) {
    const EntryField field = record.unheld.front().field;
    return Attention{field,
                     std::string("「") + FieldLabel(field) + "」に登録できない文字があります。"};
  }
  for (const EntryField field : kEntryFields) {
    const int limit = TypingLimit(field);
    if (FieldOf(record.form, field).size() > static_cast<std::size_t>(limit)) {
      return Attention{field, std::string("「") + FieldLabel(field) + "」は半角" +
                                  std::to_string(limit) + "文字（全角" + std::to_string(limit / 2) +
                                  "文字）までです。"};
    }
  }
  if (const std::optional<FieldFailure> failure = FirstFailedCheck(record.form)) {
    return Attention{failure->field, failure->message};
  }
  return std::nullopt;
}

// The entry a new record becomes: its texts, the flags it carries exactly as it carries
// them, and never meant for the adapter.
BookEntry NewEntryOf(const ImportRecord& record) {
  BookEntry entry = WorkingEntry(record.form);
  FillField(entry.callAccept, record.callAccept);
  FillField(entry.illumination, record.illumination);
  FillField(entry.adapterWanted, "0");
  entry.inAdapter = 0;
  return entry;
}

// The book field an update may overwrite with the record's text; none for the number and
// the registered name, which an update never changes.
std::span<char> UpdatableField(BookEntry& entry, EntryField field) {
  switch (field) {
    case EntryField::Number:
    case EntryField::RegisteredName:
      return {};
    case EntryField::Name:
      return entry.name;
    case EntryField::NameKana:
      return entry.nameKana;
    case EntryField::PostalCode:
      return entry.postalCode;
    case EntryField::Fax:
      return entry.fax;
    case EntryField::Address:
      return entry.address;
    case EntryField::Company:
      return entry.company;
    case EntryField::CompanyAddress:
      return entry.companyAddress;
    case EntryField::Email:
      return entry.email;
  }
  return {};
}

// The book's entry with the record's non-empty texts in the fields an update may change;
// the flags and adapter marks stay the book's.
BookEntry UpdatedEntry(const BookEntry& stored, const ImportRecord& record) {
  BookEntry entry = stored;
  for (const EntryField field : kEntryFields) {
    const std::string& text = FieldOf(record.form, field);
    const std::span<char> target = UpdatableField(entry, field);
    if (!text.empty() && !target.empty()) FillField(target.data(), target.size(), text);
  }
  return entry;
}

const char* SkipText(SkipReason reason) {
  switch (reason) {
    case SkipReason::None:
      return "";
    case SkipReason::NoNumber:
      return "電話番号がありません";
    case SkipReason::ForeignNumber:
      return "国外の番号";
    case SkipReason::MalformedCard:
      return "壊れたカード";
    case SkipReason::DamagedLine:
      return "壊れた行";
    case SkipReason::Duplicate:
      return "ファイル内で重複する番号";
    case SkipReason::BookFull:
      return "電話帳が1万件を超えます";
  }
  return "";
}

}  // namespace

ImportPlan::ImportPlan(std::vector<ImportRecord> records, PhoneBook& book) : book_(book) {
  rows_.reserve(records.size());
  for (ImportRecord& record : records) {
    PlanRow row;
    row.record = std::move(record);
    row.bookIndex = FindSameNumber(book_, row.record.form.number);
    rows_.push_back(std::move(row));
  }
  Classify();
}

void ImportPlan::SetTicked(int row, bool ticked) {
  rows_[static_cast<std::size_t>(row)].ticked = ticked;
  Classify();
}

void ImportPlan::EditField(int row, EntryField field, const std::string& cp932Text) {
  PlanRow& edited = rows_[static_cast<std::size_t>(row)];
  FieldOf(edited.record.form, field) = cp932Text;
  std::erase_if(edited.record.unheld, [field](const UnheldText& u) { return u.field == field; });
  if (field == EntryField::NameKana) edited.record.readingDerived = false;
  if (field == EntryField::Number) edited.bookIndex = FindSameNumber(book_, cp932Text);
  edited.edited = true;
  Classify();
}

bool ImportPlan::IsEditable(int row) const {
  const PlanRow& r = rows_[static_cast<std::size_t>(row)];
  return r.status == RowStatus::NeedsAttention || r.record.readingDerived || r.edited;
}

// Rows are weighed in the order of the files: the first ticked record of a number wins,
// and new entries take the book's free slots in that order. A row that needs attention
// holds its number against later duplicates but takes no slot until it is mended.
void ImportPlan::Classify() {
  std::unordered_set<std::string> numbersSeen;
  int freeSlots = BOOK_CAPACITY - book_.entryCount();
  for (PlanRow& row : rows_) {
    row.skip = row.record.skip;
    row.attention.clear();
    const std::string key = NumberKey(row.record.form.number);
    if (row.skip == SkipReason::None && !key.empty() && numbersSeen.contains(key)) {
      row.skip = SkipReason::Duplicate;
    }
    const bool updates = row.bookIndex >= 0 && book_[row.bookIndex].deleted == 0;
    const bool takesNewSlot = !updates && row.bookIndex < 0;
    if (row.skip == SkipReason::None && takesNewSlot && freeSlots == 0) {
      row.skip = SkipReason::BookFull;
    }
    if (row.skip != SkipReason::None) {
      row.status = RowStatus::Skipped;
      continue;
    }
    if (row.ticked && !key.empty()) numbersSeen.insert(key);
    if (std::optional<Attention> attention = AttentionOf(row.record)) {
      row.status = RowStatus::NeedsAttention;
      row.attentionField = attention->field;
      row.attention = std::move(attention->reason);
      continue;
    }
    row.status = updates ? RowStatus::Update : RowStatus::New;
    if (row.ticked && takesNewSlot) --freeSlots;
  }
}

ImportPlan::Outcome ImportPlan::OutcomeOf(const PlanRow& row) const {
  if (!row.ticked) return Outcome::Skip;
  switch (row.status) {
    case RowStatus::New:
      return Outcome::Add;
    case RowStatus::Update:
      return updateChoice_ == UpdateChoice::TakeRecordFields ? Outcome::Update : Outcome::Skip;
    case RowStatus::NeedsAttention:
    case RowStatus::Skipped:
      return Outcome::Skip;
  }
  return Outcome::Skip;
}

ImportCounts ImportPlan::Counts() const {
  ImportCounts counts;
  for (const PlanRow& row : rows_) {
    switch (OutcomeOf(row)) {
      case Outcome::Add:
        ++counts.added;
        break;
      case Outcome::Update:
        ++counts.updated;
        break;
      case Outcome::Skip:
        ++counts.skipped;
        break;
    }
  }
  return counts;
}

ImportCounts ImportPlan::Apply() {
  for (const PlanRow& row : rows_) {
    switch (OutcomeOf(row)) {
      case Outcome::Add:
        if (row.bookIndex >= 0) {
          book_.ReplaceEntry(row.bookIndex, NewEntryOf(row.record));  // brings it back
        } else {
          book_.AppendEntry(NewEntryOf(row.record));
        }
        break;
      case Outcome::Update:
        book_.ReplaceEntry(row.bookIndex, UpdatedEntry(book_[row.bookIndex], row.record));
        break;
      case Outcome::Skip:
        break;
    }
  }
  return Counts();
}

std::string StatusText(const PlanRow& row) {
  switch (row.status) {
    case RowStatus::New:
      return "新規";
    case RowStatus::Update:
      return "更新";
    case RowStatus::NeedsAttention:
      return "要確認: " + row.attention;
    case RowStatus::Skipped:
      break;
  }
  std::string text = std::string("スキップ: ") + SkipText(row.skip);
  if (row.skip == SkipReason::MalformedCard || row.skip == SkipReason::DamagedLine) {
    text += " (" + row.record.file + " " + std::to_string(row.record.line) + "行目)";
  }
  return text;
}

std::string CountsText(const ImportCounts& counts) {
  return "追加: " + std::to_string(counts.added) + "件\n更新: " + std::to_string(counts.updated) +
         "件\nスキップ: " + std::to_string(counts.skipped) + "件";
}

std::string CountsMessage(const ImportCounts& counts) {
  return "インポートしました。\n" + CountsText(counts);
}
