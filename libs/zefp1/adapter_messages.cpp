#include "adapter_messages.h"

#include "protocol_codes.h"

namespace zefp1 {

namespace {

// Number characters by their 4-bit code; 0xF pads an odd length.
constexpr std::string_view kNumberAlphabet = "0123456789-#*";
constexpr std::uint8_t kPadNibble = 0xF;

// Flag byte of a record: bit 0 calls accepted, bits 1-2 illumination, the rest zero.
constexpr std::uint8_t kAcceptBit = 0x01;
constexpr int kIlluminationShift = 1;

std::size_t PackedNumberBytes(std::size_t length) {
  return 1 + (length + 1) / 2;
}

// Reads a payload front to back; every read fails rather than run past the end.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::optional<std::uint8_t> Byte() {
    if (pos_ >= bytes_.size()) return std::nullopt;
    return bytes_[pos_++];
  }

  std::optional<std::span<const std::uint8_t>> Bytes(std::size_t count) {
    if (bytes_.size() - pos_ < count) return std::nullopt;
    const auto part = bytes_.subspan(pos_, count);
    pos_ += count;
    return part;
  }

  bool AtEnd() const { return pos_ == bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

void AppendNumber(std::vector<std::uint8_t>& out, std::string_view number) {
  out.push_back(static_cast<std::uint8_t>(number.size()));
  for (std::size_t i = 0; i < number.size(); i += 2) {
    const auto high = static_cast<std::uint8_t>(kNumberAlphabet.find(number[i]));
    const auto low = i + 1 < number.size()
                         ? static_cast<std::uint8_t>(kNumberAlphabet.find(number[i + 1]))
                         : kPadNibble;
    out.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
}

std::optional<std::string> ReadNumber(Reader& reader) {
  const auto length = reader.Byte();
  if (!length || *length == 0 || *length > kMaxNumberBytes) return std::nullopt;
  const auto packed = reader.Bytes(PackedNumberBytes(*length) - 1);
  if (!packed) return std::nullopt;
  std::string number;
  for (std::size_t i = 0; i < *length; ++i) {
    const std::uint8_t byte = (*packed)[i / 2];
    const std::uint8_t nibble = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
    if (nibble >= kNumberAlphabet.size()) return std::nullopt;
    number.push_back(kNumberAlphabet[nibble]);
  }
  if (*length % 2 == 1 && (packed->back() & 0x0F) != kPadNibble) return std::nullopt;
  return number;
}

void AppendRecord(std::vector<std::uint8_t>& out, const Record& record) {
  out.push_back(static_cast<std::uint8_t>((record.callAccept ? kAcceptBit : 0) |
                                          record.illumination << kIlluminationShift));
  AppendNumber(out, record.number);
  out.push_back(static_cast<std::uint8_t>(record.name.size()));
  out.insert(out.end(), record.name.begin(), record.name.end());
}

std::optional<Record> ReadRecord(Reader& reader) {
  const auto flags = reader.Byte();
  if (!flags || (*flags & ~(kAcceptBit | kMaxIllumination << kIlluminationShift)) != 0) {
    return std::nullopt;
  }
  Record record;
  record.callAccept = (*flags & kAcceptBit) != 0;
  record.illumination = static_cast<std::uint8_t>(*flags >> kIlluminationShift);
  auto number = ReadNumber(reader);
  const auto nameLength = reader.Byte();
  if (!number || !nameLength) return std::nullopt;
  const auto name = reader.Bytes(*nameLength);
  if (!name) return std::nullopt;
  record.number = std::move(*number);
  record.name.assign(name->begin(), name->end());
  if (!IsValidName(record.name)) return std::nullopt;
  return record;
}

void AppendCounter(std::vector<std::uint8_t>& out, std::uint32_t counter) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(counter >> shift & 0xFF));
  }
}

std::optional<std::uint32_t> ReadCounter(Reader& reader) {
  const auto bytes = reader.Bytes(4);
  if (!bytes) return std::nullopt;
  std::uint32_t counter = 0;
  for (const std::uint8_t byte : *bytes) counter = counter << 8 | byte;
  return counter;
}

// A payload of one item.
template <typename Append, typename Item>
std::vector<std::uint8_t> Encoded(Append append, const Item& item) {
  std::vector<std::uint8_t> out;
  append(out, item);
  return out;
}

// The one item a payload holds; nothing when it does not parse or bytes are left over.
template <typename Read>
auto DecodedWhole(std::span<const std::uint8_t> payload, Read read) {
  Reader reader(payload);
  auto item = read(reader);
  if (!reader.AtEnd()) item.reset();
  return item;
}

}  // namespace

bool IsValidNumber(std::string_view number) {
  if (number.empty() || number.size() > kMaxNumberBytes) return false;
  return number.find_first_not_of(kNumberAlphabet) == std::string_view::npos;
}

bool IsValidName(std::string_view name) {
  if (name.size() > kMaxNameBytes) return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte != ' ' && (byte < 0xA1 || byte > 0xDF)) return false;
  }
  return true;
}

bool IsValidRecord(const Record& record) {
  return IsValidNumber(record.number) && IsValidName(record.name) &&
         record.illumination <= kMaxIllumination;
}

std::vector<std::uint8_t> EncodeNumber(std::string_view number) {
  return Encoded(AppendNumber, number);
}

std::optional<std::string> DecodeNumber(std::span<const std::uint8_t> payload) {
  return DecodedWhole(payload, ReadNumber);
}

std::vector<std::uint8_t> EncodeRecord(const Record& record) {
  return Encoded(AppendRecord, record);
}

std::optional<Record> DecodeRecord(std::span<const std::uint8_t> payload) {
  return DecodedWhole(payload, ReadRecord);
}

std::vector<std::uint8_t> EncodeCounter(std::uint32_t counter) {
  return Encoded(AppendCounter, counter);
}

std::optional<std::uint32_t> DecodeCounter(std::span<const std::uint8_t> payload) {
  return DecodedWhole(payload, ReadCounter);
}

std::vector<std::uint8_t> EncodeEntryList(const EntryList& list) {
  std::vector<std::uint8_t> out;
  AppendCounter(out, list.counter);
  out.push_back(static_cast<std::uint8_t>(list.records.size()));
  for (const Record& record : list.records) AppendRecord(out, record);
  return out;
}

std::optional<EntryList> DecodeEntryList(std::span<const std::uint8_t> payload) {
  Reader reader(payload);
  const auto counter = ReadCounter(reader);
  const auto count = reader.Byte();
  if (!counter || !count) return std::nullopt;
  EntryList list{*counter, {}};
  for (std::size_t i = 0; i < *count; ++i) {
    auto record = ReadRecord(reader);
    if (!record) return std::nullopt;
    list.records.push_back(std::move(*record));
  }
  if (!reader.AtEnd()) return std::nullopt;
  return list;
}

std::size_t MaxEntryListPayload(std::size_t entries) {
  const std::size_t longestRecord = 1 + PackedNumberBytes(kMaxNumberBytes) + 1 + kMaxNameBytes;
  return 4 + 1 + entries * longestRecord;
}

}  // namespace zefp1
