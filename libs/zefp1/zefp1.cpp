// The library's C interface. One port at a time; the session and the last error number
// are the only state the interface keeps. No exception crosses it.
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter_messages.h"
#include "adapter_session.h"
#include "zefp1/zefp1.h"
#include "platform/text_bytes.h"
#include "port_name.h"
#include "serial_line.h"

namespace {

std::unique_ptr<zefp1::AdapterSession> g_session;
int g_lastError = ADAPTER_NO_ERROR;

// extMode: bit 0 asks for RTS/CTS hardware flow control; the other bits are reserved.
constexpr int32_t kExtModeHardwareFlow = 1;

// Line speeds the library accepts. Every call's time limit grows with the line time of a
// full read-all, so a slower line would let a call block for far too long.
constexpr int32_t kMinBaud = 1200;
constexpr int32_t kMaxBaud = 921600;

int Finish(int error) {
  g_lastError = error;
  return error == ADAPTER_NO_ERROR ? 1 : 0;
}

// Runs `body` (which returns an error number) and turns anything it throws into
// `fallback`, so the caller always gets a result.
template <typename Body>
int Guarded(int fallback, Body body) {
  try {
    return Finish(body());
  } catch (...) {
    return Finish(fallback);
  }
}

// The text of a NUL-terminated field of `width` bytes, or nothing when it has no terminator.
std::optional<std::string> TerminatedField(const char* field, std::size_t width) {
  const void* end = std::memchr(field, '\0', width);
  if (end == nullptr) return std::nullopt;
  return std::string(field, static_cast<const char*>(end));
}

std::optional<zefp1::Record> RecordOfEntry(const AdapterEntry& entry) {
  auto number = TerminatedField(entry.number, sizeof entry.number);
  auto name = TerminatedField(entry.registeredName, sizeof entry.registeredName);
  if (!number || !name || entry.callAccept > 1) return std::nullopt;
  zefp1::Record record{std::move(*number), std::move(*name), entry.callAccept == 1,
                       entry.illumination};
  if (!zefp1::IsValidRecord(record)) return std::nullopt;
  return record;
}

void FillEntry(AdapterEntry& entry, const zefp1::Record& record) {
  text_bytes::FillField(entry.number, record.number);
  text_bytes::FillField(entry.registeredName, record.name);
  entry.callAccept = record.callAccept ? 1 : 0;
  entry.illumination = record.illumination;
}

int Open(const char* portName, const AdapterParams* params) {
  if (g_session) return LIBERR_PORT_ALREADY_OPEN;
  if (portName == nullptr || params == nullptr || params->baud < kMinBaud ||
      params->baud > kMaxBaud || (params->extMode & ~kExtModeHardwareFlow) != 0) {
    return LIBERR_INVALID_DATA;
  }
  auto line = zefp1::SerialLine::Open(zefp1::ResolvePortName(portName), params->baud,
                                      (params->extMode & kExtModeHardwareFlow) != 0);
  if (!line) return LIBERR_PORT_NOT_OPEN;
  g_session = std::make_unique<zefp1::AdapterSession>(std::move(line), params->baud);
  return ADAPTER_NO_ERROR;
}

// Whatever happens, the caller never finds a stale count or stale records.
int ReadAll(void* entries, int32_t* count) {
  auto* records = static_cast<AdapterEntry*>(entries);
  if (records != nullptr) std::memset(records, 0, sizeof(AdapterEntry) * ADAPTER_CAPACITY);
  if (count != nullptr) *count = 0;
  if (!g_session) return LIBERR_PORT_NOT_OPEN;
  if (records == nullptr || count == nullptr) return LIBERR_INVALID_DATA;
  std::vector<zefp1::Record> held;
  if (const int error = g_session->ReadAll(held); error != ADAPTER_NO_ERROR) return error;
  for (std::size_t i = 0; i < held.size(); ++i) FillEntry(records[i], held[i]);
  *count = static_cast<int32_t>(held.size());  // the session never passes more than 50
  return ADAPTER_NO_ERROR;
}

int Delete(const char* number) {
  if (!g_session) return LIBERR_PORT_NOT_OPEN;
  if (number == nullptr) return LIBERR_INVALID_DATA;
  const auto text = TerminatedField(number, sizeof AdapterEntry::number);
  if (!text || !zefp1::IsValidNumber(*text)) return LIBERR_INVALID_DATA;
  return g_session->Delete(*text);
}

int Register(const void* entry) {
  if (!g_session) return LIBERR_PORT_NOT_OPEN;
  if (entry == nullptr) return LIBERR_INVALID_DATA;
  AdapterEntry copy;
  std::memcpy(&copy, entry, sizeof copy);  // the caller's record need not be aligned
  const auto record = RecordOfEntry(copy);
  if (!record) return LIBERR_INVALID_DATA;
  return g_session->Register(*record);
}

}  // namespace

extern "C" {

ZEFP1_API int AdapterOpen(const char* portName, const AdapterParams* params) {
  return Guarded(LIBERR_PORT_NOT_OPEN, [&] { return Open(portName, params); });
}

ZEFP1_API void AdapterClose(void) {
  g_session.reset();
  g_lastError = ADAPTER_NO_ERROR;
}

ZEFP1_API int AdapterReadAll(void* entries, int32_t* count) {
  return Guarded(LIBERR_RECEIVE_FAILED, [&] { return ReadAll(entries, count); });
}

ZEFP1_API int AdapterDelete(const char* number) {
  return Guarded(LIBERR_SEND_FAILED, [&] { return Delete(number); });
}

ZEFP1_API int AdapterRegister(const void* entry) {
  return Guarded(LIBERR_SEND_FAILED, [&] { return Register(entry); });
}

ZEFP1_API int AdapterLastError(void) {
  return g_lastError;
}

}  // extern "C"
