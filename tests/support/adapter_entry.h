// An adapter record for tests, as the adapter library reads and registers them.
#pragma once

#include <cstdint>
#include <string_view>

#include "zefp1/zefp1.h"
#include "platform/text_bytes.h"

inline AdapterEntry MakeAdapterEntry(std::string_view number, std::string_view name,
                                     uint8_t callAccept = 1, uint8_t illumination = 0) {
  AdapterEntry entry{};
  text_bytes::FillField(entry.number, number);
  text_bytes::FillField(entry.registeredName, name);
  entry.callAccept = callAccept;
  entry.illumination = illumination;
  return entry;
}
