// The cover page's texts pass through the installed translator: a translator that
// knows one text of the page replaces exactly that text, and every text it does
// not know keeps its own wording.
#include "app/trainer.h"
#include "cover/frmfengmian.h"
#include "fakes.h"
#include "fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QTranslator>

namespace {

// Knows one source text in one context; an empty answer leaves the source as it is.
class OneTextTranslator : public QTranslator {
  public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override {
        if (qstrcmp(context, "FrmFengmian") == 0 && QString::fromUtf8(sourceText) == u"自动升级")
            return QStringLiteral("[auto update]");
        return {};
    }
};

} // namespace

class TstTranslation : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void coverPageTakesTheTranslation() {
        Fixture f;
        f.install(2, {5});
        ModData d = f.modData();
        FakePrompter prompter;

        OneTextTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        Trainer trainer(d, {&prompter, nullptr, nullptr, nullptr, nullptr}, QStringLiteral("caddrill"));
        trainer.showCover();
        auto *c = qobject_cast<FrmFengmian *>(trainer.cover());
        QVERIFY(c);
        QVERIFY(c->Label2 && c->Check1 && c->LblClose);

        // the caption and the accessible name of the update switch both come from the translator
        QCOMPARE(c->Label2->text(), QStringLiteral("[auto update]"));
        QCOMPARE(c->Check1->accessibleName(), QStringLiteral("[auto update]"));
        // a text the translator does not know is shown as written
        QCOMPARE(c->LblClose->toolTip(), QStringLiteral("关闭"));
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TstTranslation)
#include "tst_translation.moc"
