// The emulator's state file: one entry a line, "number TAB name TAB accept TAB pattern",
// the name in CP932 bytes (half-width katakana), accept 0 or 1, pattern 0 to 3.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adapter_messages.h"

// The entries in `path`; an empty list when the file does not exist. Nothing, with
// `error` set, when it cannot be read or a line breaks the adapter's field rules.
std::optional<std::vector<zefp1::Record>> ReadStateFile(const std::string& path,
                                                        std::string& error);

// Replaces `path` as a whole (written aside, then renamed), so a crash leaves either
// the old list or the new one.
bool WriteStateFile(const std::string& path, const std::vector<zefp1::Record>& records,
                    std::string& error);
