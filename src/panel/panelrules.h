#pragma once
// The question panel's rules that need no window: the title line and the list of
// unfinished questions, the status-word toggles, the chooser's colours, the
// enabled state of the navigation, the question line's picture marker, the
// demonstration timer table and the panel's placements. FrmTm only applies them.

#include "simulator/demotimers.h"
#include "start/moddata.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

namespace panel {

// Panel size in design twips.
constexpr int PanelWidth = 4980;
constexpr int PanelHeight = 3630;

// The status word of QuestionScore (bits StatusVisited, StatusMarked, StatusSolved).
// A question counts as solved from 4 on.
inline bool isSolved(Integer word) {
    return word >= StatusSolved;
}
// The mark button: 0<->2, 1<->3, 4<->6, 5<->7.
inline Integer toggleMark(Integer word) {
    return Integer(word ^ StatusMarked);
}
// Showing a question sets its visited bit (an even word gains 1).
inline Integer withVisited(Integer word) {
    return (word & StatusVisited) ? word : Integer(word + StatusVisited);
}
// The stored digits never carry the visited bit.
inline Integer withoutVisited(Integer word) {
    return (word & StatusVisited) ? Integer(word - StatusVisited) : word;
}

// Title line set when the panel loads, before the first question is shown:
// "<module> 第 s 套 第 q 题", or the review's "错题复习  第q/n题" when CurSet is -1.
QString loadTitle(const ModData &d);

// Title line of question CurQuestion as DqExam writes it:
//   exam:                 "<module>-第s套 第q题"
//   unit practice or a run that may close (SetBase 20, PanelMayClose -1, CurSet -1):
//                         "第s单元  第q/n题（已完成）" or "（未完成）" when the mark is "F"
//   wrong-question review: "错题复习  第q/n题"
QString titleLine(const ModData &d);

// "未完成的题目" and " i" for every question i <= QuestionCount marked "F"; in an
// exam paper (SetBase 0) or the wrong-question review (CurSet -1) instead every
// question whose status word is at most 3. Never names a number above 40.
QString unfinishedList(const ModData &d);

// Colour of number button i in the chooser; later rules win: not visited ->
// button face, visited -> green, marked -> red.
enum class ChooserColour { ButtonFace, Green, Red };
ChooserColour chooserColour(Integer word);
// A solved question keeps its colour and is set apart by a ring and bold figures.
bool chooserSolved(Integer word);

// "上一题" is enabled above question 1, "下一题" below the last question.
struct NavState {
    bool previous = false;
    bool next = false;
};
NavState navState(int question, int count);

// Navigation never leaves 1 ... count (and never 1 ... 40).
int nextQuestion(int question, int count);
int previousQuestion(int question);

// The kinds of run the panel serves. The opener names the kind; the toolbar's
// captions and what its buttons do follow from it.
enum class RunKind { Practice, Review, Exam };

// The kind a panel starts with when it loads, before an opener names one:
// an exam when WorkMode is WorkExam, else practice.
RunKind loadKind(const ModData &d);

// The toolbar of a run kind.
struct PanelButtons {
    QString guide;            // CmdCZTS: "手把手教", or "考生信息" in an exam
    QString demonstration;    // Command1: "操作演示", or "操作提示" in an exam
    QString end;              // CmdEnd: "结束练习", "结束复习" or "结束考试"
    bool guideShowsCandidate; // CmdCZTS opens the candidate's data instead of guided teaching
    bool demonstrationIsHint; // Command1 asks for the hint dialog instead of the demonstration
    bool unitListVisible;     // PicUnit, the unfinished list
    // The chooser sets solved questions apart (ring, "已完成" in the legend). An
    // exam says nothing about correctness before the hand-in, so only practice
    // and reviews do.
    bool chooserShowsSolved;
};
PanelButtons panelButtons(RunKind kind);

// The demonstration window's timers and their intervals at speed 1 (they live
// with the simulator, where the demonstration reads them too); the panel
// multiplies them by DemoSpeed before it shows the window.
using sim::DemoIntervals;
using sim::demoIntervals;
using sim::DemoTimer;
using sim::DemoTimerCount;
using sim::DemoTimers;

// DemoSpeed after a release on hot spot k: 2 for the demonstration hot spot (7)
// released with the right button or with Shift, Ctrl or Alt held, else 1.
int demoSpeedAfterRelease(int hotSpot, bool rightButton, bool modifierHeld);

// Remaining exam time: "剩余m分钟" and the filled width of the bar, empty at 50
// minutes left and full at 0 (kept inside 0 ... barWidth).
QString timeCaption(int minutesLeft);
int timeBarFill(int minutesLeft, int barWidth);

// Geometry, all in twips. The chooser's number button i (1..40) in a frame of the
// given width: squares of W = width / 10.15 in rows of ten.
QRectF chooserButton(int i, double frameWidth, double scaleX, double scaleY);
// Toolbar hot spot k (0..7): a row of five at Left = 90 + 960 k, Top = 15; the
// panel is 4980 twips wide, so hot spots 5..7 continue in a second row.
QRect hotSpot(int k, double scaleX, double scaleY);
constexpr int HotSpotWidth = 960;
constexpr int HotSpotHeight = 660;
// Window places, in pixels (sizes in pixels too):
// the panel's first place: right edge at 15360, bottom at 9000 twips (scaled);
QPoint loadPosition(QSize panel, double scaleX, double scaleY);
// docked into the lower right corner of the simulated window;
QPoint dockedPosition(const QRect &mainFrame, QSize panel);
// the minimised bar: right edge at 2700, bottom at 8550 twips (scaled).
QPoint minimisedPosition(QSize bar, double scaleX, double scaleY);

// The picture window around a picture of the given size, centred on the screen:
// the picture sits at 60, 60 and the window is 120 larger each way (scaled).
QRect pictureWindow(QSize picture, QSize screen, double scaleX, double scaleY);

} // namespace panel
