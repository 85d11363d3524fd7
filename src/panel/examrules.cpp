#include "panel/examrules.h"
#include "panel/logonrules.h"
#include "panel/panelrules.h"
#include "panel/progress.h"
#include "platform/textfile.h"
#include "start/setassembly.h"
#include "start/setfiles.h"
#include "start/vb.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

namespace panel::exam {

namespace {
constexpr int CodeLength = 4;
} // namespace

// ---- hand-in -----------------------------------------------------------------

bool paperIncomplete(const ModData &d) {
    for (int i = 1; i <= MaxQuestions; ++i) {
        const Integer w = d.QuestionScore[i];
        if (!(w & StatusVisited) || w == 3 || w == 7)
            return true;
    }
    return false;
}

QString firstDialogText(const ModData &d) {
    if (paperIncomplete(d))
        return QCoreApplication::translate("panel::exam",
                                           "您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?");
    return QCoreApplication::translate("panel::exam", "\r\n您是否确定交卷?");
}

QString secondDialogText() {
    return QCoreApplication::translate("panel::exam",
                                       "按“交卷”后您将退出本场考试，并且不能重新登录!\r\n\r\n是否确定交卷?");
}

QString timeUpText() {
    return QCoreApplication::translate("panel::exam", "时间已到，自动交卷！");
}

// ---- scoring -----------------------------------------------------------------

QString scoreLine(const ModData &d, double score) {
    return QCoreApplication::translate("panel::exam", "第%1套得分：%2分")
        .arg(QString::number(d.CurSet + 1), progress::scoreText(score));
}

QString questionTooltip(int i, const QString &indexLine) {
    return QCoreApplication::translate("panel::exam", "第%1题： %2")
        .arg(QString::number(i),
             platform::textfile::shownText(start::setfiles::parseIndexLine(indexLine).text));
}

// ---- the score report ------------------------------------------------------------

QString compositionLine(const ModData &d, QString *error) {
    const QString path = d.dataFile(QStringLiteral("288891.rar"));
    QStringList lines;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(path, lines, &err)) {
        if (error)
            *error = err.message();
        return QString();
    }
    const int n = d.CurSet + 3;
    return n >= 1 && n <= lines.size() ? lines.at(n - 1) : QString();
}

Report grade(const ModData &d, const QString &composition, const QStringList &indexLines) {
    Report r;
    for (int i = 1; i <= MaxQuestions; ++i) {
        r.solved[i] = isSolved(d.QuestionScore[i]);
        r.tooltips[i] = questionTooltip(i, indexLines.value(i - 1));
    }
    r.score = progress::examScore(d);
    r.scoreLine = scoreLine(d, r.score);
    r.wrongList = progress::wrongCodes(d, composition);
    r.wrongReview = r.wrongList.size() >= CodeLength && !logon::isStrictSeat(d.SeatNo);
    return r;
}

QStringList storeRecords(ModData &d, const QString &composition, double score, const QDateTime &now) {
    QStringList problems;
    QString error;
    // 1. the wrong-question list, only from a whole composition line
    if (composition.size() >= MaxQuestions * CodeLength) {
        if (!progress::writeWrongList(d, composition, &error))
            problems << error;
    }
    // 2. the exam record; ExamStartTime is "-1" afterwards, whatever the write did
    if (!progress::writeExamRecord(d, score, now, &error))
        problems << error;
    // 3. the marks: the visited bits go in place, the solved bits only from the file
    for (int i = 1; i <= MaxQuestions; ++i)
        d.QuestionScore[i] = withoutVisited(d.QuestionScore[i]);
    if (!progress::writeExamMarks(d, &error))
        problems << error;
    return problems;
}

Report openReport(ModData &d, const QDateTime &now) {
    QString error;
    const QString composition = compositionLine(d, &error);
    QStringList problems;
    if (!error.isEmpty())
        problems << error;
    else if (composition.size() < MaxQuestions * CodeLength)
        problems << QCoreApplication::translate("panel::exam",
                                                "试卷组成不完整（%1 第 %2 行），错题记录未更新。")
                        .arg(QDir::toNativeSeparators(d.dataFile(QStringLiteral("288891.rar"))))
                        .arg(d.CurSet + 3);
    // the tooltips tolerate a missing index file: the question texts are then empty
    QStringList index;
    platform::textfile::readLines(d.IndexFile, index);
    if (index.size() > MaxQuestions)
        index = index.mid(0, MaxQuestions);
    Report r = grade(d, composition, index);
    // an exam whose answers were viewed is recorded at the time of the report
    r.examTime = d.ExamStartTime == QStringLiteral("-1") ? progress::timeText(now) : d.ExamStartTime;
    r.problems = problems + storeRecords(d, composition, r.score, now);
    return r;
}

// ---- the two reviews -------------------------------------------------------------

void preparePaperReview(ModData &d) {
    d.WorkMode = WorkPractice;
    d.PanelMayClose = False;
    for (int q = 1; q <= MaxQuestions; ++q)
        d.QuestionMark[q] = QStringLiteral("F");
    d.ReviewSet = d.CurSet;
    d.CurQuestion = 1;
}

PanelEntry paperReviewEntry() {
    PanelEntry e;
    e.kind = RunKind::Review;
    e.LblBiao = QCoreApplication::translate("panel::exam", "考题复习-");
    e.LblUnit = QString();
    return e;
}

bool openWrongReviewSet(ModData &d, const QString &list, QString *message) {
    const int count = std::min<int>(int(list.size()) / CodeLength, MaxQuestions);
    if (count < 1) {
        if (message)
            *message = QCoreApplication::translate("panel::exam", "错题记录中没有题目。");
        return false;
    }
    QList<int> codes;
    for (int k = 1; k <= count; ++k)
        codes << start::vb::ValInt(start::vb::Mid(list, CodeLength * (k - 1) + 1, CodeLength));
    const int reviewSet = SetBaseUnit + CurSetReview;
    const QString stepFile = d.dataFile(start::setfiles::bankName(reviewSet) + QStringLiteral(".rar"));
    const QString indexFile = d.dataFile(start::setfiles::bankName(reviewSet + 50) + QStringLiteral(".rar"));
    // assembled as the exam login assembles a paper: a code past its unit's end
    // takes the unit's last question
    const QString listFrom = QCoreApplication::translate("panel::exam", "错题记录 %1 ")
                                 .arg(progress::wrongListFile(d, d.ReviewSet));
    if (!start::setfiles::assembleSet(d, codes, stepFile, indexFile, start::setfiles::PastEnd::LastQuestion,
                                      message, listFrom))
        return false;

    ModData next = d;
    next.QuestionCount = Integer(count);
    next.SetBase = SetBaseUnit;
    next.WorkMode = WorkPractice;
    next.CurSet = CurSetReview;
    start::setfiles::nameSetFiles(next);
    next.CurQuestion = 1;
    next.CurStep = 1;
    next.ExamMinutesLeft = 50;
    if (start::setfiles::readQuestionOffsets(next, message) < 0)
        return false;
    // the review's question i is another question than the paper's question i
    next.QuestionScore.fill(0);
    for (int q = 1; q <= MaxQuestions; ++q)
        next.QuestionMark[q] = q <= count ? QStringLiteral("F") : QString();
    d = std::move(next);
    return true;
}

bool prepareWrongReview(ModData &d, QString *message) {
    d.WorkMode = WorkPractice;
    d.ReviewSet = d.CurSet;
    QString list;
    if (!progress::readWrongList(d, d.CurSet, list, message))
        return false;
    return openWrongReviewSet(d, list, message);
}

PanelEntry wrongReviewEntry() {
    PanelEntry e;
    e.kind = RunKind::Review;
    e.LblBiao = QCoreApplication::translate("panel::exam", "错题复习-");
    e.LblUnit = QString();
    return e;
}

} // namespace panel::exam
