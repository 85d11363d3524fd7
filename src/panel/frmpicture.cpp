#include "panel/frmpicture.h"
#include "panel/panelart.h"
#include "panel/panelrules.h"
#include "platform/dragger.h"
#include "platform/plaintext.h"
#include "platform/screenplace.h"
#include "simulator/picturecache.h"
#include "start/twips.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

FrmPicture::FrmPicture(const ModData &data, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_data(data) {
    setObjectName(QStringLiteral("FrmPicture"));
    setWindowTitle(tr("题目图片"));
    Image1 = platform::plainLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(start::twips::toPxX(60, data.ScaleX), start::twips::toPxY(60, data.ScaleY));
    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &FrmPicture::Timer1_Timer);
    auto *drag = new platform::Dragger(this);
    drag->grip(this);
    drag->grip(Image1);
    resize(start::twips::toPxX(120, data.ScaleX) + 1, start::twips::toPxY(120, data.ScaleY) + 1);
}

bool FrmPicture::loadPicture(const QString &path) {
    const QImage img = sim::readPicture(path);
    if (img.isNull())
        return false;
    setPicture(QPixmap::fromImage(img));
    return true;
}

void FrmPicture::setPicture(const QPixmap &picture) {
    Image1->setPixmap(picture);
    Image1->resize(picture.size());
}

void FrmPicture::Timer1_Timer() {
    const QScreen *screen = windowHandle() && windowHandle()->screen() ? windowHandle()->screen()
                                                                       : QGuiApplication::primaryScreen();
    const QSize screenPx = screen ? screen->size() : QSize(1024, 768);
    // the rule works in twips: picture + 120 each way, centred on the screen
    const QSize picTw(start::twips::fromPx(Image1->width()), start::twips::fromPx(Image1->height()));
    const QSize screenTw(start::twips::fromPx(screenPx.width()), start::twips::fromPx(screenPx.height()));
    const QRect g = panel::pictureWindow(picTw, screenTw, m_data.ScaleX, m_data.ScaleY);
    resize(start::twips::toPx(g.width()), start::twips::toPx(g.height()));
    raise();
    platform::placeOnScreen(this, QPoint(start::twips::toPx(g.left()), start::twips::toPx(g.top())));
    Timer1.stop();
}

void FrmPicture::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), panel::panelart::FrameFace);
    p.setPen(panel::panelart::FrameOuter);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(panel::panelart::FrameInner);
    p.drawRect(rect().adjusted(2, 2, -3, -3));
}
