// What cards become: the numbers, the name and its reading, the addresses, and the files
// of phones and address books written for these tests (tests/data/import).
#include "import/contact_mapping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/vcard_reader.h"
#include "import_test_support.h"

namespace {

using import_test::DataFile;
using import_test::Describe;
using import_test::TableDeriver;

struct NumberCase {
  const char* given;
  const char* expected;
  bool foreign;
};

class MapNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(MapNumberTest, WritesTheNumberAsTheBookKeepsIt) {
  const MappedNumber mapped = MapNumber(GetParam().given);
  EXPECT_EQ(mapped.text, GetParam().expected) << GetParam().given;
  EXPECT_EQ(mapped.foreign, GetParam().foreign) << GetParam().given;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, MapNumberTest,
    testing::Values(NumberCase{"03-1234-5678", "03-1234-5678", false},
                    NumberCase{"(03) 1234.5678", "0312345678", false},
                    NumberCase{"+81 3 1234 5678", "0312345678", false},
                    NumberCase{"+81-90-1111-2222", "090-1111-2222", false},
                    NumberCase{"+81 (0)3-3333-4444", "03-3333-4444", false},
                    NumberCase{"+8190(1111)2222", "09011112222", false},
                    NumberCase{"tel:+81-45-123-4567", "045-123-4567", false},
                    NumberCase{"tel:+81-45-123-4567;ext=89", "045-123-4567", false},
                    NumberCase{"０９０－１１１１－２２２２", "090-1111-2222", false},
                    NumberCase{"＋８１　３　１２３４", "031234", false},
                    NumberCase{"+1 555 010 9999", "+15550109999", true},
                    NumberCase{"+44-20-7946-0000", "+44-20-7946-0000", true},
                    NumberCase{"  *31#  ", "*31#", false}, NumberCase{"", "", false}));

VCard CardOf(const std::string& text) {
  std::vector<VCard> cards = ParseVCards("BEGIN:VCARD\nVERSION:3.0\n" + text + "END:VCARD\n");
  EXPECT_EQ(cards.size(), 1u);
  return cards.empty() ? VCard{} : cards.front();
}

struct CardCase {
  const char* what;
  const char* card;                   // the properties between BEGIN and END
  std::vector<std::string> expected;  // Describe() of each record
};

class MapCardTest : public testing::TestWithParam<CardCase> {};

TEST_P(MapCardTest, MakesTheRecords) {
  std::vector<std::string> described;
  for (const ImportRecord& r : MapCard(CardOf(GetParam().card), nullptr)) {
    described.push_back(Describe(r));
  }
  EXPECT_EQ(described, GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cards, MapCardTest,
    testing::Values(
        CardCase{"one record per voice number",
                 "N:山田;太郎;;;\nTEL;TYPE=cell:090-1\nTEL:03-2\n",
                 {"number=090-1; name=山田 太郎; flags=1/0; line=1",
                  "number=03-2; name=山田 太郎; flags=1/0; line=1"}},
        CardCase{"FN when N is empty",
                 "N:;;;;\nFN:Taro Yamada\nTEL:1\n",
                 {"number=1; name=Taro Yamada; flags=1/0; line=1"}},
        CardCase{"ORG alone is the name and the company",
                 "ORG:山田商事;本店\nTEL:1\n",
                 {"number=1; name=山田商事 本店; company=山田商事 本店; flags=1/0; line=1"}},
        CardCase{
            "given name alone", "N:;Taro;;;\nTEL:1\n", {"number=1; name=Taro; flags=1/0; line=1"}},
        CardCase{"no voice number",
                 "N:山田;;;;\nTEL;TYPE=pager:1\n",
                 {"name=山田; flags=1/0; skip=no number; line=1"}},
        CardCase{"a foreign number is skipped with its reason",
                 "N:Doe;John;;;\nTEL:+1 555 0100\n",
                 {"number=+15550100; name=Doe John; flags=1/0; skip=foreign; line=1"}},
        CardCase{"the first fax goes to every record",
                 "N:A;;;;\nTEL;TYPE=FAX:03-9\nTEL;TYPE=work,fax:03-8\nTEL;TYPE=HOME:03-1\nTEL;TYPE="
                 "WORK:03-2\n",
                 {"number=03-1; name=A; fax=03-9; flags=1/0; line=1",
                  "number=03-2; name=A; fax=03-9; flags=1/0; line=1"}},
        CardCase{"addresses: home (or untyped) and work, in the Japanese order",
                 "N:A;;;;\nTEL:1\nADR;TYPE=work:;;丸の内1-1;千代田区;東京都;100-0005;\n"
                 "ADR:;3F;中町2-2;横浜市;神奈川県;220-0001;Japan\n",
                 {"number=1; name=A; postal=220-0001; address=神奈川県横浜市中町2-2 3F; "
                  "companyAddress=東京都千代田区丸の内1-1; flags=1/0; line=1"}},
        CardCase{"a Latin address keeps its spaces",
                 "N:A;;;;\nTEL:1\nADR:;;1 Main St;Springfield;IL;62701;\n",
                 {"number=1; name=A; postal=62701; address=IL Springfield 1 Main St; flags=1/0; "
                  "line=1"}},
        CardCase{"escapes, line breaks, the first e-mail",
                 "N:A\\;B;C\\,D;;;\nTEL:1\nORG:X\\nY\nEMAIL: a@b.jp \nEMAIL:c@d.jp\n",
                 {"number=1; name=A;B C,D; company=X Y; email=a@b.jp; flags=1/0; line=1"}},
        CardCase{"phonetic fields are the reading",
                 "N:佐藤;花子;;;\nX-PHONETIC-FIRST-NAME:ハナコ\n"
                 "X-PHONETIC-LAST-NAME:サトウ\nTEL:1\n",
                 {"number=1; name=佐藤 花子; kana=さとう はなこ; flags=1/0; line=1"}},
        CardCase{"SOUND;X-IRMC-N comes before the phonetic fields",
                 "N:佐藤;花子;;;\nSOUND;X-IRMC-N:ｻﾄｳ;ﾊﾅｺ;;;\nX-PHONETIC-LAST-NAME:ちがう\nTEL:1\n",
                 {"number=1; name=佐藤 花子; kana=さとう はなこ; flags=1/0; line=1"}},
        CardCase{"SORT-AS on N",
                 "N;SORT-AS=\"タカハシ,イチロウ\":髙橋;一郎;;;\nTEL:1\n",
                 {"number=1; name=髙橋 一郎; kana=たかはし いちろう; flags=1/0; line=1"}}));

TEST(MapCard, KeepsATextCodePage932CannotHoldForTheUser) {
  const std::vector<ImportRecord> records =
      MapCard(CardOf("N:寿司;🍣;;;\nTEL:1\nORG:🍣 Sushi\nEMAIL:a@b.jp\n"), nullptr);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(records[0].form.name.empty());
  EXPECT_TRUE(records[0].form.company.empty());
  EXPECT_EQ(records[0].form.email, "a@b.jp");
  ASSERT_EQ(records[0].unheld.size(), 2u);
  EXPECT_EQ(records[0].unheld[0].field, EntryField::Name);
  EXPECT_EQ(records[0].unheld[0].utf8, "寿司 🍣");
  EXPECT_EQ(records[0].unheld[1].field, EntryField::Company);
  EXPECT_EQ(records[0].unheld[1].utf8, "🍣 Sushi");
}

TEST(MapCard, AMalformedCardIsOneSkippedRecordWithItsLine) {
  const std::vector<VCard> cards = ParseVCards("\n\nBEGIN:VCARD\nFN:A\nTEL:1\n");
  ASSERT_EQ(cards.size(), 1u);
  const std::vector<ImportRecord> records = MapCard(cards[0], nullptr);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].skip, SkipReason::MalformedCard);
  EXPECT_EQ(records[0].line, 3);
}

struct DerivedCase {
  const char* what;
  const char* card;
  const char* reading;
  bool derived;
  int questions;
};

class DerivedReadingTest : public testing::TestWithParam<DerivedCase> {};

TEST_P(DerivedReadingTest, DerivesAReadingOnlyWhenTheCardHasNone) {
  TableDeriver deriver({{"山田", "ヤマダ"}, {"太郎", "タロウ"}, {"株式会社", "カブシキガイシャ"}});
  const std::vector<ImportRecord> records = MapCard(CardOf(GetParam().card), &deriver);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(import_test::Utf8(records[0].form.nameKana), GetParam().reading) << GetParam().what;
  EXPECT_EQ(records[0].readingDerived, GetParam().derived) << GetParam().what;
  EXPECT_EQ(deriver.calls, GetParam().questions) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Names, DerivedReadingTest,
    testing::Values(
        DerivedCase{"each part of the name", "N:山田;太郎;;;\nTEL:1\n", "やまだ たろう", true, 2},
        DerivedCase{"the card's reading wins", "N:山田;太郎;;;\nSOUND;X-IRMC-N:ﾔﾏﾀﾞ;ﾀﾛｳ\nTEL:1\n",
                    "やまだ たろう", false, 0},
        DerivedCase{"a part the analyser does not know: no reading", "N:山田;次郎;;;\nTEL:1\n", "",
                    false, 2},
        DerivedCase{"a Latin name: no reading", "FN:John Smith\nTEL:1\n", "", false, 2},
        DerivedCase{"no name: nothing to ask", "TEL:1\n", "", false, 0}));

// The files of phones and address books: every record they make.
struct FileCase {
  const char* file;
  std::vector<std::string> expected;
};

class VCardFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(VCardFileTest, ReadsTheFile) {
  TableDeriver deriver(std::map<std::string, std::string>{{"ACME", "アクメ"}});
  const FileReading reading = ReadVCardFile(GetParam().file, DataFile(GetParam().file), &deriver);
  EXPECT_EQ(reading.refusal, "");
  std::vector<std::string> described;
  for (const ImportRecord& r : reading.records) {
    EXPECT_EQ(r.file, GetParam().file);
    EXPECT_FALSE(r.form.adapterWanted);
    described.push_back(Describe(r));
  }
  EXPECT_EQ(described, GetParam().expected) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, VCardFileTest,
    testing::Values(
        FileCase{"feature_phone_21.vcf",  // Shift_JIS, quoted-printable, a card cut short
                 {"number=090-1234-5678; name=山田 太郎; kana=やまだ たろう; postal=100-0005; "
                  "fax=03-1234-5679; address=東京都千代田区丸の内1-2-3; email=taro@example.jp; "
                  "flags=1/0; line=1",
                  "number=0312345678; name=山田 太郎; kana=やまだ たろう; postal=100-0005; "
                  "fax=03-1234-5679; address=東京都千代田区丸の内1-2-3; email=taro@example.jp; "
                  "flags=1/0; line=1",
                  "number=035555-0101; name=表 一; kana=ひょう はじめ; flags=1/0; line=12",
                  "flags=1/0; skip=malformed; line=18"}},
        FileCase{
            "phone_30.vcf",  // UTF-8 with a BOM, LF, phonetic fields, groups, folding
            {"number=09011112222; name=佐藤 花子; kana=さとう はなこ; postal=220-0001; "
             "fax=03-3333-4445; address=神奈川県横浜市中町2-2-2 202号室; "
             "company=株式会社さとう商事 営業部; companyAddress=東京都千代田区大手町1-1-1, 10F; "
             "email=hanako@example.jp; flags=1/0; line=1",
             "number=03-3333-4444; name=佐藤 花子; kana=さとう はなこ; postal=220-0001; "
             "fax=03-3333-4445; address=神奈川県横浜市中町2-2-2 202号室; "
             "company=株式会社さとう商事 営業部; companyAddress=東京都千代田区大手町1-1-1, 10F; "
             "email=hanako@example.jp; flags=1/0; line=1",
             "number=0120-000-111; name=Company Only; company=ACME Japan; flags=1/0; line=20",
             "name=No Number; email=none@example.jp; flags=1/0; skip=no number; line=26"}},
        FileCase{"card_40.vcf",  // SORT-AS, numbers as URIs, an emoji
                 {"number=045-123-4567; name=髙橋 一郎; kana=たかはし いちろう; flags=1/0; line=1",
                  "number=+1-555-010-9999; name=髙橋 一郎; kana=たかはし いちろう; flags=1/0; "
                  "skip=foreign; line=1"}}));

TEST(VCardFile, IsRefusedWithItsNameWhenNoCardReads) {
  for (const std::string& bytes :
       {std::string(), std::string("hello\n"), std::string("BEGIN:VCARD\nFN:cut short\n")}) {
    const FileReading reading = ReadVCardFile("連絡先.vcf", bytes, nullptr);
    EXPECT_NE(reading.refusal.find("連絡先.vcf"), std::string::npos) << bytes;
    EXPECT_TRUE(reading.records.empty()) << bytes;
  }
}

}  // namespace
