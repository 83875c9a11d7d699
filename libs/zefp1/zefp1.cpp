// Placeholder until the library lands.
#include "book/adapter_api.h"

int AdapterOpen(const char*, const AdapterParams*) { return 0; }
void AdapterClose(void) {}
int AdapterReadAll(void*, int32_t*) { return 0; }
int AdapterDelete(const char*) { return 0; }
int AdapterRegister(const void*) { return 0; }
int AdapterLastError(void) { return 0; }
