#include "app/startup.h"

#include "app/prompter.h"
#include "book/adapter_library.h"
#include "book/adapter_merge.h"
#include "book/phone_book.h"
#include "platform/named_mutex.h"
#include "platform/private_profile.h"
#include "platform/text_bytes.h"

char g_startNumber[kStartNumberSize] = {};
int32_t g_adapterEnabled = 1;

namespace {

constexpr std::string_view kStartNumberSeparators = "/t=, /T=";
constexpr int kAdapterBaud = 4800;

}  // namespace

std::string StartNumberFrom(std::string_view commandLine) {
  const std::string line = text_bytes::CutToCapacity(commandLine, kStartNumberSize);
  std::size_t start = 0;
  while (start < line.size()) {
    const std::size_t end = line.find_first_of(kStartNumberSeparators, start);
    const std::size_t pieceEnd = end == std::string::npos ? line.size() : end;
    if (pieceEnd > start) return line.substr(start, pieceEnd - start);
    start = pieceEnd + 1;
  }
  return {};
}

PortSettings ReadPortSettings(const std::string& portIniPath) {
  PortSettings settings;
  settings.portName = "COM" + std::to_string(profile::ReadInt(portIniPath, "COMPORT", "ComPort", 1));
  settings.params.extMode = profile::ReadInt(portIniPath, "COMPORT", "ExtMode", 0);
  settings.params.baud = kAdapterBaud;
  return settings;
}

std::unique_ptr<NamedMutex> TakeInstanceLock(Prompter& prompter) {
  auto lock = NamedMutex::Create(kInstanceMutexName);
  if (!lock) prompter.Tell(kAlreadyRunningMessage, PromptIcon::Warning);
  return lock;
}

int32_t OpenAdapterIfFree(Prompter& prompter, AdapterLibrary& adapter,
                          const std::string& portIniPath) {
  if (NamedMutex::IsHeld(kVizazedMutexName)) {
    prompter.Tell(kVizazedRunningMessage, PromptIcon::Warning);
    return 0;
  }
  const PortSettings settings = ReadPortSettings(portIniPath);
  if (adapter.Open(settings.portName.c_str(), settings.params) == 0) {
    prompter.Tell(kAdapterOpenFailedMessage, PromptIcon::Warning);
    return 0;
  }
  return 1;
}

bool LoadBookAtStart(BookAccess& access, AdapterLibrary& adapter, bool adapterEnabled) {
  BusyScope busy(access.prompter);
  const auto merge = [&] { MergeFromAdapter(access, adapter); };
  const bool loaded = adapterEnabled ? LoadBook(access, merge) : LoadBook(access);
  if (!loaded) access.prompter.Tell(kBookLoadFailedMessage, PromptIcon::Warning);
  return loaded;
}
