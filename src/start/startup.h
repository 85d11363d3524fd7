#pragma once
// What the start form does besides showing its picture: the install record on
// the first start and the periodic start of the update checker.

#include "platform/registry.h"
#include "platform/services.h"
#include "start/moddata.h"

namespace start::startup {

// The first-run marker D/288892.rar: when its first line is "0", writes
// "ProPath"&NN (program folder & 72 asterisks) and "ProName"&NN (executable name &
// 36 asterisks) under HKEY_CURRENT_USER\Software\Microsoft and rewrites the
// marker as "1". The registry's result codes are ignored, and so is a marker
// that cannot be rewritten (a read-only data folder: the values are recorded
// again at the next start). Fails with a message naming the marker when it is
// missing or unreadable.
bool recordInstall(const ModData &data, platform::Registry &reg, const QString &exeName, QString *error);

// Counts the start in D/288897.rar and, with the switch file's first line "1"
// and the old count a multiple of ten, starts the update checker without waiting
// for it. Every failure is skipped. Returns true when the checker was started.
bool refresherExe(const ModData &data, platform::Launcher &launcher);

// The update checker beside the trainer.
QString refresherProgram(const ModData &data);

} // namespace start::startup
