#include "checker.h"

#include "platform/textfile.h"
#include "simulator/bankreader.h"
#include "simulator/stepcode.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QDir>
#include <QHash>

namespace cadbank {

QString describeCode(const QString &code) {
    using sim::StepKind;
    const sim::StepCode c = sim::decodeStepCode(code);
    static const char *mods[8] = {"",     "Shift+",     "Ctrl+",     "Shift+Ctrl+",
                                  "Alt+", "Shift+Alt+", "Ctrl+Alt+", "Shift+Ctrl+Alt+"};
    auto mod = [&](int k) { return QString::fromLatin1(mods[qBound(0, k, 7)]); };
    switch (c.kind) {
    case StepKind::Closing:
        return QStringLiteral("结束：本题完成");
    case StepKind::BarMenu:
        return QStringLiteral("%1菜单 %2 第%3组第%4项")
            .arg(c.bank == sim::menus::Bank::SecondMenuBar ? QStringLiteral("第二组") : QString())
            .arg(c.menu)
            .arg(c.group)
            .arg(c.item + 1);
    case StepKind::DemoMenu:
        return QStringLiteral("演示用菜单步");
    case StepKind::Click:
        return QStringLiteral("左键单击区域1");
    case StepKind::DoubleClick:
        return QStringLiteral("双击区域1");
    case StepKind::RightClick:
        return QStringLiteral("右击区域1");
    case StepKind::RightClickOrEnter:
        return QStringLiteral("右击区域1，或按回车键/空格键");
    case StepKind::TypeNow:
        return QStringLiteral("在输入框中输入答案（输入即完成）");
    case StepKind::TypeOverlay:
        return QStringLiteral("在覆盖输入框中输入完整答案");
    case StepKind::TypeEnter:
        if (c.isMenu())
            return QStringLiteral("在输入框中输入答案并按回车键或空格键（或菜单 %1 第%2组第%3项）")
                .arg(c.menu)
                .arg(c.group)
                .arg(c.item);
        if (c.value == 23)
            return QStringLiteral("输入答案并回车（演示：不输入）");
        return QStringLiteral("输入答案并回车（演示：输入后移到区域1）");
    case StepKind::Hover:
        return QStringLiteral("鼠标移到区域1");
    case StepKind::Timer:
        return QStringLiteral("自动：一秒后继续");
    case StepKind::DragSelect:
        return QStringLiteral("%1从区域2拖出选择窗口到区域1").arg(mod(c.modifiers));
    case StepKind::DragDrop:
        return QStringLiteral("%1把区域2拖放到区域1").arg(mod(c.modifiers));
    case StepKind::ContextMenu:
        if (c.confirmKey(27))
            return QStringLiteral("右击区域1打开快捷菜单 %1，选择第2组第1项；或按回车/空格/Esc").arg(c.menu);
        return QStringLiteral("右击区域1打开快捷菜单 %1，选择第%2组第%3项")
            .arg(c.menu)
            .arg(c.group)
            .arg(c.item + 1);
    case StepKind::Key: {
        static const QHash<int, QString> keys = {{2, QStringLiteral("Enter")}, {3, QStringLiteral("F2")},
                                                 {15, QStringLiteral("F4")},   {20, QStringLiteral("F9")},
                                                 {91, QStringLiteral("/")},    {99, QStringLiteral(".")}};
        const int n = c.keyDigits;
        QString key = keys.value(n);
        if (key.isEmpty())
            key = (n >= 48 && n <= 90) ? QString(QChar(n)) : QStringLiteral("键码%1").arg(n);
        return QStringLiteral("按 %1%2").arg(mod(c.modifiers), key);
    }
    case StepKind::PictureDrag: {
        static const char *dirs[3][3] = {{"左上", "上", "右上"}, {"左", "", "右"}, {"左下", "下", "右下"}};
        return QStringLiteral("把图片5向%1拖到目标").arg(QString::fromUtf8(dirs[c.dy + 1][c.dx + 1]));
    }
    case StepKind::Press:
        return QStringLiteral("%1按%2键于区域1")
            .arg(mod(c.modifiers), c.button == 1   ? QStringLiteral("左")
                                   : c.button == 2 ? QStringLiteral("右")
                                   : c.button == 4 ? QStringLiteral("中")
                                                   : QStringLiteral("?"));
    case StepKind::Unknown:
        break;
    }
    return QStringLiteral("未知代码");
}

bool dumpBank(const QString &programFolder, int unit, int question, QStringList &out, QString *error) {
    ModData data;
    data.AppPath = QDir(programFolder).absolutePath();
    if (!start::verfile::readInfo(data, error))
        return false;
    QStringList table, texts, menus;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(data.DataDir + QStringLiteral("288891.rar"), table, &err)) {
        *error = err.message();
        return false;
    }
    platform::textfile::readLines(data.DataDir + QStringLiteral("288890.rar"), texts);
    platform::textfile::readLines(data.programFile(QStringLiteral("sMenu.sys")), menus);
    const int units = start::vb::ValLong(start::vb::Mid(platform::textfile::lineAt(table, 1), 3, 2));
    if (unit > units || unit < 0) {
        *error = QStringLiteral("the bank has %1 units").arg(units);
        return false;
    }
    out << QStringLiteral("%1 %2  （模块 %3）")
               .arg(start::vb::Trim(data.ModuleName), start::vb::Trim(data.ModuleTitle))
               .arg(data.ModuleNo);
    auto text = [&](int n) {
        return n == 0 ? QString() : sim::bank::textOfLine(platform::textfile::lineAt(texts, n));
    };
    auto px = [](int t) { return QString::number(t / 15.0, 'g', 6); };
    auto rect = [&](int x, int y, int w, int h) {
        return QStringLiteral("(%1,%2 %3x%4)").arg(px(x), px(y), px(w), px(h));
    };
    auto menuItem = [&](const sim::StepCode &c) -> QString {
        if (!c.isMenu())
            return QString();
        static const int titleLine[10] = {0, 2, 0, 5, 0, 8, 0, 11, 13, 0};
        static const int entryLine[10] = {0, 3, 4, 6, 7, 9, 10, 12, 14, 15};
        const int g = c.group, j = c.item, n = c.menu;
        if (g < 1 || g > 9 || n < 1)
            return QString();
        // line k of the block, 1-based, as an index into the file's lines
        auto blockLine = [&](int k) { return menus.value(sim::menus::blockFirstLine(c.bank, n) + k - 2); };
        QString item = blockLine(entryLine[g]).split(u'|').value(j);
        if (titleLine[g])
            item = blockLine(titleLine[g]) + QStringLiteral(" > ") + item;
        return blockLine(1) + QStringLiteral(" > ") + item;
    };
    for (int u = 0; u < units; ++u) {
        if (unit && u + 1 != unit)
            continue;
        QStringList idx, steps;
        const QString idxPath = data.DataDir + QStringLiteral("2888%1.rar").arg(70 + u);
        const QString stepPath = data.DataDir + QStringLiteral("2888%1.rar").arg(20 + u);
        if (!platform::textfile::readLines(idxPath, idx, &err) ||
            !platform::textfile::readLines(stepPath, steps, &err)) {
            *error = err.message();
            return false;
        }
        out << QString() << QStringLiteral("第%1单元 %2").arg(u + 1).arg(start::vb::Trim(data.unitTitle(u)));
        int first = 1;
        for (int q = 0; q < idx.size() && !start::vb::Trim(idx.at(q)).isEmpty(); ++q) {
            const sim::bank::IndexEntry e = sim::bank::parseIndexLine(idx.at(q));
            if (!question || question == q + 1) {
                out << QStringLiteral("  第%1题（%2步）%3%4")
                           .arg(q + 1)
                           .arg(e.steps)
                           .arg(e.hasPicture ? QStringLiteral("[图片 %1] ").arg(e.pictureId) : QString(),
                                e.text);
                for (int s = 1; s <= e.steps; ++s) {
                    bool ok = true;
                    const sim::bank::StepRecord r =
                        sim::bank::parseRecord(platform::textfile::lineAt(steps, first + s - 1), &ok);
                    if (!ok) {
                        out << QStringLiteral("    %1. 记录不足196个字符").arg(s);
                        continue;
                    }
                    const QString code = r.StepCode();
                    const sim::StepCode decoded = sim::decodeStepCode(code);
                    out << QStringLiteral("    %1. %2  %3").arg(s).arg(code, describeCode(code));
                    QStringList d;
                    d << QStringLiteral("画面 %1").arg(r.ScreenPicture());
                    for (int k = 1; k <= 5; ++k)
                        if (r.picturePlaced(k))
                            d << QStringLiteral("图片%1 %2 @%3,%4")
                                     .arg(k)
                                     .arg(r.PicId(k), px(r.picX(k)), px(r.picY(k)));
                    if (r.zone1Present())
                        d << QStringLiteral("区域1 %1").arg(rect(r.zoneX(), r.zoneY(), r.zoneW(), r.zoneH()));
                    if (r.zone2Present())
                        d << QStringLiteral("区域2 %1%2")
                                 .arg(rect(r.zone2X(), r.zone2Y(), r.zone2W(), r.zone2H()),
                                      r.zone2PlainClick() ? QStringLiteral(" 单击即完成") : QString());
                    if (r.boxPresent()) {
                        d << QStringLiteral("输入框 %1").arg(rect(r.boxX(), r.boxY(), r.boxW(), r.boxH()));
                        if (r.boxTextLine())
                            d << QStringLiteral("初值“%1”").arg(text(r.boxTextLine()));
                        d << QStringLiteral("答案“%1”").arg(text(r.answerLine()));
                    } else if (!start::vb::allZero(r.PointerSpec())) {
                        d << QStringLiteral("指针 %1").arg(r.PointerSpec());
                    }
                    if (r.hasBackMarker())
                        d << QStringLiteral("返回按钮 @%1,%2 退%3步")
                                 .arg(px(r.targetX()), px(r.targetY()))
                                 .arg(r.backSteps());
                    else if (r.menuBarShown())
                        d << QStringLiteral("菜单栏 @%1,%2").arg(px(r.menuBarX()), px(r.menuBarY()));
                    if (r.MenuBarY().startsWith(u'X'))
                        d << QStringLiteral("演示两个目标");
                    else if (r.MenuBarY() == u"00000" && decoded.kind == sim::StepKind::ContextMenu)
                        d << QStringLiteral("演示菜单在指针处");
                    if (decoded.kind == sim::StepKind::PictureDrag)
                        d << QStringLiteral("目标 @%1,%2").arg(px(r.targetX()), px(r.targetY()));
                    const QString item = menuItem(decoded);
                    if (!item.isEmpty() && decoded.kind != sim::StepKind::TypeEnter)
                        d << QStringLiteral("菜单项“%1”").arg(item);
                    if (r.hintLine())
                        d << QStringLiteral("提示“%1”").arg(text(r.hintLine()));
                    out << QStringLiteral("       ") + d.join(QStringLiteral("；"));
                }
            }
            first += e.steps;
        }
    }
    return true;
}

bool dumpPapers(const QString &programFolder, int paper, QStringList &out, QString *error) {
    ModData data;
    data.AppPath = QDir(programFolder).absolutePath();
    if (!start::verfile::readInfo(data, error))
        return false;
    QStringList table;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(data.DataDir + QStringLiteral("288891.rar"), table, &err)) {
        *error = err.message();
        return false;
    }
    const QString head = platform::textfile::lineAt(table, 1);
    const int papers = qMin(int(start::vb::ValLong(start::vb::Mid(head, 1, 2))), 14);
    const int units = qMin(int(start::vb::ValLong(start::vb::Mid(head, 3, 2))), 20);
    if (paper < 0 || paper > papers) {
        *error = QStringLiteral("the bank has %1 exam papers").arg(papers);
        return false;
    }
    // index lines of each unit, read when a paper first names the unit
    QHash<int, QStringList> index;
    auto entry = [&](int u, int q, sim::bank::IndexEntry *e) {
        if (u < 0 || u >= units || q < 1)
            return false;
        if (!index.contains(u)) {
            QStringList lines;
            platform::textfile::readLines(data.DataDir + QStringLiteral("2888%1.rar").arg(70 + u), lines);
            while (!lines.isEmpty() && start::vb::Trim(lines.last()).isEmpty())
                lines.removeLast();
            for (int i = 0; i < lines.size(); ++i)
                if (start::vb::Trim(lines.at(i)).isEmpty()) {
                    lines = lines.mid(0, i);
                    break;
                }
            index.insert(u, lines);
        }
        const QStringList &lines = index[u];
        if (q > lines.size())
            return false;
        *e = sim::bank::parseIndexLine(lines.at(q - 1));
        return true;
    };
    out << QStringLiteral("%1 %2  （模块 %3）")
               .arg(start::vb::Trim(data.ModuleName), start::vb::Trim(data.ModuleTitle))
               .arg(data.ModuleNo);
    for (int k = 1; k <= papers; ++k) {
        if (paper && k != paper)
            continue;
        const QString comp = table.value(1 + k);
        out << QString() << QStringLiteral("第%1套试卷（%2题）").arg(k).arg(comp.size() / 4);
        for (int i = 0; i + 4 <= comp.size(); i += 4) {
            const QString c = comp.mid(i, 4);
            bool okU = false, okQ = false;
            const int u = c.left(2).toInt(&okU), q = c.right(2).toInt(&okQ);
            sim::bank::IndexEntry e;
            if (okU && okQ && entry(u, q, &e))
                out << QStringLiteral("  %1. %2  第%3单元 %4  第%5题  %6")
                           .arg(i / 4 + 1, 2)
                           .arg(c)
                           .arg(u + 1)
                           .arg(start::vb::Trim(data.unitTitle(u)))
                           .arg(q)
                           .arg(e.text);
            else
                out << QStringLiteral("  %1. %2  （没有这道题）").arg(i / 4 + 1, 2).arg(c);
        }
    }
    return true;
}

} // namespace cadbank
