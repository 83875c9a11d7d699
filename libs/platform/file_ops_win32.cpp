// Win32 file operations for the book file: CreateFileA with CREATE_NEW, FlushFileBuffers,
// MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH (which also makes the
// rename itself durable, so there is no folder to flush), CreateHardLinkA for backups.
// Paths are in the ANSI code page, as the program's "A" functions take them. The files get
// the folder's inherited access list: the program folder is the user's own.
#include <windows.h>

#include <ctime>
#include <string>

#include "platform/file_ops.h"

namespace file_ops {

namespace {

HANDLE Handle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}
std::intptr_t Stored(HANDLE handle) {
  return reinterpret_cast<std::intptr_t>(handle);
}

FileStamp StampOfHandle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info)) return {};
  FileStamp stamp;
  stamp.known = true;
  stamp.exists = true;
  stamp.device = info.dwVolumeSerialNumber;
  stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  stamp.modified = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
      info.ftLastWriteTime.dwLowDateTime);
  return stamp;
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

FileStamp StampOf(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    FileStamp stamp;
    if (IsMissing(GetLastError())) stamp.known = true;
    return stamp;
  }
  const FileStamp stamp = StampOfHandle(handle);
  CloseHandle(handle);
  return stamp;
}

InputFile::~InputFile() {
  if (handle_ != -1) CloseHandle(Handle(handle_));
}

InputFile::OpenResult InputFile::Open(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    // A folder fails here with access denied: "exists but cannot be opened".
    return IsMissing(GetLastError()) ? OpenResult::Missing : OpenResult::Failed;
  }
  handle_ = Stored(handle);
  return OpenResult::Opened;
}

long long InputFile::Read(char* buffer, std::size_t size) {
  DWORD got = 0;
  const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  if (!ReadFile(Handle(handle_), buffer, want, &got, nullptr)) return -1;
  return got;
}

FileStamp InputFile::Stamp() const {
  return StampOfHandle(Handle(handle_));
}

TempFile::~TempFile() {
  if (!closed_) Discard();
}

TempFile::CreateResult TempFile::Create(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateResult::NameTaken
                                                                       : CreateResult::Failed;
  }
  handle_ = Stored(handle);
  path_ = path;  // ours from here on: Discard may remove it
  closed_ = false;
  return CreateResult::Created;
}

bool TempFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD put = 0;
    if (!WriteFile(Handle(handle_), data, chunk, &put, nullptr) || put == 0) return false;
    data += put;
    size -= put;
  }
  return true;
}

bool TempFile::Flush() {
  return FlushFileBuffers(Handle(handle_)) != 0;
}

FileStamp TempFile::Stamp() const {
  return StampOfHandle(Handle(handle_));
}

bool TempFile::Close() {
  const HANDLE handle = Handle(handle_);
  handle_ = -1;
  if (handle == INVALID_HANDLE_VALUE || !CloseHandle(handle)) return false;
  closed_ = true;
  return true;
}

void TempFile::Discard() {
  if (handle_ != -1) CloseHandle(Handle(handle_));
  handle_ = -1;
  if (!path_.empty()) DeleteFileA(path_.c_str());
  closed_ = true;
}

bool RenameOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FlushFolderOf(const std::string&) {
  return true;
}  // MOVEFILE_WRITE_THROUGH did it

KeepResult KeepAs(const std::string& path, const std::string& backup) {
  if (CreateHardLinkA(backup.c_str(), path.c_str(), nullptr)) return KeepResult::Kept;
  DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return KeepResult::NameTaken;
  // No hard links here (FAT, a folder): move it aside; without REPLACE_EXISTING this never
  // replaces another backup.
  if (MoveFileExA(path.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH)) return KeepResult::Kept;
  error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return KeepResult::NameTaken;
  return KeepResult::Failed;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0;
}

unsigned long CurrentProcessId() {
  return GetCurrentProcessId();
}

bool ProcessExists(unsigned long pid) {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

std::string LocalTimeText() {
  const std::time_t now = std::time(nullptr);
  struct tm local;
  localtime_s(&local, &now);
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return std::string(text, length);
}

}  // namespace file_ops
