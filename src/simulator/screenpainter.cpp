#include "simulator/screenpainter.h"
#include "platform/fonts.h"
#include "start/twips.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTextDocument>
#include <QTextFrame>

namespace sim {

namespace {

// A one-pixel outline just inside r.
void outline(QPainter &p, const QRect &r, const QColor &colour, Qt::PenStyle style) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.translate(r.topLeft());
    p.setClipRect(QRect(QPoint(), r.size()));
    p.setPen(QPen(colour, 1, style));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(QPoint(), r.size()).adjusted(0, 0, -1, -1));
    p.restore();
}

// Plain text in r as a label draws it: left, vertically centred.
void label(QPainter &p, const QRect &r, const QFont &font, const QColor &colour, const QString &text) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.setClipRect(r);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs, text);
    p.restore();
}

void richLabel(QPainter &p, const QRect &r, const QFont &font, const QColor &colour, const QString &html) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    QTextDocument doc;
    setUpRichText(doc, font, html);
    doc.setTextWidth(r.width());
    const int rh = qRound(doc.documentLayout()->documentSize().height());
    const int yo = qMax((r.height() - rh) / 2, 0);
    p.save();
    p.setClipRect(r);
    p.translate(r.x(), r.y() + yo);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, colour);
    doc.documentLayout()->draw(&p, ctx);
    p.restore();
}

} // namespace

QImage emblemImage(const QSize &size, bool exam) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, ScreenGeometry::emblemTop());
    g.setColorAt(1, ScreenGeometry::emblemBottom());
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, size.width(), size.height()), 3, 3);
    p.setBrush(ScreenGeometry::emblemDot());
    p.drawEllipse(QRectF(3, 3, size.height() - 6, size.height() - 6));
    p.setFont(platform::fonts::uiPixels(qMax(8, size.height() - 4), true));
    p.setPen(ScreenGeometry::emblemText());
    p.drawText(QRect(size.height(), 0, size.width() - size.height(), size.height()), Qt::AlignCenter,
               exam ? QCoreApplication::translate("sim", "考试")
                    : QCoreApplication::translate("sim", "练习"));
    return img;
}

void paintScreen(QPainter &p, const QSize &size, const ScreenModel &s, const ScreenPictures &pictures,
                 const ScreenGeometry &g, const ScreenPaintOptions &options) {
    p.fillRect(QRect(QPoint(), size), options.palette.color(QPalette::Window));
    if (!pictures.background.isNull())
        p.drawImage(0, 0, pictures.background);
    for (int k = 1; k <= 5; ++k)
        if (s.pics[k].visible && !pictures.pics[k].isNull())
            p.drawImage(start::twips::toPx(s.pics[k].x), start::twips::toPx(s.pics[k].y), pictures.pics[k]);

    if (s.outline1)
        outline(p, ScreenGeometry::px(s.zone1), ScreenGeometry::zone1Outline(), Qt::SolidLine);
    if (s.outline4)
        outline(p, ScreenGeometry::px(s.zone2), ScreenGeometry::zone2Outline(), Qt::SolidLine);

    if (s.hintVisible) {
        const QRect r = ScreenGeometry::hintRect(s);
        if (r.width() > 0 && r.height() > 0)
            p.fillRect(r, ScreenGeometry::hintBackground());
        label(p, r, ScreenGeometry::hintFont(), ScreenGeometry::hintColour(), s.hintText);
    }

    if (s.menuBarVisible) {
        const int hover = options.hoveredTitle;
        if (hover >= 0 && hover < MenuTitles)
            p.fillRect(g.highlightRect(s, hover), options.palette.color(QPalette::Highlight));
        const QFont f = g.titleFont();
        for (int i = 0; i < MenuTitles; ++i)
            richLabel(p, g.titleRect(s, i), f,
                      options.palette.color(i == hover ? QPalette::HighlightedText : QPalette::WindowText),
                      mnemonicHtml(s.menuTitles[i]));
    }

    if (s.selectionVisible)
        outline(p, ScreenGeometry::px(s.selection), ScreenGeometry::selectionOutline(), Qt::DotLine);

    if (s.successVisible)
        label(p, g.successRect(), g.successFont(), ScreenGeometry::successColour(),
              ScreenGeometry::successText());

    const QRect e = g.emblem();
    if (e.width() > 0 && e.height() > 0)
        p.drawImage(e.topLeft(), emblemImage(e.size(), options.exam));
}

} // namespace sim
