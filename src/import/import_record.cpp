#include "import/import_record.h"

#include "import/utf8_text.h"
#include "platform/cp932.h"

namespace {

bool IsCodePage932(std::string_view text) {
  return utf8_text::IsAscii(text) || cp932::ToUtf8(text).ok;
}

}  // namespace

void SetFlags(ImportRecord& record, std::string_view callAccept, std::string_view illumination) {
  record.callAccept = callAccept;
  record.illumination = illumination;
  record.form.callRejected = callAccept == "0";
  const bool isItem = illumination.size() == 1 && illumination[0] >= '0' && illumination[0] <= '3';
  record.form.illumination = isItem ? illumination[0] - '0' : -1;
}

bool TextsAreCodePage932(const ImportRecord& record) {
  for (const EntryField field : kEntryFields) {
    if (!IsCodePage932(FieldOf(record.form, field))) return false;
  }
  return IsCodePage932(record.callAccept) && IsCodePage932(record.illumination);
}
