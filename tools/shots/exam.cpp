// cadshots exam: the end of an exam on an installed program folder (copied to a
// temporary folder first, so its records stay as they are): the two hand-in
// dialogs and the score report of paper 1 with a few questions solved.
//   cadshots exam PROGRAM_FOLDER OUTPUT_FOLDER
#include "app/trainer.h"
#include "cover/entries.h"
#include "panel/frmchengji.h"
#include "panel/frmend.h"
#include "panel/frmtm.h"
#include "panel/logonrules.h"
#include "panel/progress.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"
#include "shots.h"
#include "start/setfiles.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QApplication>
#include <QDirIterator>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

bool copyFolder(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

} // namespace

int examShots(const QStringList &args) {
    QApplication::setFont(platform::fonts::ui(9));
    if (args.size() < 3) {
        std::fputs("usage: cadshots exam PROGRAM_FOLDER OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QString out = args.at(2);
    QDir().mkpath(out);
    QTemporaryDir dir;
    ModData d;
    d.AppPath = dir.path();
    if (!copyFolder(QDir(args.at(1)).absolutePath(), dir.path()) || !start::verfile::readInfo(d, nullptr)) {
        std::fputs("cadshots: no module in the program folder\n", stderr);
        return 1;
    }
    // paper 1 as the cover page and the login leave it
    QStringList table;
    platform::textfile::readLines(d.dataFile(QStringLiteral("288891.rar")), table);
    d.PaperCount = start::vb::ValInt(start::vb::Left(table.value(0), 2));
    d.CandidateName = QStringLiteral("柏川1");
    cover::entries::enterExam(d, 0);
    panel::logon::prepare(d);
    const QDateTime now = QDateTime::currentDateTime();
    if (!panel::logon::logIn(d, QStringLiteral("18"), QStringLiteral("110101198001011234"), now) ||
        !panel::logon::startExam(d, now)) {
        std::fputs("cadshots: paper 1 could not be assembled\n", stderr);
        return 1;
    }

    platform::MessageBoxPrompter prompter([&d] { return d.appTitle(); });
    platform::SystemClock clock;
    Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, nullptr}, QStringLiteral("caddrill"));
    trainer.openRun({panel::RunKind::Exam, QString(), std::nullopt});
    QTest::qWait(400);
    // a learner who solved most of the paper and left a few questions open
    for (int q = 1; q <= MaxQuestions; ++q)
        d.QuestionScore[q] = Integer(q % 7 == 3 ? StatusVisited : StatusVisited | StatusSolved);
    d.QuestionScore[12] = 0;
    d.QuestionScore[25] = StatusVisited | StatusMarked;

    const auto save = [&](QWidget *w, const QString &name) {
        QTest::qWait(250);
        w->grab().save(out + QStringLiteral("/") + name);
        std::printf("%s/%s\n", qPrintable(out), qPrintable(name));
    };
    trainer.panel()->CmdEnd_Click();
    auto *first = qobject_cast<HandInDialog *>(trainer.handInDialog());
    if (!first)
        return 1;
    save(first, QStringLiteral("end1.png"));
    first->Command1->click();
    auto *second = qobject_cast<HandInDialog *>(trainer.handInDialog());
    if (!second)
        return 1;
    save(second, QStringLiteral("end2.png"));
    second->setTimeUp(true);
    save(second, QStringLiteral("end2-timeup.png"));
    second->Command1->click();
    auto *report = qobject_cast<FrmChengji *>(trainer.report());
    if (!report)
        return 1;
    save(report, QStringLiteral("chengji.png"));
    // the keyboard's way: the focus mark on a question of the grid, then on a way on
    report->activateWindow();
    if (!QTest::qWaitForWindowActive(report))
        std::fputs("cadshots: the report did not become active; no focus mark to show\n", stderr);
    report->CmTNO[1]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(report->CmTNO[1], Qt::Key_Right);
    save(report, QStringLiteral("chengji-focus.png"));
    report->Command1->setFocus(Qt::TabFocusReason);
    save(report, QStringLiteral("chengji-focus-command.png"));
    return 0;
}
