#include "platform/services.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

LockFileInstance::LockFileInstance(const QString &key) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_path = dir + QStringLiteral("/caddrill-") + QString::fromLatin1(hash) + QStringLiteral(".lock");
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
