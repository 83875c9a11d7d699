#include "import/import_record.h"

#include "import/utf8_text.h"
#include "platform/cp932.h"

namespace {

bool IsCodePage932(std::string_view text) {
  return utf8_text::IsAscii(text) || cp932::ToUtf8(text).ok;
}

}  // namespace

std::string& FieldOf(EntryForm& form, FormField field) {
  switch (field) {
    case FormField::Number:
      return form.number;
    case FormField::RegisteredName:
      return form.registeredName;
    case FormField::Name:
      return form.name;
    case FormField::NameKana:
      return form.nameKana;
    case FormField::PostalCode:
      return form.postalCode;
    case FormField::Fax:
      return form.fax;
    case FormField::Address:
      return form.address;
    case FormField::Company:
      return form.company;
    case FormField::CompanyAddress:
      return form.companyAddress;
    case FormField::Email:
      return form.email;
  }
  return form.email;  // not reached: every field is named above
}

const std::string& FieldOf(const EntryForm& form, FormField field) {
  return FieldOf(const_cast<EntryForm&>(form), field);
}

void SetFlags(ImportRecord& record, std::string_view callAccept, std::string_view illumination) {
  record.callAccept = callAccept;
  record.illumination = illumination;
  record.form.callRejected = callAccept == "0";
  const bool isItem = illumination.size() == 1 && illumination[0] >= '0' && illumination[0] <= '3';
  record.form.illumination = isItem ? illumination[0] - '0' : -1;
}

bool TextsAreCodePage932(const ImportRecord& record) {
  for (const FormField field :
       {FormField::Number, FormField::RegisteredName, FormField::Name, FormField::NameKana,
        FormField::PostalCode, FormField::Fax, FormField::Address, FormField::Company,
        FormField::CompanyAddress, FormField::Email}) {
    if (!IsCodePage932(FieldOf(record.form, field))) return false;
  }
  return IsCodePage932(record.callAccept) && IsCodePage932(record.illumination);
}
