#include "libs/calldir/calldir_test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <utility>

#include "messages/library_errors.h"
#include "book/book_storage.h"
#include "calldir/calldir.h"

namespace calldir_test {

namespace {

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t put = write(fd, bytes, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

// Forks; the child runs `body` with the write end of a pipe and ends with _exit, so none of
// this process's exit handlers (GoogleTest's among them) run twice. Returns what the child
// wrote and its wait status.
std::pair<std::string, int> Forked(const std::function<void(int)>& body) {
  int fds[2];
  if (pipe(fds) != 0) return {"", -1};
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    body(fds[1]);
    close(fds[1]);
    _exit(0);
  }
  close(fds[1]);
  std::string text = ReadAll(fds[0]);
  close(fds[0]);
  int status = -1;
  waitpid(pid, &status, 0);
  return {text, status};
}

}  // namespace

BookEntry MakeEntry(int tag, int i) {
  BookEntry e{};
  const std::string n = std::to_string(i);
  const std::string t = std::to_string(tag);
  Set(e.number, "03-" + t + "-" + n);
  Set(e.name, "\x8e\x52\x93\x63 " + n);                        // 山田 (CP932)
  Set(e.address, "\x93\x8c\x8b\x9e\x93\x73, " + t + "," + n);  // 東京都, with commas
  Set(e.company, "Book \"" + t + "\"");
  Set(e.companyAddress, "line1\r\nline2 " + n);
  Set(e.fax, "03-9999-" + n);
  Set(e.postalCode, "100-0001");
  Set(e.nameKana, "\x82\xe2\x82\xdc\x82\xbe");  // やまだ
  Set(e.email, "user" + n + "@example.jp");
  Set(e.callAccept, i % 2 == 0 ? "1" : "0");
  Set(e.adapterWanted, i % 3 == 0 ? "1" : "0");
  Set(e.illumination, std::to_string(i % 4));
  Set(e.registeredName, "\xd4\xcf\xc0\xde");  // ﾔﾏﾀﾞ
  e.inAdapter = i % 5 == 0 ? 1 : 0;
  e.viewSlot = i;
  return e;
}

std::vector<BookEntry> MakeBook(int tag, int count) {
  std::vector<BookEntry> book;
  for (int i = 0; i < count; ++i) book.push_back(MakeEntry(tag, i));
  return book;
}

bool SameStoredPart(const BookEntry& a, const BookEntry& b) {
  // The 13 texts run from offset 0 to viewSlot; compare them as texts, not buffers.
  using text_bytes::FieldText;
  return FieldText(a.number) == FieldText(b.number) && FieldText(a.name) == FieldText(b.name) &&
         FieldText(a.address) == FieldText(b.address) &&
         FieldText(a.company) == FieldText(b.company) &&
         FieldText(a.companyAddress) == FieldText(b.companyAddress) &&
         FieldText(a.fax) == FieldText(b.fax) &&
         FieldText(a.postalCode) == FieldText(b.postalCode) &&
         FieldText(a.nameKana) == FieldText(b.nameKana) &&
         FieldText(a.email) == FieldText(b.email) &&
         FieldText(a.callAccept) == FieldText(b.callAccept) &&
         FieldText(a.adapterWanted) == FieldText(b.adapterWanted) &&
         FieldText(a.illumination) == FieldText(b.illumination) &&
         FieldText(a.registeredName) == FieldText(b.registeredName) && a.inAdapter == b.inAdapter;
}

std::vector<BookEntry> LiveEntries(const std::vector<BookEntry>& book) {
  std::vector<BookEntry> live;
  for (const BookEntry& e : book) {
    if (e.deleted == 0) live.push_back(e);
  }
  return live;
}

void ExpectBook(const std::vector<BookEntry>& want, const std::vector<BookEntry>& got,
                const std::string& what) {
  ASSERT_EQ(want.size(), got.size()) << what;
  for (std::size_t i = 0; i < want.size(); ++i) {
    ASSERT_TRUE(SameStoredPart(want[i], got[i])) << what << ": entry " << i;
    ASSERT_EQ(got[i].viewSlot, static_cast<int32_t>(i)) << what << ": entry " << i;
    ASSERT_EQ(got[i].deleted, 0) << what << ": entry " << i;
  }
}

bool Program::LoadBook(const std::function<void()>& whileOpen) {
  return ::LoadBook(access, whileOpen);
}

void Program::Append(const BookEntry& entry) {
  book.AppendEntry(entry);
}

bool Program::HandOverBook() {
  return ::HandOverBook(access);
}

bool Program::MarkDeleted(int index) {
  const std::size_t shown = prompter.messages.size();
  ::MarkDeleted(access, index);
  return prompter.messages.size() == shown;
}

void Program::MergeHandOver() {
  callDir.Open(access.bookPath.c_str());
  callDir.Write(book.data(), book.entryCount());
  callDir.Close();
}

bool Program::SaveCommand() {
  const bool saved = callDir.Save(access.bookPath.c_str(), book.entryCount()) != 0;
  if (!saved) ShowLibraryError(prompter, callDir.LastError());
  return saved;
}

int Program::LastError() const {
  if (prompter.messages.empty()) return 0;
  for (int code = 1; LibraryErrorMessage(code) != nullptr; ++code) {
    if (prompter.messages.back().text == LibraryErrorMessage(code)) return code;
  }
  return 0;
}

std::vector<BookEntry> Program::Live() const {
  return LiveEntries(std::vector<BookEntry>(book.data(), book.data() + book.entryCount()));
}

StartResult FreshStart(const std::string& path) {
  const auto [bytes, status] = Forked([&](int fd) {
    StartResult r;
    r.opened = CallDirOpen(path.c_str());
    r.error = r.opened ? 0 : CallDirLastError();
    r.count = r.opened ? CallDirCount() : 0;
    std::vector<BookEntry> book(static_cast<std::size_t>(std::max(r.count, 0)));
    if (r.count > 0) CallDirRead(book.data());
    CallDirClose();
    int head[3] = {r.opened, r.error, r.count};
    WriteAll(fd, head, sizeof head);
    WriteAll(fd, book.data(), book.size() * sizeof(BookEntry));
  });
  StartResult r;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "fresh start crashed";
  int head[3] = {0, 0, 0};
  if (bytes.size() < sizeof head) {
    ADD_FAILURE() << "fresh start said nothing";
    return r;
  }
  std::memcpy(head, bytes.data(), sizeof head);
  r.opened = head[0];
  r.error = head[1];
  r.count = head[2];
  const std::size_t entries = (bytes.size() - sizeof head) / sizeof(BookEntry);
  r.book.resize(entries);
  // An empty vector's data() may be null, and memcpy to null is undefined even for 0 bytes.
  if (entries > 0)
    std::memcpy(r.book.data(), bytes.data() + sizeof head, entries * sizeof(BookEntry));
  return r;
}

bool ChildReport::Check(bool ok, const std::string& what) {
  if (!ok) {
    const std::string line = what + "\n";
    WriteAll(fd_, line.data(), line.size());
  }
  return ok;
}

void RunInChild(const std::function<void(ChildReport&)>& body) {
  const auto [text, status] = Forked([&](int fd) {
    ChildReport report(fd);
    body(report);
  });
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) ADD_FAILURE() << "in the child: " << line;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child crashed";
}

unsigned ModeOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return 0xFFFF;
  return st.st_mode & 07777;
}

}  // namespace calldir_test
