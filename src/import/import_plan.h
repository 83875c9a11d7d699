// The import plan: the records read from the user's files weighed against the book, before
// anything changes. Each record becomes a row that is new, an update of the entry with the
// same number, in need of the user's attention, or skipped with its reason. The preview and
// the command-line tool show it; Apply carries it out on the book in one step.
#pragma once

#include <string>
#include <vector>

#include "book/phone_book.h"
#include "import/import_record.h"

enum class RowStatus { New, Update, NeedsAttention, Skipped };

// What an update does with the entry the book already holds. Either way the entry keeps its
// number, registered name, call acceptance, illumination and adapter marks, so nothing the
// adapter holds drifts from it.
enum class UpdateChoice {
  KeepBookEntry,     // the entry stays as it is (the default)
  TakeRecordFields,  // the record's non-empty name, reading, addresses, FAX, company, e-mail
};

struct PlanRow {
  ImportRecord record;  // as read, with the user's edits
  bool ticked = true;   // the user's choice; an unticked row changes nothing
  bool edited = false;  // the user edited a field of it

  // Decided by the plan, again after every change:
  RowStatus status = RowStatus::New;
  SkipReason skip = SkipReason::None;              // why, when skipped
  EntryField attentionField = EntryField::Number;  // which field, when it needs attention
  std::string attention;                           // why, when it needs attention (UTF-8)
  // The book's entry with the same number (FindSameNumber), -1 for none: a live one is
  // updated, a deleted one's slot is taken by the new entry.
  int bookIndex = -1;
};

// What applying the plan does or did.
struct ImportCounts {
  int added = 0;
  int updated = 0;
  int skipped =
      0;  // skipped, needing attention, unticked, or an update that keeps the book's entry
};

class ImportPlan {
 public:
  // The rows of `records` against `book`, which must not change but through Apply.
  ImportPlan(std::vector<ImportRecord> records, PhoneBook& book);

  const std::vector<PlanRow>& rows() const { return rows_; }
  UpdateChoice updateChoice() const { return updateChoice_; }

  void SetTicked(int row, bool ticked);
  void SetUpdateChoice(UpdateChoice choice) { updateChoice_ = choice; }

  // Replaces one text of row `row` with `cp932Text` (nothing is cut) and checks the rows
  // again. A reading the user typed is no longer a derived one.
  void EditField(int row, EntryField field, const std::string& cp932Text);

  // Whether the user may edit the row's texts: it needs attention, its reading was derived
  // (for the user to check), or it was edited before.
  bool IsEditable(int row) const;

  // What Apply would do.
  ImportCounts Counts() const;

  // Carries out the plan on the book in one pass: new entries appended (or put in the slot
  // of a deleted entry with their number, as a save from the edit dialog does), updates as
  // chosen. Imported entries are never meant for the adapter. The caller hands the book to
  // the CallDir library afterwards.
  ImportCounts Apply();

 private:
  enum class Outcome { Add, Update, Skip };
  Outcome OutcomeOf(const PlanRow& row) const;
  void Classify();

  PhoneBook& book_;
  std::vector<PlanRow> rows_;
  UpdateChoice updateChoice_ = UpdateChoice::KeepBookEntry;
};

// The row's status as the preview and the tool show it, with its reason (UTF-8):
// "新規", "更新", "要確認: 氏名かなは、平仮名を入力してください。",
// "スキップ: 壊れたカード (contacts.vcf 12行目)".
std::string StatusText(const PlanRow& row);

// How many entries were (or would be) added, updated and skipped, a line each (UTF-8).
std::string CountsText(const ImportCounts& counts);

// The message after an import: "インポートしました。" and the counts.
std::string CountsMessage(const ImportCounts& counts);
