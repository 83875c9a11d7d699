#include "editor/entry_form.h"

namespace {

struct FieldFacts {
  std::string EntryForm::*text;
  int limit;
  const char* label;
};

// In the order of EntryField.
constexpr std::array<FieldFacts, kEntryFields.size()> kFacts = {{
    {&EntryForm::number, field_limits::kNumber, "電話番号"},
    {&EntryForm::registeredName, field_limits::kRegisteredName, "登録名称"},
    {&EntryForm::name, field_limits::kName, "氏名"},
    {&EntryForm::nameKana, field_limits::kNameKana, "氏名かな"},
    {&EntryForm::postalCode, field_limits::kPostalCode, "郵便番号"},
    {&EntryForm::fax, field_limits::kFax, "FAX番号"},
    {&EntryForm::address, field_limits::kAddress, "住所"},
    {&EntryForm::company, field_limits::kCompany, "会社名"},
    {&EntryForm::companyAddress, field_limits::kCompanyAddress, "会社住所"},
    {&EntryForm::email, field_limits::kEmail, "E-mailアドレス"},
}};

const FieldFacts& FactsOf(EntryField field) {
  return kFacts[static_cast<std::size_t>(field)];
}

}  // namespace

std::string& FieldOf(EntryForm& form, EntryField field) {
  return form.*FactsOf(field).text;
}

const std::string& FieldOf(const EntryForm& form, EntryField field) {
  return form.*FactsOf(field).text;
}

int TypingLimit(EntryField field) {
  return FactsOf(field).limit;
}

const char* FieldLabel(EntryField field) {
  return FactsOf(field).label;
}
