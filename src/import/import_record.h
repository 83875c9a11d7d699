// What the import reads from a contacts file: one record per would-be entry, before the
// import plan weighs it against the book. Plain data, shared by the readers, the plan, the
// preview and the command-line tool.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/entry_form.h"

enum class SkipReason {
  None,
  NoNumber,       // the card or line holds no phone number
  ForeignNumber,  // a number with a country code other than +81
  MalformedCard,  // a vCard that is cut short or broken
  DamagedLine,    // a line of the program's CSV or of a kept book file that does not read
  // Decided by the import plan, against the other records and the book:
  Duplicate,  // an earlier record of the files has the same number (hyphens aside)
  BookFull,   // the book would pass 10,000 entries
};

// A text code page 932 cannot hold (an emoji, a rare ideograph): nothing of it is dropped.
// Its field in the form stays empty and the text waits here, in UTF-8, for the user to
// edit it in the preview.
struct UnheldText {
  EntryField field = EntryField::Name;
  std::string utf8;
};

struct ImportRecord {
  // The ten texts in code page 932, never cut (the entry rules judge their lengths later).
  // adapterWanted is always false: imported entries never go to the adapter. callRejected
  // and illumination mirror the two flags below, for the form's checks.
  EntryForm form;
  // The entry's flags exactly as the book will hold them: an export -> import round trip
  // keeps them byte for byte, empty ones included (EntryForm's check box cannot say "").
  std::string callAccept = "1";
  std::string illumination = "0";
  bool readingDerived = false;  // nameKana was derived from the name, for the user to check
  std::vector<UnheldText> unheld;
  std::string file;  // the file it came from, as the user named it (UTF-8)
  int line = 0;      // 1-based line where its card or record starts
  SkipReason skip = SkipReason::None;
};

struct FileReading {  // one file
  std::vector<ImportRecord> records;
  std::string refusal;  // non-empty: the file was refused, with a message naming it (UTF-8)
};

// Whether the ten texts and the two flags are code page 932 (a lone lead byte is not).
bool TextsAreCodePage932(const ImportRecord& record);

// Sets the record's flags, and the form's mirror of them ("0" is call rejection; "0" to
// "3" an illumination item, anything else none).
void SetFlags(ImportRecord& record, std::string_view callAccept, std::string_view illumination);
