#include "platform/places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace platform {

namespace {

const QString RecordFolder = QStringLiteral("ksdata");

QString join(const QString &folder, const QString &name) {
    return folder + QDir::separator() + name;
}

// The number of a bank file name "2888NN.rar", or -1.
int bankNumber(const QString &name) {
    if (name.size() != 10 || !name.startsWith(QLatin1String("2888")) ||
        !name.endsWith(QLatin1String(".rar"), Qt::CaseInsensitive))
        return -1;
    bool ok = false;
    const int n = name.mid(4, 2).toInt(&ok);
    return ok && name.at(4).isDigit() && name.at(5).isDigit() ? n : -1;
}

} // namespace

bool RecordPlaces::folderWritable(const QString &folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.write-probe-XXXXXX"));
    return probe.open(); // removed again when probe goes
}

bool RecordPlaces::installedFolder(const QString &programFolder) {
    return QFileInfo(join(programFolder, installMarker())).isFile();
}

bool RecordPlaces::writesBesideProgram(const QString &programFolder, const WritableProbe &probe) {
    return !installedFolder(programFolder) && probe(programFolder);
}

RecordPlaces RecordPlaces::decide(const QString &programFolder, const WritableProbe &probe,
                                  const QString &userRoot) {
    RecordPlaces p;
    if (writesBesideProgram(programFolder, probe))
        return p;
    p.m_userRoot =
        userRoot.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : userRoot;
    return p;
}

QString RecordPlaces::userFolder(const QString &dataDir) const {
    if (!perUser())
        return {};
    const QString folderName = QFileInfo(QDir::cleanPath(QDir::fromNativeSeparators(dataDir))).fileName();
    return folderName.isEmpty() ? m_userRoot : join(m_userRoot, folderName);
}

bool RecordPlaces::writtenInProgramFolder(const QString &name) {
    return name.compare(QLatin1String("refresher.txt"), Qt::CaseInsensitive) == 0;
}

bool RecordPlaces::writtenInDataFolder(const QString &name) {
    const int n = bankNumber(name);
    if (n < 0)
        return false;
    // 92 first-run marker, 94 assembly log, 97 start counter; exam papers 00..13
    // and the review 19 with their index files 50 above
    return n == 92 || n == 94 || n == 97 || n < 20 || (n >= 50 && n < 70);
}

QString RecordPlaces::seeded(const QString &shipped, const QString &own) const {
    if (!QFileInfo::exists(own)) {
        QDir().mkpath(QFileInfo(own).absolutePath());
        if (QFileInfo(shipped).isFile() && QFile::copy(shipped, own))
            // a shipped file may be read-only; the user's copy is theirs to rewrite
            QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    return own;
}

QString RecordPlaces::programFile(const QString &programFolder, const QString &dataDir,
                                  const QString &name) const {
    const QString shipped = join(programFolder, name);
    if (!perUser() || !writtenInProgramFolder(name))
        return shipped;
    return seeded(shipped, join(userFolder(dataDir), name));
}

QString RecordPlaces::dataFile(const QString &dataDir, const QString &name) const {
    // DataDir ends with its separator, so the name is simply appended
    const QString shipped = dataDir + name;
    if (!perUser() || !writtenInDataFolder(name))
        return shipped;
    return seeded(shipped, join(userFolder(dataDir), name));
}

QString RecordPlaces::recordDir(const QString &programFolder, const QString &dataDir) const {
    if (!perUser())
        return join(programFolder, RecordFolder);
    const QString own = join(userFolder(dataDir), RecordFolder);
    QDir().mkpath(own);
    return own;
}

QString RecordPlaces::recordFile(const QString &programFolder, const QString &dataDir,
                                 const QString &name) const {
    const QString shipped = join(join(programFolder, RecordFolder), name);
    if (!perUser())
        return shipped;
    return seeded(shipped, join(recordDir(programFolder, dataDir), name));
}

QString RecordPlaces::handOffFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/caddrill");
}

} // namespace platform
