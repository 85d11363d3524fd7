#include "simulator/frmmain.h"
#include "platform/dragger.h"
#include "platform/fonts.h"
#include "platform/keyboardlayout.h"
#include "platform/plaintext.h"
#include "platform/screenplace.h"
#include "simulator/cursorfile.h"
#include "simulator/inputcodes.h"
#include "start/moddata.h"
#include "start/twips.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>

namespace {

// A transparent hot zone (Label1, Label4, LblXXK(0), picture 5): reports the
// mouse in pixels, every button, and a double click's second press as a double click.
// The keyboard never stops on it: where the learner must click is part of the
// exercise, and the window's own keys belong to the steps.
platform::ClickLabel *zone(QWidget *parent, const QString &spoken) {
    auto *z = new platform::ClickLabel(parent);
    z->setFocusPolicy(Qt::NoFocus);
    z->setAccessibleName(spoken);
    z->setAttribute(Qt::WA_NoSystemBackground);
    z->setMouseTracking(true);
    z->setSeparateDoubleClicks(true);
    return z;
}

platform::NullKeyboardLayout &noKeyboard() {
    static platform::NullKeyboardLayout k;
    return k;
}

} // namespace

FrmMain::FrmMain(ModData &data, platform::KeyboardLayout *keyboard, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_data(data), m_learner(data),
      m_engine(data, &m_learner), m_keyboard(keyboard ? keyboard : &noKeyboard()) {
    setWindowTitle(data.appTitle());
    // The window takes the keyboard only when no box is shown (setData gives it
    // the focus then); a click on the screen never takes it from the command line.
    setFocusPolicy(Qt::TabFocus);
    m_engine.setListener(this);

    Timer2.setInterval(100);
    Timer2.setSingleShot(true);
    connect(&Timer2, &QTimer::timeout, this, [this] {
        Timer2.stop();
        setData();
    });
    Timer3.setInterval(1000);
    connect(&Timer3, &QTimer::timeout, this, [this] { m_engine.timer3Tick(); });

    // Form_Load: placement, saved steps, controls.
    const QScreen *scr = screen() ? screen() : QGuiApplication::primaryScreen();
    const sim::WindowPlacement place =
        sim::windowPlacement(scr ? scr->geometry() : QRect(0, 0, 1024, 768), data.ScaleX, data.ScaleY);
    m_maximised = place.maximised;
    setGeometry(place.rect);
    if (!m_maximised)
        platform::placeOnScreen(this, place.rect.topLeft());
    m_engine.formLoad();
    buildControls();
}

FrmMain::~FrmMain() {
    m_engine.setListener(nullptr);
}

void FrmMain::buildControls() {
    view = new sim::simview::ScreenView(this);
    view->setScale(m_data.ScaleX, m_data.ScaleY);
    view->setGeometry(rect());
    const sim::ScreenGeometry &g = view->screenGeometry();

    LblMove = new QWidget(this);
    LblMove->setAttribute(Qt::WA_NoSystemBackground);
    LblMove->setGeometry(g.moveBar());
    LblMove->installEventFilter(this);
    // The move bar drags the window on screens tall enough to show it whole; the
    // window follows the mouse itself and takes the panel along at every step.
    m_drag = new platform::Dragger(this);
    m_drag->setSystemMove(false);
    m_drag->setHandleSees(false);
    m_drag->mayDrag = [this] { return screen() && screen()->geometry().height() >= 650; };
    m_drag->moved = [this] { dockPanel(); };
    m_drag->afterDrag = [this](QWidget *) { dockPanel(); };
    m_drag->grip(LblMove);

    Image5 = zone(this, tr("拖动的图片"));
    Image5->hide();
    connect(Image5, &platform::ClickLabel::moved, this,
            [this](Qt::MouseButtons b, Qt::KeyboardModifiers, QPoint p) {
                m_engine.picture5MouseMove(int(b), start::twips::fromPx(p.x()), start::twips::fromPx(p.y()));
            });
    connect(Image5, &platform::ClickLabel::released, this, [this](int b) {
        if (b == 1)
            m_engine.picture5MouseUp();
    });

    Label1 = zone(this, tr("操作区域"));
    Label1->setGeometry(0, 0, 0, 0);
    connect(Label1, &platform::ClickLabel::pressed, this,
            [this](int b, Qt::KeyboardModifiers m) { m_engine.zone1MouseDown(b, sim::shiftState(m)); });
    connect(Label1, &platform::ClickLabel::released, this,
            [this](int b, Qt::KeyboardModifiers m) { m_engine.zone1MouseUp(b, sim::shiftState(m)); });
    connect(Label1, &platform::ClickLabel::doubleClicked, this, [this](int b, Qt::KeyboardModifiers m) {
        // The second click of a double click is a press as well.
        m_engine.zone1MouseDown(b, sim::shiftState(m));
        m_engine.zone1DoubleClick();
    });
    connect(Label1, &platform::ClickLabel::moved, this, [this] { m_engine.zone1MouseMove(); });

    Label4 = zone(this, tr("拖动区域"));
    Label4->setGeometry(-1, 0, 0, 0);
    connect(Label4, &platform::ClickLabel::pressed, this, [this](int b, Qt::KeyboardModifiers m, QPoint p) {
        m_engine.zone2MouseDown(b, sim::shiftState(m), start::twips::fromPx(p.x()),
                                start::twips::fromPx(p.y()));
    });
    connect(Label4, &platform::ClickLabel::moved, this,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers m, QPoint p) {
                m_engine.zone2MouseMove(sim::shiftState(m), start::twips::fromPx(p.x()),
                                        start::twips::fromPx(p.y()));
            });
    connect(Label4, &platform::ClickLabel::released, this, [this](int b, Qt::KeyboardModifiers m, QPoint p) {
        m_engine.zone2MouseUp(b, sim::shiftState(m), start::twips::fromPx(p.x()),
                              start::twips::fromPx(p.y()));
    });

    // Presses pass through to the window (which ends the hover); the filter
    // takes hovers and releases.
    for (auto *row : {&LMBack, &LMenu})
        for (int i = 0; i < sim::MenuTitles; ++i) {
            QWidget *w = (*row)[i] = new QWidget(this);
            w->setAttribute(Qt::WA_NoSystemBackground);
            w->setMouseTracking(row == &LMenu);
            w->hide();
            w->installEventFilter(this);
        }

    auto makeBox = [&] {
        auto *t = new QLineEdit(this);
        t->setFrame(false);
        t->setFont(g.boxFont());
        t->hide();
        t->installEventFilter(this);
        return t;
    };
    Text1 = makeBox();
    Text2 = makeBox();
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString &t) { m_engine.text1Changed(t); });
    connect(Text2, &QLineEdit::textChanged, this, [this](const QString &t) { m_engine.text2Changed(t); });

    LblXXK = zone(this, tr("返回区域"));
    LblXXK->setGeometry(0, 0, 0, 0);
    connect(LblXXK, &platform::ClickLabel::released, this, [this](int b) {
        if (b == 1)
            m_engine.backClick();
    });

    ImgLogo = new QWidget(this);
    ImgLogo->setAttribute(Qt::WA_NoSystemBackground);
    ImgLogo->setGeometry(g.emblem());

    notice = platform::plainLabel(this);
    notice->setObjectName(QStringLiteral("notice"));
    notice->setWordWrap(true);
    notice->setStyleSheet(sim::ScreenGeometry::noticeStyle());
    notice->setFont(platform::fonts::ui(9));
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice->hide();

    wm100 = new QMenu(this);
}

void FrmMain::showForm() {
    view->setExam(m_data.WorkMode == WorkExam);
    if (m_maximised)
        showMaximized();
    else
        show();
    dockPanel();
}

void FrmMain::setPanel(QuestionPanelPort *panel) {
    m_panel = panel;
    dockPanel();
}

void FrmMain::dockPanel() {
    if (!m_panel)
        return;
    // beside the window where the screen has room, so the command line stays in
    // sight; else in the window's lower right corner
    const QRect g = frameGeometry();
    m_panel->movePanel(platform::dockBeside(g, m_panel->panelSize(), platform::availableArea(g.center())));
}

void FrmMain::restoreQuestion(int q) {
    m_engine.restoreQuestion(q);
    applyPictures();
}

void FrmMain::setGuided(bool on) {
    if (m_data.WorkMode == WorkExam)
        return;
    m_data.WorkMode = on ? WorkGuided : WorkPractice;
}

void FrmMain::showGuides(bool on) {
    sim::ScreenModel s = view->screen();
    s.hintVisible = s.outline1 = s.outline4 = on;
    view->setScreen(s);
}

void FrmMain::setData() {
    m_engine.setData();
}

void FrmMain::applyPictures() {
    const sim::ScreenModel &s = m_engine.screen();
    bool changed = false;
    if (s.background != m_pictureIds[0]) {
        m_pictureIds[0] = s.background;
        m_pictures.background = m_engine.picture(s.background);
        changed = true;
    }
    for (int k = 1; k <= 5; ++k) {
        const QString &id = s.pics[k].id;
        if (m_pictureIds[k] != id || (m_pictures.pics[k].isNull() && !id.isEmpty())) {
            m_pictureIds[k] = id;
            m_pictures.pics[k] = m_engine.picture(id);
            changed = true;
        }
    }
    if (changed)
        view->setPictures(m_pictures);
    view->setScreen(s);
    // Picture 5 keeps the size of the last picture it showed.
    if (!m_pictures.pics[5].isNull())
        m_picture5Size = m_pictures.pics[5].size();
    Image5->setGeometry(
        QRect(QPoint(start::twips::toPx(s.pics[5].x), start::twips::toPx(s.pics[5].y)), m_picture5Size));
    Image5->setVisible(s.pics[5].visible);
}

void FrmMain::stepLaidOut() {
    const sim::ScreenModel &s = m_engine.screen();
    // 1: this window above the normal ones and the panel above all windows
    // (raised last, so that it stays on top even where no window manager keeps
    // topmost windows there).
    raise();
    if (m_panel)
        m_panel->raisePanel();

    applyPictures();
    // the status bar's emblem tells an exam from practice
    view->setExam(m_data.WorkMode == WorkExam);

    Label1->setGeometry(sim::ScreenGeometry::px(s.zone1));
    Label4->setGeometry(sim::ScreenGeometry::px(s.zone2));
    LblXXK->setGeometry(sim::ScreenGeometry::px(s.back));

    {
        const QSignalBlocker b1(Text1);
        const QSignalBlocker b2(Text2);
        if (s.boxVisible) {
            Text1->setGeometry(sim::ScreenGeometry::px(s.box));
            Text1->setText(s.boxText);
        }
        if (s.overlayVisible) {
            Text2->setGeometry(sim::ScreenGeometry::px(s.overlay));
            Text2->setText(s.overlayText);
        }
    }
    Text1->setVisible(s.boxVisible);
    Text2->setVisible(s.overlayVisible);

    layoutMenuBar();

    if (s.timer3) {
        if (!Timer3.isActive())
            Timer3.start();
    } else {
        Timer3.stop();
    }

    if (s.boxVisible) {
        Text1->setFocus(Qt::OtherFocusReason);
        Text1->selectAll();
    } else if (s.overlayVisible) {
        Text2->setFocus(Qt::OtherFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
    updateNotice();
    QTimer::singleShot(0, this, [this] { m_engine.prefetchNext(); });
}

void FrmMain::layoutMenuBar() {
    const sim::ScreenModel &s = m_engine.screen();
    const sim::ScreenGeometry &g = view->screenGeometry();
    m_hover = -1;
    view->setHoveredTitle(-1);
    for (int i = 0; i < sim::MenuTitles; ++i) {
        LMenu[i]->setGeometry(g.titleRect(s, i));
        LMenu[i]->setVisible(s.menuBarVisible);
        LMBack[i]->setGeometry(g.highlightRect(s, i));
        LMBack[i]->hide();
    }
}

void FrmMain::hoverTitle(int i) {
    if (m_hover == i)
        return;
    for (int j = 0; j < sim::MenuTitles; ++j)
        LMBack[j]->hide();
    m_hover = i;
    view->setHoveredTitle(i);
    if (i >= 0)
        LMBack[i]->show();
}

void FrmMain::formClick() {
    hoverTitle(-1);
}

void FrmMain::dragChanged() {
    const sim::ScreenModel &s = m_engine.screen();
    // only the selection window and picture 5 move; the guides stay as shown
    sim::ScreenModel shown = view->screen();
    shown.selection = s.selection;
    shown.selectionVisible = s.selectionVisible;
    shown.pics[5].x = s.pics[5].x;
    shown.pics[5].y = s.pics[5].y;
    view->setScreen(shown);
    Image5->move(start::twips::toPx(s.pics[5].x), start::twips::toPx(s.pics[5].y));
}

void FrmMain::setPointer(QWidget *w, const sim::PointerShape &p) {
    switch (p.kind) {
    case sim::PointerShape::Default:
        w->unsetCursor();
        return;
    case sim::PointerShape::System:
        w->setCursor(sim::systemPointer(p.number));
        return;
    case sim::PointerShape::Custom:
        break;
    }
    auto it = m_cursors.find(p.file);
    if (it == m_cursors.end()) {
        const sim::cursorfile::Cursor c = sim::cursorfile::load(p.file);
        if (c.isNull())
            return; // a pointer file that cannot be loaded keeps the current pointer
        it = m_cursors.insert(p.file, QCursor(QPixmap::fromImage(c.image), c.hotSpot.x(), c.hotSpot.y()));
    }
    w->setCursor(*it);
}

void FrmMain::zone1Pointer(const sim::PointerShape &p) {
    setPointer(Label1, p);
}
void FrmMain::zone2Pointer(const sim::PointerShape &p) {
    setPointer(Label4, p);
}

void FrmMain::showMenu(const sim::menus::MenuContent &m, int barIndex) {
    wm100->clear();
    auto fill = [this](QMenu *menu, int group, const QStringList &items) {
        for (int j = 0; j < items.size(); ++j) {
            if (items[j] == QLatin1String("-")) {
                menu->addSeparator();
                continue;
            }
            QAction *a = menu->addAction(items[j]);
            a->setProperty("group", group);
            a->setProperty("item", j);
            connect(a, &QAction::triggered, this, [this, group, j] { m_engine.menuItemChosen(group, j); });
        }
    };
    auto sub = [&](int s) {
        if (!m.subVisible[s])
            return;
        QMenu *child = wm100->addMenu(m.subTitle[s]);
        fill(child, sim::menus::groupOfSubmenu(s), m.groups[sim::menus::groupOfSubmenu(s)]);
    };
    sub(1);
    fill(wm100, 2, m.groups[2]);
    sub(2);
    fill(wm100, 4, m.groups[4]);
    sub(3);
    fill(wm100, 6, m.groups[6]);
    sub(4);
    sub(5);
    fill(wm100, 9, m.groups[9]);

    // A pop-up without one item to choose (sMenu.sys missing or holding nothing
    // for this menu) would open invisible and swallow the learner's next click:
    // it is not opened at all.
    const QList<QAction *> actions = wm100->actions();
    if (std::none_of(actions.begin(), actions.end(), [](const QAction *a) { return !a->isSeparator(); }))
        return;
    QPoint at;
    if (barIndex >= 0 && barIndex < sim::MenuTitles) {
        const QWidget *h = LMBack[barIndex];
        at = mapToGlobal(QPoint(h->x(), h->y() + h->height()));
    } else {
        at = QCursor::pos();
    }
    wm100->popup(at);
    Q_EMIT menuShown();
}

void FrmMain::panelCaptions(const std::optional<QString> &lblBiao, const std::optional<QString> &lblUnit) {
    if (!m_panel)
        return;
    if (lblBiao)
        m_panel->setTitle(*lblBiao);
    if (lblUnit)
        m_panel->setUnfinished(*lblUnit);
}

void FrmMain::fileProblem(const QString &message) {
    m_problems << message;
    while (m_problems.size() > 3)
        m_problems.removeFirst();
    updateNotice();
}

void FrmMain::fileProblemsCleared() {
    m_problems.clear();
    notice->clear();
    notice->hide();
}

void FrmMain::updateNotice() {
    if (m_problems.isEmpty())
        return;
    QString text = m_problems.join(u'\n');
    if (m_engine.blocked())
        text += tr("\n本步骤所需的文件无法读取，本题暂时无法完成。");
    notice->setText(text);
    notice->setFixedWidth(start::twips::toPx(9000));
    notice->adjustSize();
    notice->move(start::twips::toPx(150), start::twips::toPx(7500) - notice->height());
    notice->show();
    notice->raise();
}

void FrmMain::closeForRunEnd() {
    m_runOver = true;
    close();
}

void FrmMain::closeEvent(QCloseEvent *e) {
    if (m_runOver || !isSignalConnected(QMetaMethod::fromSignal(&FrmMain::endOfRunAsked))) {
        e->accept();
        return;
    }
    // the run decides: a practice writes its records, an exam asks for the
    // hand-in (and the window stays when the learner goes on); asked once the
    // close has returned, since the run's end closes this window in turn
    e->ignore();
    QMetaObject::invokeMethod(this, &FrmMain::endOfRunAsked, Qt::QueuedConnection);
}

void FrmMain::resizeEvent(QResizeEvent *) {
    if (view)
        view->setGeometry(rect());
}

void FrmMain::keyPressEvent(QKeyEvent *e) {
    // F6, which no step asks for, hands the keyboard to the question panel
    if (e->key() == Qt::Key_F6 && e->modifiers() == Qt::NoModifier) {
        if (m_panel)
            m_panel->takeKeyboard();
        return;
    }
    QWidget *f = focusWidget();
    if (f == Text1 || f == Text2)
        return; // keys typed into a box are the box's
    const sim::KeyCode k = sim::keyOfEvent(e->key(), e->modifiers(), e->text());
    if (k.key != 0)
        m_engine.windowKeyDown(k.key, k.shift);
}

void FrmMain::mousePressEvent(QMouseEvent *) {
    formClick();
}

// Tab is a key like any other on the simulated screen (codes "6009"), and the
// command line keeps the focus.
bool FrmMain::focusNextPrevChild(bool) {
    return false;
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type t = event->type();
    if (watched == Text1) {
        if (t == QEvent::FocusIn) {
            using TextInput = platform::KeyboardLayout::TextInput;
            const TextInput input = m_keyboard->activate(m_data.InputLayout, 1);
            if (input != TextInput::Keep) {
                Text1->setAttribute(Qt::WA_InputMethodEnabled, input == TextInput::InputMethod);
                if (QInputMethod *im = QGuiApplication::inputMethod())
                    im->update(Qt::ImEnabled);
            }
        }
        if (t == QEvent::KeyRelease) {
            auto *k = static_cast<QKeyEvent *>(event);
            if (!k->isAutoRepeat()) {
                const int vk = sim::vkFromQtKey(k->key());
                if (m_engine.text1KeyReleased(vk))
                    Text1->clear();
            }
        }
        return false;
    }
    // the move bar: a press the drag does not take is a click on the window
    if (watched == LblMove) {
        if (t == QEvent::MouseButtonPress)
            formClick();
        return false;
    }
    for (int i = 0; i < sim::MenuTitles; ++i) {
        if (watched != LMenu[i] && watched != LMBack[i])
            continue;
        if (t == QEvent::MouseMove || t == QEvent::Enter) {
            if (watched == LMenu[i])
                hoverTitle(i);
        } else if (t == QEvent::MouseButtonRelease) {
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                m_engine.openBarMenu(i);
            return true;
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}
