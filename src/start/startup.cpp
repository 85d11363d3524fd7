#include "start/startup.h"
#include "platform/textfile.h"
#include "start/modzcb.h"
#include "start/vb.h"

namespace start::startup {

bool recordInstall(const ModData &data, platform::Registry &reg, const QString &exeName, QString *error) {
    const QString marker = data.dataFile(QStringLiteral("288892.rar"));
    QStringList lines;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(marker, lines, &err)) {
        if (error)
            *error = err.message();
        return false;
    }
    if (platform::textfile::lineAt(lines, 1) != QLatin1String("0"))
        return true;
    const QString nn = start::vb::twoDigits(data.ModuleNo);
    const QString key = QStringLiteral("Software\\Microsoft");
    int32_t bytes = 0;
    start::ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, key, QStringLiteral("ProPath") + nn,
                                 platform::REG_SZ, QVariant(QString(data.AppPath + QString(72, u'*'))),
                                 bytes);
    start::ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, key, QStringLiteral("ProName") + nn,
                                 platform::REG_SZ, QVariant(QString(exeName + QString(36, u'*'))), bytes);
    // A data folder that cannot be written (installed read-only) keeps the marker
    // at "0": the same two values are recorded again at the next start, which
    // does no harm, so the start goes on.
    platform::textfile::writeLinesAtomic(marker, {QStringLiteral("1")});
    return true;
}

QString refresherProgram(const ModData &data) {
    return data.programFile(QStringLiteral("refresher"));
}

bool refresherExe(const ModData &data, platform::Launcher &launcher) {
    const QString sw = platform::textfile::firstLine(data.programFile(QStringLiteral("refresher.txt")));
    const QString counter = data.dataFile(QStringLiteral("288897.rar"));
    const int n = start::vb::ValInt(platform::textfile::firstLine(counter));
    platform::textfile::writeLinesAtomic(counter, {start::vb::Trim(start::vb::Str(n + 1))});
    if (start::vb::Trim(sw) == QLatin1String("1") && n % 10 == 0)
        return launcher.startDetached(refresherProgram(data));
    return false;
}

} // namespace start::startup
