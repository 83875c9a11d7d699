// The vCard syntax: lines, folding, parameters, encodings and character sets, and cards
// that are cut short or broken.
#include "import/vcard_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sjis.h"

namespace {

// A card as "line:ok" or "line:malformed", then each property as NAME[type,type]{sortAs}=value.
std::vector<std::string> Shown(const std::vector<VCard>& cards) {
  std::vector<std::string> shown;
  for (const VCard& card : cards) {
    shown.push_back(std::to_string(card.line) + (card.malformed ? ":malformed" : ":ok"));
    for (const VCardProperty& p : card.properties) {
      std::string types;
      for (const std::string& t : p.types) types += (types.empty() ? "" : ",") + t;
      shown.push_back(p.name + "[" + types + "]" + (p.sortAs.empty() ? "" : "{" + p.sortAs + "}") +
                      "=" + p.value);
    }
  }
  return shown;
}

struct SyntaxCase {
  const char* what;
  std::string file;
  std::vector<std::string> expected;
};

class VCardSyntaxTest : public testing::TestWithParam<SyntaxCase> {};

TEST_P(VCardSyntaxTest, ReadsTheCards) {
  EXPECT_EQ(Shown(ParseVCards(GetParam().file)), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, VCardSyntaxTest,
    testing::Values(
        SyntaxCase{"CR LF",
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nEND:VCARD\r\n",
                   {"1:ok", "VERSION[]=3.0", "FN[]=A"}},
        SyntaxCase{"LF, a byte-order mark, lower-case names",
                   "\xEF\xBB\xBF"
                   "begin:vcard\nfn:A\nend:vcard\n",
                   {"1:ok", "FN[]=A"}},
        SyntaxCase{"a folded line is unfolded (space and tab)",
                   "BEGIN:VCARD\nNOTE:abc\n def\n\tghi\nEND:VCARD\n",
                   {"1:ok", "NOTE[]=abcdefghi"}},
        SyntaxCase{"groups are dropped, types gathered from every form",
                   "BEGIN:VCARD\nitem1.TEL;TYPE=cell,VOICE;type=pref;HOME:1\nEND:VCARD\n",
                   {"1:ok", "TEL[cell,voice,pref,home]=1"}},
        SyntaxCase{"quoted parameter values may hold ';' and ':'",
                   "BEGIN:VCARD\nN;SORT-AS=\"a;b:c\";TYPE=\"home,work\":x\nEND:VCARD\n",
                   {"1:ok", "N[home,work]{a;b:c}=x"}},
        SyntaxCase{
            "quoted-printable with a soft line break",
            "BEGIN:VCARD\nNOTE;ENCODING=QUOTED-PRINTABLE:=E5=B1=B1=\n=E7=94=B0 =3D x\nEND:VCARD\n",
            {"1:ok", "NOTE[]=山田 = x"}},
        SyntaxCase{"2.1's bare QUOTED-PRINTABLE",
                   "BEGIN:VCARD\nNOTE;QUOTED-PRINTABLE:a=41=\n\nEND:VCARD\n",
                   {"1:ok", "NOTE[]=aA"}},
        SyntaxCase{"an = that starts no byte stays",
                   "BEGIN:VCARD\nNOTE;ENCODING=QUOTED-PRINTABLE:1=2=G\nEND:VCARD\n",
                   {"1:ok", "NOTE[]=1=2=G"}},
        SyntaxCase{"Shift_JIS by its name",
                   "BEGIN:VCARD\nN;CHARSET=SHIFT_JIS:" + Sjis("表;一") + "\nEND:VCARD\n",
                   {"1:ok", "N[]=表;一"}},
        SyntaxCase{
            "Windows-31J and quoted-printable together",
            "BEGIN:VCARD\nN;CHARSET=Windows-31J;ENCODING=QUOTED-PRINTABLE:=95=5C\nEND:VCARD\n",
            {"1:ok", "N[]=表"}},
        SyntaxCase{"no charset and bytes that are not UTF-8: code page 932",
                   "BEGIN:VCARD\nFN:" + Sjis("ｶﾀｶﾅ山田") + "\nEND:VCARD\n",
                   {"1:ok", "FN[]=ｶﾀｶﾅ山田"}},
        SyntaxCase{"UTF-8 claimed but not so: the card is malformed",
                   "BEGIN:VCARD\nFN;CHARSET=UTF-8:" + Sjis("山田") + "\nEND:VCARD\n",
                   {"1:malformed"}},
        SyntaxCase{"bytes of no known set: malformed",
                   "BEGIN:VCARD\nFN:\x81\x20\xFF\nEND:VCARD\n",
                   {"1:malformed"}},
        SyntaxCase{"a line without a colon: malformed, the next card reads",
                   "BEGIN:VCARD\nFN:A\nbroken\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:VCARD\n",
                   {"1:malformed", "FN[]=A", "5:ok", "FN[]=B"}},
        SyntaxCase{"a card cut short by the next BEGIN",
                   "BEGIN:VCARD\nFN:A\nBEGIN:VCARD\nFN:B\nEND:VCARD\n",
                   {"1:malformed", "FN[]=A", "3:ok", "FN[]=B"}},
        SyntaxCase{"a card cut short by the end of the file",
                   "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B",
                   {"1:ok", "FN[]=A", "4:malformed", "FN[]=B"}},
        SyntaxCase{"lines outside cards and blank lines are passed over",
                   "junk\n\nEND:VCARD\nBEGIN:VCARD\n\nFN:A\nEND:VCARD\ntrailer\n",
                   {"4:ok", "FN[]=A"}},
        SyntaxCase{"base64 values are not read as text",
                   "BEGIN:VCARD\nPHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/\xFF\xFE\nFN:A\nEND:VCARD\n",
                   {"1:ok", "PHOTO[jpeg]=", "FN[]=A"}},
        SyntaxCase{"an empty file", "", {}}));

}  // namespace
