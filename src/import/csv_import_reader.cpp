#include "import/csv_import_reader.h"

#include <array>
#include <vector>

namespace {

constexpr std::size_t kColumns = 14;

// The columns in the export's order; the flags, registeredName and inAdapter follow.
constexpr std::array<EntryField, 9> kTextColumns = {
    EntryField::Number, EntryField::Name,       EntryField::NameKana, EntryField::Address,
    EntryField::Fax,    EntryField::PostalCode, EntryField::Company,  EntryField::CompanyAddress,
    EntryField::Email};
constexpr std::size_t kCallAcceptColumn = 9;
constexpr std::size_t kIlluminationColumn = 11;
constexpr std::size_t kRegisteredNameColumn = 12;

// One record's fields, read from `at` up to and including its line end; `at` moves past
// it. False when the quoting is broken. Comma, quote, CR and LF are never a code page 932
// trail byte, so the bytes are read one by one without pairing them.
bool ReadRecord(std::string_view bytes, std::size_t& at, std::vector<std::string>& fields) {
  fields.assign(1, {});
  bool quoted = false;
  bool wasQuoted = false;  // the field's closing quote was read
  bool ok = true;
  while (at < bytes.size()) {
    const char c = bytes[at++];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (at < bytes.size() && bytes[at] == '"') {
        fields.back() += '"';
        ++at;
      } else {
        quoted = false;
        wasQuoted = true;
      }
    } else if (c == '\n') {
      return ok;
    } else if (c == '\r' && at < bytes.size() && bytes[at] == '\n') {
      continue;  // the LF ends the line
    } else if (c == ',') {
      fields.emplace_back();
      wasQuoted = false;
    } else if (c == '"' && fields.back().empty() && !wasQuoted) {
      quoted = true;
    } else if (c == '"' || wasQuoted || c == '\r') {
      ok = false;  // a quote inside a field, text after a closing quote, a lone CR
    } else {
      fields.back() += c;
    }
  }
  return ok && !quoted;
}

// The export writes an empty flag as a single space.
std::string_view Flag(const std::string& field) {
  return field == " " ? std::string_view() : std::string_view(field);
}

ImportRecord RecordOf(const std::vector<std::string>& fields) {
  ImportRecord record;
  for (std::size_t column = 0; column < kTextColumns.size(); ++column) {
    FieldOf(record.form, kTextColumns[column]) = fields[column];
  }
  record.form.registeredName = fields[kRegisteredNameColumn];
  SetFlags(record, Flag(fields[kCallAcceptColumn]), Flag(fields[kIlluminationColumn]));
  if (record.form.number.empty()) record.skip = SkipReason::NoNumber;
  return record;
}

}  // namespace

FileReading ReadCsvExportFile(const std::string& fileName, std::string_view bytes) {
  FileReading reading;
  bool anyReadable = false;
  std::vector<std::string> fields;
  int line = 1;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t start = at;
    const int recordLine = line;
    const bool wellQuoted = ReadRecord(bytes, at, fields);
    if (!wellQuoted) {
      // Only the record's first line is given up: an open quote there must not swallow
      // the good lines behind it.
      const std::size_t lf = bytes.find('\n', start);
      at = lf == std::string_view::npos ? bytes.size() : lf + 1;
    }
    for (std::size_t i = start; i < at; ++i) line += bytes[i] == '\n' ? 1 : 0;
    if (wellQuoted && fields.size() == 1 && fields.front().empty()) continue;  // a blank line
    ImportRecord record;
    if (wellQuoted && fields.size() == kColumns) record = RecordOf(fields);
    if (wellQuoted && fields.size() == kColumns && TextsAreCodePage932(record)) {
      anyReadable = true;
    } else {
      record = ImportRecord{};
      record.skip = SkipReason::DamagedLine;
    }
    record.file = fileName;
    record.line = recordLine;
    reading.records.push_back(std::move(record));
  }
  if (!anyReadable) {
    reading.records.clear();
    reading.refusal = fileName + " に読み取れる行がありません (DUDODE の CSV ではありません)。";
  }
  return reading;
}
