#include "cover/frmfengmian.h"
#include "cover/entries.h"
#include "platform/dragger.h"
#include "platform/fonts.h"
#include "platform/helpwindow.h"
#include "platform/plaintext.h"
#include "platform/screenplace.h"
#include "platform/services.h"
#include "platform/windowrole.h"
#include "start/startup.h"
#include "start/twips.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <cstdlib>
#include <tuple>

using cover::coverart::Look;
using cover::coverart::Tab;

// ---- FrmFengmian ------------------------------------------------------------

namespace {

QFont cjk(int px, bool bold = false) {
    return platform::fonts::uiPixels(px, bold);
}

// A transparent label that acts as a button: the hand pointer, hover looks, and
// moves left to the page (which restores the normal looks). spoken: what it is
// called for the keyboard and assistive tools; its focus mark is gold on the
// navy strips and orange on the light ground and the blue buttons.
platform::ClickLabel *coverButton(const QString &name, QWidget *parent, const QString &spoken = QString(),
                                  bool onNavy = false) {
    auto *b = new platform::ClickLabel(parent);
    b->setObjectName(name);
    b->setCursor(Qt::PointingHandCursor);
    b->setAttribute(Qt::WA_Hover);
    b->setKeepsMoves(false);
    if (!spoken.isEmpty())
        b->setAccessibleName(spoken);
    b->setFocusMark(onNavy ? cover::coverart::Gold : cover::coverart::Orange, 5);
    return b;
}

// A caption as it is spoken: "返 回" is "返回".
QString spoken(QString caption) {
    return caption.remove(u' ');
}

// The pressed looks follow the left button only.
template <typename F> void onPress(platform::ClickLabel *b, const QObject *context, F f) {
    QObject::connect(b, &platform::ClickLabel::pressed, context, [f](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            f();
    });
}

QLabel *picture(QWidget *parent, const QString &name, const QPixmap &pm, QPoint at) {
    auto *l = platform::plainLabel(parent);
    l->setObjectName(name);
    l->setPixmap(pm);
    l->setGeometry(QRect(at, pm.deviceIndependentSize().toSize())); // drawn at the screen's pixel ratio
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

QLabel *text(QWidget *parent, const QString &name, QRect r, const QFont &font, const QColor &color,
             Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto *l = platform::plainLabel(parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setFont(font);
    l->setAlignment(align);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

platform::ClickLabel *textButton(QWidget *parent, const QString &name, const QString &caption, QRect r,
                                 int px = 13) {
    auto *b = coverButton(name, parent, spoken(caption), true);
    b->setGeometry(r);
    b->setText(caption);
    b->setFont(cjk(px));
    b->setAlignment(Qt::AlignCenter);
    const auto colour = [b](QColor c) {
        QPalette pal = b->palette();
        pal.setColor(QPalette::WindowText, c);
        b->setPalette(pal);
    };
    colour(cover::coverart::Mist);
    QObject::connect(b, &platform::ClickLabel::entered, b, [colour] { colour(cover::coverart::Gold); });
    QObject::connect(b, &platform::ClickLabel::left, b, [colour] { colour(cover::coverart::Mist); });
    return b;
}

// A text button on a light ground: its colour, the accent under the mouse.
platform::ClickLabel *linkButton(QWidget *parent, const QString &name, const QString &caption, QRect r,
                                 const QColor &colour) {
    auto *b = coverButton(name, parent, spoken(caption));
    b->setGeometry(r);
    b->setText(caption);
    b->setFont(cjk(13));
    b->setAlignment(Qt::AlignCenter);
    const auto paint = [b](QColor c) {
        QPalette pal = b->palette();
        pal.setColor(QPalette::WindowText, c);
        b->setPalette(pal);
    };
    paint(colour);
    QObject::connect(b, &platform::ClickLabel::entered, b, [paint] { paint(cover::coverart::Orange); });
    QObject::connect(b, &platform::ClickLabel::left, b, [paint, colour] { paint(colour); });
    return b;
}

// A drawn button whose picture follows the mouse.
platform::ClickLabel *pictureButton(QWidget *parent, const QString &name, const QString &caption, QRect r,
                                    bool accent) {
    auto *b = coverButton(name, parent, spoken(caption));
    b->setFocusMark(accent ? cover::coverart::Navy : cover::coverart::Orange, 6);
    b->setGeometry(r);
    const QPixmap normal = cover::coverart::button(caption, r.size(), Look::Normal, accent);
    const QPixmap hover = cover::coverart::button(caption, r.size(), Look::Hover, accent);
    const QPixmap down = cover::coverart::button(caption, r.size(), Look::Pressed, accent);
    b->setPixmap(normal);
    QObject::connect(b, &platform::ClickLabel::entered, b, [b, hover] { b->setPixmap(hover); });
    QObject::connect(b, &platform::ClickLabel::left, b, [b, normal] { b->setPixmap(normal); });
    onPress(b, b, [b, down] { b->setPixmap(down); });
    return b;
}

// The button beside from in the direction of key among the shown, Tab-reachable
// buttons of its panel: the nearest one whose extent across the direction
// overlaps from's, so that Down from a grid cell lands on the cell below it and
// not on a neighbour's row. None at the edge of the grid.
platform::ClickLabel *gridNeighbour(platform::ClickLabel *from, int key) {
    QWidget *panel = from->parentWidget();
    if (!panel)
        return nullptr;
    const QRect a = from->geometry();
    const bool across = key == Qt::Key_Left || key == Qt::Key_Right;
    platform::ClickLabel *best = nullptr;
    int bestDistance = 0, bestOffset = 0;
    for (auto *b : panel->findChildren<platform::ClickLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (b == from || !b->isVisibleTo(panel) || !b->isEnabled() || !(b->focusPolicy() & Qt::TabFocus))
            continue;
        const QRect r = b->geometry();
        int distance = 0;
        switch (key) {
        case Qt::Key_Left:
            distance = a.left() - r.right();
            break;
        case Qt::Key_Right:
            distance = r.left() - a.right();
            break;
        case Qt::Key_Up:
            distance = a.top() - r.bottom();
            break;
        default:
            distance = r.top() - a.bottom();
            break;
        }
        const bool overlaps = across ? (r.top() <= a.bottom() && a.top() <= r.bottom())
                                     : (r.left() <= a.right() && a.left() <= r.right());
        if (distance <= 0 || !overlaps)
            continue;
        const int offset =
            across ? std::abs(r.center().y() - a.center().y()) : std::abs(r.center().x() - a.center().x());
        if (!best || distance < bestDistance || (distance == bestDistance && offset < bestOffset)) {
            best = b;
            bestDistance = distance;
            bestOffset = offset;
        }
    }
    return best;
}

QPoint px(QPoint tw, const ModData &d) {
    return {start::twips::toPxX(tw.x(), d.ScaleX), start::twips::toPxY(tw.y(), d.ScaleY)};
}

} // namespace

FrmFengmian::FrmFengmian(ModData &data, platform::Prompter &asker, platform::Launcher *launcher,
                         QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_data(data), m_prompter(asker),
      m_launcher(launcher) {
    setObjectName(QStringLiteral("FrmFengmian"));
    platform::setWindowRole(this, QAccessible::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    m_drag = new platform::Dragger(this);
    m_drag->grip(this);
    // F1 opens the instructions wherever the keyboard is on the page
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, [] { platform::showHelp(); });
    ModData &d = m_data;
    m_state = cover::load(d, cover::versionText());
    if (m_state.moduleMismatch || !m_state.fatal.isEmpty())
        return;
    setWindowTitle(m_state.windowTitle);
    setFixedSize(start::twips::toPxX(12000, d.ScaleX), start::twips::toPxY(9000, d.ScaleY));
    platform::centreOnScreen(this);
    build();
    fill();
    if (!m_state.errors.isEmpty()) {
        const QString message = m_state.errors.join(QStringLiteral("\n"));
        QTimer::singleShot(0, this, [this, message] {
            prompter().ask(message, platform::Prompter::Ok, platform::Prompter::Warning);
        });
    }
}

void FrmFengmian::build() {
    // caption strip
    LblCaption = text(this, QStringLiteral("LblCaption"), QRect(36, 0, 700, cover::coverart::CaptionHeight),
                      cjk(13), cover::coverart::Mist);
    // module subtitle with its shadow
    LblKmMc1 = text(this, QStringLiteral("LblKmMc1"), QRect(130, 106, 620, 34), cjk(22),
                    cover::coverart::TitleShadow);
    LblKmMc = text(this, QStringLiteral("LblKmMc"), QRect(128, 104, 620, 34), cjk(22), cover::coverart::Gold);

    // the two tabs: three looks each under a transparent label
    const auto tabImages = [this](Tab t, QLabel *&normal, QLabel *&hover, QLabel *&down,
                                  const QString &base) {
        const QPoint at = cover::coverart::tabRect(t).topLeft() - QPoint(8, 8);
        normal = picture(this, base, cover::coverart::tabCard(t, Look::Normal), at);
        // hover and pressed looks are drawn with the panels, after the first paint
        hover = picture(this, base + QStringLiteral("1"), QPixmap(), at);
        down = picture(this, base + QStringLiteral("2"), QPixmap(), at);
        hover->hide();
        down->hide();
    };
    tabImages(Tab::Units, ImgTiKu, ImgTiKu1, ImgTiKu2, QStringLiteral("ImgTiKu"));
    tabImages(Tab::Exams, ImgKaCH, ImgKaCH1, ImgKaCH2, QStringLiteral("ImgKaCH"));
    LblTiKu = coverButton(QStringLiteral("LblTiKu"), this, tr("单元练习"));
    LblTiKu->setGeometry(cover::coverart::tabRect(Tab::Units));
    LblTiKu->setFocusMark(cover::coverart::Orange, 14);
    LblKaCH = coverButton(QStringLiteral("LblKaCH"), this, tr("模拟考试"));
    LblKaCH->setGeometry(cover::coverart::tabRect(Tab::Exams));
    LblKaCH->setFocusMark(cover::coverart::Blue, 14);
    LblTiKu->setShortcut(QKeySequence(Qt::ALT | Qt::Key_U));
    LblKaCH->setShortcut(QKeySequence(Qt::ALT | Qt::Key_E));
    connect(LblTiKu, &platform::ClickLabel::entered, this, [this] { showTabLook(Tab::Units, Look::Hover); });
    onPress(LblTiKu, this, [this] { showTabLook(Tab::Units, Look::Pressed); });
    connect(LblTiKu, &platform::ClickLabel::left, this, &FrmFengmian::normalLooks);
    connect(LblTiKu, &platform::ClickLabel::clicked, this, &FrmFengmian::LblTiKu_Click);
    connect(LblKaCH, &platform::ClickLabel::entered, this, [this] { showTabLook(Tab::Exams, Look::Hover); });
    onPress(LblKaCH, this, [this] { showTabLook(Tab::Exams, Look::Pressed); });
    connect(LblKaCH, &platform::ClickLabel::left, this, &FrmFengmian::normalLooks);
    connect(LblKaCH, &platform::ClickLabel::clicked, this, &FrmFengmian::LblKaCH_Click);

    buildFooter();

    // close button over the caption strip
    ImgClose = picture(this, QStringLiteral("ImgClose"), cover::coverart::closeHover(),
                       cover::coverart::closeRect().topLeft());
    LblClose = coverButton(QStringLiteral("LblClose"), this, tr("关闭"), true);
    LblClose->setGeometry(cover::coverart::closeRect());
    LblClose->setToolTip(tr("关闭"));
    connect(LblClose, &platform::ClickLabel::entered, ImgClose, &QWidget::show);
    connect(LblClose, &platform::ClickLabel::left, ImgClose, &QWidget::hide);
    connect(LblClose, &platform::ClickLabel::clicked, this, &FrmFengmian::LblClose_Click);

    // Tab runs in reading order: the close button in the caption strip, the two
    // tabs, the links, then the footer from left to right
    QWidget *previous = LblClose;
    for (QWidget *w :
         std::initializer_list<QWidget *>{LblTiKu, LblKaCH, LblWeb1, LblWeb2, LblQQ1, LblQQ2, LblPro[1],
                                          LblPro[2], LblPro[3], LblPro[4], LblExit, Check1, LblAbout}) {
        setTabOrder(previous, w);
        previous = w;
    }

    // the page's own controls, which the keyboard leaves while a panel covers them
    for (QWidget *w : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (w != LblClose && w->focusPolicy() != Qt::NoFocus)
            m_pageKeys.push_back({w, w->focusPolicy()});
}

void FrmFengmian::overlayChanged(QWidget *opener) {
    QWidget *overlay = nullptr;
    for (QWidget *w : {PicTiKu, PicKaCH, PicPro})
        if (w && w->isVisible())
            overlay = w;
    for (const auto &[w, policy] : m_pageKeys)
        w->setFocusPolicy(overlay ? Qt::NoFocus : policy);
    // what the panel covers is hidden, so that assistive tools and shortcuts
    // leave it alone, and shown again as it was once the panel closes
    if (overlay && m_covered.empty()) {
        for (QWidget *w : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (w == PicTiKu || w == PicKaCH || w == PicPro || w == LblClose || w == ImgClose ||
                !w->isVisibleTo(this) || !overlay->geometry().contains(w->geometry()))
                continue;
            m_covered.push_back(w);
            w->hide();
        }
    } else if (!overlay) {
        for (const QPointer<QWidget> &w : m_covered)
            if (w)
                w->show();
        m_covered.clear();
    }
    if (!isActiveWindow())
        return; // the page does not hold the keyboard
    if (!overlay) {
        if (m_opener)
            m_opener->setFocus(Qt::TabFocusReason); // back on the tab that opened the panel
        return;
    }
    if (opener)
        m_opener = opener;
    QWidget *f = focusWidget();
    if (f && overlay->isAncestorOf(f))
        return;
    // the keyboard goes into the panel: its first control
    for (QWidget *next = overlay->nextInFocusChain(); next != overlay; next = next->nextInFocusChain()) {
        if (!overlay->isAncestorOf(next))
            continue;
        if (next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void FrmFengmian::keyPressEvent(QKeyEvent *e) {
    // Esc closes the open panel or page, as its back button does
    if (e->key() == Qt::Key_Escape && m_panelsBuilt) {
        if (PicTiKu->isVisible() || PicKaCH->isVisible()) {
            LblFanHui_Click();
            return;
        }
        if (PicPro->isVisible()) {
            PicPro->hide();
            overlayChanged(nullptr);
            return;
        }
    }
    QWidget::keyPressEvent(e);
}

void FrmFengmian::buildPanels() {
    if (m_panelsBuilt)
        return;
    m_panelsBuilt = true;
    for (auto [label, t, look] :
         {std::tuple{ImgTiKu1, Tab::Units, Look::Hover}, std::tuple{ImgTiKu2, Tab::Units, Look::Pressed},
          std::tuple{ImgKaCH1, Tab::Exams, Look::Hover}, std::tuple{ImgKaCH2, Tab::Exams, Look::Pressed}}) {
        label->setPixmap(cover::coverart::tabCard(t, look));
        label->resize(label->pixmap().deviceIndependentSize().toSize());
    }
    PicPro = picture(this, QStringLiteral("PicPro"), cover::coverart::infoPage(),
                     QPoint(0, cover::coverart::CaptionHeight));
    PicPro->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    PicProPage = platform::plainLabel(PicPro);
    PicProPage->setObjectName(QStringLiteral("PicProPage"));
    PicProPage->setGeometry(PageOrigin.x(), PageOrigin.y(), 780, 460);
    PicProPage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int k = 0; k < cover::infopages::ModuleSlots; ++k) {
        // until the install records say otherwise, every module is one to download
        if (ModuleTarget[k].isEmpty())
            ModuleTarget[k] = QString::fromLatin1(cover::infopages::moduleTable()[k].downloadId);
        const QRect r = cover::infopages::slotRect(k).translated(PageOrigin);
        ShapeKm[k] = new QFrame(PicPro);
        ShapeKm[k]->setObjectName(QStringLiteral("ShapeKm_%1").arg(k));
        ShapeKm[k]->setGeometry(r.adjusted(-2, -2, 2, 2));
        ShapeKm[k]->setAttribute(Qt::WA_TransparentForMouseEvents);
        LblKmLj[k] = coverButton(QStringLiteral("LblKmLj_%1").arg(k), PicPro, tr("其它模块 %1").arg(k + 1));
        LblKmLj[k]->setGeometry(r);
        connect(LblKmLj[k], &platform::ClickLabel::clicked, this, [this, k] { LblKmLj_Click(k); });
    }
    showModuleStates();
    LblLast = linkButton(PicPro, QStringLiteral("LblLast"), tr("上一页"), QRect(560, 482, 90, 30),
                         cover::coverart::Blue);
    LblNext = linkButton(PicPro, QStringLiteral("LblNext"), tr("下一页"), QRect(660, 482, 90, 30),
                         cover::coverart::Blue);
    LblLast->setShortcut(QKeySequence(Qt::ALT | Qt::Key_P));
    LblNext->setShortcut(QKeySequence(Qt::ALT | Qt::Key_N));
    connect(LblLast, &platform::ClickLabel::clicked, this, &FrmFengmian::LblLast_Click);
    connect(LblNext, &platform::ClickLabel::clicked, this, &FrmFengmian::LblNext_Click);
    PicPro->hide();
    buildUnitPanel();
    buildExamPanel();
    fillPanels();
    for (QWidget *panel : {PicTiKu, PicKaCH})
        for (auto *b : panel->findChildren<platform::ClickLabel *>(QString(), Qt::FindDirectChildrenOnly))
            b->installEventFilter(this);
    m_background = cover::coverart::background();
    ImgClose->raise();
    LblClose->raise();
}

void FrmFengmian::buildFooter() {
    for (int i = 1; i <= 4; ++i) {
        LblPro[i] = textButton(this, QStringLiteral("LblPro_%1").arg(i), cover::infopages::tabCaption(i),
                               QRect(20 + (i - 1) * 84, 566, 80, 30));
        connect(LblPro[i], &platform::ClickLabel::clicked, this, [this, i] { LblPro_Click(i); });
    }
    // the maker's sites and service accounts, under the choice of study
    const QStringList links = {tr("官方网站"), tr("学习网站"), tr("在线客服一"), tr("在线客服二")};
    const QStringList linkNames = {QStringLiteral("LblWeb1"), QStringLiteral("LblWeb2"),
                                   QStringLiteral("LblQQ1"), QStringLiteral("LblQQ2")};
    std::array<platform::ClickLabel **, 4> linkButtons = {&LblWeb1, &LblWeb2, &LblQQ1, &LblQQ2};
    for (int i = 0; i < 4; ++i) {
        auto *b = linkButton(this, linkNames.at(i), links.at(i), QRect(220 + i * 92, 516, 88, 24),
                             cover::coverart::Muted);
        const QString address = i < 2 ? cover::infopages::webSite(i + 1) : cover::infopages::chatLink(i - 1);
        connect(b, &platform::ClickLabel::clicked, this, [this, address] { openAddress(address); });
        *linkButtons[i] = b;
    }
    LblExit = textButton(this, QStringLiteral("LblExit"), QString(), QRect(452, 566, 80, 30));
    connect(LblExit, &platform::ClickLabel::clicked, this, &FrmFengmian::LblExit_Click);
    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(548, 572, 18, 18);
    Check1->setCursor(Qt::PointingHandCursor);
    Check1->setAccessibleName(tr("自动升级"));
    connect(Check1, &QCheckBox::clicked, this, &FrmFengmian::Check1_Click);
    Label2 = text(this, QStringLiteral("Label2"), QRect(568, 566, 70, 30), cjk(13), cover::coverart::Mist);
    Label2->setText(tr("自动升级"));
    LblAbout = textButton(this, QStringLiteral("LblAbout"), tr("关于本软件"), QRect(640, 566, 90, 30));
    LblAbout->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
    connect(LblAbout, &platform::ClickLabel::clicked, this, &FrmFengmian::aboutRequested);
}

void FrmFengmian::buildUnitPanel() {
    const ModData &d = m_data;
    PicTiKu =
        picture(this, QStringLiteral("PicTiKu"), cover::coverart::panelBackground(Tab::Units, d.UnitCount),
                cover::coverart::panelRect().topLeft());
    PicTiKu->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    const QPixmap slot = cover::coverart::unitSlot();
    std::array<QPoint, cover::UnitSlots> at{};
    for (int i = 0; i < cover::UnitSlots; ++i) {
        at[i] = px(cover::unitSlotTwips(i), d);
        ImgUnit[i] = picture(PicTiKu, QStringLiteral("ImgUnit_%1").arg(i), slot, at[i]);
    }
    const QRect enter = cover::coverart::unitEnterRect();
    ImgJinRuXXM = picture(PicTiKu, QStringLiteral("ImgJinRuXXM"),
                          cover::coverart::button(tr("进入练习"), enter.size(), Look::Hover, false), {});
    ImgJinRuXXD = picture(PicTiKu, QStringLiteral("ImgJinRuXXD"),
                          cover::coverart::button(tr("进入练习"), enter.size(), Look::Pressed, false), {});
    for (int i = 0; i < cover::UnitSlots; ++i) {
        const QPoint o = at[i];
        LblUnitNo[i] =
            text(PicTiKu, QStringLiteral("LblUnitNo_%1").arg(i), QRect(o + QPoint(8, 8), QSize(46, 46)),
                 cjk(20, true), cover::coverart::OnAccent, Qt::AlignCenter);
        LblUnintSL[i] = text(PicTiKu, QStringLiteral("LblUnintSL_%1").arg(i),
                             QRect(o + QPoint(108, 10), QSize(48, 20)), cjk(14, true), cover::coverart::Ink);
        LblUnitWei[i] =
            text(PicTiKu, QStringLiteral("LblUnitWei_%1").arg(i), QRect(o + QPoint(108, 34), QSize(48, 20)),
                 cjk(14, true), cover::coverart::Unfinished);
        ImgUnitBar[i] =
            picture(PicTiKu, QStringLiteral("ImgUnitBar_%1").arg(i), cover::coverart::completionBar(0),
                    o + cover::coverart::unitBarRect().topLeft());
        ImgUnitBar[i]->setAttribute(Qt::WA_TransparentForMouseEvents, false); // its tooltip gives the share
        auto *b =
            coverButton(QStringLiteral("LblJinRuXX_%1").arg(i), PicTiKu, tr("进入练习 第%1单元").arg(i + 1));
        b->setGeometry(QRect(o + enter.topLeft(), enter.size()));
        LblJinRuXX[i] = b;
        connect(b, &platform::ClickLabel::entered, this, [this, b] {
            ImgJinRuXXM->move(b->pos());
            ImgJinRuXXM->show();
            ImgJinRuXXD->hide();
        });
        onPress(b, this, [this, b] {
            ImgJinRuXXD->move(b->pos());
            ImgJinRuXXD->show();
            ImgJinRuXXM->hide();
        });
        connect(b, &platform::ClickLabel::left, this, [this] {
            ImgJinRuXXM->hide();
            ImgJinRuXXD->hide();
        });
        connect(b, &platform::ClickLabel::clicked, this, [this, i] { LblJinRuXX_Click(i); });
    }
    LblFanHui1 = pictureButton(PicTiKu, QStringLiteral("LblFanHui1"), tr("返 回"),
                               cover::coverart::panelBackRect(), false);
    LblExit1 = pictureButton(PicTiKu, QStringLiteral("LblExit1"), tr("退 出"),
                             cover::coverart::panelExitRect(), true);
    // one panel shows at a time: its back and exit buttons hold the keys
    LblFanHui1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_B));
    LblExit1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    connect(LblFanHui1, &platform::ClickLabel::clicked, this, &FrmFengmian::LblFanHui_Click);
    connect(LblExit1, &platform::ClickLabel::clicked, this, &FrmFengmian::LblExit12_Click);
}

void FrmFengmian::buildExamPanel() {
    const ModData &d = m_data;
    PicKaCH =
        picture(this, QStringLiteral("PicKaCH"), cover::coverart::panelBackground(Tab::Exams, d.PaperCount),
                cover::coverart::panelRect().topLeft());
    PicKaCH->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    const QPixmap slot = cover::coverart::paperSlot();
    std::array<QPoint, cover::PaperSlots> at{};
    for (int i = 0; i < cover::PaperSlots; ++i) {
        at[i] = px(cover::paperSlotTwips(i), d);
        ImgShiJuan[i] = picture(PicKaCH, QStringLiteral("ImgShiJuan_%1").arg(i), slot, at[i]);
    }
    const QRect start = cover::coverart::paperStartRect();
    const QRect err = cover::coverart::paperErrRect();
    ImgStartKsM = picture(PicKaCH, QStringLiteral("ImgStartKsM"),
                          cover::coverart::button(tr("开始考试"), start.size(), Look::Hover, true), {});
    ImgStartKsD = picture(PicKaCH, QStringLiteral("ImgStartKsD"),
                          cover::coverart::button(tr("开始考试"), start.size(), Look::Pressed, true), {});
    const QPixmap errHover = cover::coverart::button(tr("错题复习"), err.size(), Look::Hover, false);
    const QPixmap errDown = cover::coverart::button(tr("错题复习"), err.size(), Look::Pressed, false);
    for (int i = 0; i < cover::PaperSlots; ++i) {
        const QPoint o = at[i];
        LblShiJuanNo[i] =
            text(PicKaCH, QStringLiteral("LblShiJuanNo_%1").arg(i), QRect(o + QPoint(8, 8), QSize(46, 46)),
                 cjk(20, true), cover::coverart::OnAccent, Qt::AlignCenter);
        LblKSInFo[i] = text(PicKaCH, QStringLiteral("LblKSInFo_%1").arg(i),
                            QRect(o + QPoint(64, 7), QSize(300, 24)), cjk(12), cover::coverart::Ink);
        auto *s =
            coverButton(QStringLiteral("LblStartKs_%1").arg(i), PicKaCH, tr("开始考试 第%1套").arg(i + 1));
        s->setFocusMark(cover::coverart::Navy, 5);
        s->setGeometry(QRect(o + start.topLeft(), start.size()));
        LblStartKs[i] = s;
        connect(s, &platform::ClickLabel::entered, this, [this, s] {
            ImgStartKsM->move(s->pos());
            ImgStartKsM->show();
            ImgStartKsD->hide();
        });
        onPress(s, this, [this, s] {
            ImgStartKsD->move(s->pos());
            ImgStartKsD->show();
            ImgStartKsM->hide();
        });
        connect(s, &platform::ClickLabel::left, this, [this] {
            ImgStartKsM->hide();
            ImgStartKsD->hide();
        });
        connect(s, &platform::ClickLabel::clicked, this, [this, i] { LblStartKs_Click(i); });

        auto *e = coverButton(QStringLiteral("LblErr_%1").arg(i), PicKaCH, tr("错题复习 第%1套").arg(i + 1));
        e->setGeometry(QRect(o + err.topLeft(), err.size()));
        LblErr[i] = e;
        connect(e, &platform::ClickLabel::entered, e, [e, errHover] { e->setPixmap(errHover); });
        onPress(e, e, [e, errDown] { e->setPixmap(errDown); });
        connect(e, &platform::ClickLabel::left, e, [e] { e->setPixmap(QPixmap()); });
        connect(e, &platform::ClickLabel::clicked, this, [this, i] { LblErr_Click(i); });
    }
    LblFanHui2 = pictureButton(PicKaCH, QStringLiteral("LblFanHui2"), tr("返 回"),
                               cover::coverart::panelBackRect(), false);
    LblExit2 = pictureButton(PicKaCH, QStringLiteral("LblExit2"), tr("退 出"),
                             cover::coverart::panelExitRect(), true);
    // one panel shows at a time: its back and exit buttons hold the keys
    LblFanHui2->setShortcut(QKeySequence(Qt::ALT | Qt::Key_B));
    LblExit2->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    connect(LblFanHui2, &platform::ClickLabel::clicked, this, &FrmFengmian::LblFanHui_Click);
    connect(LblExit2, &platform::ClickLabel::clicked, this, &FrmFengmian::LblExit12_Click);
}

void FrmFengmian::fill() {
    LblCaption->setText(m_state.caption);
    LblKmMc->setText(m_state.subtitle);
    LblKmMc1->setText(m_state.subtitle);
    ImgClose->hide();
    LblExit->setText(tr("题库升级"));
    Check1->setChecked(m_state.autoUpdate);
}

void FrmFengmian::fillPanels() {
    normalLooks();
    PicTiKu->hide();
    PicKaCH->hide();
    for (int i = 0; i < cover::PaperSlots; ++i) {
        const cover::PaperSlot &s = m_state.papers[i];
        LblShiJuanNo[i]->setText(s.number);
        LblKSInFo[i]->setText(s.info);
        for (QWidget *w : {static_cast<QWidget *>(ImgShiJuan[i]), static_cast<QWidget *>(LblShiJuanNo[i]),
                           static_cast<QWidget *>(LblKSInFo[i]), static_cast<QWidget *>(LblStartKs[i]),
                           static_cast<QWidget *>(LblErr[i])})
            w->setVisible(s.visible);
    }
    for (int i = 0; i < cover::UnitSlots; ++i) {
        const cover::UnitSlot &s = m_state.units[i];
        LblUnitNo[i]->setText(s.number);
        LblUnintSL[i]->setText(s.questions);
        LblUnitWei[i]->setText(s.unfinished);
        QPalette pal = LblUnitWei[i]->palette();
        pal.setColor(QPalette::WindowText, s.unfinished == QStringLiteral("0") ? cover::coverart::AllDone
                                                                               : cover::coverart::Unfinished);
        LblUnitWei[i]->setPalette(pal);
        LblJinRuXX[i]->setToolTip(platform::plainTip(s.tooltip));
        ImgUnitBar[i]->setPixmap(cover::coverart::completionBar(s.donePercent));
        const QString done = tr("已完成 %1%").arg(s.donePercent);
        ImgUnitBar[i]->setAccessibleName(tr("第%1单元 %2").arg(i + 1).arg(done));
        ImgUnitBar[i]->setToolTip(done);
        LblJinRuXX[i]->setAccessibleDescription(done);
        // the unit card is called by its unit's number and name
        ImgUnit[i]->setAccessibleName(tr("第%1单元 %2").arg(i + 1).arg(s.tooltip));
        ImgUnit[i]->setAccessibleDescription(tr("共%1题 未完成%2题 %3").arg(s.questions, s.unfinished, done));
        for (QWidget *w : {static_cast<QWidget *>(ImgUnit[i]), static_cast<QWidget *>(LblUnitNo[i]),
                           static_cast<QWidget *>(LblUnintSL[i]), static_cast<QWidget *>(LblUnitWei[i]),
                           static_cast<QWidget *>(ImgUnitBar[i]), static_cast<QWidget *>(LblJinRuXX[i])})
            w->setVisible(s.visible);
    }
}

void FrmFengmian::showTabLook(Tab t, Look look) {
    buildPanels();
    const bool units = t == Tab::Units;
    // the other tab keeps its normal look
    ImgTiKu->setVisible(!units);
    ImgKaCH->setVisible(units);
    ImgTiKu1->setVisible(units && look == Look::Hover);
    ImgTiKu2->setVisible(units && look == Look::Pressed);
    ImgKaCH1->setVisible(!units && look == Look::Hover);
    ImgKaCH2->setVisible(!units && look == Look::Pressed);
}

void FrmFengmian::normalLooks() {
    buildPanels();
    if (m_covered.empty()) { // under a panel the tabs stay hidden
        ImgTiKu->show();
        ImgKaCH->show();
    }
    for (QLabel *l : {ImgTiKu1, ImgTiKu2, ImgKaCH1, ImgKaCH2, ImgJinRuXXM, ImgJinRuXXD, ImgStartKsM,
                      ImgStartKsD, ImgClose})
        l->hide();
}

void FrmFengmian::LblTiKu_Click() {
    buildPanels();
    PicTiKu->show();
    PicTiKu->raise();
    LblClose->raise();
    PicKaCH->hide();
    overlayChanged(LblTiKu);
}

void FrmFengmian::LblKaCH_Click() {
    buildPanels();
    PicKaCH->show();
    PicKaCH->raise();
    LblClose->raise();
    PicTiKu->hide();
    overlayChanged(LblKaCH);
}

void FrmFengmian::LblFanHui_Click() {
    buildPanels();
    PicTiKu->hide();
    PicKaCH->hide();
    normalLooks();
    overlayChanged(nullptr);
}

void FrmFengmian::unload() {
    hide();
    close();
}

void FrmFengmian::LblJinRuXX_Click(int index) {
    ModData &d = m_data;
    QString error;
    if (!cover::entries::enterUnit(d, index, &error)) {
        prompter().ask(error, platform::Prompter::Ok, platform::Prompter::Critical);
        return;
    }
    unload();
    Q_EMIT runRequested(cover::entries::practiceCaptions());
}

void FrmFengmian::LblStartKs_Click(int index) {
    cover::entries::enterExam(m_data, index);
    unload();
    Q_EMIT examRequested();
}

void FrmFengmian::LblErr_Click(int index) {
    QString message;
    switch (cover::entries::initShiTI(m_data, index, &message)) {
    case cover::entries::Review::NoWrongQuestions:
        prompter().ask(message, platform::Prompter::Ok, platform::Prompter::NoIcon);
        return;
    case cover::entries::Review::Failed:
        prompter().ask(message, platform::Prompter::Ok, platform::Prompter::Critical);
        return;
    case cover::entries::Review::Opened:
        break;
    }
    unload();
    Q_EMIT runRequested(cover::entries::reviewCaptions());
}

bool FrmFengmian::confirmExit() {
    return prompter().ask(tr("确实要退出考试系统吗？"), platform::Prompter::YesNo,
                          platform::Prompter::Question, tr("柏川软件"),
                          platform::Prompter::AnswerNo) == platform::Prompter::AnswerYes;
}

void FrmFengmian::LblExit12_Click() {
    if (confirmExit()) {
        close();
        QCoreApplication::quit();
    }
}

void FrmFengmian::LblClose_Click() {
    buildPanels();
    if (PicPro->isVisible()) {
        PicPro->hide();
        overlayChanged(nullptr);
        return;
    }
    if (confirmExit()) {
        close();
        QCoreApplication::quit();
    } else {
        ImgClose->hide();
    }
}

void FrmFengmian::LblExit_Click() {
    if (m_launcher)
        m_launcher->startDetached(start::startup::refresherProgram(m_data));
}

void FrmFengmian::Check1_Click() {
    QString error;
    if (!cover::writeAutoUpdate(m_data, Check1->isChecked(), &error))
        prompter().ask(error, platform::Prompter::Ok, platform::Prompter::Warning);
}

void FrmFengmian::paintEvent(QPaintEvent *) {
    QPainter p(this);
    if (m_background.isNull())
        cover::coverart::paintBackground(p); // the first paint draws straight onto the window
    else
        p.drawPixmap(0, 0, m_background);
    // the panels are hidden at start: they are built once the page has been painted
    if (!m_panelsBuilt && !m_panelsQueued) {
        m_panelsQueued = true;
        QTimer::singleShot(0, this, &FrmFengmian::buildPanels);
    }
}

bool FrmFengmian::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        auto *b = qobject_cast<platform::ClickLabel *>(watched);
        const auto *k = static_cast<QKeyEvent *>(event);
        const int key = k->key();
        const bool arrow =
            key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
        if (b && arrow && (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (platform::ClickLabel *next = gridNeighbour(b, key))
                next->setFocus(Qt::TabFocusReason);
            return true; // at the edge of the grid the focus stays
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmFengmian::mouseMoveEvent(QMouseEvent *) {
    if (!m_drag->dragging())
        normalLooks();
}

// ---- information pages and other modules --------------------------------------

void FrmFengmian::LblPro_Click(int index) {
    if (index == HelpTab) {
        // the instructions are a text window of their own, not a picture page
        platform::showHelp();
        return;
    }
    buildPanels();
    InfoPage = cover::infopages::firstPage(index);
    LoadProPic();
    PicPro->show();
    PicPro->raise();
    ImgClose->raise();
    LblClose->raise();
    PicTiKu->hide();
    PicKaCH->hide();
    overlayChanged(LblPro[index]);
}

void FrmFengmian::LoadProPic() {
    // a page picture that cannot be read keeps the page shown before
    const QImage page(cover::infopages::pagePath(m_data, InfoPage));
    if (!page.isNull())
        PicProPage->setPixmap(QPixmap::fromImage(page));
    const bool slots = cover::infopages::slotsShown(InfoPage);
    for (int k = 0; k < cover::infopages::ModuleSlots; ++k) {
        LblKmLj[k]->setVisible(slots);
        ShapeKm[k]->setVisible(slots);
    }
}

void FrmFengmian::LblLast_Click() {
    turnPage(cover::infopages::previous(InfoPage));
}

void FrmFengmian::LblNext_Click() {
    turnPage(cover::infopages::next(InfoPage));
}

void FrmFengmian::turnPage(const cover::infopages::Turn &t) {
    if (!t.atEnd.isEmpty()) {
        // no further page: say so and close the panel
        prompter().ask(t.atEnd);
        PicPro->hide();
        overlayChanged(nullptr);
        return;
    }
    InfoPage = t.page;
    LoadProPic();
}

void FrmFengmian::kmSetupYN(platform::Registry &registry) {
    const auto found = cover::infopages::findModules(registry);
    for (int k = 0; k < cover::infopages::ModuleSlots; ++k) {
        ModuleTarget[k] = found[k].target;
        ModuleInstalled[k] = found[k].installed;
    }
    if (PicPro)
        showModuleStates();
}

void FrmFengmian::showModuleStates() {
    for (int k = 0; k < cover::infopages::ModuleSlots; ++k) {
        // red: installed, light grey: not installed
        const QColor border = ModuleInstalled[k] ? cover::coverart::Installed : cover::coverart::NotInstalled;
        ShapeKm[k]->setStyleSheet(cover::coverart::slotFrameStyle(border));
        LblKmLj[k]->setToolTip(ModuleInstalled[k] ? tr("启动这个模块的练习系统")
                                                  : tr("打开这个模块的下载页面"));
        LblKmLj[k]->setAccessibleName(tr("其它模块 %1：").arg(k + 1) + LblKmLj[k]->toolTip());
    }
}

void FrmFengmian::LblKmLj_Click(int k) {
    if (!m_launcher || k < 0 || k >= cover::infopages::ModuleSlots)
        return;
    if (ModuleInstalled[k])
        m_launcher->startDetached(ModuleTarget[k]);
    else
        openAddress(cover::infopages::downloadPage(ModuleTarget[k]));
}

void FrmFengmian::openAddress(const QString &address) {
    if (!m_launcher)
        return;
    // no browser or messenger took the address: the learner gets it to open by hand
    if (!m_launcher->openUrl(address))
        prompter().ask(tr("请自行打开 %1").arg(address), platform::Prompter::Ok, platform::Prompter::Critical,
                       tr("不能自动打开"));
}
