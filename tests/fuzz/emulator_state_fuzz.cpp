// The emulator's state file on any bytes: a file it accepts holds only entries the
// adapter would accept, and written again it reads back the same list.
// Input: the file's bytes.
#include "fuzz_support.h"
#include "state_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::ScratchFile("state");
  fuzz::WriteFile(path, fuzz::AsText(data, size));
  std::string error;
  const auto records = ReadStateFile(path, error);
  if (!records) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  for (const zefp1::Record& record : *records) FUZZ_CHECK(zefp1::IsValidRecord(record));
  const std::string copy = fuzz::ScratchFile("state-copy");
  FUZZ_CHECK(WriteStateFile(copy, *records, error));
  const auto reread = ReadStateFile(copy, error);
  FUZZ_CHECK(reread && *reread == *records);
  return 0;
}
