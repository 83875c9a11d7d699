#include "import/import_files.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "calldir/book_file_format.h"
#include "import/csv_import_reader.h"
#include "import/kept_book_reader.h"
#include "import/vcard_reader.h"

namespace {

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The whole file, or nothing when it cannot be read or is too large (`tooLarge` says so).
std::optional<std::string> ReadWhole(const std::string& path, bool& tooLarge) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(PathOf(path), error);
  tooLarge = !error && size > kMaxImportFileBytes;
  if (error || tooLarge) return std::nullopt;
  std::ifstream in(PathOf(path), std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c =
        text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

ContactsFormat FormatOf(std::string_view bytes) {
  if (bytes.starts_with(calldir::kFormatHeader)) return ContactsFormat::KeptBook;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  while (!bytes.empty() &&
         (bytes.front() == '\r' || bytes.front() == '\n' || bytes.front() == ' ')) {
    bytes.remove_prefix(1);
  }
  return StartsWithNoCase(bytes, "BEGIN:VCARD") ? ContactsFormat::VCard : ContactsFormat::CsvExport;
}

FileReading ReadContactsFile(const std::string& path, ReadingDeriver* deriver) {
  bool tooLarge = false;
  const std::optional<std::string> bytes = ReadWhole(path, tooLarge);
  if (!bytes) {
    FileReading refused;
    refused.refusal = tooLarge ? path + " は大きすぎるため読み込めません (64 MB まで)。"
                               : path + " を読み込めませんでした。";
    return refused;
  }
  switch (FormatOf(*bytes)) {
    case ContactsFormat::VCard:
      return ReadVCardFile(path, *bytes, deriver);
    case ContactsFormat::KeptBook:
      return ReadKeptBookFile(path, *bytes);
    case ContactsFormat::CsvExport:
      break;
  }
  return ReadCsvExportFile(path, *bytes);
}
