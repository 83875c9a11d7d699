// An adapter library for tests: serves a list of entries, records every call, and fails
// any call with any error number on request.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "book/adapter_library.h"
#include "support/call_script.h"

class FakeAdapter : public AdapterLibrary, public CallScript {
 public:
  std::vector<AdapterEntry> held;
  int32_t reportedCount = -1;               // a count to report instead of held.size()
  int readsBeforeFailure = -1;              // ReadAll fails once this many reads have succeeded
  std::vector<std::string> deletedNumbers;  // what each Delete was given
  std::vector<AdapterEntry> registered;     // what each Register was given

  int Open(const char*, const AdapterParams&) override { return Result("Open"); }
  void Close() override { calls.push_back("Close"); }
  int ReadAll(AdapterEntry* entries, int32_t* count) override {
    const bool failNow = readsBeforeFailure >= 0 && reads_++ >= readsBeforeFailure;
    if (Result("ReadAll") == 0 || failNow) return 0;
    // An empty vector's data() may be null, and memcpy from null is undefined even for 0 bytes.
    if (!held.empty()) std::memcpy(entries, held.data(), held.size() * sizeof(AdapterEntry));
    *count = reportedCount >= 0 ? reportedCount : static_cast<int32_t>(held.size());
    return 1;
  }
  int Delete(const char* number) override {
    deletedNumbers.emplace_back(number, strnlen(number, sizeof(AdapterEntry::number)));
    return Result("Delete");
  }
  int Register(const AdapterEntry& entry) override {
    registered.push_back(entry);
    return Result("Register");
  }
  int LastError() override { return ReportLastError(); }

 private:
  int reads_ = 0;
};
