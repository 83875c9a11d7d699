#include "editor/form_mapping.h"

#include <iterator>
#include <string>

#include "platform/text_bytes.h"

namespace {

constexpr int kPatterns = static_cast<int>(std::size(kIlluminationItems));

}  // namespace

EntryForm FormOfEntry(const BookEntry& entry) {
  using text_bytes::FieldText;
  EntryForm form;
  form.number = FieldText(entry.number);
  form.registeredName = FieldText(entry.registeredName);
  form.name = FieldText(entry.name);
  form.nameKana = FieldText(entry.nameKana);
  form.postalCode = FieldText(entry.postalCode);
  form.fax = FieldText(entry.fax);
  form.address = FieldText(entry.address);
  form.company = FieldText(entry.company);
  form.companyAddress = FieldText(entry.companyAddress);
  form.email = FieldText(entry.email);
  form.adapterWanted = FieldText(entry.adapterWanted) == "1";
  form.callRejected = FieldText(entry.callAccept) != "1";
  const int pattern = text_bytes::ParseInt(FieldText(entry.illumination));
  form.illumination = pattern >= 0 && pattern < kPatterns ? pattern : 0;
  return form;
}

BookEntry WorkingEntry(const EntryForm& form) {
  using text_bytes::FillField;
  BookEntry w{};
  FillField(w.number, form.number);
  FillField(w.name, form.name);
  FillField(w.nameKana, form.nameKana);
  FillField(w.address, form.address);
  FillField(w.fax, form.fax);
  FillField(w.postalCode, form.postalCode);
  FillField(w.company, form.company);
  FillField(w.companyAddress, form.companyAddress);
  FillField(w.email, form.email);
  FillField(w.registeredName, form.registeredName);
  FillField(w.adapterWanted, form.adapterWanted ? "1" : "0");
  // An entry not meant for the adapter never carries call rejection.
  FillField(w.callAccept, form.adapterWanted && form.callRejected ? "0" : "1");
  const bool hasPattern = form.illumination >= 1 && form.illumination < kPatterns;
  const char pattern[2] = {hasPattern ? static_cast<char>('0' + form.illumination) : '0', '\0'};
  FillField(w.illumination, pattern);
  w.inAdapter = 0;
  return w;
}
