#pragma once
// Small interfaces for the side effects of the trainer, each with a real
// implementation for this platform; tests substitute fakes.

#include <QDateTime>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <functional>

class QLockFile;

namespace platform {

// Previous-instance test: acquire() returns false when another instance of the
// same program folder already runs. The lock is held until the object dies.
class InstanceLock {
  public:
    virtual ~InstanceLock() = default;
    virtual bool acquire() = 0;
    // A refused start asks the running instance to show itself; false when
    // nobody could be asked.
    virtual bool callRunning() { return false; }
    // The running instance: what to do when a refused start calls.
    virtual void whenCalled(std::function<void()> handler) { Q_UNUSED(handler) }
};

// Starts programs and opens addresses. Never waits for a started program.
class Launcher {
  public:
    virtual ~Launcher() = default;
    virtual bool startDetached(const QString &program, const QStringList &args = {}) = 0;
    virtual bool openUrl(const QString &address) = 0;
};

// Two clocks: the wall clock for the exam times written to the records, and a
// steady one for the time used. The wall clock may be set back or forward
// (by the learner, by time synchronisation); the steady one only runs on, so a
// countdown measured on it neither freezes nor jumps with the wall clock.
class Clock {
  public:
    virtual ~Clock() = default;
    // The wall clock: what the records say an exam started or was handed in.
    virtual QDateTime now() const = 0;
    // Milliseconds on the steady clock since a fixed start of its own; only
    // differences of two readings mean anything.
    virtual qint64 steadyMs() const = 0;
};

// Message boxes: the real one shows a modal box; tests answer from a script.
class Prompter {
  public:
    enum Icon { NoIcon, Information, Question, Warning, Critical };
    enum Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum Answer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };
    virtual ~Prompter() = default;
    // An empty title shows the application title.
    virtual Answer ask(const QString &text, Buttons buttons = Ok, Icon icon = NoIcon,
                       const QString &title = QString(), Answer defaultAnswer = AnswerOk) = 0;
};

// Real implementations that need only QtCore.
class LockFileInstance : public InstanceLock {
  public:
    // programFolder: the folder whose records the lock guards; name: which
    // program of that folder (the trainer and the update checker lock apart).
    explicit LockFileInstance(const QString &programFolder, const QString &name = QStringLiteral("caddrill"));
    QString lockPath() const { return m_path; }
    // The program folder as every start spells it: canonical where it exists.
    static QString canonicalFolder(const QString &programFolder);
    // A short name of that folder, the same for every start.
    static QString folderKey(const QString &programFolder);
    // The user's own folder for locks and sockets: $XDG_RUNTIME_DIR (or Qt's
    // per-user stand-in for it), never a folder other users share.
    static QString runtimeFolder();
    ~LockFileInstance() override;
    bool acquire() override;

  private:
    QString m_path;
    QLockFile *m_lock = nullptr;
};

class SystemClock : public Clock {
  public:
    SystemClock() { m_steady.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 steadyMs() const override { return m_steady.elapsed(); }

  private:
    QElapsedTimer m_steady; // monotonic where the system has such a clock
};

// Starts processes with QProcess::startDetached. Opening an address needs the
// desktop's services: DesktopLauncher (platform/desktoplauncher.h) adds it.
class ProcessLauncher : public Launcher {
  public:
    bool startDetached(const QString &program, const QStringList &args = {}) override;
};

} // namespace platform
