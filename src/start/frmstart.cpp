#include "start/frmstart.h"
#include "platform/fonts.h"
#include "start/twips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
// The start picture's colours.
const QColor SkyTop(0x0b, 0x3d, 0x6e); // the background, left to right
const QColor SkyBottom(0x1f, 0x78, 0xb4);
const QColor GridLine(255, 255, 255, 28);
const QColor Gold(0xff, 0xc8, 0x3d);  // the emblem's ring and pin
const QColor Chalk(0xff, 0xff, 0xff); // the emblem's compass and the title
const QColor SubtitleInk(0xff, 0xe0, 0x8a);
const QColor StatusInk(255, 255, 255, 190);
const QColor Border(0, 0, 0, 90);
} // namespace

FrmStart::FrmStart(const ModData &data, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FrmStart"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(data.appTitle());
    m_picture = startPicture(data.ModuleName);
    // the picture fills the form exactly: 6600 x 1485 twips
    setFixedSize(start::twips::toPxX(6600, data.ScaleX), start::twips::toPxY(1485, data.ScaleY));
    Timer1.setInterval(100);
    Timer1.setSingleShot(false);
    connect(&Timer1, &QTimer::timeout, this, &FrmStart::Timer1_Timer);
}

void FrmStart::arm() {
    StartPending = True;
    Timer1.start();
}

void FrmStart::Timer1_Timer() {
    if (StartPending != True)
        return;
    StartPending = False;
    Timer1.stop();
    Q_EMIT handOver();
}

void FrmStart::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.drawPixmap(rect(), m_picture);
}

QPixmap FrmStart::startPicture(const QString &moduleName) {
    QPixmap pm(440, 99);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 440, 99);
    bg.setColorAt(0, SkyTop);
    bg.setColorAt(1, SkyBottom);
    p.fillRect(pm.rect(), bg);
    // drafting grid in the background
    p.setPen(GridLine);
    for (int x = 0; x < 440; x += 11)
        p.drawLine(x, 0, x, 99);
    for (int y = 0; y < 99; y += 11)
        p.drawLine(0, y, 440, y);
    // a compass-and-square emblem
    p.setPen(QPen(Gold, 3));
    p.drawEllipse(QPointF(50, 49), 28, 28);
    p.setPen(QPen(Chalk, 3));
    p.drawLine(QPointF(50, 21), QPointF(34, 74));
    p.drawLine(QPointF(50, 21), QPointF(66, 74));
    p.drawLine(QPointF(38, 60), QPointF(62, 60));
    p.setBrush(Gold);
    p.drawEllipse(QPointF(50, 21), 4, 4);

    p.setFont(platform::fonts::uiPixels(22, true));
    p.setPen(Chalk);
    p.drawText(QRect(96, 14, 340, 30), Qt::AlignLeft | Qt::AlignVCenter, tr("柏川云学 职称计算机考试"));
    p.setFont(platform::fonts::uiPixels(15));
    p.setPen(SubtitleInk);
    p.drawText(QRect(96, 46, 340, 22), Qt::AlignLeft | Qt::AlignVCenter,
               (moduleName.isEmpty() ? QString() : moduleName + tr(" 模块  ")) + tr("练习与模拟考试"));
    p.setFont(platform::fonts::uiPixels(11));
    p.setPen(StatusInk);
    p.drawText(QRect(96, 72, 340, 18), Qt::AlignLeft | Qt::AlignVCenter, tr("正在启动，请稍候……"));
    p.setPen(Border);
    p.setBrush(Qt::NoBrush);
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}
