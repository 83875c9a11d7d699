#include "editor/field_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/text_bytes.h"
#include "support/recording_prompter.h"
#include "support/sjis.h"

namespace {

using text_bytes::FieldText;

EntryForm ValidForm() {
  EntryForm form;
  form.number = "03-1234-5678";
  form.nameKana = Sjis("やまだ");
  form.name = Sjis("山田");
  return form;
}

struct RuleCase {
  const char* what;
  std::function<void(EntryForm&)> change;
  const char* message;  // "" when the form passes
  PromptIcon icon;
};

constexpr auto kWarn = PromptIcon::Warning;
constexpr auto kPlain = PromptIcon::None;

const RuleCase kCases[] = {
    {"everything empty", [](EntryForm& f) { f = {}; }, "電話番号を入力して下さい。", kWarn},
    {"number only", [](EntryForm& f) { f.nameKana.clear(), f.name.clear(); },
     "氏名かなを入力して下さい。", kWarn},
    {"no name", [](EntryForm& f) { f.name.clear(); }, "氏名を入力して下さい。", kWarn},
    {"a valid entry", [](EntryForm&) {}, "", kPlain},
    {"leading hyphen", [](EntryForm& f) { f.number = "-03-123-456"; }, "", kPlain},
    {"no area code", [](EntryForm& f) { f.number = "3-123-456"; },
     "電話番号は市外局番を入力して下さい。", kWarn},
    {"leading space", [](EntryForm& f) { f.number = " 0312"; },
     "電話番号は市外局番を入力して下さい。", kWarn},
    {"hyphens only", [](EntryForm& f) { f.number = "---"; }, "電話番号は市外局番を入力して下さい。",
     kWarn},
    {"full-width digits", [](EntryForm& f) { f.number = Sjis("０３１２３４"); },
     "電話番号は市外局番を入力して下さい。", kWarn},
    {"0 then full-width", [](EntryForm& f) { f.number = "0" + Sjis("３１２"); },
     "電話番号は、半角数字を入力して下さい。", kWarn},
    {"letters in number", [](EntryForm& f) { f.number = "03-ABCD"; },
     "電話番号欄に文字が入力されています。", kWarn},
    {"space in number", [](EntryForm& f) { f.number = "03 1234"; },
     "電話番号欄に文字が入力されています。", kWarn},
    {"phone symbols", [](EntryForm& f) { f.number = "0*12#3"; }, "", kPlain},
    {"postal code", [](EntryForm& f) { f.postalCode = "123-4567"; }, "", kPlain},
    {"full-width postal", [](EntryForm& f) { f.postalCode = Sjis("１２３"); },
     "郵便番号は、半角数字を入力して下さい。", kWarn},
    {"letter in postal", [](EntryForm& f) { f.postalCode = "123A"; },
     "郵便番号欄に文字が入力されています。", kWarn},
    {"full-width fax", [](EntryForm& f) { f.fax = Sjis("０３"); },
     "FAX番号は、半角数字をだけを入力して下さい。", kWarn},
    {"brackets in fax", [](EntryForm& f) { f.fax = "03(1234)"; },
     "FAX番号欄に数字以外が入力されています。", kWarn},
    {"half-width kana name", [](EntryForm& f) { f.registeredName = Sjis("ﾔﾏﾀﾞ ﾀﾛｳ"); }, "", kPlain},
    {"letter in reg. name", [](EntryForm& f) { f.registeredName = Sjis("ﾔﾏA"); },
     "登録名称は、半角カナを入力してください。", kPlain},
    {"digit in reg. name", [](EntryForm& f) { f.registeredName = Sjis("ﾔﾏ1"); },
     "登録名称は、半角カナを入力してください。", kPlain},
    {"kanji in reg. name", [](EntryForm& f) { f.registeredName = Sjis("山"); },
     "登録名称は、半角カナを入力してください。", kPlain},
    {"reading with space", [](EntryForm& f) { f.nameKana = Sjis("やまだ たろう"); }, "", kPlain},
    {"reading with comma", [](EntryForm& f) { f.nameKana = Sjis("やまだ,たろう"); }, "", kPlain},
    {"long vowel mark", [](EntryForm& f) { f.nameKana = Sjis("らーめん"); }, "", kPlain},
    {"katakana reading", [](EntryForm& f) { f.nameKana = Sjis("ヤマダ"); },
     "氏名かなは、平仮名を入力してください。", kPlain},
    {"letter in reading", [](EntryForm& f) { f.nameKana = Sjis("やまa"); },
     "氏名かなは、平仮名を入力してください。", kPlain},
    {"spaces as reading", [](EntryForm& f) { f.nameKana = "   "; },
     "氏名かなは、平仮名を入力してください。", kPlain},
    {"half-width reading", [](EntryForm& f) { f.nameKana = Sjis("ﾔﾏﾀﾞ"); },
     "氏名かなは、平仮名を入力してください。", kPlain},
    {"comma in name", [](EntryForm& f) { f.name = Sjis("山田,太郎"); },
     "氏名には、”,”を入力しないでください。", kPlain},
    {"full-width comma", [](EntryForm& f) { f.name = Sjis("山田，太郎"); }, "", kPlain},
    {"comma in company", [](EntryForm& f) { f.company = "A,B"; },
     "会社名には、”,”を入力しないでください。", kPlain},
    {"comma in e-mail", [](EntryForm& f) { f.email = "a,b@c"; },
     "メールアドレスには、”,”を入力しないでください。", kPlain},
    {"comma in address", [](EntryForm& f) { f.address = Sjis("東京,港区"); },
     "住所には、”,”を入力しないでください。", kPlain},
    {"comma in company addr.", [](EntryForm& f) { f.companyAddress = "1,2"; },
     "会社住所には、”,”を入力しないでください。", kPlain},
    {"first failure wins", [](EntryForm& f) { f.address = ",", f.name = ","; },
     "氏名には、”,”を入力しないでください。", kPlain},
};

TEST(FieldRulesTest, EachCheckInItsOrderWithItsMessageAndIcon) {
  for (const RuleCase& c : kCases) {
    SCOPED_TRACE(c.what);
    EntryForm form = ValidForm();
    c.change(form);
    RecordingPrompter prompter;
    int dialog = 0;
    const auto entry = ValidateEntry(form, prompter, PromptOwner::Of(&dialog));
    if (std::string(c.message).empty()) {
      EXPECT_TRUE(entry.has_value());
      EXPECT_TRUE(prompter.messages.empty());
      continue;
    }
    EXPECT_FALSE(entry.has_value());
    ASSERT_EQ(prompter.messages.size(), 1u);
    const auto& box = prompter.messages[0];
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.icon, c.icon);
    EXPECT_EQ(box.caption, "- 電話帳 -");
    EXPECT_EQ(box.buttons, PromptButtons::Ok);
    EXPECT_EQ(box.owner.window, &dialog);
  }
}

TEST(FieldRulesTest, TheWorkingEntryKeepsTheTextsAsTypedAndDerivesItsFlags) {
  struct FlagCase {
    bool adapterWanted, callRejected;
    int illumination;
    const char *wanted, *accept, *pattern;
  };
  const FlagCase flagCases[] = {
      {false, true, 2, "0", "1", "2"},  // not for the adapter: never call rejection
      {true, true, 3, "1", "0", "3"},
      {true, false, -1, "1", "1", "0"},  // no item selected
  };
  for (const FlagCase& c : flagCases) {
    EntryForm form = ValidForm();
    form.number = "-03-123-456";
    form.nameKana = Sjis("やまだ,たろう");
    form.email = "taro@example.jp";
    form.adapterWanted = c.adapterWanted;
    form.callRejected = c.callRejected;
    form.illumination = c.illumination;
    RecordingPrompter prompter;
    const auto w = ValidateEntry(form, prompter, PromptOwner::MainWindow());
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(FieldText(w->number), "-03-123-456");
    EXPECT_EQ(FieldText(w->nameKana), Sjis("やまだ,たろう"));
    EXPECT_EQ(FieldText(w->email), "taro@example.jp");
    EXPECT_EQ(FieldText(w->adapterWanted), c.wanted);
    EXPECT_EQ(FieldText(w->callAccept), c.accept);
    EXPECT_EQ(FieldText(w->illumination), c.pattern);
    EXPECT_EQ(w->inAdapter, 0);
  }
}

}  // namespace

// The field each check is about, for callers that point at it instead of showing the box.
TEST(FieldRulesTest, TheFirstFailedCheckNamesItsField) {
  struct FieldCase {
    std::function<void(EntryForm&)> change;
    EntryField field;
  };
  const FieldCase cases[] = {
      {[](EntryForm& f) { f.number.clear(); }, EntryField::Number},
      {[](EntryForm& f) { f.nameKana.clear(); }, EntryField::NameKana},
      {[](EntryForm& f) { f.name.clear(); }, EntryField::Name},
      {[](EntryForm& f) { f.number = "03 1234"; }, EntryField::Number},
      {[](EntryForm& f) { f.postalCode = "123A"; }, EntryField::PostalCode},
      {[](EntryForm& f) { f.fax = "03(1234)"; }, EntryField::Fax},
      {[](EntryForm& f) { f.registeredName = Sjis("山"); }, EntryField::RegisteredName},
      {[](EntryForm& f) { f.nameKana = Sjis("ヤマダ"); }, EntryField::NameKana},
      {[](EntryForm& f) { f.name = ","; }, EntryField::Name},
      {[](EntryForm& f) { f.company = ","; }, EntryField::Company},
      {[](EntryForm& f) { f.email = ","; }, EntryField::Email},
      {[](EntryForm& f) { f.address = ","; }, EntryField::Address},
      {[](EntryForm& f) { f.companyAddress = ","; }, EntryField::CompanyAddress},
  };
  EXPECT_FALSE(FirstFailedCheck(ValidForm()).has_value());
  for (const FieldCase& c : cases) {
    EntryForm form = ValidForm();
    c.change(form);
    const auto failure = FirstFailedCheck(form);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->field, c.field) << failure->message;
    RecordingPrompter prompter;
    ValidateEntry(form, prompter, PromptOwner::MainWindow());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, failure->message);
    EXPECT_EQ(prompter.messages[0].icon, failure->icon);
  }
}
