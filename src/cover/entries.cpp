#include "cover/entries.h"
#include "panel/progress.h"
#include "platform/textfile.h"
#include "start/setfiles.h"
#include "start/vb.h"

#include <algorithm>

namespace entries {

PanelEntry practiceCaptions() {
    PanelEntry e;
    e.CmdCZTS = QStringLiteral("手把手教");
    e.Command1 = QStringLiteral("操作演示");
    e.CmdEnd = QStringLiteral("结束练习");
    e.PicUnitVisible = true;
    e.LblBiao = QStringLiteral("单元练习-");
    return e;
}

PanelEntry reviewCaptions() {
    PanelEntry e = practiceCaptions();
    e.CmdEnd = QStringLiteral("结束复习");
    e.LblBiao = QStringLiteral("错题复习-");
    e.LblUnit = QString();
    return e;
}

bool enterUnit(ModData &d, int unit, QString *error) {
    // 1.
    d.QuestionCount = 40;
    d.SetBase = 20;
    d.WorkMode = 2;
    d.CurSet = Integer(unit);
    // 2.
    d.DataExt = QStringLiteral(".rar");
    setfiles::nameSetFiles(d);
    // 3.
    d.CurQuestion = 1;
    d.CurStep = 1;
    d.ExamMinutesLeft = 50;
    // 4.
    const int questions = setfiles::readQuestionOffsets(d, error);
    if (questions < 0)
        return false;
    // 5., 7. (the cover page unloads itself once this returns)
    QString progressError;
    progress::loadUnitProgress(d, questions, &progressError);
    // 8.
    d.CurQuestion = 1;
    return true;
}

void enterExam(ModData &d, int paper) {
    d.QuestionCount = 40;
    d.SetBase = 0;
    d.WorkMode = 3;
    d.CurSet = Integer(paper);
}

QString noWrongQuestionsMessage() {
    return QStringLiteral("本套试题没有生成错题！\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n"
                          "请点“开始考试”做本套试题。");
}

namespace {

struct Assembled {
    QStringList index;
    QStringList steps;
};

// Question q of unit u: its index line and its step records.
bool copyQuestion(const ModData &d, int u, int q, Assembled &out, QString *message) {
    const QString indexPath = d.DataDir + setfiles::bankName(70 + u) + QStringLiteral(".rar");
    const QString stepPath = d.DataDir + setfiles::bankName(20 + u) + QStringLiteral(".rar");
    const auto missing = [&] {
        if (message)
            *message = QStringLiteral("题库文件 %1 中没有第 %2 题，无法生成错题复习。").arg(indexPath).arg(q);
        return false;
    };
    if (q < 1)
        return missing();
    QStringList lines;
    textfile::ReadError err;
    if (!textfile::readLines(indexPath, lines, &err)) {
        if (message)
            *message = err.message();
        return false;
    }
    int total = 0;
    int steps = 0;
    QString line;
    for (int k = 1; k <= q; ++k) {
        if (k > lines.size() || vb::Trim(lines.at(k - 1)).isEmpty())
            return missing();
        line = lines.at(k - 1);
        steps = vb::ValInt(vb::Mid(line, 5, 2));
        total += steps;
    }
    if (!textfile::readLines(stepPath, lines, &err)) {
        if (message)
            *message = err.message();
        return false;
    }
    if (steps < 1 || total > lines.size()) {
        if (message)
            *message = QStringLiteral("题库文件 %1 中第 %2 题的操作步骤不完整，无法生成错题复习。")
                           .arg(stepPath)
                           .arg(q);
        return false;
    }
    out.index << line;
    for (int r = total - steps + 1; r <= total; ++r)
        out.steps << lines.at(r - 1);
    return true;
}

} // namespace

Review initShiTI(ModData &d, int paper, QString *message) {
    // LblErr_Click
    d.WorkMode = 2;
    d.CurQuestion = 1;
    d.CurSet = Integer(paper);
    d.ReviewSet = Integer(paper);

    // 1. the paper's wrong-question list
    QString list;
    QString readError;
    if (!progress::readWrongList(d, paper, list, &readError)) {
        if (message)
            *message = readError;
        return Review::Failed;
    }
    if (list.size() < 4) {
        if (message)
            *message = noWrongQuestionsMessage();
        return Review::NoWrongQuestions;
    }
    // 2.-5. assemble in memory, then write both files whole
    const int count = std::min<int>(int(list.size()) / 4, MaxQuestions);
    Assembled set;
    for (int k = 1; k <= count; ++k) {
        const int code = vb::ValInt(vb::Mid(list, 4 * (k - 1) + 1, 4));
        if (!copyQuestion(d, code / 100, code % 100, set, message))
            return Review::Failed;
    }
    const QString stepFile = d.DataDir + setfiles::bankName(19) + QStringLiteral(".rar");
    const QString indexFile = d.DataDir + setfiles::bankName(69) + QStringLiteral(".rar");
    if (!textfile::writeLinesAtomic(stepFile, set.steps, message) ||
        !textfile::writeLinesAtomic(indexFile, set.index, message))
        return Review::Failed;

    d.QuestionCount = Integer(count);
    // 6.
    d.SetBase = 20;
    d.WorkMode = 2;
    d.CurSet = -1;
    d.DataExt = QStringLiteral(".rar");
    setfiles::nameSetFiles(d);
    // 7.
    d.CurQuestion = 1;
    d.CurStep = 1;
    d.ExamMinutesLeft = 50;
    // 8.
    setfiles::readQuestionOffsets(d);
    // 9., 11.
    d.QuestionScore.fill(0);
    for (int q = 1; q <= MaxQuestions; ++q)
        d.QuestionMark[q] = q <= count ? QStringLiteral("F") : QString();
    // 13.
    d.CurQuestion = 1;
    return Review::Opened;
}

} // namespace entries
