#include "checker.h"

#include "simulator/bankreader.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QDir>
#include <QPainter>

namespace cadbank {

QImage renderStep(const QString &programFolder, int unit, int question, int step, QString *error) {
    ModData data;
    data.AppPath = QDir(programFolder).absolutePath();
    if (!verfile::readInfo(data, error))
        return QImage();
    data.CurSet = qint16(unit - 1);
    data.SetBase = 20;
    setfiles::nameSetFiles(data);
    if (setfiles::readQuestionOffsets(data, error) < question) {
        if (error && error->isEmpty())
            *error = QStringLiteral("no question %1 in unit %2").arg(question).arg(unit);
        return QImage();
    }
    bank::BankReader reader(data);
    // pictures kept with "888888" come from earlier steps
    QImage screen;
    QImage pics[6];
    bank::StepRecord r;
    for (int s = 1; s <= step; ++s) {
        bool ok = true;
        r = reader.record(question, s, &ok);
        if (!ok) {
            *error = reader.lastError();
            return QImage();
        }
        if (r.ScreenPicture() != bank::KeepId)
            screen = QImage(bank::picturePath(data, r.ScreenPicture()));
        for (int k = 1; k <= 5; ++k)
            if (r.picturePlaced(k) && r.PicId(k) != bank::KeepId)
                pics[k] = QImage(bank::picturePath(data, r.PicId(k)));
    }
    QImage out(800, 600, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, screen);
    auto px = [](int t) { return t / 15; };
    for (int k = 1; k <= 5; ++k)
        if (r.picturePlaced(k))
            p.drawImage(px(r.picX(k)), px(r.picY(k)), pics[k]);
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(12);
    p.setFont(f);
    if (r.menuBarShown() && !r.hasBackMarker()) {
        static const QStringList titles = {
            QStringLiteral("文件(F)"), QStringLiteral("编辑(E)"), QStringLiteral("视图(V)"),
            QStringLiteral("插入(I)"), QStringLiteral("格式(O)"), QStringLiteral("工具(T)"),
            QStringLiteral("绘图(D)"), QStringLiteral("标注(N)"), QStringLiteral("修改(M)"),
            QStringLiteral("窗口(W)"), QStringLiteral("帮助(H)")};
        p.setPen(Qt::black);
        for (int i = 0; i < titles.size(); ++i)
            p.drawText(QPoint(px(810 * i + r.menuBarX()), px(r.menuBarY()) + 12), titles.at(i));
    }
    if (r.boxPresent()) {
        p.setPen(QColor(0, 0, 160));
        p.drawRect(px(r.boxX()), px(r.boxY()), px(r.boxW()) - 1, px(r.boxH()) - 1);
        p.drawText(px(r.boxX()) + 3, px(r.boxY()) + 13, reader.text(r.boxTextLine()));
    }
    if (r.zone1Present()) {
        p.setPen(QPen(Qt::red, 2));
        p.drawRect(px(r.zoneX()), px(r.zoneY()), px(r.zoneW()), qMax(1, px(r.zoneH())));
    }
    if (r.zone2Present()) {
        p.setPen(QPen(Qt::green, 2));
        p.drawRect(px(r.zone2X()), px(r.zone2Y()), px(r.zone2W()), px(r.zone2H()));
    }
    if (r.hintPlaced() && r.hintLine()) {
        QFont hf(QStringLiteral("Noto Sans CJK SC"));
        hf.setPixelSize(14);
        hf.setBold(true);
        p.setFont(hf);
        const QString hint = reader.text(r.hintLine());
        const QRect br = p.boundingRect(QRect(px(r.hintX()), px(r.hintY()), 780, 30), Qt::AlignLeft, hint);
        p.fillRect(br.adjusted(-2, -1, 2, 1), QColor(255, 255, 0));
        p.setPen(Qt::red);
        p.drawText(br, Qt::AlignLeft, hint);
    }
    return out;
}

} // namespace cadbank
