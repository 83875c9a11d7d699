/* The ZEF_P1 library's public header: it talks to the ZEF-P1 adapter on a serial port.
 * The adapter record it exchanges, its C functions and its error numbers.
 * Every int result is nonzero for success; after a failure AdapterLastError()
 * tells why (1 to 13). Ordinals on Windows: 2, 3, 7, 8, 10, 18. */
#ifndef DUDODE_ZEFP1_H
#define DUDODE_ZEFP1_H

#include <stddef.h>
#include <stdint.h>

/* The error numbers AdapterLastError() reports. */
enum AdapterErrorCode {
  ADAPTER_NO_ERROR = 0,
  LIBERR_PORT_NOT_OPEN = 1,
  LIBERR_PORT_ALREADY_OPEN = 2,
  LIBERR_BAD_DATE = 3,
  LIBERR_BAD_TIME = 4,
  LIBERR_ADAPTER_FULL = 5,
  LIBERR_ADAPTER_BUSY = 6,
  LIBERR_INVALID_COMMAND = 7,
  LIBERR_INVALID_DATA = 8,
  LIBERR_TIMER_RUNNING = 9,
  LIBERR_NO_TIMER_OWNER = 10,
  LIBERR_NO_CALLBACK = 11,
  LIBERR_RECEIVE_FAILED = 12,
  LIBERR_SEND_FAILED = 13
};

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && defined(ZEFP1_BUILDING)
#define ZEFP1_API __declspec(dllexport)
#elif defined(_WIN32)
#define ZEFP1_API __declspec(dllimport)
#else
#define ZEFP1_API __attribute__((visibility("default")))
#endif

/* The adapter holds at most this many entries. */
#define ADAPTER_CAPACITY 50

/* One adapter record, 48 bytes. */
typedef struct AdapterEntry {
  char number[24];         /* NUL-terminated phone number */
  char registeredName[22]; /* NUL-terminated half-width katakana */
  uint8_t callAccept;      /* 1 calls accepted normally, 0 call rejection */
  uint8_t illumination;    /* pattern 0 to 3 */
} AdapterEntry;

typedef struct AdapterParams {
  int32_t extMode;
  int32_t baud;
} AdapterParams;

ZEFP1_API int AdapterOpen(const char* portName, const AdapterParams* params);
ZEFP1_API void AdapterClose(void);
ZEFP1_API int AdapterReadAll(void* entries /* 50 records of 48 bytes */, int32_t* count);
ZEFP1_API int AdapterDelete(const char* number /* 24 bytes */);
ZEFP1_API int AdapterRegister(const void* entry /* one 48-byte record */);
ZEFP1_API int AdapterLastError(void);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(sizeof(AdapterEntry) == 48);
static_assert(offsetof(AdapterEntry, registeredName) == 24);
static_assert(offsetof(AdapterEntry, callAccept) == 46);
static_assert(offsetof(AdapterEntry, illumination) == 47);
static_assert(sizeof(AdapterParams) == 8);
#endif

#endif
