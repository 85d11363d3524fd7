#include "panel/logonart.h"
#include "platform/fonts.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace panel::logonart {

namespace {

constexpr int BannerH = 92;
constexpr int SheetTop = 122;
constexpr int RowH = 34;

QRect cardRect() {
    return {170, 126, 420, 236};
}
QRect sheetRect() {
    return {120, 108, 520, 278};
}

void paintPageBody(QPainter &p, const QString &title, const QString &subtitle) {
    const QRect page(0, 0, PageWidth, PageHeight);
    p.fillRect(page, Paper);
    QLinearGradient banner(0, 0, 0, BannerH);
    banner.setColorAt(0, Banner);
    banner.setColorAt(1, BannerLow);
    p.fillRect(QRect(0, 0, PageWidth, BannerH), banner);
    // the emblem: a gold ring with the initial of the examination
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Gold, 3));
    p.setBrush(BannerLow);
    p.drawEllipse(QRect(28, 18, 56, 56));
    p.setPen(Gold);
    p.setFont(platform::fonts::uiPixels(26, true));
    p.drawText(QRect(28, 18, 56, 56), Qt::AlignCenter, QCoreApplication::translate("panel::logonart", "考"));
    p.setPen(OnBlue);
    p.setFont(platform::fonts::uiPixels(24, true));
    p.drawText(QRect(100, 14, PageWidth - 120, 36), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setFont(platform::fonts::uiPixels(15));
    p.drawText(QRect(100, 50, PageWidth - 120, 28), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
    p.fillRect(QRect(0, BannerH, PageWidth, 3), Gold);
    // the footer strip
    p.fillRect(QRect(0, PageHeight - 26, PageWidth, 26), BannerLow);
    p.setPen(OnBlue);
    p.setFont(platform::fonts::uiPixels(12));
    p.drawText(QRect(0, PageHeight - 26, PageWidth, 26), Qt::AlignCenter,
               QCoreApplication::translate("panel::logonart", "模拟考试系统  ·  考场终端"));
    p.setPen(Line);
    p.setBrush(Qt::NoBrush);
    p.drawRect(page.adjusted(0, 0, -1, -1));
}

void paintCard(QPainter &p, const QRect &r) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 28));
    p.drawRoundedRect(r.translated(3, 3), 6, 6);
    p.setBrush(Card);
    p.setPen(Line);
    p.drawRoundedRect(r, 6, 6);
}

} // namespace

QRect seatBox() {
    return {320, 184, 90, 30};
}
QRect idBox() {
    return {320, 234, 240, 30};
}
QRect logInButton() {
    return {245, 298, 120, 38};
}
QRect exitButton() {
    return {395, 298, 120, 38};
}
QRect sheetValue(int row) {
    return {330, SheetTop + 14 + row * RowH, 290, RowH - 4};
}
QRect barFrame(int frameWidth) {
    return {(PageWidth - frameWidth) / 2, 424, frameWidth, 22};
}
QRect barCaption() {
    return {36, 396, PageWidth - 72, 24};
}

QString sheetName(int row) {
    static const char *const names[SheetRows] = {QT_TRANSLATE_NOOP("panel::logonart", "姓　　名："),
                                                 QT_TRANSLATE_NOOP("panel::logonart", "座 位 号："),
                                                 QT_TRANSLATE_NOOP("panel::logonart", "考试场次："),
                                                 QT_TRANSLATE_NOOP("panel::logonart", "考试科目："),
                                                 QT_TRANSLATE_NOOP("panel::logonart", "身份证号："),
                                                 QT_TRANSLATE_NOOP("panel::logonart", "档 案 号："),
                                                 QT_TRANSLATE_NOOP("panel::logonart", "考试日期：")};
    return row >= 0 && row < SheetRows ? QCoreApplication::translate("panel::logonart", names[row])
                                       : QString();
}

void paintBackdrop(QPainter &p, const QRect &r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Navy);
    g.setColorAt(1, Deep);
    p.fillRect(r, g);
    // a faint grid like the examination hall's wallpaper
    p.setPen(QColor(255, 255, 255, 12));
    for (int x = r.left(); x < r.right(); x += 40)
        p.drawLine(x, r.top(), x, r.bottom());
    for (int y = r.top(); y < r.bottom(); y += 40)
        p.drawLine(r.left(), y, r.right(), y);
}

QPixmap loginPage(const QString &title) {
    QPixmap pm(PageWidth, PageHeight);
    QPainter p(&pm);
    paintPageBody(p, title, QCoreApplication::translate("panel::logonart", "考 生 登 录"));
    const QRect card = cardRect();
    paintCard(p, card);
    p.setPen(Value);
    p.setFont(platform::fonts::uiPixels(16, true));
    p.drawText(QRect(card.left(), card.top() + 10, card.width(), 30), Qt::AlignCenter,
               QCoreApplication::translate("panel::logonart", "请输入考生信息"));
    p.setPen(Line);
    p.drawLine(card.left() + 20, card.top() + 46, card.right() - 20, card.top() + 46);
    p.setPen(Ink);
    p.setFont(platform::fonts::uiPixels(14));
    p.drawText(QRect(190, seatBox().top(), 120, seatBox().height()), Qt::AlignRight | Qt::AlignVCenter,
               QCoreApplication::translate("panel::logonart", "座 位 号："));
    p.drawText(QRect(190, idBox().top(), 120, idBox().height()), Qt::AlignRight | Qt::AlignVCenter,
               QCoreApplication::translate("panel::logonart", "身份证号："));
    p.setPen(Muted);
    p.setFont(platform::fonts::uiPixels(12));
    p.drawText(QRect(seatBox().right() + 10, seatBox().top(), 160, seatBox().height()),
               Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("panel::logonart", "（两位数字）"));
    // the notes under the card
    p.setPen(Warn);
    p.setFont(platform::fonts::uiPixels(13, true));
    p.drawText(QRect(70, 376, 620, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("panel::logonart", "考生须知："));
    p.setPen(Muted);
    p.setFont(platform::fonts::uiPixels(12));
    const QString notes[] = {
        QCoreApplication::translate("panel::logonart", "1. 座位号不足两位时，系统自动在前面补 0。"),
        QCoreApplication::translate("panel::logonart", "2. 身份证号为 18 位，只有最后一位可以是字母 X。"),
        QCoreApplication::translate("panel::logonart",
                                    "3. 登录后请核对考生信息；考试时间 50 分钟，时间到系统自动交卷。"),
    };
    int y = 398;
    for (const QString &n : notes) {
        p.drawText(QRect(86, y, 620, 18), Qt::AlignLeft | Qt::AlignVCenter, n);
        y += 19;
    }
    return pm;
}

QPixmap confirmPage(const QString &title) {
    QPixmap pm(PageWidth, PageHeight);
    QPainter p(&pm);
    paintPageBody(p, title, QCoreApplication::translate("panel::logonart", "考 生 信 息 确 认"));
    const QRect sheet = sheetRect();
    paintCard(p, sheet);
    p.setFont(platform::fonts::uiPixels(14));
    for (int r = 0; r < SheetRows; ++r) {
        const QRect value = sheetValue(r);
        if (r > 0) {
            p.setPen(Line);
            p.drawLine(sheet.left() + 24, value.top() - 2, sheet.right() - 24, value.top() - 2);
        }
        p.setPen(Muted);
        p.drawText(QRect(sheet.left() + 40, value.top(), 160, value.height()),
                   Qt::AlignRight | Qt::AlignVCenter, sheetName(r));
    }
    return pm;
}

QPixmap button(const QString &text, QSize size, bool hover, bool accent) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (accent) {
        g.setColorAt(0, hover ? Gold.lighter(110) : Gold);
        g.setColorAt(1, GoldLow);
    } else {
        g.setColorAt(0, hover ? Banner.lighter(125) : Banner);
        g.setColorAt(1, BannerLow);
    }
    p.setBrush(g);
    p.setPen(QPen(accent ? GoldLow.darker(120) : BannerLow.darker(130), 1));
    p.drawRoundedRect(r, 5, 5);
    p.setPen(accent ? Deep : OnBlue);
    p.setFont(platform::fonts::uiPixels(16, true));
    p.drawText(r, Qt::AlignCenter, text);
    return pm;
}

QString boxStyle() {
    return QStringLiteral(
               "QLineEdit { background: #ffffff; color: %1; border: 1px solid %2; padding: 0 6px; }"
               "QLineEdit:focus { border: 1px solid %3; background: #fffdf2; }")
        .arg(Ink.name(), Line.darker(115).name(), Banner.name());
}
QString valueStyle() {
    return QStringLiteral("color: %1; background: transparent;").arg(Value.name());
}
QString captionStyle() {
    return QStringLiteral("color: %1; background: transparent;").arg(Ink.name());
}
QString barStyle() {
    return QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2);")
        .arg(BarFill.name(), BarFillLow.name());
}
QString barFrameStyle() {
    return QStringLiteral("background: %1; border: 1px solid %2;")
        .arg(BarFace.name(), Line.darker(115).name());
}

} // namespace panel::logonart
