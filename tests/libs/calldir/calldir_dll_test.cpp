// Windows only: CallDir.dll as the program binds it, by ordinal. Every function found by
// its ordinal in the header does its own job: a book written, saved and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "calldir/calldir.h"
#include "support/temp_dir.h"

namespace {

struct CallDirByOrdinal {
  HMODULE dll = LoadLibraryA("CallDir.dll");

  template <typename Function>
  Function* At(WORD ordinal) const {
    // The ordinal stands in the name's place, as MAKEINTRESOURCE puts it.
    const FARPROC found = GetProcAddress(dll, reinterpret_cast<LPCSTR>(ULONG_PTR{ordinal}));
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(found));
  }
  ~CallDirByOrdinal() {
    if (dll != nullptr) FreeLibrary(dll);
  }
};

TEST(CallDirDllOnWindows, TheOrdinalsReachTheFunctionsTheHeaderNames) {
  const CallDirByOrdinal lib;
  ASSERT_NE(lib.dll, nullptr);
  const auto open = lib.At<decltype(CallDirOpen)>(2);
  const auto close = lib.At<decltype(CallDirClose)>(3);
  const auto count = lib.At<decltype(CallDirCount)>(4);
  const auto read = lib.At<decltype(CallDirRead)>(5);
  const auto write = lib.At<decltype(CallDirWrite)>(7);
  const auto remove = lib.At<decltype(CallDirDelete)>(8);
  const auto save = lib.At<decltype(CallDirSave)>(9);
  const auto lastError = lib.At<decltype(CallDirLastError)>(10);
  ASSERT_TRUE(open && close && count && read && write && remove && save && lastError);
  EXPECT_EQ(lib.At<void()>(1), nullptr);
  EXPECT_EQ(lib.At<void()>(6), nullptr);

  TempDir dir;
  const std::string path = dir.File("CallDir.csv");
  std::vector<BookEntry> book(2);
  std::strcpy(book[0].number, "03-1234-5678");
  std::strcpy(book[1].number, "0120-000-000");
  std::strcpy(book[1].name, "\x93\x64\x98\x62");  // CP932 bytes go through as they are
  ASSERT_TRUE(open(path.c_str()));
  ASSERT_TRUE(write(book.data(), 2));
  ASSERT_TRUE(save(path.c_str(), 2));
  close();

  ASSERT_TRUE(open(path.c_str()));
  ASSERT_EQ(count(), 2);
  std::vector<BookEntry> reread(2);
  ASSERT_TRUE(read(reread.data()));
  EXPECT_FALSE(open(dir.File("Other.csv").c_str()));  // one book at a time
  EXPECT_EQ(lastError(), LIBERR_BOOK_ALREADY_OPEN);
  close();
  EXPECT_STREQ(reread[0].number, "03-1234-5678");
  EXPECT_STREQ(reread[1].name, "\x93\x64\x98\x62");
}

}  // namespace
