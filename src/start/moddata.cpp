#include "start/moddata.h"

#include <QCoreApplication>
#include <QDir>

QString ModData::appTitle() const {
    return QCoreApplication::translate("ModData", "柏川云学职称计算机考试 %1模块").arg(ModuleName);
}

QString ModData::unitTitle(int u) const {
    const int line = u + 5;
    return (line >= 5 && line <= 25) ? VerLines[line] : QString();
}

QString ModData::recordDir() const {
    return Places.recordDir(AppPath, DataDir);
}

QString ModData::programFile(const QString &name) const {
    return Places.programFile(AppPath, DataDir, name);
}

QString ModData::dataFile(const QString &name) const {
    return Places.dataFile(DataDir, name);
}

QString ModData::recordFile(const QString &name) const {
    return Places.recordFile(AppPath, DataDir, name);
}

QStringList ModData::writtenFolders() const {
    if (Places.perUser())
        return {Places.userFolder(DataDir), recordDir()};
    return {AppPath, DataDir, recordDir()};
}
