#pragma once
// The exam login's artwork, drawn in code: the backdrop behind the two pages,
// the login page (the examination's banner, the candidate card with its two
// boxes, the notes) and the confirmation page (the candidate sheet and the frame
// of the growing bar), and the look of the page's buttons and boxes. The
// palette follows the cover page: navy and blue with a gold accent.

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace panel::logonart {

// Size of each page in pixels (both pages share place and size).
constexpr int PageWidth = 760;
constexpr int PageHeight = 500;

// Places on the pages, in page pixels.
QRect seatBox();
QRect idBox();
QRect logInButton();
QRect exitButton();
// The confirmation page: row r (0 .. 6) of the candidate sheet, its value column.
QRect sheetValue(int row);
QRect barFrame(int frameWidth); // the bar's frame, centred under the sheet
QRect barCaption();             // "正在进入考试..." over the bar

// The field names of the candidate sheet, top to bottom.
QString sheetName(int row);
constexpr int SheetRows = 7;

void paintBackdrop(QPainter &p, const QRect &r);
QPixmap loginPage(const QString &title);
QPixmap confirmPage(const QString &title);
// A page button ("登 录", "退 出"): normal or under the mouse.
QPixmap button(const QString &text, QSize size, bool hover, bool accent);

inline const QColor Navy(0x0a, 0x2f, 0x57);   // the backdrop, top
inline const QColor Deep(0x06, 0x1d, 0x38);   // ... bottom
inline const QColor Banner(0x12, 0x4a, 0x86); // the page's banner, top to bottom
inline const QColor BannerLow(0x0b, 0x33, 0x62);
inline const QColor Gold(0xff, 0xc8, 0x3d); // the rule under the banner, the accent button
inline const QColor GoldLow(0xe0, 0x9a, 0x1c);
inline const QColor Paper(0xf4, 0xf7, 0xfb); // the page's body
inline const QColor Card(0xff, 0xff, 0xff);  // the candidate card and sheet
inline const QColor Line(0xc6, 0xd4, 0xe3);  // their frames and rules
inline const QColor Ink(0x23, 0x34, 0x48);   // text on the pages
inline const QColor Muted(0x6a, 0x7b, 0x8e); // the notes, the field names
inline const QColor OnBlue(0xff, 0xff, 0xff);
inline const QColor Warn(0xb3, 0x26, 0x1e);  // the notes' heading
inline const QColor Value(0x0b, 0x3d, 0x6e); // the candidate's data
inline const QColor BarFill(0x1f, 0x8a, 0x3e);
inline const QColor BarFillLow(0x14, 0x6a, 0x2c);
inline const QColor BarFace(0xe6, 0xee, 0xf7);

// Style sheets of the two boxes and of the candidate data.
QString boxStyle();
QString valueStyle();
QString captionStyle();
QString barStyle();
QString barFrameStyle();

} // namespace panel::logonart
