#include "checker.h"

#include "simulator/bankreader.h"
#include "simulator/screenlayout.h"
#include "simulator/screenpainter.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

namespace cadbank {

QImage renderStep(const QString &programFolder, int unit, int question, int step, QString *error) {
    ModData data;
    data.AppPath = QDir(programFolder).absolutePath();
    if (!start::verfile::readInfo(data, error))
        return QImage();
    data.CurSet = qint16(unit - 1);
    data.SetBase = 20;
    start::setfiles::nameSetFiles(data);
    if (start::setfiles::readQuestionOffsets(data, error) < question) {
        if (error && error->isEmpty())
            *error = QStringLiteral("no question %1 in unit %2").arg(question).arg(unit);
        return QImage();
    }
    sim::bank::BankReader reader(data);
    // The step laid out as the window lays it, guided (hint and outlines shown),
    // after every step before it: pictures kept with "888888" come from those.
    sim::ScreenModel screen;
    sim::ScreenPictures pictures;
    for (int s = 1; s <= step; ++s) {
        bool ok = true;
        const sim::bank::StepRecord r = reader.record(question, s, &ok);
        if (!ok) {
            *error = reader.lastError();
            return QImage();
        }
        const sim::LayoutResult lay =
            sim::layoutStep({r, s, 1, 1.0, 1.0, [&](int n) { return reader.text(n); }}, screen);
        screen = lay.screen;
        if (lay.backgroundLoaded)
            pictures.background = QImage(sim::bank::picturePath(data, screen.background));
        for (int k = 1; k <= 5; ++k)
            if (lay.pictureLoaded[k])
                pictures.pics[k] = QImage(sim::bank::picturePath(data, screen.pics[k].id));
    }
    QImage out(800, 600, QImage::Format_RGB32);
    QPainter p(&out);
    const sim::ScreenGeometry g;
    sim::paintScreen(p, out.size(), screen, pictures, g, {QGuiApplication::palette(), -1});
    // The input boxes are the window's own line edits: framed here, with their text.
    auto box = [&](bool visible, const sim::Rect &at, const QString &text) {
        if (!visible)
            return;
        const QRect r = sim::ScreenGeometry::px(at);
        p.fillRect(r, Qt::white);
        p.setPen(QColor(0, 0, 160));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setFont(g.boxFont());
        p.drawText(r.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    };
    box(screen.boxVisible, screen.box, screen.boxText);
    box(screen.overlayVisible, screen.overlay, screen.overlayText);
    return out;
}

} // namespace cadbank
