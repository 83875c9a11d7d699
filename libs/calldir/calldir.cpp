// The C entry points of the CallDir library (ordinals in CallDir.def). One session per
// process and one call at a time; no exception crosses the C boundary: a call that
// throws (out of memory) fails with the number its kind of call reports.
#include <mutex>

#include "calldir/calldir.h"
#include "calldir_session.h"

namespace {

std::mutex gate;
calldir::Session session;

template <typename Call>
int Guarded(int errorIfThrown, Call call) {
  try {
    std::lock_guard<std::mutex> lock(gate);
    try {
      return call(session);
    } catch (...) {
      return session.Fail(errorIfThrown);
    }
  } catch (...) {
    return 0;  // the lock itself failed
  }
}

}  // namespace

int CallDirOpen(const char* path) {
  return Guarded(LIBERR_BOOK_CANNOT_OPEN, [&](calldir::Session& s) { return s.Open(path); });
}

void CallDirClose(void) {
  Guarded(CALLDIR_NO_ERROR, [](calldir::Session& s) {
    s.Close();
    return 1;
  });
}

int CallDirCount(void) {
  return Guarded(LIBERR_BOOK_UNREADABLE, [](calldir::Session& s) { return s.Count(); });
}

int CallDirRead(BookEntry* book) {
  return Guarded(LIBERR_BOOK_UNREADABLE, [&](calldir::Session& s) { return s.Read(book); });
}

int CallDirWrite(const BookEntry* book, int count) {
  return Guarded(LIBERR_BOOK_SAVE_FAILED,
                 [&](calldir::Session& s) { return s.Write(book, count); });
}

int CallDirDelete(const BookEntry* book, int index) {
  return Guarded(LIBERR_BOOK_SAVE_FAILED,
                 [&](calldir::Session& s) { return s.Delete(book, index); });
}

int CallDirSave(const char* path, int count) {
  return Guarded(LIBERR_BOOK_SAVE_FAILED, [&](calldir::Session& s) { return s.Save(path, count); });
}

int CallDirLastError(void) {
  return Guarded(CALLDIR_NO_ERROR, [](calldir::Session& s) { return s.LastError(); });
}
