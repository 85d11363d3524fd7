#include "start/frmstart.h"
#include "start/twips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

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
    bg.setColorAt(0, QColor(0x0b, 0x3d, 0x6e));
    bg.setColorAt(1, QColor(0x1f, 0x78, 0xb4));
    p.fillRect(pm.rect(), bg);
    // drafting grid in the background
    p.setPen(QColor(255, 255, 255, 28));
    for (int x = 0; x < 440; x += 11)
        p.drawLine(x, 0, x, 99);
    for (int y = 0; y < 99; y += 11)
        p.drawLine(0, y, 440, y);
    // a compass-and-square emblem
    p.setPen(QPen(QColor(0xff, 0xc8, 0x3d), 3));
    p.drawEllipse(QPointF(50, 49), 28, 28);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(QPointF(50, 21), QPointF(34, 74));
    p.drawLine(QPointF(50, 21), QPointF(66, 74));
    p.drawLine(QPointF(38, 60), QPointF(62, 60));
    p.setBrush(QColor(0xff, 0xc8, 0x3d));
    p.drawEllipse(QPointF(50, 21), 4, 4);

    QFont title(QStringLiteral("Noto Sans CJK SC"));
    title.setPixelSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(96, 14, 340, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("柏川云学 职称计算机考试"));
    QFont sub(QStringLiteral("Noto Sans CJK SC"));
    sub.setPixelSize(15);
    p.setFont(sub);
    p.setPen(QColor(0xff, 0xe0, 0x8a));
    p.drawText(QRect(96, 46, 340, 22), Qt::AlignLeft | Qt::AlignVCenter,
               (moduleName.isEmpty() ? QString() : moduleName + QStringLiteral(" 模块  ")) +
                   QStringLiteral("练习与模拟考试"));
    QFont small(QStringLiteral("Noto Sans CJK SC"));
    small.setPixelSize(11);
    p.setFont(small);
    p.setPen(QColor(255, 255, 255, 190));
    p.drawText(QRect(96, 72, 340, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("正在启动，请稍候……"));
    p.setPen(QColor(0, 0, 0, 90));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}
