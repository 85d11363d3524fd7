#pragma once
// The simulated CAD screen as the bank compiler draws it: a state (entities,
// command-line history, open dialog, status buttons) and the geometry of every
// element a step can name ("绘图.直线", "图层.新建", "图形.2", "drawing", ...).
// Everything is in pixels of the 800 x 600 screen; the compiler turns pixels into
// twips (x 15) when it writes records.

#include <QImage>
#include <QMap>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

namespace cadbank {

constexpr int ScreenW = 800;
constexpr int ScreenH = 600;

// Fixed layout of the main window (pixels).
namespace lay {
constexpr int TitleH = 25;
constexpr int MenuTop = 25, MenuH = 20;
constexpr int StdTop = 45, PropTop = 71, BarH = 26;
constexpr int DrawLeft = 30, DrawTop = 98, DrawRight = 770, DrawBottom = 468;
constexpr int TabTop = 469, TabH = 18;
constexpr int CmdTop = 488, CmdLineH = 16, CmdBottom = 569;
constexpr int StatusTop = 571;
// Where the trainer draws its menu titles (twips): 810 twips apart.
constexpr int MenuBarXTwips = 120, MenuBarYTwips = 375;
constexpr int MenuPitchTwips = 810;
} // namespace lay

// One drawn object in world units (1 unit = 1 pixel, origin near the bottom left
// of the drawing area, y upwards).
struct Entity {
    QString kind;      // line, circle, rect, arc, text, dim, hatch, ellipse, polygon
    QVector<double> v; // numbers as the kind needs them
    QString text;      // text entities
    QString color;     // "", or a colour name (red, yellow, green, cyan, blue, magenta)
    bool dashed = false;
};

struct ScreenState {
    QVector<Entity> entities;
    QVector<int> selected; // 1-based entity numbers shown with grips
    QStringList history;   // command-line history, oldest first
    QString prompt = QStringLiteral("命令:");
    QString dialog;                // open dialog name, "" for none
    QMap<QString, QString> values; // "dialog.control" -> shown value
    QString dropdown;              // element whose drop-down list is open
    QStringList dropRows;
    QStringList statusOn; // status buttons shown pressed
    QString layer = QStringLiteral("0");
    QString title = QStringLiteral("Drawing1.dwg");
    QString tab = QStringLiteral("模型");
    bool menuTitles = false; // draw the menu titles into the picture
    QString floating;        // a floating toolbar or palette ("标注工具栏", "特性窗口")
    QPoint floatPos;

    // A stable text naming everything the picture shows: equal keys give equal
    // pictures.
    QString key() const;
    // The same for the main-window picture alone (without dialogs and lists).
    QString screenKey() const;
};

// An element a step can act on.
struct Element {
    QRect rect;    // pixels in screen coordinates
    QString label; // for hints: "“绘图”工具栏中的“直线”按钮"
    bool inDrawing = false;
    bool ok = false;
};

// Looks up an element by name in the given state. Unknown names give ok = false
// with the reason in *why.
Element element(const ScreenState &s, const QString &name, QString *why = nullptr);

// Position and size of the open dialog (pixels), or an empty rect.
QRect dialogRect(const ScreenState &s);
QRect dropdownRect(const ScreenState &s);
bool dialogKnown(const QString &name);
QString dialogTitle(const QString &name);

// World point to screen pixel.
QPointF worldToScreen(double x, double y);

// Pictures.
QImage renderScreen(const ScreenState &s);
QImage renderDialog(const ScreenState &s);
QImage renderDropdown(const ScreenState &s);
QImage renderDrawing(const QVector<Entity> &entities); // question picture
// Small draggable pictures: "标注工具栏" (a floating toolbar), "滑块" (slider thumb).
QImage renderPiece(const QString &name);
bool pieceKnown(const QString &name);
// Information page n (1..17) with its title and paragraphs.
QImage renderPage(int n, const QString &title, const QStringList &paragraphs, const QStringList &modules);
constexpr int PageW = 780, PageH = 460;

} // namespace cadbank
