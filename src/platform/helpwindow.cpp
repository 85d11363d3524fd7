#include "platform/helpwindow.h"

#include "platform/fonts.h"
#include "platform/screenplace.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace platform {

namespace {
// The help file is compiled in; the bound only guards against a broken build.
constexpr qint64 MaxHelpBytes = 256 * 1024;
} // namespace

QString helpHtml() {
    QFile f(QStringLiteral(":/help/help.html"));
    if (f.size() > MaxHelpBytes || !f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.read(MaxHelpBytes));
}

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("使用说明"));
    setFont(fonts::ui(10.5));

    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("HelpFind"));
    m_find->setPlaceholderText(tr("查找"));
    m_find->setClearButtonEnabled(true);
    m_find->setAccessibleName(tr("在使用说明中查找"));
    m_find->setAccessibleDescription(tr("输入文字，回车跳到下一处，Shift+回车跳到上一处"));

    m_previous = new QToolButton(this);
    m_previous->setText(tr("上一处"));
    m_previous->setAccessibleName(tr("上一处"));
    m_previous->setFocusPolicy(Qt::TabFocus);
    m_next = new QToolButton(this);
    m_next->setText(tr("下一处"));
    m_next->setAccessibleName(tr("下一处"));
    m_next->setFocusPolicy(Qt::TabFocus);

    // what the learner typed comes back in the status line: shown as written
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setObjectName(QStringLiteral("HelpFindStatus"));
    m_status->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("第 888 处，共 888 处")));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    m_browser->setAccessibleName(tr("使用说明正文"));
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->document()->setDefaultFont(fonts::ui(10.5));
    m_browser->setHtml(helpHtml());

    auto *findRow = new QHBoxLayout;
    auto *findLabel = new QLabel(tr("查找(&F)："), this);
    findLabel->setBuddy(m_find);
    findRow->addWidget(findLabel);
    findRow->addWidget(m_find, 1);
    findRow->addWidget(m_previous);
    findRow->addWidget(m_next);
    findRow->addWidget(m_status);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(findRow);
    layout->addWidget(m_browser, 1);

    m_find->installEventFilter(this);
    connect(m_find, &QLineEdit::textChanged, this, &HelpWindow::search);
    connect(m_find, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(m_next, &QToolButton::clicked, this, &HelpWindow::findNext);
    connect(m_previous, &QToolButton::clicked, this, &HelpWindow::findPrevious);
    auto *toFind = new QShortcut(QKeySequence::Find, this);
    connect(toFind, &QShortcut::activated, this, [this] {
        m_find->setFocus(Qt::ShortcutFocusReason);
        m_find->selectAll();
    });
    auto *again = new QShortcut(QKeySequence::FindNext, this);
    connect(again, &QShortcut::activated, this, &HelpWindow::findNext);
    auto *back = new QShortcut(QKeySequence::FindPrevious, this);
    connect(back, &QShortcut::activated, this, &HelpWindow::findPrevious);

    // fits an 800 x 600 screen with the window frame and a panel bar to spare
    resize(720, 520);
    setMinimumSize(400, 300);
    m_find->setFocus();
}

void HelpWindow::search(const QString &text) {
    m_matches.clear();
    m_current = -1;
    if (!text.isEmpty()) {
        QTextDocument *doc = m_browser->document();
        for (QTextCursor c = doc->find(text); !c.isNull(); c = doc->find(text, c))
            m_matches.append(c);
    }
    if (m_matches.isEmpty()) {
        QTextCursor none = m_browser->textCursor();
        none.clearSelection();
        m_browser->setTextCursor(none);
        m_status->setText(text.isEmpty() ? QString() : tr("没有找到“%1”").arg(text));
        paintMatches();
        return;
    }
    showMatch(0);
}

void HelpWindow::findNext() {
    if (m_matches.isEmpty())
        return;
    showMatch((m_current + 1) % int(m_matches.size()));
}

void HelpWindow::findPrevious() {
    if (m_matches.isEmpty())
        return;
    const int n = int(m_matches.size());
    showMatch((m_current - 1 + n) % n);
}

void HelpWindow::showMatch(int index) {
    m_current = index;
    // the text cursor holds the match: the browser scrolls to it and assistive
    // tools read the selected words
    m_browser->setTextCursor(m_matches[index]);
    m_browser->ensureCursorVisible();
    // and brings it to the middle of the view, with its paragraph round it
    QScrollBar *bar = m_browser->verticalScrollBar();
    bar->setValue(bar->value() + m_browser->cursorRect().center().y() - m_browser->viewport()->height() / 2);
    m_status->setText(tr("第 %1 处，共 %2 处").arg(index + 1).arg(m_matches.size()));
    paintMatches();
}

void HelpWindow::paintMatches() {
    QList<QTextEdit::ExtraSelection> marks;
    for (int i = 0; i < m_matches.size(); ++i) {
        QTextEdit::ExtraSelection s;
        s.cursor = m_matches[i];
        s.format.setBackground(i == m_current ? QColor(255, 150, 50) : QColor(255, 235, 120));
        s.format.setForeground(Qt::black);
        marks.append(s);
    }
    m_browser->setExtraSelections(marks);
}

void HelpWindow::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool HelpWindow::eventFilter(QObject *o, QEvent *e) {
    // Shift+Enter in the find field goes back; the field would take it as Enter
    if (o == m_find && e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            (k->modifiers() & Qt::ShiftModifier)) {
            findPrevious();
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

HelpWindow *showHelp() {
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        // a small screen gets a smaller window, never one larger than its room
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QSize room = screen->availableGeometry().size() - QSize(40, 60);
            window->resize(window->size().boundedTo(room).expandedTo(window->minimumSize()));
        }
        centreOnScreen(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace platform
