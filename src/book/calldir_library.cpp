#include "book/calldir_library.h"

#include "calldir/calldir.h"

int LinkedCallDirLibrary::Open(const char* path) {
  return CallDirOpen(path);
}
void LinkedCallDirLibrary::Close() {
  CallDirClose();
}
int LinkedCallDirLibrary::Count() {
  return CallDirCount();
}
int LinkedCallDirLibrary::Read(BookEntry* book) {
  return CallDirRead(book);
}
int LinkedCallDirLibrary::Write(const BookEntry* book, int count) {
  return CallDirWrite(book, count);
}
int LinkedCallDirLibrary::Delete(const BookEntry* book, int index) {
  return CallDirDelete(book, index);
}
int LinkedCallDirLibrary::Save(const char* path, int count) {
  return CallDirSave(path, count);
}
int LinkedCallDirLibrary::LastError() {
  return CallDirLastError();
}
