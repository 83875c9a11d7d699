// The list's columns: which entry field each shows, in which order, with which heading,
// width and alignment. Kept in section LOADCOL of DUDODE.ini.
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kMaxColumns = 12;  // the list never has more columns

enum ColumnFormat : int32_t { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

// The entry field a column shows.
enum ColumnField : int32_t {
  kFieldNumber = 0,
  kFieldInAdapterMark = 1,
  kFieldCallAcceptMark = 2,
  kFieldName = 3,
  kFieldNameKana = 4,
  kFieldFax = 5,
  kFieldAddress = 6,
  kFieldRegisteredName = 7,
  kFieldPostalCode = 8,
  kFieldCompany = 9,
  kFieldCompanyAddress = 10,
  kFieldEmail = 11,
};

struct ColumnDef {
  char heading[16];  // code page 932, at most 15 bytes and the terminator
  int32_t format;    // ColumnFormat
  int32_t width;     // pixels
  int32_t fieldId;   // ColumnField
};

using ColumnTable = std::array<ColumnDef, kMaxColumns>;

// The built-in table used when DUDODE.ini holds no columns: all twelve fields.
const ColumnTable& DefaultColumns();

// Fills `table` from section LOADCOL of `iniPath` and returns the number of columns read:
// keys COL1.. up to COUNT (at most 12), stopping at the first missing one; the default
// table when none is read. Values that do not fit are cut or taken as 0.
int LoadColumns(const std::string& iniPath, ColumnTable& table);

// Writes the first `count` rows of `table` as COL1.. and COUNT to section LOADCOL.
// False when the file could not be written.
bool SaveColumns(const std::string& iniPath, const ColumnTable& table, int count);

// The list's columns: the table and the number of its rows in use, from the left.
struct ListColumns {
  ColumnTable table{};
  int32_t count = 0;
};
