// Named mutexes on Windows: the system's own.
#include <windows.h>

#include "platform/named_mutex.h"

bool NamedMutex::IsHeld(const std::string& name) {
  HANDLE handle = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str());
  if (handle == nullptr) return false;
  CloseHandle(handle);
  return true;
}

std::unique_ptr<NamedMutex> NamedMutex::Create(const std::string& name) {
  HANDLE handle = CreateMutexA(nullptr, FALSE, name.c_str());
  if (handle == nullptr) return nullptr;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    return nullptr;
  }
  return std::unique_ptr<NamedMutex>(new NamedMutex(handle));
}

NamedMutex::NamedMutex(void* handle) : handle_(handle) {}

NamedMutex::~NamedMutex() {
  CloseHandle(static_cast<HANDLE>(handle_));
}
