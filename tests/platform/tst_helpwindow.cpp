// The help window on the offscreen platform: every section is there as a
// heading, the text is real text for assistive tools, and the find field finds,
// steps round and says when nothing matches.
//
// With CADDRILL_SHOTS=folder the test also saves pictures of the window.
#include "platform/helpwindow.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>

namespace {

// The headings of the document, in order.
QStringList headings(const QTextDocument *doc) {
    QStringList out;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() > 0)
            out << b.text().trimmed();
    return out;
}

// The text under heading `title` up to the next heading of any level.
QString section(const QTextDocument *doc, const QString &title) {
    QString out;
    bool inside = false;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() > 0) {
            if (inside)
                break;
            inside = b.text().trimmed() == title;
            continue;
        }
        if (inside)
            out += b.text() + QLatin1Char('\n');
    }
    return out;
}

} // namespace

class TstHelpWindow : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Each section is a heading of its own and says what the learner needs from it.
    void sectionsPresent_data() {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("says");
        QTest::newRow("practice") << QStringLiteral("单元练习")
                                  << QStringList{QStringLiteral("进入练习"), QStringLiteral("结束练习")};
        QTest::newRow("guided") << QStringLiteral("手把手教") << QStringList{QStringLiteral("下一题")};
        QTest::newRow("demonstration")
            << QStringLiteral("操作演示") << QStringList{QStringLiteral("右键"), QStringLiteral("Esc")};
        QTest::newRow("exam") << QStringLiteral("模拟考试")
                              << QStringList{QStringLiteral("登录"), QStringLiteral("50 分钟"),
                                             QStringLiteral("交卷"), QStringLiteral("2.5 分"),
                                             QStringLiteral("本次错题复习")};
        QTest::newRow("review") << QStringLiteral("错题复习") << QStringList{QStringLiteral("结束复习")};
        QTest::newRow("keys") << QStringLiteral("键盘操作")
                              << QStringList{QStringLiteral("F1"), QStringLiteral("F6"),
                                             QStringLiteral("Tab")};
        QTest::newRow("records") << QStringLiteral("记录保存在哪里")
                                 << QStringList{QStringLiteral("ksdata"),
                                                QStringLiteral("~/.local/share/caddrill/")};
    }
    void sectionsPresent() {
        QFETCH(QString, heading);
        QFETCH(QStringList, says);
        platform::HelpWindow w;
        const QTextDocument *doc = w.browser()->document();
        QVERIFY2(headings(doc).contains(heading), qPrintable(headings(doc).join(QLatin1Char('|'))));
        const QString body = section(doc, heading);
        for (const QString &s : says)
            QVERIFY2(body.contains(s), qPrintable(heading + QStringLiteral(": ") + s));
    }

    // The browser holds words, not pictures of them, and both it and the find
    // field are named for assistive tools, which read the text through them.
    void textForAssistiveTools() {
        platform::HelpWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QTextDocument *doc = w.browser()->document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                QVERIFY2(!it.fragment().charFormat().isImageFormat(), qPrintable(b.text()));
        QVERIFY(doc->toPlainText().size() > 1000);
        QVERIFY(!w.browser()->accessibleName().isEmpty());
        QVERIFY(!w.findField()->accessibleName().isEmpty());
        QAccessibleInterface *text = QAccessible::queryAccessibleInterface(w.browser());
        QVERIFY(text && text->textInterface());
        QVERIFY(text->textInterface()
                    ->text(0, text->textInterface()->characterCount())
                    .contains(QStringLiteral("模拟考试")));
        QAccessibleInterface *find = QAccessible::queryAccessibleInterface(w.findField());
        QVERIFY(find);
        QCOMPARE(find->text(QAccessible::Name), w.findField()->accessibleName());
    }

    // Typing selects the first match; Enter and the buttons step through all
    // of them in order and come round again; absent text finds nothing and says so.
    void findCycles_data() {
        QTest::addColumn<QString>("needle");
        QTest::newRow("word") << QStringLiteral("考试");
        QTest::newRow("key") << QStringLiteral("F6");
        QTest::newRow("other case") << QStringLiteral("esc");
        QTest::newRow("absent") << QStringLiteral("不存在的词语xyz");
    }
    void findCycles() {
        QFETCH(QString, needle);
        platform::HelpWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int expected = int(w.browser()->document()->toPlainText().count(needle, Qt::CaseInsensitive));
        w.findField()->setFocus();
        w.findField()->setText(needle); // as typed: the field reports each change
        QCOMPARE(w.matchCount(), expected);
        if (expected == 0) {
            QCOMPARE(w.currentMatch(), -1);
            QVERIFY(!w.browser()->textCursor().hasSelection());
            QVERIFY(w.browser()->extraSelections().isEmpty());
            QCOMPARE(w.findStatus()->text(), QStringLiteral("没有找到“%1”").arg(needle));
            QCOMPARE(w.findStatus()->textFormat(), Qt::PlainText);
            return;
        }
        QVERIFY(expected > 1); // the rows are chosen to appear more than once
        // every match is highlighted
        QCOMPARE(w.browser()->extraSelections().size(), expected);
        int last = -1;
        int first = -1;
        for (int i = 0; i < expected; ++i) {
            const QTextCursor c = w.browser()->textCursor();
            QCOMPARE(w.currentMatch(), i);
            QCOMPARE(c.selectedText().toLower(), needle.toLower());
            QVERIFY(c.selectionStart() > last);
            if (i == 0)
                first = c.selectionStart();
            last = c.selectionStart();
            QCOMPARE(w.findStatus()->text(), QStringLiteral("第 %1 处，共 %2 处").arg(i + 1).arg(expected));
            QTest::keyClick(w.findField(), Qt::Key_Return);
        }
        // round again to the first, and back to the last
        QCOMPARE(w.currentMatch(), 0);
        QCOMPARE(w.browser()->textCursor().selectionStart(), first);
        QTest::keyClick(w.findField(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(w.currentMatch(), expected - 1);
        QCOMPARE(w.browser()->textCursor().selectionStart(), last);
        // clearing the field clears the marks
        w.findField()->clear();
        QCOMPARE(w.matchCount(), 0);
        QVERIFY(w.browser()->extraSelections().isEmpty());
    }

    // The window fits an 800 x 600 screen with its frame.
    void fitsSmallScreen() {
        platform::HelpWindow *w = platform::showHelp();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(w->frameGeometry().width() <= 800);
        QVERIFY(w->frameGeometry().height() <= 600);
        QCOMPARE(platform::showHelp(), w); // one window, brought back
        const QString folder = qEnvironmentVariable("CADDRILL_SHOTS");
        if (!folder.isEmpty()) {
            w->grab().save(folder + QStringLiteral("/help.png"));
            w->findField()->setText(QStringLiteral("F6"));
            w->findNext();
            w->grab().save(folder + QStringLiteral("/help-find.png"));
        }
        w->close();
    }
};

QTEST_MAIN(TstHelpWindow)
#include "tst_helpwindow.moc"
