// The cover page at twice the pixel density (run with QT_SCALE_FACTOR=2): its
// pictures are drawn at the device pixel ratio, so every logical pixel has four
// device pixels of its own, and the page stands inside the screen even when the
// screen is smaller than the page.
#include "app/trainer.h"
#include "cover/coverart.h"
#include "cover/frmfengmian.h"
#include "fakes.h"
#include "fixture.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

class TstCoverScale : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void picturesAtTheDeviceRatio() {
        const qreal ratio = qApp->devicePixelRatio();
        if (ratio < 2)
            QSKIP("run with QT_SCALE_FACTOR=2 (ctest does)");
        Fixture f;
        f.install(2, {5});
        ModData d = f.modData();
        FakePrompter prompter;
        Trainer trainer(d, {&prompter, nullptr, nullptr, nullptr, nullptr}, QStringLiteral("caddrill"));
        trainer.showCover();
        auto *c = qobject_cast<FrmFengmian *>(trainer.cover());
        QVERIFY(c);
        QVERIFY(QTest::qWaitForWindowExposed(c));
        QTRY_VERIFY(c->PicTiKu);

        // the tab card and a slot's button: twice as many device pixels as logical ones
        const QPixmap card = c->ImgTiKu->pixmap();
        QCOMPARE(card.devicePixelRatio(), ratio);
        QCOMPARE(card.deviceIndependentSize().toSize(), c->ImgTiKu->size());
        QCOMPARE(card.size(), c->ImgTiKu->size() * ratio);
        const QPixmap slot = c->ImgUnit[0]->pixmap();
        QCOMPARE(slot.devicePixelRatio(), ratio);
        QCOMPARE(slot.deviceIndependentSize().toSize(),
                 QSize(cover::coverart::UnitSlotWidth, cover::coverart::SlotHeight));

        // crisp, not enlarged: the card's rounded border passes through pixels an
        // enlarged picture could only have in pairs (an odd device column differs
        // from its even neighbour somewhere along the top edge)
        const QImage img = card.toImage();
        bool ownDetail = false;
        for (int y = 0; y < img.height() && !ownDetail; ++y)
            for (int x = 0; x + 1 < img.width() && !ownDetail; x += 2)
                ownDetail = img.pixel(x, y) != img.pixel(x + 1, y);
        QVERIFY(ownDetail);

        // the page itself grabs at the device ratio
        const QPixmap shot = c->grab();
        QCOMPARE(shot.devicePixelRatio(), ratio);
        QCOMPARE(shot.size(), c->size() * ratio);

        // a page larger than the (logical) screen keeps its top left corner in sight
        const QRect area = c->screen()->availableGeometry();
        if (c->width() > area.width() || c->height() > area.height())
            QCOMPARE(c->frameGeometry().topLeft(), area.topLeft());
        else
            QVERIFY(area.contains(c->frameGeometry()));
    }
};

QTEST_MAIN(TstCoverScale)
#include "tst_coverscale.moc"
