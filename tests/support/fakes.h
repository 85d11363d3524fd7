#pragma once
// Fakes for the platform services: they record what was asked of them.

#include "platform/services.h"

#include <QList>

struct FakePrompter : platform::Prompter {
    struct Asked {
        QString text, title;
        Buttons buttons;
        Icon icon;
    };
    QList<Asked> asked;
    QList<Answer> answers; // taken in order; AnswerOk when none is left
    Answer ask(const QString &text, Buttons buttons, Icon icon, const QString &title, Answer) override {
        asked.append({text, title, buttons, icon});
        return answers.isEmpty() ? AnswerOk : answers.takeFirst();
    }
};

struct FakeLauncher : platform::Launcher {
    QStringList started, opened;
    bool opens = true; // whether the desktop had something to open an address with
    bool startDetached(const QString &program, const QStringList &) override {
        started << program;
        return true;
    }
    bool openUrl(const QString &address) override {
        opened << address;
        return opens;
    }
};

struct FakeInstance : platform::InstanceLock {
    bool free = true;
    int calls = 0;                 // refused starts that called the running one
    std::function<void()> handler; // what the running one does when called
    bool acquire() override { return free; }
    bool callRunning() override {
        ++calls;
        return true;
    }
    void whenCalled(std::function<void()> h) override { handler = std::move(h); }
};

// The wall clock (at) and the steady clock (steady, ms) apart: pass() is time
// going by, a change of at alone is the wall clock set back or forward.
struct FakeClock : platform::Clock {
    QDateTime at = QDateTime(QDate(2026, 12, 10), QTime(9, 30, 0));
    qint64 steady = 0;
    void pass(qint64 secs) {
        at = at.addSecs(secs);
        steady += secs * 1000;
    }
    QDateTime now() const override { return at; }
    qint64 steadyMs() const override { return steady; }
};
