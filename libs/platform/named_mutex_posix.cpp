// Named mutexes on POSIX: an flock()ed file per name in a folder that only this user can
// write, so another user can neither block nor take over the name. The kernel drops the
// lock when its holder dies, so a crash never blocks a later start.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <thread>

#include "platform/named_mutex.h"

namespace {

bool IsPrivateFolder(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 0077) == 0;
}

// A folder for this user's names: created mode 0700 when missing, used only when it is a
// real folder of this user's that nobody else can write.
std::optional<std::string> PrivateFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  if (!IsPrivateFolder(folder)) return std::nullopt;  // someone else's, or a link: never trust it
  return folder;
}

// $XDG_RUNTIME_DIR when it is this user's private folder, else /tmp/named-mutexes-<uid>.
// Another user can create that /tmp name first; then ~/.cache/named-mutexes serves instead,
// so nobody can block this user's names.
std::optional<std::string> LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0' && IsPrivateFolder(runtime)) {
    return std::string(runtime);
  }
  if (auto shared = PrivateFolder("/tmp/named-mutexes-" + std::to_string(::getuid()))) {
    return shared;
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') return std::nullopt;
  const std::string cache = std::string(home) + "/.cache";
  if (::mkdir(cache.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  return PrivateFolder(cache + "/named-mutexes");
}

bool IsValidName(const std::string& name) {
  return !name.empty() && name.size() <= 200 && name.find('/') == std::string::npos &&
         name != "." && name != "..";
}

std::optional<std::string> LockPath(const std::string& name) {
  if (!IsValidName(name)) return std::nullopt;
  const auto folder = LockFolder();
  if (!folder) return std::nullopt;
  return *folder + "/" + name + ".mutex";
}

}  // namespace

bool NamedMutex::IsHeld(const std::string& name) {
  const auto path = LockPath(name);
  if (!path) return false;
  const int fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  // A shared probe conflicts with a holder's exclusive lock but not with another probe.
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

std::unique_ptr<NamedMutex> NamedMutex::Create(const std::string& name) {
  const auto path = LockPath(name);
  if (!path) return nullptr;
  const int fd = ::open(path->c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return nullptr;
  // A probe holds its shared lock for an instant; give it a few chances to let go.
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      return std::unique_ptr<NamedMutex>(
          new NamedMutex(reinterpret_cast<void*>(static_cast<std::intptr_t>(fd))));
    }
    if (errno != EWOULDBLOCK) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::close(fd);
  return nullptr;
}

NamedMutex::NamedMutex(void* handle) : handle_(handle) {}

NamedMutex::~NamedMutex() {
  ::close(static_cast<int>(reinterpret_cast<std::intptr_t>(handle_)));
}
