// Named mutexes between processes of the same user: one program instance at a time,
// and a look at whether a sibling program runs. A holder that dies releases its name.
#pragma once

#include <memory>
#include <string>

class NamedMutex {
 public:
  // True when a live process (this one included) holds `name`.
  static bool IsHeld(const std::string& name);

  // Takes `name` and holds it until the object is destroyed or the process ends.
  // Null when another process holds it or it cannot be taken.
  static std::unique_ptr<NamedMutex> Create(const std::string& name);

  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

 private:
  explicit NamedMutex(void* handle);
  void* handle_;  // a file descriptor on POSIX, a mutex handle on Windows
};
