#include "state_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::optional<zefp1::Record> ParseLine(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
  if (fields.size() != 4 || fields[2].size() != 1 || fields[3].size() != 1) return std::nullopt;
  if (fields[2][0] != '0' && fields[2][0] != '1') return std::nullopt;
  if (fields[3][0] < '0' || fields[3][0] > '3') return std::nullopt;
  zefp1::Record record{fields[0], fields[1], fields[2][0] == '1',
                       static_cast<std::uint8_t>(fields[3][0] - '0')};
  if (!zefp1::IsValidRecord(record)) return std::nullopt;
  return record;
}

std::string SystemError(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

std::optional<std::vector<zefp1::Record>> ReadStateFile(const std::string& path,
                                                        std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    if (errno == ENOENT) return std::vector<zefp1::Record>{};
    error = SystemError(path);
    return std::nullopt;
  }
  std::vector<zefp1::Record> records;
  int lineNumber = 0;
  for (std::string line; std::getline(file, line);) {
    ++lineNumber;
    if (line.empty()) continue;
    auto record = ParseLine(line);
    if (!record) {
      error = path + ":" + std::to_string(lineNumber) + ": not an entry the adapter accepts";
      return std::nullopt;
    }
    records.push_back(std::move(*record));
  }
  if (file.bad()) {
    error = SystemError(path);
    return std::nullopt;
  }
  return records;
}

bool WriteStateFile(const std::string& path, const std::vector<zefp1::Record>& records,
                    std::string& error) {
  const std::string aside = path + ".tmp";
  std::FILE* file = std::fopen(aside.c_str(), "wb");
  if (file == nullptr) {
    error = SystemError(aside);
    return false;
  }
  bool ok = true;
  for (const zefp1::Record& record : records) {
    const std::string line = record.number + '\t' + record.name + '\t' +
                             (record.callAccept ? '1' : '0') + '\t' +
                             static_cast<char>('0' + record.illumination) + '\n';
    ok = ok && std::fwrite(line.data(), 1, line.size(), file) == line.size();
  }
  ok = ok && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  ok = std::fclose(file) == 0 && ok;
  ok = ok && std::rename(aside.c_str(), path.c_str()) == 0;
  if (!ok) {
    error = SystemError(path);
    std::remove(aside.c_str());
  }
  return ok;
}
