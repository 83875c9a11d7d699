#include "platform/text_bytes.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <utility>

namespace {

TEST(FillField, CutsOnACharacterBoundaryAndTerminates) {
  char field[4];
  std::memset(field, 'x', sizeof field);
  // "a" then two double-byte characters: only "a" and the first fit in 3 bytes.
  text_bytes::FillField(field, "a\x82\xa0\x82\xa2");
  EXPECT_STREQ(field, "a\x82\xa0");

  std::memset(field, 'x', sizeof field);
  text_bytes::FillField(field, "ab\x82\xa0");  // the character would straddle the end
  EXPECT_STREQ(field, "ab");
  EXPECT_EQ(field[3], '\0');
}

TEST(FillField, ZeroFillsTheRestAndStopsAtAnEmbeddedNul) {
  char field[6];
  std::memset(field, 'x', sizeof field);
  text_bytes::FillField(field, std::string_view("ab\0cd", 5));
  EXPECT_EQ(std::string(field, sizeof field), std::string("ab\0\0\0\0", 6));
}

TEST(FieldText, NeverReadsPastTheField) {
  char field[3] = {'a', 'b', 'c'};  // no terminator
  EXPECT_EQ(text_bytes::FieldText(field), "abc");
}

TEST(BoundaryLength, KeepsALoneLeadByteAtTheEndOfTheText) {
  EXPECT_EQ(text_bytes::BoundaryLength("ab\x82", 5), 3u);
  EXPECT_EQ(text_bytes::BoundaryLength("ab\x82\xa0", 3), 2u);
  EXPECT_EQ(text_bytes::CutToCapacity("\x82\xa0\x82\xa2", 4), "\x82\xa0");
  EXPECT_EQ(text_bytes::CutToCapacity("abc", 0), "");
}

TEST(ParseInt, ReadsAsAtoiButClampsToIntsRange) {
  const std::pair<const char*, int> cases[] = {
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"-99999999999999999999", INT_MIN},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"+99999999999999999999", INT_MAX},
      {" \t-12x", -12},
      {"-", 0},
      {"abc", 0},
      {"", 0},
      {"-0", 0},
      {"007", 7},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(text_bytes::ParseInt(text), expected) << text;
}

}  // namespace
