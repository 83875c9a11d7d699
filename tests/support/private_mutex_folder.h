// Gives a test its own folder for named mutexes, so that tests running side by side (and a
// DUDODE the developer runs meanwhile) never see each other's "DUDODE_RUNNING".
#pragma once

#include <stdlib.h>

#include "support/temp_dir.h"

class PrivateMutexFolder {
 public:
  PrivateMutexFolder() { setenv("XDG_RUNTIME_DIR", folder_.path().c_str(), 1); }

 private:
  TempDir folder_;  // created readable by its owner alone, as the mutexes require
};
