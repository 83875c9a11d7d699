// The program's view of the ZEF_P1 library: the C functions behind an interface, so a
// test can put a fake in their place that fails any call with any error number.
#pragma once

#include "zefp1/zefp1.h"

class AdapterLibrary {
 public:
  virtual ~AdapterLibrary() = default;
  virtual int Open(const char* portName, const AdapterParams& params) = 0;
  virtual void Close() = 0;
  virtual int ReadAll(AdapterEntry* entries, int32_t* count) = 0;
  virtual int Delete(const char* number) = 0;
  virtual int Register(const AdapterEntry& entry) = 0;
  virtual int LastError() = 0;
};

// The real library.
class LinkedAdapterLibrary final : public AdapterLibrary {
 public:
  int Open(const char* portName, const AdapterParams& params) override;
  void Close() override;
  int ReadAll(AdapterEntry* entries, int32_t* count) override;
  int Delete(const char* number) override;
  int Register(const AdapterEntry& entry) override;
  int LastError() override;
};
