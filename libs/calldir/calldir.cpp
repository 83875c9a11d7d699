// Placeholder until the library lands.
#include "book/calldir_api.h"

int CallDirOpen(const char*) { return 0; }
void CallDirClose(void) {}
int CallDirCount(void) { return 0; }
int CallDirRead(BookEntry*) { return 0; }
int CallDirWrite(const BookEntry*, int) { return 0; }
int CallDirDelete(const BookEntry*, int) { return 0; }
int CallDirSave(const char*, int) { return 0; }
int CallDirLastError(void) { return 0; }
