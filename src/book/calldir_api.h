/* The CallDir library's C interface: it keeps the book file.
 * Every int result is nonzero for success; after a failure CallDirLastError()
 * tells why (14 to 17, see library_errors.h). Ordinals on Windows: 2, 3, 4, 5, 7, 8, 9, 10. */
#ifndef DUDODE_BOOK_CALLDIR_API_H
#define DUDODE_BOOK_CALLDIR_API_H

#include "book/book_entry.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && defined(CALLDIR_BUILDING)
#define CALLDIR_API __declspec(dllexport)
#elif defined(_WIN32)
#define CALLDIR_API __declspec(dllimport)
#else
#define CALLDIR_API __attribute__((visibility("default")))
#endif

CALLDIR_API int CallDirOpen(const char* path);
CALLDIR_API void CallDirClose(void);
CALLDIR_API int CallDirCount(void);
CALLDIR_API int CallDirRead(BookEntry* book);
CALLDIR_API int CallDirWrite(const BookEntry* book, int count);
CALLDIR_API int CallDirDelete(const BookEntry* book, int index);
CALLDIR_API int CallDirSave(const char* path, int count);
CALLDIR_API int CallDirLastError(void);

#ifdef __cplusplus
}
#endif

#endif
