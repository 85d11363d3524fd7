// Where everything lies on the simulated screen: the main window's toolbars,
// tabs, status buttons and command line, the open dialog and drop-down list, the
// drawn entities, and the lookup of an element by the name a step gives it.
#include "screen.h"
#include "screenparts.h"

#include <QFontMetrics>

namespace cadbank {

namespace screenparts {

const QStringList &stdButtons() {
    static const QStringList b = {QStringLiteral("新建"),
                                  QStringLiteral("打开"),
                                  QStringLiteral("保存"),
                                  QString(),
                                  QStringLiteral("打印"),
                                  QStringLiteral("预览"),
                                  QStringLiteral("发布"),
                                  QString(),
                                  QStringLiteral("剪切"),
                                  QStringLiteral("复制"),
                                  QStringLiteral("粘贴"),
                                  QStringLiteral("特性匹配"),
                                  QString(),
                                  QStringLiteral("放弃"),
                                  QStringLiteral("重做"),
                                  QString(),
                                  QStringLiteral("实时平移"),
                                  QStringLiteral("实时缩放"),
                                  QStringLiteral("窗口缩放"),
                                  QStringLiteral("缩放上一个"),
                                  QString(),
                                  QStringLiteral("特性"),
                                  QStringLiteral("设计中心"),
                                  QStringLiteral("工具选项板"),
                                  QString(),
                                  QStringLiteral("帮助")};
    return b;
}
const QStringList &drawButtons() {
    static const QStringList b = {
        QStringLiteral("直线"),     QStringLiteral("构造线"),   QStringLiteral("多段线"),
        QStringLiteral("多边形"),   QStringLiteral("矩形"),     QStringLiteral("圆弧"),
        QStringLiteral("圆"),       QStringLiteral("样条曲线"), QStringLiteral("椭圆"),
        QStringLiteral("插入块"),   QStringLiteral("创建块"),   QStringLiteral("点"),
        QStringLiteral("图案填充"), QStringLiteral("多行文字")};
    return b;
}
const QStringList &modifyButtons() {
    static const QStringList b = {QStringLiteral("删除"), QStringLiteral("复制"), QStringLiteral("镜像"),
                                  QStringLiteral("偏移"), QStringLiteral("阵列"), QStringLiteral("移动"),
                                  QStringLiteral("旋转"), QStringLiteral("缩放"), QStringLiteral("拉伸"),
                                  QStringLiteral("修剪"), QStringLiteral("延伸"), QStringLiteral("打断"),
                                  QStringLiteral("倒角"), QStringLiteral("圆角"), QStringLiteral("分解")};
    return b;
}
const QStringList &statusButtons() {
    static const QStringList b = {QStringLiteral("捕捉"),     QStringLiteral("栅格"),
                                  QStringLiteral("正交"),     QStringLiteral("极轴"),
                                  QStringLiteral("对象捕捉"), QStringLiteral("对象追踪"),
                                  QStringLiteral("线宽"),     QStringLiteral("模型")};
    return b;
}

const QVector<Named> &stdRects() {
    static const QVector<Named> v = [] {
        QVector<Named> out;
        int x = 10;
        for (const QString &b : stdButtons()) {
            if (b.isEmpty()) {
                x += 6;
                continue;
            }
            out.push_back({b, QRect(x, lay::StdTop + 2, 23, 22)});
            x += 23;
        }
        return out;
    }();
    return v;
}

QVector<Named> columnRects(const QStringList &names, int x, int top) {
    QVector<Named> out;
    for (int i = 0; i < names.size(); ++i)
        out.push_back({names.at(i), QRect(x, top + 8 + i * 24, 24, 23)});
    return out;
}

QVector<Named> propRects() {
    const int y = lay::PropTop + 2;
    return {{QStringLiteral("图层按钮"), QRect(10, y, 23, 22)},
            {QStringLiteral("图层"), QRect(38, y + 1, 200, 20)},
            {QStringLiteral("颜色"), QRect(250, y + 1, 110, 20)},
            {QStringLiteral("线型"), QRect(368, y + 1, 130, 20)},
            {QStringLiteral("线宽"), QRect(506, y + 1, 110, 20)},
            {QStringLiteral("打印样式"), QRect(624, y + 1, 100, 20)}};
}

QVector<Named> statusRects() {
    QVector<Named> out;
    int x = 176;
    for (const QString &b : statusButtons()) {
        const int w = b.size() * 13 + 10;
        out.push_back({b, QRect(x, lay::StatusTop + 5, w, 20)});
        x += w + 2;
    }
    return out;
}

QVector<Named> tabRects() {
    return {{QStringLiteral("模型"), QRect(72, lay::TabTop + 1, 40, lay::TabH - 2)},
            {QStringLiteral("布局1"), QRect(112, lay::TabTop + 1, 46, lay::TabH - 2)},
            {QStringLiteral("布局2"), QRect(158, lay::TabTop + 1, 46, lay::TabH - 2)}};
}

QRect commandBoxRect(const ScreenState &s) {
    QFontMetrics fm(uiFont());
    const int x = 8 + fm.horizontalAdvance(s.prompt) + 4;
    return QRect(x, lay::CmdTop + 4 * lay::CmdLineH + 1, 760 - x, lay::CmdLineH);
}

} // namespace screenparts

using namespace screenparts;

QString ScreenState::key() const {
    QStringList parts;
    for (const Entity &e : entities) {
        QStringList nums;
        for (double d : e.v)
            nums << QString::number(d, 'g', 10);
        parts << e.kind + u':' + nums.join(u',') + u':' + e.text + u':' + e.color + (e.dashed ? u"d" : u"");
    }
    QStringList sel;
    for (int i : selected)
        sel << QString::number(i);
    QStringList vals;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        vals << it.key() + u'=' + it.value();
    return QStringList{parts.join(u'/'),
                       sel.join(u','),
                       history.join(u'\n'),
                       prompt,
                       dialog,
                       vals.join(u'\n'),
                       dropdown,
                       dropRows.join(u';'),
                       statusOn.join(u','),
                       layer,
                       title,
                       tab,
                       menuTitles ? QStringLiteral("M") : QString(),
                       floating + u'@' + QString::number(floatPos.x()) + u',' + QString::number(floatPos.y())}
        .join(QChar(0x1f));
}

QString ScreenState::screenKey() const {
    ScreenState bare = *this;
    bare.dialog.clear();
    bare.values.clear();
    bare.dropdown.clear();
    bare.dropRows.clear();
    return bare.key();
}

QRect dialogRect(const ScreenState &s) {
    if (s.dialog.isEmpty() || !dialogs().contains(s.dialog))
        return QRect();
    const DialogDef &d = dialogs()[s.dialog];
    if (s.dialog == u"设计中心")
        return QRect(QPoint(lay::DrawLeft + 2, lay::DrawTop + 2), d.size);
    return QRect(QPoint((ScreenW - d.size.width()) / 2, (ScreenH - d.size.height()) / 2 - 30), d.size);
}

QPointF worldToScreen(double x, double y) {
    return QPointF(lay::DrawLeft + 60 + x, lay::DrawBottom - 40 - y);
}

QRectF screenparts::entityBounds(const Entity &e) {
    const auto &v = e.v;
    auto pt = [&](int i) { return worldToScreen(v.value(i), v.value(i + 1)); };
    if (e.kind == u"line" || e.kind == u"rect" || e.kind == u"hatch" || e.kind == u"dim") {
        QPolygonF poly;
        for (int i = 0; i + 1 < (e.kind == u"dim" ? 4 : v.size()); i += 2)
            poly << pt(i);
        QRectF r = poly.boundingRect();
        if (e.kind == u"dim")
            r = r.united(QRectF(pt(0) - QPointF(0, v.value(4)), QSizeF(1, 1)));
        return r;
    }
    if (e.kind == u"circle" || e.kind == u"arc" || e.kind == u"polygon" || e.kind == u"insert") {
        const double rr = e.kind == u"insert" ? 20 * v.value(2, 1) : v.value(2);
        const QPointF c = pt(0);
        return QRectF(c.x() - rr, c.y() - rr, 2 * rr, 2 * rr);
    }
    if (e.kind == u"ellipse") {
        const QPointF c = pt(0);
        return QRectF(c.x() - v.value(2), c.y() - v.value(3), 2 * v.value(2), 2 * v.value(3));
    }
    if (e.kind == u"text") {
        const QPointF c = pt(0);
        const double hgt = v.value(2, 10);
        return QRectF(c.x(), c.y() - hgt, hgt * e.text.size(), hgt);
    }
    if (e.kind == u"point")
        return QRectF(pt(0) - QPointF(3, 3), QSizeF(6, 6));
    return QRectF();
}

QRect dropdownRect(const ScreenState &s) {
    if (s.dropdown.isEmpty())
        return QRect();
    const Element anchor = element(s, s.dropdown);
    if (!anchor.ok)
        return QRect();
    return QRect(anchor.rect.left(), anchor.rect.bottom() + 1, qMax(anchor.rect.width(), 120),
                 qMax(1, int(s.dropRows.size())) * ListRowH + 4);
}

Element element(const ScreenState &s, const QString &name, QString *why) {
    Element e;
    auto fail = [&](const QString &reason) {
        if (why)
            *why = reason;
        return e;
    };
    const int dot = name.indexOf(u'.');
    const QString head = dot < 0 ? name : name.left(dot);
    const QString tail = dot < 0 ? QString() : name.mid(dot + 1);
    auto found = [&](const QRect &r, const QString &label, bool drawing = false) {
        e.rect = r;
        e.label = label;
        e.inDrawing = drawing;
        e.ok = true;
        return e;
    };
    if (name == u"drawing" || name == u"绘图区")
        return found(QRect(lay::DrawLeft + 2, lay::DrawTop + 2, lay::DrawRight - lay::DrawLeft - 4,
                           lay::DrawBottom - lay::DrawTop - 4),
                     QStringLiteral("绘图区"), true);
    if (name == u"命令行")
        return found(commandBoxRect(s), QStringLiteral("命令行"));
    if (head == u"标准") {
        for (const Named &n : stdRects())
            if (n.name == tail)
                return found(n.rect, QStringLiteral("“标准”工具栏中的“%1”按钮").arg(tail));
        return fail(QStringLiteral("the 标准 toolbar has no button “%1”").arg(tail));
    }
    if (head == u"绘图" || head == u"修改") {
        const bool draw = head == u"绘图";
        const auto rects = draw ? columnRects(drawButtons(), 3, lay::DrawTop)
                                : columnRects(modifyButtons(), 773, lay::DrawTop);
        for (const Named &n : rects)
            if (n.name == tail)
                return found(n.rect, QStringLiteral("“%1”工具栏中的“%2”按钮").arg(head, tail));
        return fail(QStringLiteral("the %1 toolbar has no button “%2”").arg(head, tail));
    }
    if (head == u"特性") {
        for (const Named &n : propRects())
            if (n.name == tail)
                return found(n.rect, n.name == u"图层按钮"
                                         ? QStringLiteral("“对象特性”工具栏中的“图层特性管理器”按钮")
                                         : QStringLiteral("“对象特性”工具栏中的“%1”下拉列表框").arg(tail));
        return fail(QStringLiteral("the 对象特性 toolbar has no control “%1”").arg(tail));
    }
    if (head == u"状态") {
        for (const Named &n : statusRects())
            if (n.name == tail)
                return found(n.rect, QStringLiteral("状态栏中的“%1”按钮").arg(tail));
        return fail(QStringLiteral("the status bar has no button “%1”").arg(tail));
    }
    if (head == u"标签") {
        for (const Named &n : tabRects())
            if (n.name == tail)
                return found(n.rect, QStringLiteral("“%1”选项卡").arg(tail));
        return fail(QStringLiteral("no tab “%1”").arg(tail));
    }
    if (head == u"图形") {
        bool ok = false;
        const int n = tail.toInt(&ok);
        if (!ok || n < 1 || n > s.entities.size())
            return fail(QStringLiteral("the drawing has no object %1 (it holds %2)")
                            .arg(tail)
                            .arg(s.entities.size()));
        QRect r = entityBounds(s.entities.at(n - 1)).toAlignedRect();
        if (r.width() < 12)
            r.adjust(-(12 - r.width()) / 2 - 1, 0, (12 - r.width()) / 2 + 1, 0);
        if (r.height() < 12)
            r.adjust(0, -(12 - r.height()) / 2 - 1, 0, (12 - r.height()) / 2 + 1);
        return found(r, QStringLiteral("绘图区中的第%1个对象").arg(n), true);
    }
    if (head == u"点") {
        // 点.x,y : a pick point in the drawing
        const QStringList xy = tail.split(u',');
        if (xy.size() != 2)
            return fail(QStringLiteral("a pick point is written 点.x,y"));
        const QPointF c = worldToScreen(xy.at(0).toDouble(), xy.at(1).toDouble());
        return found(QRect(int(c.x()) - 8, int(c.y()) - 8, 17, 17),
                     QStringLiteral("绘图区中的点(%1,%2)处").arg(xy.at(0), xy.at(1)), true);
    }
    if (head == u"区域") {
        // 区域.x1,y1,x2,y2 : a part of the drawing given by two corners
        const QStringList v = tail.split(u',');
        if (v.size() != 4)
            return fail(QStringLiteral("an area is written 区域.x1,y1,x2,y2"));
        const QRectF r(worldToScreen(v.at(0).toDouble(), v.at(1).toDouble()),
                       worldToScreen(v.at(2).toDouble(), v.at(3).toDouble()));
        return found(r.normalized().toRect(), QStringLiteral("绘图区的指定区域"), true);
    }
    if (head == u"下拉") {
        const QRect dr = dropdownRect(s);
        if (dr.isNull())
            return fail(QStringLiteral("no drop-down list is open"));
        const int i = s.dropRows.indexOf(tail);
        if (i < 0)
            return fail(QStringLiteral("the drop-down list has no row “%1”").arg(tail));
        return found(QRect(dr.left() + 2, dr.top() + 2 + i * ListRowH, dr.width() - 4, ListRowH),
                     QStringLiteral("下拉列表中的“%1”").arg(tail));
    }
    if (dialogs().contains(head)) {
        if (s.dialog != head)
            return fail(QStringLiteral("the dialog “%1” is not open at this step").arg(head));
        const DialogDef &d = dialogs()[head];
        const QPoint o = dialogRect(s).topLeft();
        if (tail == u"标题栏")
            return found(QRect(o.x() + 2, o.y() + 2, d.size.width() - 50, 20),
                         QStringLiteral("“%1”对话框的标题栏").arg(d.title));
        // list rows: 列表.N / 列表.N.列名
        const QStringList parts = tail.split(u'.');
        const Ctl *c = findCtl(d, parts.at(0));
        if (!c)
            return fail(QStringLiteral("the dialog “%1” has no control “%2”").arg(head, parts.at(0)));
        QRect r = c->r.translated(o);
        if (c->kind == u"list" && parts.size() >= 2) {
            const int row = parts.at(1).toInt();
            const QStringList rows = rowsOf(s, head + u'.' + c->name);
            if (row < 1 || row > rows.size())
                return fail(QStringLiteral("the list “%1” has no row %2").arg(c->name, parts.at(1)));
            QRect rr(r.left() + 2, r.top() + 2 + ListRowH * row, r.width() - 4, ListRowH);
            QString label = QStringLiteral("“%1”对话框列表中的第%2行").arg(d.title).arg(row);
            if (parts.size() >= 3) {
                const QStringList cols = c->text.split(u'|');
                const int col = cols.indexOf(parts.at(2));
                if (col < 0)
                    return fail(QStringLiteral("the list “%1” has no column “%2”").arg(c->name, parts.at(2)));
                const int cw = (r.width() - 4) / cols.size();
                const int first = col == 0 ? cw + cw / 2 : cw;
                const int left = col == 0 ? 0 : first + (col - 1) * cw;
                rr = QRect(r.left() + 2 + left, rr.top(), col == 0 ? first : cw, ListRowH);
                label = QStringLiteral("“%1”对话框列表中第%2行的“%3”").arg(d.title).arg(row).arg(parts.at(2));
            }
            return found(rr, label);
        }
        if (c->kind == u"tabs" && parts.size() >= 2) {
            const QStringList tabs = c->text.split(u'|');
            const int i = tabs.indexOf(parts.at(1));
            if (i < 0)
                return fail(QStringLiteral("the dialog “%1” has no tab “%2”").arg(head, parts.at(1)));
            QFontMetrics fm(uiFont());
            int x = r.left() + 2;
            for (int k = 0; k < i; ++k)
                x += fm.horizontalAdvance(tabs.at(k)) + 14;
            return found(QRect(x, r.top(), fm.horizontalAdvance(tabs.at(i)) + 14, 20),
                         QStringLiteral("“%1”选项卡").arg(tabs.at(i)));
        }
        const bool named =
            c->kind == u"edit" || c->kind == u"combo" || c->kind == u"list" || c->kind == u"area";
        QString caption = named ? c->name : noAmp(c->text).section(u'(', 0, 0).trimmed();
        if (caption.isEmpty() || caption.endsWith(QLatin1String("...")))
            caption = c->name;
        return found(r, QStringLiteral("“%1”对话框中的“%2”%3").arg(d.title, caption, kindWord(c->kind)));
    }
    return fail(QStringLiteral("unknown screen element “%1”").arg(name));
}

} // namespace cadbank
