// What the entry dialog shows when it opens, for each opener's request: the form, the
// caption, the adapter controls, and which request the opening uses up.
#include "editor/entry_opening.h"

#include <gtest/gtest.h>

#include "editor/form_mapping.h"
#include "support/book_builder.h"
#include "support/sjis.h"

namespace {

class EntryOpeningTest : public testing::Test {
 protected:
  EntryOpeningTest() {
    Put(book, MakeEntry("0312345678", Sjis("すずき"), Sjis("鈴木")));  // 0
    BookEntry wanted = MakeEntry("03/12345678", Sjis("たなか"), Sjis("田中"));
    text_bytes::FillField(wanted.adapterWanted, "1");
    text_bytes::FillField(wanted.callAccept, "0");
    text_bytes::FillField(wanted.illumination, "2");
    Put(book, wanted);  // 1: wanted in the adapter, its number differs from 0's only by "/"
  }
  PhoneBook book;
};

TEST_F(EntryOpeningTest, EachRequestOpensAsItsOpenerAsks) {
  using R = OpenRequest;
  const struct {
    const char* what;
    OpenRequest request;
    bool adapterEnabled;
    std::string number;      // shown in the phone field
    std::string name;        // shows which entry, if any
    bool updateCaption;
    bool callRejectionEnabled;
    bool clearsRowChosen;
  } cases[] = {
      {"new entry", R::NewEntry(), true, "", "", false, false, true},
      {"start number found, shown as given", R::ForStartNumber("03-1234-5678"), true,
       "03-1234-5678", Sjis("鈴木"), true, false, false},
      {"start number not in the book", R::ForStartNumber("0999"), true, "0999", "", false,
       false, false},
      {"by index: no call rejection until the user clicks", R::ForIndex(1), true, "03/12345678",
       Sjis("田中"), true, false, false},
      {"by index outside the book", R::ForIndex(7), true, "", "", false, false, false},
      {"chosen row: its own entry, not a look-up", R::ForListRow(true, 1), true, "03/12345678",
       Sjis("田中"), true, true, true},
      {"chosen row without the adapter", R::ForListRow(true, 1), false, "03/12345678",
       Sjis("田中"), true, false, true},
      {"chosen row not wanted in the adapter", R::ForListRow(true, 0), true, "0312345678",
       Sjis("鈴木"), true, false, true},
      {"chosen row that shows no entry", R::ForListRow(true, -1), true, "", "", false, false,
       true},
      {"row not chosen: the context menu after a click beside the rows", R::ForListRow(false, 1),
       true, "", "", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const EntryOpening opening = DecideOpening(book, c.request, c.adapterEnabled);
    EXPECT_EQ(opening.form.number, c.number);
    EXPECT_EQ(opening.form.name, c.name);
    EXPECT_EQ(opening.updateCaption, c.updateCaption);
    EXPECT_EQ(opening.adapterControls, c.adapterEnabled);
    EXPECT_EQ(opening.callRejectionEnabled, c.callRejectionEnabled);
    EXPECT_EQ(opening.clearsRowChosen, c.clearsRowChosen);
  }
}

TEST_F(EntryOpeningTest, TheFormShowsAnEntryAndSavesItBackUnchanged) {
  const EntryForm form = FormOfEntry(book[1]);
  EXPECT_TRUE(form.adapterWanted);
  EXPECT_TRUE(form.callRejected);
  EXPECT_EQ(form.illumination, 2);
  EXPECT_EQ(form.nameKana, Sjis("たなか"));
  const BookEntry back = WorkingEntry(form);
  for (const auto& [shown, stored] :
       {std::pair{back.number, book[1].number}, {back.callAccept, book[1].callAccept},
        {back.illumination, book[1].illumination}, {back.adapterWanted, book[1].adapterWanted}}) {
    EXPECT_STREQ(shown, stored);
  }
  // An unknown pattern shows as "光無し"; an entry not wanted in the adapter never rejects.
  BookEntry odd = book[0];
  text_bytes::FillField(odd.illumination, "7");
  text_bytes::FillField(odd.callAccept, "0");
  EXPECT_EQ(FormOfEntry(odd).illumination, 0);
  EXPECT_STREQ(WorkingEntry(FormOfEntry(odd)).callAccept, "1");
}

}  // namespace
