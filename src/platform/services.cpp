#include "platform/services.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>

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
    // The lock guards the records of one program folder, so every start of that
    // folder must find it, whatever its environment or the executable's name:
    // it lies in the folder itself, or where the folder cannot be written in
    // the machine's temporary folder under the folder's name.
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable()) {
        m_path = canonicalFolder(programFolder) + QStringLiteral("/.") + name + QStringLiteral(".lock");
        return;
    }
    m_path = QStringLiteral("/tmp/") + name + u'-' + folderKey(programFolder) + QStringLiteral(".lock");
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

bool ProcessLauncher::openUrl(const QString &address) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}

} // namespace platform
