// A CallDir library for tests: keeps what it is given in memory, records every call, and
// fails any call with any error number on request.
#pragma once

#include <string>
#include <vector>

#include "book/calldir_library.h"
#include "support/call_script.h"

class FakeCallDir : public CallDirLibrary, public CallScript {
 public:
  std::vector<BookEntry> stored;  // what Count/Read give
  int deletedIndex = -1;
  int writtenCount = -1;
  int countOverride = -1;  // a count to report instead of stored.size()

  int Open(const char*) override { return Result("Open"); }
  void Close() override { calls.push_back("Close"); }
  int Count() override {
    calls.push_back("Count");
    return countOverride >= 0 ? countOverride : static_cast<int>(stored.size());
  }
  int Read(BookEntry* book) override {
    calls.push_back("Read");
    for (std::size_t i = 0; i < stored.size(); ++i) book[i] = stored[i];
    return 1;
  }
  int Write(const BookEntry* book, int count) override {
    if (Result("Write") == 0) return 0;
    writtenCount = count;
    stored.assign(book, book + count);
    return 1;
  }
  int Delete(const BookEntry*, int index) override {
    if (Result("Delete") == 0) return 0;
    deletedIndex = index;
    return 1;
  }
  int Save(const char*, int) override { return Result("Save"); }
  int LastError() override { return ReportLastError(); }

 private:
};
