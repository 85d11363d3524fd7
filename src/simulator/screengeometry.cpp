#include "simulator/screengeometry.h"
#include "platform/fonts.h"
#include "start/twips.h"

#include <QFontMetricsF>
#include <QTextDocument>
#include <QTextFrame>
#include <cmath>

namespace sim {

QRect ScreenGeometry::px(const Rect &r) {
    return QRect(start::twips::toPx(r.x), start::twips::toPx(r.y), start::twips::toPx(r.w),
                 start::twips::toPx(r.h));
}

QRect ScreenGeometry::scaled(int x, int y, int w, int h) const {
    return QRect(start::twips::toPxX(x, m_sx), start::twips::toPxY(y, m_sy), start::twips::toPxX(w, m_sx),
                 start::twips::toPxY(h, m_sy));
}

QFont ScreenGeometry::titleFont() const {
    return platform::fonts::points(platform::fonts::menuSong(), 9 * m_sx);
}

QRect ScreenGeometry::titleRect(const ScreenModel &s, int i) const {
    const QPoint at(start::twips::toPxX(810 * i + s.menuBarLeft, m_sx),
                    start::twips::toPxY(s.menuBarTop, m_sy));
    const QString &caption = s.menuTitles[i];
    auto it = m_titleSizes.constFind(caption);
    if (it == m_titleSizes.constEnd())
        it = m_titleSizes.insert(caption, richTextSize(titleFont(), mnemonicHtml(caption)));
    return QRect(at, *it);
}

QRect ScreenGeometry::highlightRect(const ScreenModel &s, int i) const {
    const QRect t = titleRect(s, i);
    const QSize size(start::twips::toPxX(810, m_sx), start::twips::toPxY(255, m_sy));
    return QRect(QPoint(t.x() + (t.width() - size.width()) / 2, t.y() + (t.height() - size.height()) / 2),
                 size);
}

QFont ScreenGeometry::hintFont() {
    return platform::fonts::points(platform::fonts::song(), 10.5, true);
}

QRect ScreenGeometry::hintRect(const ScreenModel &s) {
    return QRect(QPoint(start::twips::toPx(s.hintX), start::twips::toPx(s.hintY)),
                 textSize(hintFont(), s.hintText));
}

QFont ScreenGeometry::successFont() const {
    return platform::fonts::firstInstalled(platform::fonts::script(), 72 * m_sx);
}

QRect ScreenGeometry::successRect() const {
    return QRect(QPoint(start::twips::toPxX(2640, m_sx), start::twips::toPxY(3840, m_sy)),
                 textSize(successFont(), successText()));
}

QFont ScreenGeometry::boxFont() const {
    return platform::fonts::points(platform::fonts::song(), 9 * m_sx);
}

QString mnemonicHtml(const QString &caption) {
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == u'&' && i + 1 < caption.size()) {
            const QChar next = caption.at(++i);
            if (next == u'&')
                out += QStringLiteral("&amp;");
            else
                out += QStringLiteral("<u>") + QString(next).toHtmlEscaped() + QStringLiteral("</u>");
        } else {
            out += QString(c).toHtmlEscaped();
        }
    }
    return out;
}

QSize textSize(const QFont &font, const QString &text) {
    const QRectF br = QFontMetricsF(font).boundingRect(
        QRectF(0, 0, 2000, 2000), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs, text);
    return QSize(int(std::ceil(br.width())), int(std::ceil(br.height())));
}

void setUpRichText(QTextDocument &doc, const QFont &font, const QString &html) {
    doc.setUndoRedoEnabled(false);
    doc.setDefaultFont(font);
    QTextOption opt = doc.defaultTextOption();
    opt.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    opt.setWrapMode(QTextOption::ManualWrap);
    doc.setDefaultTextOption(opt);
    doc.setHtml(html);
    QTextFrameFormat fmt = doc.rootFrame()->frameFormat();
    fmt.setMargin(0);
    doc.rootFrame()->setFrameFormat(fmt);
}

QSize richTextSize(const QFont &font, const QString &html) {
    QTextDocument doc;
    setUpRichText(doc, font, html);
    const QSizeF s = doc.size();
    return QSize(int(std::ceil(s.width())), int(std::ceil(s.height())));
}

} // namespace sim
