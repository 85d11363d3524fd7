#include "player.h"

#include "simulator/bankreader.h"
#include "simulator/solver.h"
#include "simulator/stepengine.h"
#include "start/setfiles.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>

namespace cadbank {

namespace {

struct Listener : sim::EngineListener {
    QStringList problems;
    void stepLaidOut() override {}
    void showMenu(const sim::menus::MenuContent &, int) override {}
    void panelCaptions(const std::optional<QString> &, const std::optional<QString> &) override {}
    void fileProblem(const QString &m) override { problems << m; }
};

struct Player {
    ModData &d;
    sim::StepEngine &e;
    Listener &l;
    sim::bank::BankReader &texts;
    const QString &stepRel;
    QVector<Problem> &out;

    void add(int ln, const QString &field, const QString &reason) {
        out.push_back({stepRel, ln, field, reason});
    }

    void jumpTo(int step) {
        d.CurStep = Integer(step);
        e.setData();
    }

    // True when the question closed, marked solved, with one action per step.
    bool playQuestion(int q, int n) {
        const int first = d.QuestionFirstStep[q];
        d.CurQuestion = Integer(q);
        l.problems.clear();
        e.restoreQuestion(q);
        d.CurStep = 1;
        e.setData();
        bool forced = false;
        bool doubled = false;
        while (!e.record().isClosing()) {
            const int step = d.CurStep;
            const int line = first + step - 1;
            if (step > n) {
                add(first + n - 1, QStringLiteral("StepCode"),
                    QStringLiteral("question %1 goes past its %2 steps without reaching its closing record")
                        .arg(q)
                        .arg(n));
                return false;
            }
            if (e.blocked()) {
                add(line, QStringLiteral("record"),
                    QStringLiteral("the trainer cannot set step %1 up: %2")
                        .arg(step)
                        .arg(l.problems.isEmpty() ? QStringLiteral("a file it needs cannot be read")
                                                  : l.problems.join(QStringLiteral("; "))));
                l.problems.clear();
                forced = true;
                jumpTo(step + 1);
                continue;
            }
            const QString code = e.screen().code;
            const sim::Solution s =
                sim::solveStep(sim::situationOf(e, [&] { return texts.text(e.record().answerLine()); }));
            for (const sim::SolverNote &n : s.notes)
                add(line, n.field, n.reason);
            QString why = s.why;
            if (why.isEmpty() && !sim::playSolution(e, s))
                why = s.ifStillOpen;
            if (!why.isEmpty()) {
                add(line, QStringLiteral("StepCode"),
                    QStringLiteral("no action completes step %1 (“%2”): %3").arg(step).arg(code, why));
                forced = true;
                jumpTo(step + 1);
                continue;
            }
            if (d.CurStep == step) {
                add(line, QStringLiteral("StepCode"),
                    QStringLiteral("question %1 stops at step %2 (“%3”): %4 does not complete it")
                        .arg(q)
                        .arg(step)
                        .arg(code, s.what));
                forced = true;
                jumpTo(step + 1);
                continue;
            }
            doubled |= d.CurStep > step + 1;
            if (d.CurStep > step + 1)
                add(line + 1, QStringLiteral("StepCode"),
                    QStringLiteral(
                        "step %1 is completed together with step %2 (%3) and never waits for the learner")
                        .arg(step + 1)
                        .arg(step)
                        .arg(s.what));
        }
        if (forced)
            return false;
        if (!e.screen().successVisible || d.QuestionScore[q] < StatusSolved) {
            add(first + d.CurStep - 1, QStringLiteral("StepCode"),
                QStringLiteral("question %1 reaches its closing record but is not marked solved").arg(q));
            return false;
        }
        return !doubled;
    }
};

} // namespace

int playUnit(const ModData &base, int u, const QString &stepRel, const QVector<int> &counts,
             QVector<Problem> &out) {
    auto d = std::make_unique<ModData>(base);
    d->CurSet = Integer(u);
    d->SetBase = SetBaseUnit;
    start::setfiles::nameSetFiles(*d);
    if (start::setfiles::readQuestionOffsets(*d) < 0)
        return 0;
    const int questions = std::min(int(counts.size()), MaxQuestions);
    d->QuestionCount = Integer(questions);
    d->WorkMode = WorkPractice;
    for (int q = 1; q <= MaxQuestions; ++q)
        d->QuestionMark[q] = QStringLiteral("F");
    sim::StepEngine e(*d);
    Listener l;
    e.setListener(&l);
    e.formLoad();
    sim::bank::BankReader texts(*d);
    Player p{*d, e, l, texts, stepRel, out};
    int solved = 0;
    for (int q = 1; q <= questions; ++q)
        solved += p.playQuestion(q, counts.at(q - 1)) ? 1 : 0;
    return solved;
}

void keepPictureBuffers() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

} // namespace cadbank
