// The CSV export: one line per live entry, in array order, code page 932, CR LF.
// A field is written as it is stored, except that one holding a comma, CR, LF or double
// quote is quoted (quotes doubled), so that no field can shift the columns after it.
#pragma once

#include <string>
#include <string_view>

#include "book/phone_book.h"

class Prompter;

// The caption and texts of the export's boxes.
inline constexpr const char* kCsvErrorCaption = "データ保存エラー";
inline constexpr const char* kCsvNoDataMessage = "保存データが存在しません！！";
inline constexpr const char* kCsvOverwriteQuestion =
    "すでにファイルが存在します。上書き保存しますか？";
inline constexpr const char* kCsvSaveFailedMessage = "データの保存に失敗しました！！";
inline constexpr const char* kCsvProgramFileMessage =
    "電話帳のファイルには保存できません。別の名前を指定してください。";

// The file name the save dialog proposes.
inline constexpr const char* kCsvProposedName = "DUDODE.CSV";

// Appends the line of `entry` with its CR LF to `out`.
void AppendCsvLine(const BookEntry& entry, std::string& out);

// The whole file: the lines of the live entries in array order.
std::string FormatCsv(const PhoneBook& book);

// Writes `bytes` to a temporary file beside `path` and puts it in the place of `path`
// only once all of it is written (and, with `flush`, on the disk), so a failure midway
// leaves any old file as it was. False when anything failed.
bool WriteFileWhole(const std::string& path, std::string_view bytes, bool flush = true);

enum class CsvExportResult { Written, Cancelled, Failed, Refused };

// Writes the book to `path`, the file the user chose: refuses the program's own files in
// `programFolder` (the export would replace the book itself with a file its library cannot
// read), warns when the book is empty, asks before replacing an existing file, and says so
// when the write fails. The boxes belong to no window.
CsvExportResult ExportCsv(const PhoneBook& book, const std::string& path,
                          const std::string& programFolder, Prompter& prompter);
