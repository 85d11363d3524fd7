#pragma once
// The simulated window in pixels: where the move bar, the menu titles and their
// highlight, the hint, the success text and the emblem lie, the fonts they use
// and their colours. Positions come in twips (already scaled, as ScreenModel holds
// them, or unscaled where the window scales them itself); one pixel is 15 twips.
// QtGui only: the window, the demonstration and the bank tools share it.

#include "simulator/screenlayout.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>

class QTextDocument;

namespace sim {

class ScreenGeometry {
  public:
    ScreenGeometry(double scaleX = 1.0, double scaleY = 1.0) : m_sx(scaleX), m_sy(scaleY) {}
    double scaleX() const { return m_sx; }
    double scaleY() const { return m_sy; }

    // A scaled twips rectangle of the screen model in pixels.
    static QRect px(const Rect &r);
    // An unscaled twips rectangle, scaled as the window lays its fixed parts out.
    QRect scaled(int x, int y, int w, int h) const;

    // The strip along the top that moves the window (LblMove).
    QRect moveBar() const { return scaled(1440, 0, 9495, 375); }
    // The emblem at the bottom right (ImgLogo).
    QRect emblem() const { return scaled(9210, 8700, 1165, 225); }

    // Menu-bar titles: 810 twips apart from the bar's corner, each as wide as its
    // caption; the highlight behind a hovered title (810 x 255 twips) is centred on it.
    QFont titleFont() const;
    QRect titleRect(const ScreenModel &s, int i) const;
    QRect highlightRect(const ScreenModel &s, int i) const;

    // The hint (LHelp), sized to its text.
    static QFont hintFont();
    static QRect hintRect(const ScreenModel &s);
    // "操作成功！" over the middle of the screen (LblSuccess).
    static QString successText() { return QCoreApplication::translate("sim::ScreenGeometry", "操作成功！"); }
    QFont successFont() const;
    QRect successRect() const;
    // The input boxes' font (Text1, Text2).
    QFont boxFont() const;

    static QColor hintColour() { return QColor(255, 0, 0); }
    static QColor hintBackground() { return QColor(255, 255, 0); }
    static QColor successColour() { return QColor(255, 0, 0); }
    static QColor zone1Outline() { return Qt::red; }
    static QColor zone2Outline() { return QColor(0, 200, 0); }
    static QColor selectionOutline() { return Qt::white; }
    // The practice emblem: its gradient top to bottom, the dot and the word.
    static QColor emblemTop() { return QColor(40, 90, 170); }
    static QColor emblemBottom() { return QColor(20, 50, 110); }
    static QColor emblemDot() { return QColor(250, 200, 60); }
    static QColor emblemText() { return Qt::white; }
    // The notice naming a file that could not be read.
    static QString noticeStyle() {
        return QStringLiteral("QLabel { color: #d00000; background: rgba(255,255,255,220); padding: 2px; }");
    }

  private:
    double m_sx, m_sy;
    mutable QHash<QString, QSize> m_titleSizes; // by caption
};

// "文件(&F)" as rich text with the access key underlined.
QString mnemonicHtml(const QString &caption);
// The size a one-line plain text takes in a font, as a label sizes itself.
QSize textSize(const QFont &font, const QString &text);
// The size a menu title takes (its caption as rich text in the title font).
QSize richTextSize(const QFont &font, const QString &html);
// A one-line rich text as the titles and hints lay it out: no margin, no
// wrapping, left and vertically centred.
void setUpRichText(QTextDocument &doc, const QFont &font, const QString &html);

} // namespace sim
