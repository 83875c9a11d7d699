#include "editor/field_rules.h"

#include <array>
#include <string_view>

#include "book/phone_match.h"
#include "editor/form_mapping.h"
#include "index/char_class.h"
#include "platform/text_bytes.h"

namespace {

// The single byte 0x2C; it is never the second byte of a double-byte character, so the
// full-width comma does not count.
bool HasComma(std::string_view text) {
  return text.find(',') != std::string_view::npos;
}

bool HasAreaCode(std::string_view number) {
  const auto stripped = StripHyphens(number);
  return stripped.length > 0 && stripped.bytes[0] == '0';
}

struct Check {
  EntryField field;  // the field the message is about
  bool (*passes)(const EntryForm&);
  const char* message;
  PromptIcon icon;
};

// The order matters: a number in full-width digits fails the area-code rule before the
// single-byte one, for instance.
constexpr PromptIcon kWarn = PromptIcon::Warning;
constexpr PromptIcon kPlain = PromptIcon::None;
const std::array<Check, 17> kChecks = {{
    {EntryField::Number, [](const EntryForm& f) { return !f.number.empty(); },
     "電話番号を入力して下さい。", kWarn},
    {EntryField::NameKana, [](const EntryForm& f) { return !f.nameKana.empty(); },
     "氏名かなを入力して下さい。", kWarn},
    {EntryField::Name, [](const EntryForm& f) { return !f.name.empty(); }, "氏名を入力して下さい。",
     kWarn},
    {EntryField::Number, [](const EntryForm& f) { return HasAreaCode(f.number); },
     "電話番号は市外局番を入力して下さい。", kWarn},
    {EntryField::Number, [](const EntryForm& f) { return IsSingleByteText(f.number); },
     "電話番号は、半角数字を入力して下さい。", kWarn},
    {EntryField::Number, [](const EntryForm& f) { return IsPhoneText(f.number); },
     "電話番号欄に文字が入力されています。", kWarn},
    {EntryField::PostalCode, [](const EntryForm& f) { return IsSingleByteText(f.postalCode); },
     "郵便番号は、半角数字を入力して下さい。", kWarn},
    {EntryField::PostalCode, [](const EntryForm& f) { return IsPhoneText(f.postalCode); },
     "郵便番号欄に文字が入力されています。", kWarn},
    {EntryField::Fax, [](const EntryForm& f) { return IsSingleByteText(f.fax); },
     "FAX番号は、半角数字をだけを入力して下さい。", kWarn},
    {EntryField::Fax, [](const EntryForm& f) { return IsPhoneText(f.fax); },
     "FAX番号欄に数字以外が入力されています。", kWarn},
    {EntryField::RegisteredName,
     [](const EntryForm& f) {
       return IsSingleByteText(f.registeredName) && IsHalfKanaText(f.registeredName);
     },
     "登録名称は、半角カナを入力してください。", kPlain},
    {EntryField::NameKana, [](const EntryForm& f) { return IsHiraganaReading(f.nameKana); },
     "氏名かなは、平仮名を入力してください。", kPlain},
    {EntryField::Name, [](const EntryForm& f) { return !HasComma(f.name); },
     "氏名には、”,”を入力しないでください。", kPlain},
    {EntryField::Company, [](const EntryForm& f) { return !HasComma(f.company); },
     "会社名には、”,”を入力しないでください。", kPlain},
    {EntryField::Email, [](const EntryForm& f) { return !HasComma(f.email); },
     "メールアドレスには、”,”を入力しないでください。", kPlain},
    {EntryField::Address, [](const EntryForm& f) { return !HasComma(f.address); },
     "住所には、”,”を入力しないでください。", kPlain},
    {EntryField::CompanyAddress, [](const EntryForm& f) { return !HasComma(f.companyAddress); },
     "会社住所には、”,”を入力しないでください。", kPlain},
}};

}  // namespace

std::optional<FieldFailure> FirstFailedCheck(const EntryForm& form) {
  for (const Check& check : kChecks) {
    if (!check.passes(form)) return FieldFailure{check.field, check.message, check.icon};
  }
  return std::nullopt;
}

std::optional<BookEntry> ValidateEntry(const EntryForm& form, Prompter& prompter,
                                       PromptOwner owner, EntryField* refused) {
  if (const std::optional<FieldFailure> failure = FirstFailedCheck(form)) {
    prompter.Ask(failure->message, kAppTitle, failure->icon, PromptButtons::Ok, owner);
    if (refused != nullptr) *refused = failure->field;
    return std::nullopt;
  }
  return WorkingEntry(form);
}
