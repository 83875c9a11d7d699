#include "listing/column_table.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/private_profile.h"
#include "platform/text_bytes.h"
#include "support/sjis.h"
#include "support/temp_dir.h"

namespace {

class ColumnTableTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string ini = dir.File("DUDODE.ini");
  ColumnTable table{};
};

std::string Heading(const ColumnDef& column) {
  return cp932::ToUtf8(text_bytes::FieldText(column.heading)).text;
}

TEST_F(ColumnTableTest, WithoutAFileTheTwelveDefaultColumnsAreUsed) {
  ASSERT_EQ(LoadColumns(ini, table), 12);
  const char* headings[] = {"電話番号", "ZEF-P1登録済", "着信種別", "氏名",
                            "氏名かな", "FAX番号",      "住所",     "登録名称",
                            "郵便番号", "会社名",       "会社住所", "E-mailアドレス"};
  const int widths[] = {100, 50, 55, 80, 50, 100, 150, 50, 30, 50, 100, 60};
  const int formats[] = {1, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(Heading(table[i]), headings[i]);
    EXPECT_EQ(table[i].width, widths[i]);
    EXPECT_EQ(table[i].format, formats[i]);
    EXPECT_EQ(table[i].fieldId, i);
  }
}

TEST_F(ColumnTableTest, SavingTheDefaultsWritesTwelveKeysAndTheCount) {
  ASSERT_TRUE(SaveColumns(ini, DefaultColumns(), 12));
  const std::string file = cp932::ToUtf8(dir.Read("DUDODE.ini")).text;
  EXPECT_NE(file.find("[LOADCOL]\nCOL1=電話番号,100,0,1\nCOL2=ZEF-P1登録済,50,1,0\n"),
            std::string::npos);
  EXPECT_NE(file.find("COL12=E-mailアドレス,60,11,0\nCOUNT=12\n"), std::string::npos);
  ColumnTable reread{};
  ASSERT_EQ(LoadColumns(ini, reread), 12);
  EXPECT_EQ(std::memcmp(&reread, &DefaultColumns(), sizeof reread), 0);
}

TEST_F(ColumnTableTest, CountBoundsTheReadingAndAMissingKeyEndsIt) {
  ASSERT_TRUE(SaveColumns(ini, DefaultColumns(), 12));
  profile::WriteString(ini, "LOADCOL", "COUNT", "3");
  EXPECT_EQ(LoadColumns(ini, table), 3);
  EXPECT_EQ(table[3].width, 0);  // rows beyond the count stay zero

  profile::WriteString(ini, "LOADCOL", "COUNT", "12");
  profile::WriteString(ini, "LOADCOL", "COL5", "");
  EXPECT_EQ(LoadColumns(ini, table), 4);
}

TEST_F(ColumnTableTest, ACountAboveTwelveReadsOnlyTwelve) {
  ASSERT_TRUE(SaveColumns(ini, DefaultColumns(), 12));
  profile::WriteStrings(ini, "LOADCOL", {{"COL13", "extra,1,1,1"}, {"COUNT", "40"}});
  EXPECT_EQ(LoadColumns(ini, table), 12);
}

TEST_F(ColumnTableTest, NoCountOrNoFirstColumnGivesTheDefaults) {
  dir.Write("DUDODE.ini", "[LOADCOL]\nCOUNT=0\nCOL1=a,1,1,1\n");
  EXPECT_EQ(LoadColumns(ini, table), 12);
  dir.Write("DUDODE.ini", "[LOADCOL]\nCOUNT=-2\n");
  EXPECT_EQ(LoadColumns(ini, table), 12);
  dir.Write("DUDODE.ini", "[LOADCOL]\nCOUNT=3\nCOL2=a,1,1,1\n");
  EXPECT_EQ(LoadColumns(ini, table), 12);
  EXPECT_EQ(Heading(table[0]), "電話番号");
}

TEST_F(ColumnTableTest, EmptyPiecesAreSkippedSoLaterFieldsMoveUp) {
  dir.Write("DUDODE.ini", "[LOADCOL]\nCOUNT=1\nCOL1=" + Sjis("氏名") + ",,80,3\n");
  ASSERT_EQ(LoadColumns(ini, table), 1);
  EXPECT_EQ(Heading(table[0]), "氏名");
  EXPECT_EQ(table[0].width, 80);
  EXPECT_EQ(table[0].fieldId, 3);
  EXPECT_EQ(table[0].format, 0);
}

TEST_F(ColumnTableTest, BadValuesAreCutOrTakenAsZero) {
  // A heading of 20 bytes is cut to 15 on a character boundary; numbers outside their
  // range or not numbers at all read as 0.
  dir.Write("DUDODE.ini", "[LOADCOL]\nCOUNT=2\nCOL1=abcdefg" + Sjis("電話番号ですね") +
                              ",wide,99,-1\nCOL2=x,-5,abc,7\n");
  ASSERT_EQ(LoadColumns(ini, table), 2);
  EXPECT_EQ(Heading(table[0]), "abcdefg電話番号");
  EXPECT_EQ(table[0].width, 0);
  EXPECT_EQ(table[0].fieldId, 0);
  EXPECT_EQ(table[0].format, 0);
  EXPECT_EQ(table[1].width, 0);
  EXPECT_EQ(table[1].format, 0);
}

TEST_F(ColumnTableTest, AValueLongerThanTheReadBufferIsCut) {
  dir.Write("DUDODE.ini", "[LOADCOL]\nCOUNT=1\nCOL1=h," + std::string(200, '1') + "\n");
  ASSERT_EQ(LoadColumns(ini, table), 1);
  EXPECT_EQ(table[0].width, 2147483647);
}

TEST_F(ColumnTableTest, SavingLeavesOtherSectionsAndKeysAlone) {
  dir.Write("DUDODE.ini", "; mine\n[OTHER]\nkeep=1\n[LOADCOL]\nCOL9=old,1,1,1\n");
  ColumnTable two = DefaultColumns();
  ASSERT_TRUE(SaveColumns(ini, two, 2));
  const std::string file = dir.Read("DUDODE.ini");
  EXPECT_EQ(file.rfind("; mine\n[OTHER]\nkeep=1\n[LOADCOL]\nCOL9=old,1,1,1\n", 0), 0u);
  EXPECT_EQ(LoadColumns(ini, table), 2);  // COL9 stays but COUNT bounds the reading
}

}  // namespace
