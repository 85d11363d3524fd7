#pragma once
// The instance lock of a program folder with a local socket beside it: the
// running instance listens, and a start that finds the lock taken calls it so
// that the running one brings its window to the front.

#include "platform/services.h"

#include <QObject>

class QLocalServer;

namespace platform {

class LocalInstance : public QObject, public LockFileInstance {
    Q_OBJECT
  public:
    explicit LocalInstance(const QString &programFolder, const QString &name = QStringLiteral("caddrill"),
                           QObject *parent = nullptr);
    ~LocalInstance() override;

    // Takes the lock, then listens for calls (a listening failure keeps the lock).
    bool acquire() override;
    // Connects to the running instance and asks it to show itself.
    bool callRunning() override;
    void whenCalled(std::function<void()> handler) override { m_handler = std::move(handler); }

    // The socket's path: the user's runtime folder, the program and its folder's key.
    QString serverName() const { return m_serverName; }
    bool listening() const;

  Q_SIGNALS:
    void called();

  private:
    void answer();

    QString m_serverName;
    QLocalServer *m_server = nullptr;
    std::function<void()> m_handler;
};

} // namespace platform
