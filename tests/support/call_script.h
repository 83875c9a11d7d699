// What the library fakes share: every call is recorded by name, and a test can make any
// call fail with any error number.
#pragma once

#include <map>
#include <string>
#include <vector>

class CallScript {
 public:
  std::vector<std::string> calls;       // "Open", "Write", ... in order
  std::map<std::string, int> failures;  // call name -> error number to fail it with
  int lastError = 0;

 protected:
  // Records `call`; 0 with the scripted error number remembered when it is to fail, else 1.
  int Result(const std::string& call) {
    calls.push_back(call);
    const auto failure = failures.find(call);
    if (failure == failures.end()) return 1;
    lastError = failure->second;
    return 0;
  }

  int ReportLastError() {
    calls.push_back("LastError");
    return lastError;
  }
};
