#include "platform/services.h"

#include "platform/places.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

QString LockFileInstance::canonicalFolder(const QString &programFolder) {
    const QFileInfo folder(programFolder);
    return folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath() : folder.canonicalFilePath();
}

QString LockFileInstance::folderKey(const QString &programFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder(programFolder).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QString::fromLatin1(hash.left(16));
}

LockFileInstance::LockFileInstance(const QString &programFolder, const QString &name) {
    // The lock guards the records of one program folder. Where those records
    // lie beside the program (a portable copy), every start of that folder must
    // find it, so it lies in the folder itself. An installed or read-only folder
    // keeps each user's records apart, so each user has a lock of their own in
    // their runtime folder, under the folder's name: another user's trainer
    // never refuses a start, and a lock left by a crash is the user's to clear.
    if (RecordPlaces::writesBesideProgram(programFolder)) {
        m_path = canonicalFolder(programFolder) + QStringLiteral("/.") + name + QStringLiteral(".lock");
        return;
    }
    m_path = runtimeFolder() + u'/' + name + u'-' + folderKey(programFolder) + QStringLiteral(".lock");
}

QString LockFileInstance::runtimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        // no usable runtime folder (for instance one owned by someone else):
        // the user's cache folder is theirs alone as well
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                 QStringLiteral("/caddrill");
        QDir().mkpath(folder);
    }
    return folder;
}

LockFileInstance::~LockFileInstance() {
    delete m_lock;
}

bool LockFileInstance::acquire() {
    if (m_lock)
        return true;
    auto *lock = new QLockFile(m_path);
    lock->setStaleLockTime(0); // a lock left by a crashed run is detected by its dead owner
    if (!lock->tryLock(0)) {
        delete lock;
        return false;
    }
    m_lock = lock;
    return true;
}

bool ProcessLauncher::startDetached(const QString &program, const QStringList &args) {
    if (!QFileInfo(program).isExecutable())
        return false;
    return QProcess::startDetached(program, args, QFileInfo(program).absolutePath());
}

} // namespace platform
