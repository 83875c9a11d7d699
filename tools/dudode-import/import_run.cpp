#include "import_run.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "book/book_storage.h"
#include "book/calldir_library.h"
#include "import/import_files.h"
#include "import/import_plan.h"
#include "import/mecab_reading_deriver.h"
#include "messages/prompter.h"
#include "platform/cp932.h"

namespace {

// A record's number and name for the plan's line, in UTF-8 (a text code page 932 could
// not hold is shown as it was read).
std::string Shown(const ImportRecord& record, EntryField field) {
  for (const UnheldText& unheld : record.unheld) {
    if (unheld.field == field) return unheld.utf8;
  }
  std::string text = cp932::ToUtf8(FieldOf(record.form, field)).text;
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return text;  // one line a record, whatever a field holds
}

void PrintRow(const PlanRow& row, std::FILE* out) {
  std::fprintf(out, "%s:%d: %s: %s %s\n", row.record.file.c_str(), row.record.line,
               StatusText(row).c_str(), Shown(row.record, EntryField::Number).c_str(),
               Shown(row.record, EntryField::Name).c_str());
}

// Whether the book file could be written: its folder, and the file when it is there.
bool BookIsWritable(const std::string& bookPath) {
  std::filesystem::path folder = std::filesystem::path(bookPath).parent_path();
  if (folder.empty()) folder = ".";
  const bool fileOk = !std::filesystem::exists(bookPath) || ::access(bookPath.c_str(), W_OK) == 0;
  return fileOk && ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

int RunImport(const ImportOptions& options, Prompter& prompter, std::FILE* out) {
  std::vector<ImportRecord> records;
  bool fileRefused = false;
  const std::unique_ptr<MecabReadingDeriver> deriver = MecabReadingDeriver::Open();
  for (const std::string& file : options.files) {
    FileReading reading = ReadContactsFile(file, deriver.get());
    if (!reading.refusal.empty()) {
      prompter.Tell(reading.refusal);
      fileRefused = true;
    }
    for (ImportRecord& record : reading.records) records.push_back(std::move(record));
  }
  if (records.empty()) return kNothingDone;

  PhoneBook book;
  LinkedCallDirLibrary callDir;
  BookAccess access{book, callDir, prompter, options.bookPath};
  if (!LoadBook(access)) return kNothingDone;

  ImportPlan plan(std::move(records), book);
  plan.SetUpdateChoice(options.takeRecordFields ? UpdateChoice::TakeRecordFields
                                                : UpdateChoice::KeepBookEntry);
  for (const PlanRow& row : plan.rows()) PrintRow(row, out);
  const ImportCounts counts = plan.Counts();
  if (counts.added + counts.updated == 0) {
    std::fprintf(out, "取り込める連絡先がありません。\n%s\n", CountsText(counts).c_str());
    return kNothingDone;
  }
  if (options.dryRun) {
    std::fprintf(out, "試行のため電話帳は変えていません。\n%s\n", CountsText(counts).c_str());
    if (!BookIsWritable(options.bookPath)) {
      prompter.Tell("電話帳のファイルに書き込めません: " + options.bookPath);
      return kNothingDone;
    }
  } else {
    plan.Apply();
    if (!HandOverBook(access)) return kNothingDone;
    std::fprintf(out, "%s\n", CountsMessage(counts).c_str());
  }
  return counts.skipped > 0 || fileRefused ? kSomeNotApplied : kAllApplied;
}
