#pragma once
// The question panel's artwork, drawn in code: the toolbar icons (chosen by the
// caption they stand for), the hover and pressed highlights, the backgrounds of
// the title strip, the toolbar and the minimised bar.

#include "panel/panelrules.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

class QPainter;
class QRect;

namespace panel::panelart {

QFont uiFont(double pointSize, bool bold = false);

// A 22 x 22 icon for a toolbar caption ("上一题", "结束练习", "考生信息", ...).
QPixmap toolIcon(const QString &caption, bool enabled);
// Highlight under a hot spot: hover (light) or pressed (deeper).
QPixmap highlight(const QSize &size, bool pressed);
// The minimise hot spot's hover image.
QPixmap minimiseHover(const QSize &size);

void paintTitleStrip(QPainter &p, const QRect &r);
void paintToolbar(QPainter &p, const QRect &r);
void paintPanelFrame(QPainter &p, const QRect &r);
void paintGrip(QPainter &p, const QRect &r);
void paintEmblem(QPainter &p, const QRect &r);

// The panel's colours, by what they paint.
inline const QColor Accent(0x1f, 0x5f, 0xa6);      // the panel's blue
inline const QColor Ink(0x1c, 0x2b, 0x3d);         // text of the toolbar and the input-method box
inline const QColor InkOff(0x9a, 0xa5, 0xb2);      // a disabled caption; "not seen" in the legend
inline const QColor OnBlue(0xff, 0xff, 0xff);      // text on the title strip and the minimised bar
inline const QColor Face(0xee, 0xf2, 0xf7);        // the panel's background
inline const QColor Sheet(0xf3, 0xf6, 0xfa);       // the chooser and the candidate sheet
inline const QColor Rule(0xb9, 0xc8, 0xda);        // their top rule, the question text's border
inline const QColor TextInk(0x14, 0x20, 0x2e);     // the question text
inline const QColor TagInk(0x44, 0x54, 0x6a);      // the candidate sheet's field names
inline const QColor ControlLine(0xa8, 0xb6, 0xc7); // borders of buttons and boxes
inline const QColor HoverLine(0x3a, 0x78, 0xc2);   // ... under the mouse
inline const QColor TimeInk(0xb3, 0x26, 0x1e);     // the time left
inline const QColor TimeLine(0x7d, 0x8f, 0xa5);    // the time bar's frame
inline const QColor TimeFill(0xe0, 0x89, 0x2b);    // the time bar
inline const QColor PictureFace(0xff, 0xf7, 0xe0); // "显示图片"
inline const QColor PictureLine(0xd9, 0xa5, 0x20);
inline const QColor PictureInk(0x7a, 0x52, 0x00);
inline const QColor PictureHover(0xff, 0xef, 0xc2);
inline const QColor NoteFace(0xff, 0xfb, 0xe8); // the unfinished list
inline const QColor NoteLine(0xe3, 0xcf, 0x8a);
inline const QColor NoteInk(0x6b, 0x4a, 0x00);
inline const QColor BarTop(0x2c, 0x6e,
                           0xb8); // the title strip and the minimised bar, top to bottom; its frame
inline const QColor BarBottom(0x17, 0x4a, 0x86);
inline const QColor BarLine(0x14, 0x3d, 0x6e);
inline const QColor RestoreInk(0x14, 0x30, 0x4f); // its restore button: normal and under the mouse
inline const QColor RestoreFace(0xea, 0xf1, 0xfa);
inline const QColor RestoreHoverLine(0x9f, 0xb6, 0xd2);
inline const QColor Seen(0x00, 0xff, 0x00); // the chooser's buttons: seen, marked
inline const QColor SeenLine(0x3f, 0x8f, 0x3f);
inline const QColor SolvedRing(0x0b, 0x5d, 0x1e); // a solved question's ring in the chooser
inline const QColor SeenLegend(0x00, 0xb0, 0x00);
inline const QColor Marked(0xff, 0x00, 0x00);
inline const QColor MarkedLine(0x8f, 0x2a, 0x2a);
inline const QColor ToolbarTop(0xf7, 0xfa, 0xfd); // the toolbar, top to bottom
inline const QColor ToolbarBottom(0xe1, 0xea, 0xf4);
inline const QColor HoverTop(0xff, 0xff, 0xff, 230); // a hot spot's highlight under the mouse
inline const QColor HoverBottom(0xd8, 0xe8, 0xfa, 230);
inline const QColor HoverEdge(0x7d, 0xa9, 0xdc);
inline const QColor PressedTop(0xa9, 0xc9, 0xee); // ... and pressed (edged in HoverLine)
inline const QColor PressedBottom(0xc9, 0xdd, 0xf5);
inline const QColor GripTop(0xe4, 0xeb, 0xf3); // the drag grip along the bottom
inline const QColor GripBottom(0xd2, 0xdc, 0xe8);
inline const QColor GripDots(0x8a, 0x9b, 0xb0);
inline const QColor EmblemGold(0xff, 0xc8, 0x3d);
inline const QColor IconBlue(0x1f, 0x6f, 0xc4); // the toolbar icons, and any of them disabled
inline const QColor IconGreen(0x1f, 0x9a, 0x4b);
inline const QColor IconRed(0xd2, 0x3b, 0x2f);
inline const QColor IconOrange(0xe8, 0x8a, 0x12);
inline const QColor IconDark(0x2d, 0x3e, 0x50);
inline const QColor IconOff(0xa9, 0xb3, 0xbf);
inline const QColor IconDarkOff(0xb5, 0xbd, 0xc7);
inline const QColor IconPaper(0xf2, 0xf6, 0xfb);
inline const QColor IconBulb(0xff, 0xd5, 0x4a);
inline const QColor FrameFace(0xf4, 0xf6, 0xf9); // the picture window: face, outer and inner frame
inline const QColor FrameOuter(0x2b, 0x5a, 0x8c);
inline const QColor FrameInner(0xc8, 0xd3, 0xe0);
// The hand-in dialogs and the score report, in the cover page's colours: a navy
// page head with a gold rule, paper below, the grid in pure red and green.
inline const QColor ExamNavy(0x0a, 0x2f, 0x57);
inline const QColor ExamBlue(0x1f, 0x6f, 0xb4);
inline const QColor ExamGold(0xff, 0xc8, 0x3d);
inline const QColor ExamPaper(0xee, 0xf3, 0xf8);
inline const QColor ExamCard(0xff, 0xff, 0xff);
inline const QColor ExamLine(0xc6, 0xd4, 0xe3);
inline const QColor ExamInk(0x23, 0x34, 0x48);
inline const QColor ExamMuted(0x6a, 0x7b, 0x8e);
inline const QColor ExamMist(0xe6, 0xee, 0xf7); // text on the navy head and foot
inline const QColor ExamWarn(0xd9, 0x7a, 0x1f); // the notice sign
inline const QColor ExamScore(0xc0, 0x39, 0x2b);
inline const QColor GridWrong(0xff, 0x00, 0x00);
inline const QColor GridRight(0x00, 0xff, 0x00);

// The style sheets of the panel's controls.
QString textStyle(const QColor &colour, bool bold = false);      // a label's text colour
QString sheetStyle(const QString &objectName);                   // the chooser and the candidate sheet
QString focusRule();                                             // a push button holding the keyboard
QString chooserStyle(ChooserColour colour, bool solved = false); // a number button of the chooser
QString restoreStyle(bool hover);                                // the minimised bar's restore button
QString legendHtml(bool withSolved = true); // the chooser's colour legend, with or without the ring
QString timeFrameStyle();
QString timeBarStyle();
QString inputMethodStyle();
QString questionTextStyle();
QString pictureButtonStyle();
QString unfinishedStyle();
QString minimisedBarStyle();
} // namespace panel::panelart
