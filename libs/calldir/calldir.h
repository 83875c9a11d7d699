/* The CallDir library's public header: it keeps the book file.
 * The entry record it exchanges, its C functions and its error numbers.
 * Every int result is nonzero for success; after a failure CallDirLastError()
 * tells why (14 to 17). Ordinals on Windows: 2, 3, 4, 5, 7, 8, 9, 10. */
#ifndef DUDODE_CALLDIR_H
#define DUDODE_CALLDIR_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct BookEntry {
  char number[24]; /* phone number: digits, "-", "#", "*"; the key */
  char name[22];   /* person's name */
  char address[100];
  char company[82];
  char companyAddress[100];
  char fax[24];
  char postalCode[10];
  char nameKana[32]; /* hiragana reading; the kana filter looks at its start */
  char email[44];
  char callAccept[2];      /* "1" accepted normally, "0" call rejection */
  char adapterWanted[2];   /* "1" the user wants the entry in the adapter */
  char illumination[2];    /* "0".."3": the adapter's illumination pattern */
  char registeredName[24]; /* name stored in the adapter, half-width katakana */
  int32_t viewSlot;        /* slot j holds the book index of the j-th listed entry */
  int32_t deleted;         /* 1 = deleted, 0 = live */
  int32_t inAdapter;       /* 1 = the adapter last accepted this entry */
} BookEntry;

/* The book never holds more entries than this. */
#define BOOK_CAPACITY 10000

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(sizeof(BookEntry) == 480);
static_assert(offsetof(BookEntry, number) == 0);
static_assert(offsetof(BookEntry, name) == 24);
static_assert(offsetof(BookEntry, address) == 46);
static_assert(offsetof(BookEntry, company) == 146);
static_assert(offsetof(BookEntry, companyAddress) == 228);
static_assert(offsetof(BookEntry, fax) == 328);
static_assert(offsetof(BookEntry, postalCode) == 352);
static_assert(offsetof(BookEntry, nameKana) == 362);
static_assert(offsetof(BookEntry, email) == 394);
static_assert(offsetof(BookEntry, callAccept) == 438);
static_assert(offsetof(BookEntry, adapterWanted) == 440);
static_assert(offsetof(BookEntry, illumination) == 442);
static_assert(offsetof(BookEntry, registeredName) == 444);
static_assert(offsetof(BookEntry, viewSlot) == 468);
static_assert(offsetof(BookEntry, deleted) == 472);
static_assert(offsetof(BookEntry, inAdapter) == 476);
#endif


/* The error numbers CallDirLastError() reports. */
enum CallDirErrorCode {
  CALLDIR_NO_ERROR = 0,
  LIBERR_BOOK_ALREADY_OPEN = 14,
  LIBERR_BOOK_CANNOT_OPEN = 15,
  LIBERR_BOOK_UNREADABLE = 16,
  LIBERR_BOOK_SAVE_FAILED = 17
};


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
