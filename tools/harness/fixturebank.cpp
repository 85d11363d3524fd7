// cadfixture: writes a small hand-made module (drawn screen pictures, five
// questions covering clicks, typing, menus, context menus, keys and drags) into a
// program folder, for trying the simulated window before the sample module exists.
//   cadfixture PROGRAM_FOLDER
#include "platform/cmdline.h"
#include "platform/fonts.h"
#include "platform/textfile.h"
#include "simulator/steprecord.h"
#include "start/verfile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

struct R {
    sim::bank::StepRecord r = sim::bank::StepRecord::blank();
    explicit R(const char *code, const char *screen = "888888") {
        r.setPrefix(QStringLiteral("FX001"));
        r.setStepCode(QLatin1String(code));
        r.setScreenPicture(QLatin1String(screen));
    }
    // Pixels in, twips stored.
    R &zone(int x, int y, int w, int h) {
        r.setZone1(x * 15, y * 15, w * 15, h * 15);
        return *this;
    }
    R &box(int x, int y, int w, int h, int text, int answer) {
        r.setBox(x * 15, y * 15, w * 15, h * 15);
        r.setBoxTexts(text, answer);
        return *this;
    }
    R &answer(int line) {
        r.setAnswerLine(line);
        return *this;
    }
    R &hint(int x, int y, int line) {
        r.setHint(x * 15, y * 15, line);
        return *this;
    }
    R &menuBar(int x, int y) {
        r.setMenuBar(x * 15, y * 15);
        return *this;
    }
    R &pic(int k, int x, int y, const char *id) {
        r.setPicture(k, x * 15, y * 15, QLatin1String(id));
        return *this;
    }
    R &target(int x, int y) {
        r.setTarget(x * 15, y * 15);
        return *this;
    }
    R &zone2(int x, int y, int w, int h) {
        r.setZone2(x * 15, y * 15, w * 15, h * 15, QStringLiteral("1"));
        return *this;
    }
    R &pointer(const char *shape) {
        r.setPointerSpec(QLatin1String(shape));
        return *this;
    }
    operator sim::bank::StepRecord() const { return r; }
};

QFont uiFont(int px, bool bold = false) {
    return platform::fonts::uiPixels(px, bold);
}

// The simulated drawing program's screen: title bar, menu row, toolbars, a black
// drawing area, the command-line area and a status bar.
QImage drawScreen() {
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(QColor(212, 208, 200));
    QPainter p(&img);
    QLinearGradient title(0, 0, 800, 0);
    title.setColorAt(0, QColor(10, 36, 106));
    title.setColorAt(1, QColor(166, 202, 240));
    p.fillRect(0, 0, 800, 22, title);
    p.setFont(uiFont(12, true));
    p.setPen(Qt::white);
    p.drawText(26, 16, QStringLiteral("CAD 2004 - [Drawing1.dwg]"));
    p.fillRect(5, 4, 14, 14, QColor(200, 40, 40));
    for (int i = 0; i < 3; ++i) {
        QRect b(736 + i * 20, 4, 16, 14);
        p.fillRect(b, QColor(212, 208, 200));
        p.setPen(Qt::black);
        p.drawRect(b.adjusted(0, 0, -1, -1));
    }
    // Toolbar row.
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 44, 800, 44);
    for (int i = 0; i < 22; ++i) {
        QRect b(6 + i * 24, 48, 20, 20);
        p.fillRect(b, QColor(225, 222, 215));
        p.setPen(QColor(90, 90, 90));
        p.drawRect(b.adjusted(2, 2, -3, -3));
    }
    // Left draw toolbar with the line tool on top.
    for (int i = 0; i < 14; ++i) {
        QRect b(4, 78 + i * 26, 24, 24);
        p.fillRect(b, QColor(225, 222, 215));
        p.setPen(QColor(60, 60, 60));
        if (i == 0)
            p.drawLine(b.left() + 5, b.bottom() - 5, b.right() - 5, b.top() + 5);
        else if (i == 1)
            p.drawEllipse(b.adjusted(5, 5, -5, -5));
        else
            p.drawRect(b.adjusted(6, 6, -6, -6));
    }
    // Drawing area.
    p.fillRect(34, 74, 760, 400, Qt::black);
    p.setPen(QColor(200, 200, 200));
    p.drawLine(44, 460, 84, 460);
    p.drawLine(44, 460, 44, 420);
    p.setFont(uiFont(10));
    p.drawText(88, 464, QStringLiteral("X"));
    p.drawText(40, 414, QStringLiteral("Y"));
    // Command line.
    p.fillRect(0, 478, 800, 78, Qt::white);
    p.setPen(Qt::black);
    p.setFont(uiFont(12));
    p.drawText(6, 496, QStringLiteral("命令:"));
    p.drawText(6, 514, QStringLiteral("命令:"));
    p.drawText(6, 550, QStringLiteral("命令:"));
    // Status bar.
    p.fillRect(0, 578, 800, 22, QColor(212, 208, 200));
    p.setPen(QColor(60, 60, 60));
    p.drawText(8, 594,
               QStringLiteral(
                   "1234.5678, 987.6543, 0.0000    捕捉  栅格  正交  极轴  对象捕捉  对象追踪  线宽  模型"));
    return img;
}

QImage drawPicture(QSize size, const std::function<void(QPainter &)> &paint) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    paint(p);
    return img;
}

} // namespace

int main(int argc, char **argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a small hand-made module (ver.txt, sMenu.sys, one unit) into PROGRAM_FOLDER."));
    parser.addPositionalArgument(QStringLiteral("PROGRAM_FOLDER"),
                                 QStringLiteral("where the module is written"));
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    if (parser.positionalArguments().size() != 1)
        return platform::cmdline::refuse(QStringLiteral("cadfixture"),
                                         QStringLiteral("one PROGRAM_FOLDER expected"));
    QGuiApplication app(argc, argv);
    const QStringList args = QStringList{app.arguments().value(0)} + parser.positionalArguments();
    const QString program = QDir(args.at(1)).absolutePath();
    const QString data = program + QStringLiteral("/cad2004/");
    QDir().mkpath(data);
    bool ok = true;
    auto write = [&](const QString &path, const QStringList &lines) {
        QString err;
        if (!platform::textfile::writeLinesAtomic(path, lines, &err)) {
            std::fprintf(stderr, "cadfixture: %s\n", qPrintable(err));
            ok = false;
        }
    };
    write(program + QStringLiteral("/ver.txt"), {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                                                 start::verfile::encodeLine(QStringLiteral("中文版")),
                                                 start::verfile::encodeLine(QStringLiteral("cad2004")),
                                                 start::verfile::encodeLine(QStringLiteral("12")),
                                                 start::verfile::encodeLine(QStringLiteral("绘图基础"))});

    // sMenu.sys: the draw menu (title 7) and the first context menu.
    QStringList menu(465, QStringLiteral("0"));
    menu[90] = QStringLiteral("绘图");
    menu[93] = QStringLiteral(
        "直线(&L)|射线(&R)|构造线(&T)|多线(&M)|-|多段线(&P)|三维多段线(&3)|正多边形(&Y)|矩形(&G)");
    menu[94] = QStringLiteral("圆弧(&A)");
    menu[95] = QStringLiteral("三点(&P)|起点、圆心、端点(&S)|起点、圆心、角度(&T)");
    menu[97] = QStringLiteral("圆(&C)");
    menu[98] = QStringLiteral("圆心、半径(&R)|圆心、直径(&D)|两点(&2)|三点(&3)");
    menu[99] = QStringLiteral("圆环(&D)|样条曲线(&S)");
    menu[165] = QStringLiteral("右键");
    menu[168] =
        QStringLiteral("重复LINE(&R)|-|剪切(&T)|复制(&C)|带基点复制(&B)|粘贴(&P)|-|删除(&E)|移动(&M)");
    menu[169] = QStringLiteral("缩放(&Z)");
    menu[170] = QStringLiteral("窗口缩放(&W)|范围缩放(&E)");
    write(program + QStringLiteral("/sMenu.sys"), menu);

    const QStringList texts{
        QStringLiteral("单击“绘图”工具栏中的“直线”按钮"), // 1
        QStringLiteral("100,100"),                        // 2
        QStringLiteral("指定第一点：100,100"),            // 3
        QStringLiteral("@200,0"),                         // 4
        QStringLiteral("指定下一点：@200,0"),             // 5
        QStringLiteral("按回车键结束命令"),               // 6
        QStringLiteral("选择“绘图”菜单中的“直线”命令"),   // 7
        QStringLiteral("在绘图区域单击鼠标右键"),         // 8
        QStringLiteral("选择“重复LINE”"),                 // 9
        QStringLiteral("按回车键"),                       // 10
        QStringLiteral("把小方块拖到右边的框中"),         // 11
        QStringLiteral("把滑块拖到右端"),                 // 12
        QStringLiteral("双击图中的直线"),                 // 13
        QStringLiteral("从左上向右下拉出选择窗口"),       // 14
        QStringLiteral("图层1"),                          // 15
        QStringLiteral("将名称改为 图层2|图层2"),         // 16
        QStringLiteral("图层2"),                          // 17
        QStringLiteral("line|l"),                         // 18
        QStringLiteral("输入直线命令 L|line"),            // 19
    };
    QStringList table;
    for (int i = 0; i < texts.size(); ++i)
        table << QString::number(i + 1).rightJustified(3, u'0') + texts[i];
    write(data + QStringLiteral("288890.rar"), table);

    const QList<QList<sim::bank::StepRecord>> questions{
        {R("0001", "100001").zone(4, 78, 24, 24).hint(40, 80, 1),
         R("0000").box(44, 538, 700, 16, 0, 2).hint(300, 520, 3),
         R("0000").box(44, 538, 700, 16, 0, 4).hint(300, 520, 5),
         R("0000").box(44, 538, 700, 16, 0, 0).hint(300, 520, 6).pic(1, 200, 200, "100002"),
         R("9999").pic(1, 200, 200, "888888")},
        {R("A720", "100001").menuBar(8, 24).zone(332, 24, 54, 18).hint(300, 60, 7),
         R("0020").box(44, 538, 700, 16, 0, 2).hint(300, 520, 3), R("9999")},
        {R("0003", "100001").zone(34, 74, 760, 400).hint(300, 300, 8),
         R("3120").zone(34, 74, 760, 400).hint(300, 300, 9), R("6002").hint(300, 300, 10).pointer("S0002"),
         R("9999")},
        {R("0050", "100001")
             .pic(1, 100, 150, "100004")
             .zone2(100, 150, 40, 40)
             .zone(500, 150, 120, 120)
             .hint(200, 320, 11)
             .pointer("S0005"),
         R("8002").pic(1, 530, 190, "100004").pic(5, 100, 400, "100005").target(600, 400).hint(200, 320, 12),
         R("9999")},
        {R("0002", "100001").pic(1, 200, 200, "100002").zone(200, 200, 300, 150).hint(200, 120, 13),
         R("0040").zone2(150, 150, 10, 10).zone(520, 380, 80, 60).hint(200, 120, 14),
         R("0021").box(300, 300, 140, 20, 15, 17).hint(300, 330, 16),
         R("0000").box(44, 538, 700, 16, 0, 18).hint(300, 520, 19), R("9999")},
    };
    QStringList steps;
    QStringList index;
    const QStringList textsOfQuestions{
        QStringLiteral("用直线命令从点(100,100)画到点(300,100)。"),
        QStringLiteral("用“绘图”菜单启动直线命令，第一点为(100,100)。"),
        QStringLiteral("用右键菜单重复上一个命令，然后按回车键。"),
        QStringLiteral("把小方块拖到框中，再把滑块拖到右端。"),
        QStringLiteral("双击直线，用选择窗口选中对象，把图层名改为“图层2”，再输入直线命令。"),
    };
    for (int q = 0; q < questions.size(); ++q) {
        for (const auto &r : questions[q])
            steps << r.line;
        index << QStringLiteral("Q%1").arg(q + 1, 3, 10, QLatin1Char('0')) +
                     QString::number(questions[q].size()).rightJustified(2, u'0') + textsOfQuestions[q];
    }
    write(data + QStringLiteral("288820.rar"), steps);
    write(data + QStringLiteral("288870.rar"), index);

    auto save = [&](const char *id, const QImage &img) {
        if (!img.save(data + QLatin1String(id) + QStringLiteral(".rar"), "PNG")) {
            std::fprintf(stderr, "cadfixture: cannot write picture %s\n", id);
            ok = false;
        }
    };
    save("100001", drawScreen());
    save("100002", drawPicture({300, 150}, [](QPainter &p) {
             p.setPen(QPen(Qt::white, 1));
             p.drawLine(10, 140, 290, 140);
             p.drawLine(10, 140, 200, 10);
         }));
    save("100004", drawPicture({40, 40}, [](QPainter &p) { p.fillRect(6, 6, 28, 28, QColor(0, 200, 255)); }));
    save("100005", drawPicture({60, 20}, [](QPainter &p) {
             p.fillRect(0, 0, 60, 20, QColor(212, 208, 200));
             p.setPen(Qt::black);
             p.drawRect(0, 0, 59, 19);
             p.drawText(QRect(0, 0, 60, 20), Qt::AlignCenter, QStringLiteral("滑块"));
         }));
    return ok ? 0 : 1;
}
