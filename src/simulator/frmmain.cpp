#include "simulator/frmmain.h"
#include "platform/keyboardlayout.h"
#include "simulator/cursorfile.h"
#include "simulator/inputcodes.h"
#include "start/moddata.h"
#include "start/twips.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>

namespace simview {

ZoneLabel::ZoneLabel(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void ZoneLabel::mousePressEvent(QMouseEvent *e) {
    Q_EMIT pressed(int(e->button()), e->modifiers(), e->position().toPoint());
}
void ZoneLabel::mouseReleaseEvent(QMouseEvent *e) {
    Q_EMIT released(int(e->button()), e->modifiers(), e->position().toPoint());
}
void ZoneLabel::mouseDoubleClickEvent(QMouseEvent *e) {
    Q_EMIT doubleClicked(int(e->button()), e->modifiers(), e->position().toPoint());
}
void ZoneLabel::mouseMoveEvent(QMouseEvent *e) {
    Q_EMIT moved(e->buttons(), e->modifiers(), e->position().toPoint());
}

void PictureBox::setImage(const QImage &img) {
    m_image = img;
    if (!img.isNull())
        resize(img.size());
    update();
}

void PictureBox::paintEvent(QPaintEvent *) {
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

OutlineBox::OutlineBox(QWidget *parent, QColor colour, Qt::PenStyle style)
    : QWidget(parent), m_colour(colour), m_style(style) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void OutlineBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    QPen pen(m_colour, 1, m_style);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace simview

namespace {

platform::NullKeyboardLayout &noKeyboard() {
    static platform::NullKeyboardLayout k;
    return k;
}

QFont songFont(double pt, bool bold = false) {
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                   QStringLiteral("Noto Serif CJK SC")});
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

QFont successFont(double pt) {
    static const QStringList preferred{QStringLiteral("STXingkai"),     QStringLiteral("华文行楷"),
                                       QStringLiteral("KaiTi"),         QStringLiteral("楷体"),
                                       QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB"),
                                       QStringLiteral("LXGW WenKai"),   QStringLiteral("Noto Serif CJK SC")};
    const QStringList have = QFontDatabase::families();
    QFont f;
    for (const QString &name : preferred)
        if (have.contains(name)) {
            f.setFamily(name);
            break;
        }
    f.setPointSizeF(pt);
    return f;
}

// "文件(&F)" as rich text with the access key underlined.
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

QPixmap drawLogo(QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(40, 90, 170));
    g.setColorAt(1, QColor(20, 50, 110));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, size.width(), size.height()), 3, 3);
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QRectF(3, 3, size.height() - 6, size.height() - 6));
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    f.setPixelSize(qMax(8, size.height() - 4));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(size.height(), 0, size.width() - size.height(), size.height()), Qt::AlignCenter,
               QStringLiteral("练习"));
    return pm;
}

} // namespace

FrmMain::FrmMain(ModData &data, platform::KeyboardLayout *keyboard, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_data(data), m_engine(data),
      m_keyboard(keyboard ? keyboard : &noKeyboard()) {
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
    m_engine.formLoad();
    buildControls();
}

FrmMain::~FrmMain() {
    m_engine.setListener(nullptr);
}

QRect FrmMain::px(const sim::Rect &r) const {
    return QRect(twips::toPx(r.x), twips::toPx(r.y), twips::toPx(r.w), twips::toPx(r.h));
}

void FrmMain::buildControls() {
    const double sx = m_data.ScaleX;
    const double sy = m_data.ScaleY;
    auto at = [&](QWidget *w, int x, int y, int wd, int ht) {
        w->setGeometry(twips::toPxX(x, sx), twips::toPxY(y, sy), twips::toPxX(wd, sx), twips::toPxY(ht, sy));
    };

    for (int k = 1; k <= 4; ++k) {
        Image[k] = new simview::PictureBox(this);
        Image[k]->hide();
        connect(Image[k], &simview::ZoneLabel::released, this, [this] { formClick(); });
    }
    LblMove = new QWidget(this);
    LblMove->setAttribute(Qt::WA_NoSystemBackground);
    at(LblMove, 1440, 0, 9495, 375);
    LblMove->installEventFilter(this);

    Image[5] = new simview::PictureBox(this);
    Image[5]->hide();
    connect(Image[5], &simview::ZoneLabel::moved, this,
            [this](Qt::MouseButtons b, Qt::KeyboardModifiers, QPoint p) {
                m_engine.picture5MouseMove(int(b), twips::fromPx(p.x()), twips::fromPx(p.y()));
            });
    connect(Image[5], &simview::ZoneLabel::released, this, [this](int b) {
        if (b == 1)
            m_engine.picture5MouseUp();
    });

    Shape1 = new simview::OutlineBox(this, Qt::red, Qt::SolidLine);
    Shape4 = new simview::OutlineBox(this, QColor(0, 200, 0), Qt::SolidLine);
    Shape1->hide();
    Shape4->hide();

    LHelp = new QLabel(this);
    LHelp->setFont(songFont(10.5, true));
    LHelp->setStyleSheet(QStringLiteral("QLabel { color: #ff0000; background: #ffff00; }"));
    LHelp->setAttribute(Qt::WA_TransparentForMouseEvents); // a hint never covers a zone
    LHelp->hide();

    Label1 = new simview::ZoneLabel(this);
    Label1->setGeometry(0, 0, 0, 0);
    connect(Label1, &simview::ZoneLabel::pressed, this,
            [this](int b, Qt::KeyboardModifiers m) { m_engine.zone1MouseDown(b, sim::shiftState(m)); });
    connect(Label1, &simview::ZoneLabel::released, this,
            [this](int b, Qt::KeyboardModifiers m) { m_engine.zone1MouseUp(b, sim::shiftState(m)); });
    connect(Label1, &simview::ZoneLabel::doubleClicked, this, [this](int b, Qt::KeyboardModifiers m) {
        // The second click of a double click is a press as well.
        m_engine.zone1MouseDown(b, sim::shiftState(m));
        m_engine.zone1DoubleClick();
    });
    connect(Label1, &simview::ZoneLabel::moved, this, [this] { m_engine.zone1MouseMove(); });

    Label4 = new simview::ZoneLabel(this);
    Label4->setGeometry(-1, 0, 0, 0);
    connect(Label4, &simview::ZoneLabel::pressed, this, [this](int b, Qt::KeyboardModifiers m, QPoint p) {
        m_engine.zone2MouseDown(b, sim::shiftState(m), twips::fromPx(p.x()), twips::fromPx(p.y()));
    });
    connect(Label4, &simview::ZoneLabel::moved, this,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers m, QPoint p) {
                m_engine.zone2MouseMove(sim::shiftState(m), twips::fromPx(p.x()), twips::fromPx(p.y()));
            });
    connect(Label4, &simview::ZoneLabel::released, this, [this](int b, Qt::KeyboardModifiers m, QPoint p) {
        m_engine.zone2MouseUp(b, sim::shiftState(m), twips::fromPx(p.x()), twips::fromPx(p.y()));
    });

    for (int i = 0; i < sim::MenuTitles; ++i) {
        LMBack[i] = new QLabel(this);
        LMBack[i]->setAutoFillBackground(true);
        QPalette pal = LMBack[i]->palette();
        pal.setColor(QPalette::Window, palette().color(QPalette::Highlight));
        LMBack[i]->setPalette(pal);
        LMBack[i]->resize(twips::toPxX(870, sx), twips::toPxY(255, sy));
        LMBack[i]->hide();
        LMBack[i]->installEventFilter(this);
    }
    for (int i = 0; i < sim::MenuTitles; ++i) {
        LMenu[i] = new QLabel(this);
        LMenu[i]->setTextFormat(Qt::RichText);
        QFont f = font();
        f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC")});
        f.setPointSizeF(9 * sx);
        LMenu[i]->setFont(f);
        LMenu[i]->setAttribute(Qt::WA_TranslucentBackground);
        LMenu[i]->setMouseTracking(true);
        LMenu[i]->setText(mnemonicHtml(sim::designMenuTitles()[i]));
        LMenu[i]->adjustSize();
        LMenu[i]->hide();
        LMenu[i]->installEventFilter(this);
    }

    Shape6 = new simview::OutlineBox(this, Qt::white, Qt::DotLine);
    Shape6->hide();

    auto makeBox = [&] {
        auto *t = new QLineEdit(this);
        t->setFrame(false);
        t->setFont(songFont(9 * sx));
        t->hide();
        t->installEventFilter(this);
        return t;
    };
    Text1 = makeBox();
    Text2 = makeBox();
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString &t) { m_engine.text1Changed(t); });
    connect(Text2, &QLineEdit::textChanged, this, [this](const QString &t) { m_engine.text2Changed(t); });

    LblXXK = new simview::ZoneLabel(this);
    LblXXK->setGeometry(0, 0, 0, 0);
    connect(LblXXK, &simview::ZoneLabel::released, this, [this](int b) {
        if (b == 1)
            m_engine.backClick();
    });

    LblSuccess = new QLabel(QStringLiteral("操作成功！"), this);
    LblSuccess->setFont(successFont(72 * sx));
    LblSuccess->setStyleSheet(QStringLiteral("QLabel { color: #ff0000; background: transparent; }"));
    LblSuccess->setAttribute(Qt::WA_TransparentForMouseEvents);
    LblSuccess->adjustSize();
    LblSuccess->move(twips::toPxX(2640, sx), twips::toPxY(3840, sy));
    LblSuccess->hide();

    ImgLogo = new QLabel(this);
    at(ImgLogo, 9210, 8700, 1165, 225);
    ImgLogo->setPixmap(drawLogo(ImgLogo->size()));

    notice = new QLabel(this);
    notice->setWordWrap(true);
    notice->setStyleSheet(
        QStringLiteral("QLabel { color: #d00000; background: rgba(255,255,255,220); padding: 2px; }"));
    QFont nf;
    nf.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    nf.setPointSizeF(9);
    notice->setFont(nf);
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice->hide();

    wm100 = new QMenu(this);
}

void FrmMain::showForm() {
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
    const QSize ps = m_panel->panelSize();
    const QRect g = frameGeometry();
    m_panel->movePanel(QPoint(g.x() + g.width() - ps.width(), g.y() + g.height() - ps.height()));
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

void FrmMain::setData() {
    m_engine.setData();
}

void FrmMain::applyPictures() {
    const sim::ScreenModel &s = m_engine.screen();
    if (s.background != m_backgroundId) {
        m_backgroundId = s.background;
        m_background = m_engine.picture(s.background);
        update();
    }
    for (int k = 1; k <= 5; ++k) {
        const sim::PictureState &p = s.pics[k];
        simview::PictureBox *box = Image[k];
        if (box->property("pictureId").toString() != p.id || (box->image().isNull() && !p.id.isEmpty())) {
            box->setProperty("pictureId", p.id);
            box->setImage(m_engine.picture(p.id));
        }
        box->move(twips::toPx(p.x), twips::toPx(p.y));
        box->setVisible(p.visible);
    }
}

void FrmMain::stepLaidOut() {
    const sim::ScreenModel &s = m_engine.screen();
    // 1: this window above the normal ones and the panel above all windows
    // (raised last, so that it stays on top even where no window manager keeps
    // topmost windows there).
    LblSuccess->setVisible(false);
    raise();
    if (m_panel)
        m_panel->raisePanel();

    applyPictures();

    Label1->setGeometry(px(s.zone1));
    Shape1->setGeometry(px(s.zone1));
    Label4->setGeometry(px(s.zone2));
    Shape4->setGeometry(px(s.zone2));
    LblXXK->setGeometry(px(s.back));
    Shape6->setGeometry(px(s.selection));
    Shape6->setVisible(s.selectionVisible);

    {
        const QSignalBlocker b1(Text1);
        const QSignalBlocker b2(Text2);
        if (s.boxVisible) {
            Text1->setGeometry(px(s.box));
            Text1->setText(s.boxText);
        }
        if (s.overlayVisible) {
            Text2->setGeometry(px(s.overlay));
            Text2->setText(s.overlayText);
        }
    }
    Text1->setVisible(s.boxVisible);
    Text2->setVisible(s.overlayVisible);

    LHelp->setText(s.hintText);
    LHelp->adjustSize();
    LHelp->move(twips::toPx(s.hintX), twips::toPx(s.hintY));
    LHelp->setVisible(s.hintVisible);
    Shape1->setVisible(s.outline1);
    Shape4->setVisible(s.outline4);

    for (int i = 0; i < sim::MenuTitles; ++i)
        LMenu[i]->setText(mnemonicHtml(s.menuTitles[i]));
    layoutMenuBar();

    LblSuccess->setVisible(s.successVisible);

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
    const double sx = m_data.ScaleX;
    const double sy = m_data.ScaleY;
    m_hover = -1;
    for (int i = 0; i < sim::MenuTitles; ++i) {
        QLabel *t = LMenu[i];
        t->setStyleSheet(QString());
        t->adjustSize();
        t->move(twips::toPxX(810 * i + s.menuBarLeft, sx), twips::toPxY(s.menuBarTop, sy));
        t->setVisible(s.menuBarVisible);
        QLabel *h = LMBack[i];
        h->resize(twips::toPxX(810, sx), twips::toPxY(255, sy));
        h->move(t->x() + (t->width() - h->width()) / 2, t->y() + (t->height() - h->height()) / 2);
        h->hide();
    }
}

void FrmMain::hoverTitle(int i) {
    if (m_hover == i)
        return;
    for (int j = 0; j < sim::MenuTitles; ++j) {
        LMenu[j]->setStyleSheet(QString());
        LMBack[j]->hide();
    }
    m_hover = i;
    if (i < 0)
        return;
    LMenu[i]->setStyleSheet(
        QStringLiteral("QLabel { color: %1; }").arg(palette().color(QPalette::HighlightedText).name()));
    LMBack[i]->show();
}

void FrmMain::formClick() {
    hoverTitle(-1);
}

void FrmMain::dragChanged() {
    const sim::ScreenModel &s = m_engine.screen();
    Shape6->setGeometry(px(s.selection));
    Shape6->setVisible(s.selectionVisible);
    Image[5]->move(twips::toPx(s.pics[5].x), twips::toPx(s.pics[5].y));
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
        const cursorfile::Cursor c = cursorfile::load(p.file);
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

void FrmMain::showMenu(const menus::MenuContent &m, int barIndex) {
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
        fill(child, menus::groupOfSubmenu(s), m.groups[menus::groupOfSubmenu(s)]);
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

    QPoint at;
    if (barIndex >= 0 && barIndex < sim::MenuTitles) {
        const QLabel *h = LMBack[barIndex];
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

void FrmMain::updateNotice() {
    if (m_problems.isEmpty())
        return;
    QString text = m_problems.join(u'\n');
    if (m_engine.blocked())
        text += QStringLiteral("\n本步骤所需的文件无法读取，本题暂时无法完成。");
    notice->setText(text);
    notice->setFixedWidth(twips::toPx(9000));
    notice->adjustSize();
    notice->move(twips::toPx(150), twips::toPx(7500) - notice->height());
    notice->show();
    notice->raise();
}

void FrmMain::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_background.isNull())
        p.drawImage(0, 0, m_background);
}

void FrmMain::keyPressEvent(QKeyEvent *e) {
    QWidget *f = focusWidget();
    if (f == Text1 || f == Text2)
        return; // keys typed into a box are the box's
    const int vk = sim::vkFromQtKey(e->key());
    if (vk != 0)
        m_engine.windowKeyDown(vk, sim::shiftState(e->modifiers()));
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
        if (t == QEvent::FocusIn)
            m_keyboard->activate(m_data.InputLayout, 1);
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
    const bool mouse =
        t == QEvent::MouseButtonPress || t == QEvent::MouseMove || t == QEvent::MouseButtonRelease;
    if (watched == LblMove && mouse) {
        auto *m = static_cast<QMouseEvent *>(event);
        const bool tall = screen() && screen()->geometry().height() >= 650;
        if (t == QEvent::MouseButtonPress && m->button() == Qt::LeftButton && tall) {
            m_moving = true;
            m_moveGrab = m->globalPosition().toPoint() - frameGeometry().topLeft();
            return true;
        }
        if (t == QEvent::MouseMove && m_moving) {
            move(m->globalPosition().toPoint() - m_moveGrab);
            dockPanel();
            return true;
        }
        if (t == QEvent::MouseButtonRelease && m_moving) {
            m_moving = false;
            dockPanel();
            return true;
        }
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
