// Private profile files on POSIX: the file is read whole, edited as lines and replaced
// atomically, so a crash never leaves half a settings file behind.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/private_profile.h"
#include "private_profile_value.h"

namespace profile {
namespace {

struct Lines {
  std::vector<std::string> lines;  // without their line ends
  std::string lineEnd = "\n";
};

Lines ReadLines(const std::string& path) {
  Lines result;
  std::ifstream file(path, std::ios::binary);
  if (!file) return result;
  std::stringstream content;
  content << file.rdbuf();
  const std::string text = content.str();
  if (text.find("\r\n") != std::string::npos) result.lineEnd = "\r\n";
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    result.lines.push_back(std::move(line));
    start = end + 1;
  }
  return result;
}

std::string Trim(const std::string& text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The section a line opens, if it is a section header.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
  const std::size_t close = trimmed.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

bool IsComment(const std::string& line) {
  const std::string trimmed = Trim(line);
  return !trimmed.empty() && trimmed.front() == ';';
}

// Where a key lives in the file: its line, and the range of its section's lines.
struct Location {
  std::optional<std::size_t> sectionHeader;
  std::size_t sectionEnd = 0;  // one past the section's last non-blank line
  std::optional<std::size_t> keyLine;
};

Location Find(const Lines& file, const std::string& section, const std::string& key) {
  Location where;
  bool inSection = false;
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    const std::string& line = file.lines[i];
    if (const auto name = SectionOf(line)) {
      if (inSection) break;
      inSection = SameName(*name, Trim(section)) && !where.sectionHeader;
      if (inSection) {
        where.sectionHeader = i;
        where.sectionEnd = i + 1;
      }
      continue;
    }
    if (!inSection) continue;
    if (!Trim(line).empty()) where.sectionEnd = i + 1;
    const std::size_t equals = line.find('=');
    if (IsComment(line) || equals == std::string::npos || where.keyLine) continue;
    if (SameName(Trim(line.substr(0, equals)), Trim(key))) where.keyLine = i;
  }
  return where;
}

bool RewriteFile(const std::string& path, const Lines& file) {
  std::string text;
  for (const std::string& line : file.lines) text += line + file.lineEnd;
  const std::string temporary = path + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const bool complete = written == text.size() && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!complete || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
  const Lines file = ReadLines(path);
  const Location where = Find(file, section, key);
  if (!where.keyLine) return std::nullopt;
  const std::string& line = file.lines[*where.keyLine];
  return Trim(line.substr(line.find('=') + 1));
}

bool WriteStrings(const std::string& path, const std::string& section,
                  const std::vector<KeyValue>& entries) {
  Lines file = ReadLines(path);
  for (const auto& [key, value] : entries) {
    if (!KeepsLineStructure(section, key, value)) return false;
    const Location where = Find(file, section, key);
    const std::string line = Trim(key) + "=" + value;
    if (where.keyLine) {
      file.lines[*where.keyLine] = line;
    } else if (where.sectionHeader) {
      file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(where.sectionEnd), line);
    } else {
      if (!file.lines.empty() && !Trim(file.lines.back()).empty()) file.lines.emplace_back();
      file.lines.push_back("[" + Trim(section) + "]");
      file.lines.push_back(line);
    }
  }
  return RewriteFile(path, file);
}

bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) {
  return WriteStrings(path, section, {{key, value}});
}

}  // namespace profile
