#include "app/startup.h"

#include "messages/prompter.h"
#include "book/adapter_library.h"
#include "book/adapter_merge.h"
#include "book/calldir_library.h"
#include "book/book_storage.h"
#include "platform/cp932.h"
#include "platform/named_mutex.h"
#include "platform/private_profile.h"
#include "platform/text_bytes.h"

namespace {

constexpr std::string_view kStartNumberSeparators = "/t=, /T=";
constexpr int kAdapterBaud = 4800;

}  // namespace

std::string StartNumberFrom(std::string_view commandLine) {
  const std::string line = text_bytes::CutToCapacity(commandLine, kStartNumberSize);
  std::string piece;
  for (std::size_t i = 0; i < line.size();) {
    // A separator is a single-byte character: the trail byte of "５" (0x82 0x54) is "T".
    const bool doubleByte = cp932::IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size();
    const std::size_t length = doubleByte ? 2 : 1;
    if (!doubleByte && kStartNumberSeparators.find(line[i]) != std::string_view::npos) {
      if (!piece.empty()) return piece;
    } else {
      piece.append(line, i, length);
    }
    i += length;
  }
  return piece;
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

bool OpenAdapterIfFree(Prompter& prompter, AdapterLibrary& adapter, const std::string& portIniPath) {
  if (NamedMutex::IsHeld(kVizazedMutexName)) {
    prompter.Tell(kVizazedRunningMessage, PromptIcon::Warning);
    return false;
  }
  const PortSettings settings = ReadPortSettings(portIniPath);
  if (adapter.Open(settings.portName.c_str(), settings.params) == 0) {
    prompter.Tell(kAdapterOpenFailedMessage, PromptIcon::Warning);
    return false;
  }
  return true;
}

std::string BookKeptAsideMessage(const std::string& programFolder) {
  return "読み込めなかった電話帳は、次に保存するときに " + programFolder +
         " に CallDir.csv.backup-<日時> として残します。";
}

bool LoadBookAtStart(BookAccess& access, AdapterLibrary& adapter, bool adapterEnabled,
                     const std::string& programFolder) {
  BusyScope busy(access.prompter);
  const auto merge = [&] { MergeFromAdapter(access, adapter); };
  const bool loaded = adapterEnabled ? LoadBook(access, merge) : LoadBook(access);
  if (loaded) return true;
  access.prompter.Tell(kBookLoadFailedMessage, PromptIcon::Warning);
  // The library keeps a file it could not read aside at the first store, which would
  // otherwise replace it without a word.
  const int error = access.callDir.LastError();
  if (error == LIBERR_BOOK_CANNOT_OPEN || error == LIBERR_BOOK_UNREADABLE) {
    access.prompter.Tell(BookKeptAsideMessage(programFolder), PromptIcon::Warning);
  }
  return false;
}
