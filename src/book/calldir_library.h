// The program's view of the CallDir library: the C functions behind an interface, so a
// test can put a fake in their place that fails any call with any error number.
#pragma once

#include "calldir/calldir.h"

class CallDirLibrary {
 public:
  virtual ~CallDirLibrary() = default;
  virtual int Open(const char* path) = 0;
  virtual void Close() = 0;
  virtual int Count() = 0;
  virtual int Read(BookEntry* book) = 0;
  virtual int Write(const BookEntry* book, int count) = 0;
  virtual int Delete(const BookEntry* book, int index) = 0;
  virtual int Save(const char* path, int count) = 0;
  virtual int LastError() = 0;
};

// The real library.
class LinkedCallDirLibrary final : public CallDirLibrary {
 public:
  int Open(const char* path) override;
  void Close() override;
  int Count() override;
  int Read(BookEntry* book) override;
  int Write(const BookEntry* book, int count) override;
  int Delete(const BookEntry* book, int index) override;
  int Save(const char* path, int count) override;
  int LastError() override;
};
