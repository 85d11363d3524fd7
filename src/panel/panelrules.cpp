#include "panel/panelrules.h"
#include "start/twips.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace panel {

namespace {
QString num(int n) {
    return QString::number(n);
}
int boundedCount(const ModData &d) {
    return std::clamp<int>(d.QuestionCount, 0, MaxQuestions);
}
int boundedQuestion(int q) {
    return std::clamp(q, 1, MaxQuestions);
}
} // namespace

QString loadTitle(const ModData &d) {
    if (d.CurSet == CurSetReview)
        return QCoreApplication::translate("panel", "错题复习  第%1/%2题")
            .arg(num(d.CurQuestion), num(d.QuestionCount));
    return QCoreApplication::translate("panel", "%1 第 %2 套 第 %3 题")
        .arg(d.ModuleName, num(d.CurSet + 1), num(d.CurQuestion));
}

QString titleLine(const ModData &d) {
    const int q = d.CurQuestion;
    const int n = d.QuestionCount;
    if (d.CurSet == CurSetReview)
        return QCoreApplication::translate("panel", "错题复习  第%1/%2题").arg(num(q), num(n));
    if (d.SetBase == SetBaseUnit || d.PanelMayClose == True) {
        const bool open = d.QuestionMark[boundedQuestion(q)] == QLatin1String("F");
        return (open ? QCoreApplication::translate("panel", "第%1单元  第%2/%3题（未完成）")
                     : QCoreApplication::translate("panel", "第%1单元  第%2/%3题（已完成）"))
            .arg(num(d.CurSet + 1), num(q), num(n));
    }
    return QCoreApplication::translate("panel", "%1-第%2套 第%3题")
        .arg(d.ModuleName, num(d.CurSet + 1), num(q));
}

QString unfinishedList(const ModData &d) {
    const int n = boundedCount(d);
    QString list = QCoreApplication::translate("panel", "未完成的题目");
    if (d.SetBase == SetBaseExamPaper || d.CurSet == CurSetReview) {
        for (int i = 1; i <= n; ++i)
            if (!isSolved(d.QuestionScore[i]))
                list += u' ' + num(i);
        return list;
    }
    for (int i = 1; i <= n; ++i)
        if (d.QuestionMark[i] == QLatin1String("F"))
            list += u' ' + num(i);
    return list;
}

ChooserColour chooserColour(Integer word) {
    ChooserColour c = ChooserColour::ButtonFace;
    if (word & StatusVisited)
        c = ChooserColour::Green;
    if (word & StatusMarked)
        c = ChooserColour::Red;
    return c;
}

bool chooserSolved(Integer word) {
    return (word & StatusSolved) != 0;
}

NavState navState(int question, int count) {
    return {question > 1, question < count};
}

int nextQuestion(int question, int count) {
    const int last = std::clamp(count, 1, MaxQuestions);
    return std::clamp(question + 1, 1, last);
}

int previousQuestion(int question) {
    return std::clamp(question - 1, 1, MaxQuestions);
}

RunKind loadKind(const ModData &d) {
    return d.WorkMode == WorkExam ? RunKind::Exam : RunKind::Practice;
}

PanelButtons panelButtons(RunKind kind) {
    switch (kind) {
    case RunKind::Exam:
        return {QCoreApplication::translate("panel", "考生信息"),
                QCoreApplication::translate("panel", "操作提示"),
                QCoreApplication::translate("panel", "结束考试"),
                true,
                true,
                false,
                false};
    case RunKind::Review:
        return {QCoreApplication::translate("panel", "手把手教"),
                QCoreApplication::translate("panel", "操作演示"),
                QCoreApplication::translate("panel", "结束复习"),
                false,
                false,
                true,
                true};
    case RunKind::Practice:
        break;
    }
    return {QCoreApplication::translate("panel", "手把手教"),
            QCoreApplication::translate("panel", "操作演示"),
            QCoreApplication::translate("panel", "结束练习"),
            false,
            false,
            true,
            true};
}

int demoSpeedAfterRelease(int hotSpot, bool rightButton, bool modifierHeld) {
    return (hotSpot == 7 && (rightButton || modifierHeld)) ? 2 : 1;
}

QString timeCaption(int minutesLeft) {
    return QCoreApplication::translate("panel", "剩余%1分钟").arg(minutesLeft);
}

int timeBarFill(int minutesLeft, int barWidth) {
    const int fill = (50 - minutesLeft) * barWidth / 50;
    return std::clamp(fill, 0, barWidth);
}

QRectF chooserButton(int i, double frameWidth, double scaleX, double scaleY) {
    const double w = frameWidth / 10.15;
    const int col = (i - 1) % 10;
    const int row = (i - 1) / 10;
    return {30 * scaleX + w * col, 150 * scaleY + w * row, w, w};
}

QRect hotSpot(int k, double scaleX, double scaleY) {
    const int row = k / 5;
    const int col = k % 5;
    const double left = (90 + 960.0 * col) * scaleX;
    const double top = (15 + double(HotSpotHeight) * row) * scaleY;
    return {int(std::lround(left)), int(std::lround(top)), int(std::lround(HotSpotWidth * scaleX)),
            int(std::lround(HotSpotHeight * scaleY))};
}

QPoint loadPosition(QSize panel, double scaleX, double scaleY) {
    return {start::twips::toPxX(15360, scaleX) - panel.width(),
            start::twips::toPxY(9000, scaleY) - panel.height()};
}

QPoint dockedPosition(const QRect &mainFrame, QSize panel) {
    return {mainFrame.left() + mainFrame.width() - panel.width(),
            mainFrame.top() + mainFrame.height() - panel.height()};
}

QPoint minimisedPosition(QSize bar, double scaleX, double scaleY) {
    return {start::twips::toPxX(2700, scaleX) - bar.width(),
            start::twips::toPxY(8550, scaleY) - bar.height()};
}

QRect pictureWindow(QSize picture, QSize screen, double scaleX, double scaleY) {
    const int w = picture.width() + int(std::lround(120 * scaleX));
    const int h = picture.height() + int(std::lround(120 * scaleY));
    const int left = int(std::lround((screen.width() - w) * scaleX / 2));
    const int top = int(std::lround((screen.height() - h) * scaleY / 2));
    return {left, top, w, h};
}

} // namespace panel
