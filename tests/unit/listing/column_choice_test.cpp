// The column-setting dialog's rules over plain lists: each act with its own order of checks.
#include "listing/column_choice.h"

#include <gtest/gtest.h>

#include "platform/text_bytes.h"

namespace {

using Headings = std::vector<std::string>;
using R = ColumnRefusal;

// The headings of the default columns at `rows`.
Headings Of(std::initializer_list<int> rows) {
  Headings headings;
  for (int row : rows) {
    headings.emplace_back(text_bytes::FieldText(DefaultColumns()[static_cast<std::size_t>(row)].heading));
  }
  return headings;
}

TEST(ColumnChoice, EachAddingActChecksInItsOwnOrder) {
  const Headings three = Of({0, 3, 6});  // 電話番号, 氏名, 住所
  const Headings all = Of({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  const std::optional<bool> keeps;
  const struct {
    const char* what;
    ColumnStep (*act)(const Headings&, int);
    Headings shown;
    int row;
    ColumnStep expected;
  } cases[] = {
      {"select the number", SelectAvailable, three, 0, {R::None, false, false}},
      {"select nothing", SelectAvailable, three, -1, {R::None, false, false}},
      {"select a shown one", SelectAvailable, three, 3, {R::AlreadyShown, false, false}},
      {"select with twelve shown", SelectAvailable, all, 5, {R::AlreadyShown, false, keeps}},
      {"select a new one", SelectAvailable, three, 5, {R::None, false, true}},
      {"double-click the number", AddByDoubleClick, three, 0, {R::CannotAdd, false, keeps}},
      {"double-click the number, twelve shown", AddByDoubleClick, all, 0,
       {R::CannotAdd, false, keeps}},
      {"double-click a shown one", AddByDoubleClick, three, 6, {R::AlreadyShown, false, keeps}},
      {"double-click a new one", AddByDoubleClick, three, 8, {R::None, true, keeps}},
      {"double-click nothing", AddByDoubleClick, three, -1, {R::None, false, keeps}},
      {"button with twelve shown", AddByButton, all, 0, {R::AlreadyShown, false, keeps}},
      {"button on the number: silent", AddByButton, three, 0, {R::None, false, false}},
      {"button on a shown one", AddByButton, three, 3, {R::AlreadyShown, false, false}},
      {"button on a new one", AddByButton, three, 5, {R::None, true, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ColumnStep step = c.act(c.shown, c.row);
    EXPECT_EQ(step.refusal, c.expected.refusal);
    EXPECT_EQ(step.appends, c.expected.appends);
    EXPECT_EQ(step.addEnabled, c.expected.addEnabled);
  }
}

TEST(ColumnChoice, TheTopShownColumnStaysWhateverItsName) {
  const struct {
    int shownRow;
    int availableRow;
    RemoveStep expected;
    bool canRemove;
  } cases[] = {
      {0, 3, {R::CannotRemove, false, true}, false},
      {2, 3, {R::None, true, true}, true},
      {2, 0, {R::None, true, false}, true},   // the number selected: add stays off
      {-1, -1, {R::None, false, true}, true},  // nothing selected: nothing goes
  };
  for (const auto& c : cases) {
    const RemoveStep step = RemoveShown(c.shownRow, c.availableRow);
    EXPECT_EQ(step.refusal, c.expected.refusal) << c.shownRow;
    EXPECT_EQ(step.removes, c.expected.removes) << c.shownRow;
    EXPECT_EQ(step.addEnabled, c.expected.addEnabled) << c.shownRow;
    EXPECT_EQ(CanRemoveShown(c.shownRow), c.canRemove) << c.shownRow;
  }
}

}  // namespace
