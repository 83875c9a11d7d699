#include "book/csv_export.h"

#include <string>

#include "messages/prompter.h"
#include "platform/file_ops.h"
#include "platform/program_folder.h"
#include "platform/text_bytes.h"

namespace {

// Comma, CR, LF and the double quote lie below 0x40, so they are never the second byte of
// a double-byte character: a byte-wise search finds only real ones.
bool NeedsQuotes(std::string_view field) {
  return field.find_first_of(",\r\n\"") != std::string_view::npos;
}

void AppendField(std::string_view field, std::string& out) {
  if (!NeedsQuotes(field)) {
    out += field;
    return;
  }
  out += '"';
  for (const char byte : field) {
    if (byte == '"') out += '"';
    out += byte;
  }
  out += '"';
}

// A one-character flag: an empty one goes out as a single space.
void AppendFlag(std::string_view flag, std::string& out) {
  AppendField(flag.empty() ? std::string_view(" ") : flag, out);
}

}  // namespace

void AppendCsvLine(const BookEntry& entry, std::string& out) {
  using text_bytes::FieldText;
  for (const std::string_view text :
       {FieldText(entry.number), FieldText(entry.name), FieldText(entry.nameKana),
        FieldText(entry.address), FieldText(entry.fax), FieldText(entry.postalCode),
        FieldText(entry.company), FieldText(entry.companyAddress), FieldText(entry.email)}) {
    AppendField(text, out);
    out += ',';
  }
  for (const std::string_view flag : {FieldText(entry.callAccept), FieldText(entry.adapterWanted),
                                      FieldText(entry.illumination)}) {
    AppendFlag(flag, out);
    out += ',';
  }
  AppendField(FieldText(entry.registeredName), out);
  out += ',';
  out += std::to_string(entry.inAdapter);
  out += "\r\n";
}

std::string FormatCsv(const PhoneBook& book) {
  std::string out;
  out.reserve(static_cast<std::size_t>(book.entryCount()) * 160);  // a typical line's length
  for (int i = 0; i < book.entryCount(); ++i) {
    if (book[i].deleted == 0) AppendCsvLine(book[i], out);
  }
  return out;
}

bool WriteFileWhole(const std::string& path, std::string_view bytes, bool flush) {
  file_ops::TempFile temp;  // removed by its destructor on every early return
  if (!file_ops::CreateTempBeside(temp, path)) return false;
  if (!temp.Write(bytes.data(), bytes.size())) return false;
  if (flush && !temp.Flush()) return false;
  if (!temp.Close()) return false;
  if (!file_ops::RenameOver(temp.Path(), path)) {
    temp.Discard();
    return false;
  }
  // The complete file is in place now; making the rename itself durable is best effort.
  if (flush) file_ops::FlushFolderOf(path);
  return true;
}

CsvExportResult ExportCsv(const PhoneBook& book, const std::string& path,
                          const std::string& programFolder, Prompter& prompter) {
  const auto tell = [&](const char* text, PromptButtons buttons) {
    return prompter.Ask(text, kCsvErrorCaption, PromptIcon::None, buttons, PromptOwner::NoWindow());
  };
  if (IsProgramFile(programFolder, path)) {
    tell(kCsvProgramFileMessage, PromptButtons::Ok);
    return CsvExportResult::Refused;
  }
  if (book.entryCount() == 0) tell(kCsvNoDataMessage, PromptButtons::Ok);
  if (file_ops::PathExists(path) &&
      tell(kCsvOverwriteQuestion, PromptButtons::OkCancel) != PromptAnswer::Ok) {
    return CsvExportResult::Cancelled;
  }
  if (!WriteFileWhole(path, FormatCsv(book))) {
    tell(kCsvSaveFailedMessage, PromptButtons::Ok);
    return CsvExportResult::Failed;
  }
  return CsvExportResult::Written;
}
