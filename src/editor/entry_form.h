// What the entry dialog's controls hold when the user presses the update button: the ten
// texts in code page 932, the two check boxes and the illumination item.
#pragma once

#include <array>
#include <string>

// Typing limits of the edit fields, in bytes (a double-byte character counts two). Each
// leaves room for the terminator in its book field, so nothing typed is ever cut.
namespace field_limits {
inline constexpr int kNumber = 20;
inline constexpr int kRegisteredName = 20;
inline constexpr int kName = 20;
inline constexpr int kNameKana = 30;
inline constexpr int kPostalCode = 8;
inline constexpr int kFax = 22;
inline constexpr int kAddress = 80;
inline constexpr int kCompany = 80;
inline constexpr int kCompanyAddress = 80;
inline constexpr int kEmail = 40;
}  // namespace field_limits

// The illumination items in list order: an item's index is its pattern number.
inline constexpr const char* kIlluminationItems[] = {"光無し", "光1", "光2", "光3"};

struct EntryForm {
  std::string number;
  std::string registeredName;
  std::string name;
  std::string nameKana;
  std::string postalCode;
  std::string fax;
  std::string address;
  std::string company;
  std::string companyAddress;
  std::string email;
  bool adapterWanted = false;  // "アダプタへ登録" checked
  bool callRejected = false;   // "着信拒否" checked
  int illumination = 0;        // the selected item's index, -1 for none
};

// The ten texts of the form, in the dialog's order.
enum class EntryField {
  Number,
  RegisteredName,
  Name,
  NameKana,
  PostalCode,
  Fax,
  Address,
  Company,
  CompanyAddress,
  Email,
};

inline constexpr std::array<EntryField, 10> kEntryFields = {
    EntryField::Number,   EntryField::RegisteredName, EntryField::Name,
    EntryField::NameKana, EntryField::PostalCode,     EntryField::Fax,
    EntryField::Address,  EntryField::Company,        EntryField::CompanyAddress,
    EntryField::Email};

// The form's text for `field`.
std::string& FieldOf(EntryForm& form, EntryField field);
const std::string& FieldOf(const EntryForm& form, EntryField field);

// The field's typing limit in bytes (field_limits).
int TypingLimit(EntryField field);

// The field's name as the dialog labels it, UTF-8 ("氏名かな").
const char* FieldLabel(EntryField field);
