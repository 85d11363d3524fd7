#pragma once
// Install records: the two registry routines every trainer uses to record its
// own folder and to find the trainers of the other modules.

#include "platform/registry.h"

namespace start::ModZCB {

// Writes a value (types 1 REG_SZ, 2 REG_EXPAND_SZ, 3 REG_BINARY, 4 REG_DWORD),
// creating the key when needed. byteCount returns the stored size (for strings
// the GBK byte length; for REG_BINARY the caller's count is kept). Returns the
// registry's result code, 0 on success.
int32_t WriteRegValue(platform::Registry &reg, int32_t root, const QString &subKey, const QString &name,
                      int type, const QVariant &value, int32_t &byteCount);

// Reads a value into out: strings as read into a 255-byte buffer and cut at the
// first NUL, REG_DWORD and REG_BINARY as a Long. out is left unchanged when the
// key or value is missing. Returns the registry's result code.
int32_t ReadRegValue(platform::Registry &reg, int32_t root, const QString &subKey, const QString &name,
                     QVariant &out);

} // namespace start::ModZCB
