#include "start/startup.h"
#include "platform/textfile.h"
#include "start/modzcb.h"
#include "start/vb.h"

namespace startup {

bool recordInstall(const ModData &data, platform::Registry &reg, const QString &exeName, QString *error) {
    const QString marker = data.dataFile(QStringLiteral("288892.rar"));
    QStringList lines;
    textfile::ReadError err;
    if (!textfile::readLines(marker, lines, &err)) {
        if (error)
            *error = err.message();
        return false;
    }
    if (textfile::lineAt(lines, 1) != QLatin1String("0"))
        return true;
    const QString nn = vb::twoDigits(data.ModuleNo);
    const QString key = QStringLiteral("Software\\Microsoft");
    int32_t bytes = 0;
    ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, key, QStringLiteral("ProPath") + nn,
                          platform::REG_SZ, QVariant(QString(data.AppPath + QString(72, u'*'))), bytes);
    ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, key, QStringLiteral("ProName") + nn,
                          platform::REG_SZ, QVariant(QString(exeName + QString(36, u'*'))), bytes);
    QString werr;
    if (!textfile::writeLinesAtomic(marker, {QStringLiteral("1")}, &werr)) {
        if (error)
            *error = werr;
        return false;
    }
    return true;
}

QString refresherProgram(const ModData &data) {
    return data.programFile(QStringLiteral("refresher"));
}

bool refresherExe(const ModData &data, platform::Launcher &launcher) {
    const QString sw = textfile::firstLine(data.programFile(QStringLiteral("refresher.txt")));
    const QString counter = data.dataFile(QStringLiteral("288897.rar"));
    const int n = vb::ValInt(textfile::firstLine(counter));
    textfile::writeLinesAtomic(counter, {vb::Trim(vb::Str(n + 1))});
    if (vb::Trim(sw) == QLatin1String("1") && n % 10 == 0)
        return launcher.startDetached(refresherProgram(data));
    return false;
}

} // namespace startup
