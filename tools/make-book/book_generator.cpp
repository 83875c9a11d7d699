#include "book_generator.h"

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/text_bytes.h"

namespace {

struct Name {
  const char* kanji;
  const char* reading;
};

// Family names whose readings start in every kana row, voiced and semi-voiced forms included.
constexpr std::array<Name, 40> kFamilyNames = {{
    {"青木", "あおき"},   {"石田", "いしだ"}, {"上野", "うえの"},   {"遠藤", "えんどう"},
    {"小川", "おがわ"},   {"加藤", "かとう"}, {"菊池", "きくち"},   {"工藤", "くどう"},
    {"後藤", "ごとう"},   {"五味", "ごみ"},   {"佐藤", "さとう"},   {"清水", "しみず"},
    {"鈴木", "すずき"},   {"関", "せき"},     {"園田", "そのだ"},   {"座間", "ざま"},
    {"田中", "たなか"},   {"千葉", "ちば"},   {"土屋", "つちや"},   {"堂本", "どうもと"},
    {"中村", "なかむら"}, {"西田", "にしだ"}, {"野口", "のぐち"},   {"浜田", "はまだ"},
    {"馬場", "ばば"},     {"藤井", "ふじい"}, {"別府", "べっぷ"},   {"本田", "ほんだ"},
    {"朴", "ぱく"},       {"前田", "まえだ"}, {"三浦", "みうら"},   {"森", "もり"},
    {"山本", "やまもと"}, {"湯川", "ゆかわ"}, {"吉田", "よしだ"},   {"力石", "りきいし"},
    {"蓮見", "はすみ"},   {"和田", "わだ"},   {"渡辺", "わたなべ"}, {"相良", "さがら"},
}};

constexpr std::array<Name, 12> kGivenNames = {{
    {"太郎", "たろう"},
    {"花子", "はなこ"},
    {"健一", "けんいち"},
    {"美咲", "みさき"},
    {"翔", "しょう"},
    {"陽菜", "ひな"},
    {"大輔", "だいすけ"},
    {"由美", "ゆみ"},
    {"誠", "まこと"},
    {"愛", "あい"},
    {"隆", "たかし"},
    {"恵", "めぐみ"},
}};

// Readings as users really type them now and then: small kana, the long-vowel mark, spaces.
constexpr std::array<const char*, 9> kOddReadings = {
    "ぁきら", "っちゃん", "ゃまだ", "ゎに", "ーまん", " ", "  わきた", "ぱーてぃー", "ヤマダ"};

constexpr std::array<const char*, 8> kAddresses = {
    "東京都千代田区丸の内１－１", "大阪府大阪市北区梅田３－２",     "北海道札幌市中央区北一条西",
    "福岡県福岡市博多区博多駅前", "愛知県名古屋市中村区名駅４－７", "京都府京都市下京区烏丸通",
    "沖縄県那覇市久茂地２－２２", "宮城県仙台市青葉区一番町"};

constexpr std::array<const char*, 6> kCompanies = {
    "山田商事株式会社", "有限会社さくら工務店", "東都電機", "みなと運輸", "ひかり総合病院", ""};

constexpr std::array<const char*, 8> kHalfWidthNames = {"ﾔﾏﾀﾞ", "ｻﾄｳ ﾀﾛｳ", "ｶﾄｳ",       "ﾀﾅｶ ﾊﾅｺ",
                                                        "ｽｽﾞｷ", "ﾜﾀﾞ",     "ﾊﾞﾊﾞ ｹﾝｲﾁ", "ｼﾐｽﾞ"};

std::string Cp932(const std::string& utf8) {
  return cp932::FromUtf8(utf8).text;
}

// A number unique to `index`, written in one of the ways people write numbers.
std::string PhoneNumber(int index, std::mt19937& random) {
  const std::string area = std::array<const char*, 5>{"03", "06", "045", "090", "011"}[index % 5];
  const std::string middle = std::to_string(1000 + (index / 5) % 9000);
  const std::string last = std::to_string(1000 + (index * 7919) % 9000);
  switch (random() % 4) {
    case 0:
      return area + "-" + middle + "-" + last;
    case 1:
      return area + middle + last;
    case 2:
      return area + " " + middle + " " + last;
    default:
      return "(" + area + ")" + middle + "/" + last;
  }
}

template <typename Array>
const auto& Pick(const Array& items, std::mt19937& random) {
  return items[random() % items.size()];
}

BookEntry MakeEntry(int index, std::mt19937& random) {
  BookEntry entry{};
  const Name& family = Pick(kFamilyNames, random);
  const Name& given = Pick(kGivenNames, random);
  const bool odd = random() % 20 == 0;
  const std::string reading =
      odd ? Pick(kOddReadings, random) : std::string(family.reading) + " " + given.reading;
  using text_bytes::FillField;
  FillField(entry.number, PhoneNumber(index, random));
  FillField(entry.name, Cp932(std::string(family.kanji) + given.kanji));
  FillField(entry.nameKana, Cp932(reading));
  FillField(entry.address, Cp932(Pick(kAddresses, random)));
  FillField(entry.postalCode,
            std::to_string(100 + random() % 900) + "-" + std::to_string(1000 + random() % 9000));
  if (random() % 4 == 0) FillField(entry.fax, PhoneNumber(index + 50000, random));
  const std::string company = Pick(kCompanies, random);
  FillField(entry.company, Cp932(company));
  if (!company.empty()) FillField(entry.companyAddress, Cp932(Pick(kAddresses, random)));
  if (random() % 3 == 0) FillField(entry.email, "user" + std::to_string(index) + "@example.jp");
  FillField(entry.callAccept, "1");
  FillField(entry.adapterWanted, "0");
  FillField(entry.illumination, "0");
  entry.viewSlot = index;
  return entry;
}

void MarkAsAdapterEntry(BookEntry& entry, std::mt19937& random) {
  using text_bytes::FillField;
  FillField(entry.adapterWanted, "1");
  FillField(entry.callAccept, random() % 5 == 0 ? "0" : "1");
  FillField(entry.illumination, std::to_string(random() % 4));
  FillField(entry.registeredName, Cp932(Pick(kHalfWidthNames, random)));
  entry.inAdapter = 1;
}

}  // namespace

void GenerateBook(PhoneBook& book, const BookShape& shape) {
  std::mt19937 random(shape.seed);
  const int count = std::clamp(shape.count, 0, BOOK_CAPACITY);
  int adapterEntries = std::clamp(shape.adapterEntries, 0, 50);
  book = PhoneBook();
  for (int i = 0; i < count; ++i) {
    BookEntry entry = MakeEntry(i, random);
    if (static_cast<int>(random() % 100) < shape.deletedPercent) {
      entry.deleted = 1;
    } else if (adapterEntries > 0 && random() % 10 == 0) {
      MarkAsAdapterEntry(entry, random);
      --adapterEntries;
    }
    book.SetEntry(i, entry);
  }
}
