#include "book/adapter_library.h"

int LinkedAdapterLibrary::Open(const char* portName, const AdapterParams& params) {
  return AdapterOpen(portName, &params);
}
void LinkedAdapterLibrary::Close() {
  AdapterClose();
}
int LinkedAdapterLibrary::ReadAll(AdapterEntry* entries, int32_t* count) {
  return AdapterReadAll(entries, count);
}
int LinkedAdapterLibrary::Delete(const char* number) {
  return AdapterDelete(number);
}
int LinkedAdapterLibrary::Register(const AdapterEntry& entry) {
  return AdapterRegister(&entry);
}
int LinkedAdapterLibrary::LastError() {
  return AdapterLastError();
}
