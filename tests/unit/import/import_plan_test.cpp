// The import plan: what each record becomes against the book (new, update, needs attention,
// skipped and why), the user's ticks, edits and update choice, and what applying does.
#include "import/import_plan.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "book/csv_export.h"
#include "book/phone_match.h"
#include "book_generator.h"
#include "import/csv_import_reader.h"
#include "index/char_class.h"
#include "support/book_builder.h"
#include "support/sjis.h"

namespace {

using text_bytes::FieldText;
using text_bytes::FillField;

ImportRecord Record(const std::string& number, const std::string& name = Sjis("山田 太郎"),
                    const std::string& reading = Sjis("やまだ たろう")) {
  ImportRecord r;
  r.form.number = number;
  r.form.name = name;
  r.form.nameKana = reading;
  r.file = "contacts.vcf";
  r.line = 1;
  return r;
}

ImportRecord With(ImportRecord r, const std::function<void(ImportRecord&)>& change) {
  change(r);
  return r;
}

std::vector<std::string> Statuses(const ImportPlan& plan) {
  std::vector<std::string> texts;
  for (const PlanRow& row : plan.rows()) texts.push_back(StatusText(row));
  return texts;
}

// One record against a book holding a live "03-1111-2222" and a deleted "03-3333-4444".
struct StatusCase {
  const char* what;
  ImportRecord record;
  const char* status;
};

TEST(ImportPlan, EachRecordIsNewUpdateNeedsAttentionOrSkippedWithItsReason) {
  const StatusCase cases[] = {
      {"new", Record("090-1234-5678"), "新規"},
      {"same number", Record("03-1111-2222"), "更新"},
      {"hyphens aside", Record("0311-112-222"), "更新"},
      {"other separators count", Record("03 1111 2222"),
       "要確認: 電話番号欄に文字が入力されています。"},
      {"a deleted entry's number", Record("03-3333-4444"), "新規"},
      {"no reading", Record("090-1", Sjis("山田"), ""), "要確認: 氏名かなを入力して下さい。"},
      {"katakana reading", Record("090-1", Sjis("山田"), Sjis("ヤマダ")),
       "要確認: 氏名かなは、平仮名を入力してください。"},
      {"name over its limit", Record("090-1", Sjis("寿限無寿限無五劫の擦り切れ")),
       "要確認: 「氏名」は半角20文字（全角10文字）までです。"},
      {"address at its limit",
       With(Record("090-1"), [](ImportRecord& r) { r.form.address = std::string(80, 'a'); }),
       "新規"},
      {"address over it",
       With(Record("090-1"), [](ImportRecord& r) { r.form.address = std::string(81, 'a'); }),
       "要確認: 「住所」は半角80文字（全角40文字）までです。"},
      {"a character code page 932 lacks",
       With(Record("090-1", ""),
            [](ImportRecord& r) {
              r.unheld.push_back({EntryField::Name, "山田🙂"});
            }),
       "要確認: 「氏名」に登録できない文字があります。"},
      {"comma in company", With(Record("090-1"), [](ImportRecord& r) { r.form.company = "A,B"; }),
       "要確認: 会社名には、”,”を入力しないでください。"},
      {"no number", With(Record(""), [](ImportRecord& r) { r.skip = SkipReason::NoNumber; }),
       "スキップ: 電話番号がありません"},
      {"foreign", With(Record(""), [](ImportRecord& r) { r.skip = SkipReason::ForeignNumber; }),
       "スキップ: 国外の番号"},
      {"malformed card",
       With(Record(""),
            [](ImportRecord& r) {
              r.skip = SkipReason::MalformedCard;
              r.line = 12;
            }),
       "スキップ: 壊れたカード (contacts.vcf 12行目)"},
      {"damaged line",
       With(Record(""),
            [](ImportRecord& r) {
              r.skip = SkipReason::DamagedLine;
              r.file = "CallDir.csv.backup-20261207";
              r.line = 3;
            }),
       "スキップ: 壊れた行 (CallDir.csv.backup-20261207 3行目)"},
  };
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(c.what);
    PhoneBook book;
    Put(book, MakeEntry("03-1111-2222", Sjis("やまだ"), Sjis("山田")));
    BookEntry deleted = MakeEntry("03-3333-4444");
    deleted.deleted = 1;
    Put(book, deleted);
    const ImportPlan plan({c.record}, book);
    ASSERT_EQ(plan.rows().size(), 1u);
    EXPECT_EQ(StatusText(plan.rows()[0]), c.status);
  }
}

TEST(ImportPlan, TheFirstRecordOfANumberWinsAndUntickingItLetsTheNextIn) {
  PhoneBook book;
  ImportPlan plan({Record("090-1111-2222"), Record("09011112222"), Record("090-1111-2222")}, book);
  EXPECT_EQ(Statuses(plan), (std::vector<std::string>{"新規", "スキップ: ファイル内で重複する番号",
                                                      "スキップ: ファイル内で重複する番号"}));
  plan.SetTicked(0, false);
  EXPECT_EQ(Statuses(plan),
            (std::vector<std::string>{"新規", "新規", "スキップ: ファイル内で重複する番号"}));
  const ImportCounts counts = plan.Apply();
  EXPECT_EQ(counts.added, 1);
  EXPECT_EQ(counts.skipped, 2);
  ASSERT_EQ(book.entryCount(), 1);
  EXPECT_EQ(FieldText(book[0].number), "09011112222");
}

TEST(ImportPlan, NewEntriesStopWhereTheBookWouldPassTenThousand) {
  PhoneBook book;
  PutBlankEntries(book, BOOK_CAPACITY - 2);
  BookEntry deleted = MakeEntry("03-3333-4444");
  deleted.deleted = 1;
  Put(book, deleted);  // one slot left, and a deleted entry whose slot can be taken
  ImportPlan plan(
      {Record("090-1"), Record("090-2"), Record("03-3333-4444"), Record("090-3", Sjis("山田"), "")},
      book);
  EXPECT_EQ(Statuses(plan),
            (std::vector<std::string>{"新規", "スキップ: 電話帳が1万件を超えます", "新規",
                                      "スキップ: 電話帳が1万件を超えます"}));
  plan.SetTicked(0, false);  // the free slot goes to the next record
  EXPECT_EQ(Statuses(plan)[1], "新規");
  const ImportCounts counts = plan.Apply();
  EXPECT_EQ(counts.added, 2);
  EXPECT_EQ(counts.skipped, 2);
  EXPECT_EQ(book.entryCount(), BOOK_CAPACITY);
  EXPECT_EQ(FieldText(book[BOOK_CAPACITY - 1].number), "090-2");
  EXPECT_EQ(book[BOOK_CAPACITY - 2].deleted, 0);  // the deleted entry's slot, taken
  EXPECT_EQ(FieldText(book[BOOK_CAPACITY - 2].name), Sjis("山田 太郎"));
}

TEST(ImportPlan, AnEditedFieldIsCheckedAgainAndNothingIsCut) {
  PhoneBook book;
  Put(book, MakeEntry("03-1111-2222", Sjis("やまだ"), Sjis("山田")));
  ImportRecord derived = Record("090-1", Sjis("山田"), Sjis("ヤマダ"));
  derived.readingDerived = true;
  ImportPlan plan({derived, Record("03 1111 2222")}, book);
  EXPECT_FALSE(ImportPlan({Record("090-5")}, book).IsEditable(0));
  ImportRecord derivedAndRight = Record("090-6");
  derivedAndRight.readingDerived = true;  // new, but its reading is the user's to check
  EXPECT_TRUE(ImportPlan({derivedAndRight}, book).IsEditable(0));
  ASSERT_EQ(plan.rows()[0].status, RowStatus::NeedsAttention);
  EXPECT_EQ(plan.rows()[0].attentionField, EntryField::NameKana);

  plan.EditField(0, EntryField::NameKana, Sjis("やまだ"));
  EXPECT_EQ(plan.rows()[0].status, RowStatus::New);
  EXPECT_FALSE(plan.rows()[0].record.readingDerived);
  EXPECT_TRUE(plan.IsEditable(0));  // still, after it was mended

  // Mending the number makes the second record an update of the book's entry.
  ASSERT_EQ(plan.rows()[1].attentionField, EntryField::Number);
  plan.EditField(1, EntryField::Number, "03-1111-2222");
  EXPECT_EQ(plan.rows()[1].status, RowStatus::Update);
  EXPECT_EQ(plan.rows()[1].bookIndex, 0);

  // An over-long text stays whole and keeps needing attention.
  plan.EditField(0, EntryField::Email, std::string(41, 'x'));
  EXPECT_EQ(plan.rows()[0].status, RowStatus::NeedsAttention);
  EXPECT_EQ(plan.rows()[0].record.form.email.size(), 41u);
  EXPECT_EQ(plan.rows()[0].attentionField, EntryField::Email);
}

TEST(ImportPlan, AnEditReplacesATextCodePage932CouldNotHold) {
  PhoneBook book;
  ImportRecord r = Record("090-1", "");
  r.unheld.push_back({EntryField::Name, "山田🙂"});
  ImportPlan plan({r}, book);
  ASSERT_EQ(plan.rows()[0].status, RowStatus::NeedsAttention);
  plan.EditField(0, EntryField::Name, Sjis("山田"));
  EXPECT_TRUE(plan.rows()[0].record.unheld.empty());
  EXPECT_EQ(plan.rows()[0].status, RowStatus::New);
}

// The book's entry as the adapter knows it; an update must leave all of this alone.
BookEntry AdapterEntry() {
  BookEntry e = MakeEntry("03-1111-2222", Sjis("やまだ"), Sjis("山田"));
  FillField(e.registeredName, Sjis("ﾔﾏﾀﾞ"));
  FillField(e.callAccept, "0");
  FillField(e.adapterWanted, "1");
  FillField(e.illumination, "2");
  FillField(e.address, Sjis("東京都"));
  FillField(e.email, "old@example.jp");
  e.inAdapter = 1;
  return e;
}

TEST(ImportPlan, AnUpdateKeepsTheEntryOrTakesTheRecordsTextsButNeverTheAdapterFields) {
  struct Case {
    UpdateChoice choice;
    int updated, skipped;
    const char *name, *address, *email;
  };
  const Case cases[] = {
      {UpdateChoice::KeepBookEntry, 0, 1, "山田", "東京都", "old@example.jp"},
      {UpdateChoice::TakeRecordFields, 1, 0, "山田 花子", "東京都", "new@example.jp"},
  };
  for (const Case& c : cases) {
    PhoneBook book;
    Put(book, AdapterEntry());
    ImportRecord r = Record("0311112222", Sjis("山田 花子"), Sjis("やまだ はなこ"));
    r.form.registeredName = Sjis("ﾊﾅｺ");
    r.form.email = "new@example.jp";  // the address is empty: the book's stays
    SetFlags(r, "1", "3");
    ImportPlan plan({r}, book);
    ASSERT_EQ(plan.rows()[0].status, RowStatus::Update);
    plan.SetUpdateChoice(c.choice);
    const ImportCounts planned = plan.Counts();
    const ImportCounts done = plan.Apply();
    EXPECT_EQ(done.updated, c.updated);
    EXPECT_EQ(done.skipped, c.skipped);
    EXPECT_EQ(done.updated, planned.updated);
    const BookEntry& e = book[0];
    EXPECT_EQ(FieldText(e.name), Sjis(c.name));
    EXPECT_EQ(FieldText(e.address), Sjis(c.address));
    EXPECT_EQ(FieldText(e.email), c.email);
    const BookEntry before = AdapterEntry();
    EXPECT_EQ(FieldText(e.number), FieldText(before.number));
    EXPECT_EQ(FieldText(e.registeredName), FieldText(before.registeredName));
    EXPECT_EQ(FieldText(e.callAccept), "0");
    EXPECT_EQ(FieldText(e.adapterWanted), "1");
    EXPECT_EQ(FieldText(e.illumination), "2");
    EXPECT_EQ(e.inAdapter, 1);
    EXPECT_EQ(book.entryCount(), 1);
  }
}

TEST(ImportPlan, NewEntriesKeepTheRecordsFlagsAndNeverGoToTheAdapter) {
  PhoneBook book;
  BookEntry deleted = AdapterEntry();
  deleted.deleted = 1;
  Put(book, deleted);
  ImportRecord revived = Record("03-1111-2222");
  SetFlags(revived, "0", "3");
  revived.form.adapterWanted = true;  // never taken
  ImportRecord blankFlags = Record("090-9");
  SetFlags(blankFlags, "", "");
  ImportPlan plan({revived, blankFlags}, book);
  const ImportCounts counts = plan.Apply();
  EXPECT_EQ(counts.added, 2);
  ASSERT_EQ(book.entryCount(), 2);
  const BookEntry& a = book[0];
  EXPECT_EQ(a.deleted, 0);
  EXPECT_EQ(FieldText(a.name), Sjis("山田 太郎"));
  EXPECT_EQ(FieldText(a.registeredName), "");
  EXPECT_EQ(FieldText(a.callAccept), "0");
  EXPECT_EQ(FieldText(a.illumination), "3");
  EXPECT_EQ(FieldText(a.adapterWanted), "0");
  EXPECT_EQ(a.inAdapter, 0);
  const BookEntry& b = book[1];
  EXPECT_EQ(FieldText(b.callAccept), "");
  EXPECT_EQ(FieldText(b.illumination), "");
  EXPECT_EQ(FieldText(b.adapterWanted), "0");
  EXPECT_EQ(FindSameNumber(book, "090-9"), 1);  // the book's keys know the new entry
  EXPECT_TRUE(book.KeysMatchEntries());
}

TEST(ImportPlan, UntickedAndAttentionRowsChangeNothing) {
  PhoneBook book;
  ImportPlan plan({Record("090-1"), Record("090-2", Sjis("山田"), "")}, book);
  plan.SetTicked(0, false);
  const ImportCounts counts = plan.Apply();
  EXPECT_EQ(counts.added, 0);
  EXPECT_EQ(counts.skipped, 2);
  EXPECT_EQ(book.entryCount(), 0);
  EXPECT_EQ(CountsMessage(counts), "インポートしました。\n追加: 0件\n更新: 0件\nスキップ: 2件");
}

// The generator writes numbers as people write them on paper ("(03)1234/5678", "03 1234
// 5678") and a few odd readings, which the edit dialog never stores. The same book as the
// dialog would have stored it: numbers with hyphens, readings in hiragana.
void AsTypedInTheDialog(PhoneBook& book) {
  const auto dialed = [](std::string_view written) {
    std::string number;
    for (const char c : written) {
      if (c == ' ' || c == '/') number += '-';
      if (c != ' ' && c != '/' && c != '(' && c != ')') number += c;
    }
    return number;
  };
  for (int i = 0; i < book.entryCount(); ++i) {
    BookEntry e = book[i];
    FillField(e.number, dialed(FieldText(e.number)));
    FillField(e.fax, dialed(FieldText(e.fax)));
    if (!IsHiraganaReading(FieldText(e.nameKana))) FillField(e.nameKana, Sjis("よみ"));
    book.SetEntry(i, e);
  }
}

// Export -> import of a full generated book into an empty book: the live entries in array
// order, equal in every field but the adapter's two.
TEST(ImportPlan, AFullBooksExportComesBackIntoAnEmptyBook) {
  PhoneBook original;
  GenerateBook(original, BookShape{});
  AsTypedInTheDialog(original);
  const FileReading reading = ReadCsvExportFile("DUDODE.CSV", FormatCsv(original));
  ASSERT_EQ(reading.refusal, "");
  PhoneBook book;
  ImportPlan plan(reading.records, book);
  for (const PlanRow& row : plan.rows()) {
    ASSERT_EQ(row.status, RowStatus::New) << row.record.line << ": " << StatusText(row);
  }
  const ImportCounts counts = plan.Apply();
  EXPECT_EQ(counts.skipped, 0);
  int next = 0;
  for (int i = 0; i < original.entryCount(); ++i) {
    const BookEntry& e = original[i];
    if (e.deleted != 0) continue;
    ASSERT_LT(next, book.entryCount());
    const BookEntry& got = book[next++];
    const std::pair<std::string_view, std::string_view> fields[] = {
        {FieldText(e.number), FieldText(got.number)},
        {FieldText(e.name), FieldText(got.name)},
        {FieldText(e.nameKana), FieldText(got.nameKana)},
        {FieldText(e.address), FieldText(got.address)},
        {FieldText(e.fax), FieldText(got.fax)},
        {FieldText(e.postalCode), FieldText(got.postalCode)},
        {FieldText(e.company), FieldText(got.company)},
        {FieldText(e.companyAddress), FieldText(got.companyAddress)},
        {FieldText(e.email), FieldText(got.email)},
        {FieldText(e.registeredName), FieldText(got.registeredName)},
        {FieldText(e.callAccept), FieldText(got.callAccept)},
        {FieldText(e.illumination), FieldText(got.illumination)}};
    for (const auto& [stored, imported] : fields) ASSERT_EQ(imported, stored) << "entry " << i;
    EXPECT_EQ(FieldText(got.adapterWanted), "0");
    EXPECT_EQ(got.inAdapter, 0);
    EXPECT_EQ(got.deleted, 0);
  }
  EXPECT_EQ(book.entryCount(), next);
  EXPECT_EQ(counts.added, next);
}

}  // namespace
