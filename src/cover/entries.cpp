#include "cover/entries.h"
#include "panel/examrules.h"
#include "panel/progress.h"
#include "start/setfiles.h"

#include <QCoreApplication>

namespace cover::entries {

PanelEntry practiceCaptions() {
    PanelEntry e;
    e.kind = panel::RunKind::Practice;
    e.LblBiao = QCoreApplication::translate("cover::entries", "单元练习-");
    return e;
}

PanelEntry reviewCaptions() {
    PanelEntry e;
    e.kind = panel::RunKind::Review;
    e.LblBiao = QCoreApplication::translate("cover::entries", "错题复习-");
    e.LblUnit = QString();
    return e;
}

bool enterUnit(ModData &d, int unit, QString *error) {
    // 1.
    d.QuestionCount = 40;
    d.SetBase = SetBaseUnit;
    d.WorkMode = WorkPractice;
    d.CurSet = Integer(unit);
    // 2.
    d.DataExt = QStringLiteral(".rar");
    start::setfiles::nameSetFiles(d);
    // 3.
    d.CurQuestion = 1;
    d.CurStep = 1;
    d.ExamMinutesLeft = 50;
    // 4.
    const int questions = start::setfiles::readQuestionOffsets(d, error);
    if (questions < 0)
        return false;
    // 5., 7. (the cover page unloads itself once this returns)
    // Records that exist but cannot be read open nothing: the practice's end
    // would write the unit's records over the ones that could not be read.
    if (!panel::progress::loadUnitProgress(d, questions, error))
        return false;
    // a practice killed between its two writes left the result file ahead
    panel::progress::acceptSolvedResults(d);
    // 8.
    d.CurQuestion = 1;
    return true;
}

void enterExam(ModData &d, int paper) {
    d.QuestionCount = 40;
    d.SetBase = SetBaseExamPaper;
    d.WorkMode = WorkExam;
    d.CurSet = Integer(paper);
}

QString noWrongQuestionsMessage() {
    return QCoreApplication::translate(
        "cover::entries", "本套试题没有生成错题！\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n"
                          "请点“开始考试”做本套试题。");
}

Review initShiTI(ModData &d, int paper, QString *message) {
    // LblErr_Click
    d.WorkMode = WorkPractice;
    d.CurQuestion = 1;
    d.CurSet = Integer(paper);
    d.ReviewSet = Integer(paper);

    // 1. the paper's wrong-question list
    QString list;
    QString readError;
    if (!panel::progress::readWrongList(d, paper, list, &readError)) {
        if (message)
            *message = readError;
        return Review::Failed;
    }
    if (list.size() < 4) {
        if (message)
            *message = noWrongQuestionsMessage();
        return Review::NoWrongQuestions;
    }
    // 2.-13. the review set assembled from the list and made the current set
    if (!panel::exam::openWrongReviewSet(d, list, message))
        return Review::Failed;
    return Review::Opened;
}

} // namespace cover::entries
