#include "panel/frmlogon.h"
#include "panel/logonart.h"
#include "panel/logonrules.h"
#include "platform/clicklabel.h"
#include "platform/fonts.h"
#include "platform/plaintext.h"
#include "platform/screenplace.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScreen>

namespace art = panel::logonart;
namespace logon = panel::logon;

namespace {

QLabel *valueLabel(QWidget *page, const QString &name, int row) {
    auto *l = platform::plainLabel(page);
    l->setObjectName(name);
    l->setGeometry(art::sheetValue(row));
    l->setFont(platform::fonts::uiPixels(15, true));
    l->setStyleSheet(art::valueStyle());
    return l;
}

} // namespace

FrmLogon::FrmLogon(ModData &data, platform::Prompter &prompter, platform::Clock &clock, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_data(data), m_prompter(prompter),
      m_clock(clock) {
    setObjectName(QStringLiteral("FrmLogon"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(data.appTitle());
    setFont(platform::fonts::ui(9));
    // the exam client fills the free part of the screen
    QRect area(0, 0, 1024, 700);
    if (const QScreen *s = QGuiApplication::primaryScreen())
        area = platform::availableArea(s->geometry().center());
    setGeometry(area);

    // Load: the paper's file names, then the two pages (hidden until Timer1 places them)
    logon::prepare(m_data);
    buildLoginPage();
    buildConfirmPage();

    Timer1.setInterval(logon::TimerIntervalMs);
    Timer2.setInterval(logon::TimerIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &FrmLogon::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &FrmLogon::Timer2_Timer);
    Timer1.start();
}

void FrmLogon::buildLoginPage() {
    Picture1 = platform::plainLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(art::loginPage(m_data.appTitle()));
    Picture1->resize(art::PageWidth, art::PageHeight);
    Picture1->hide();

    TxtZwh = new QLineEdit(logon::seatDefault(), Picture1);
    TxtZwh->setObjectName(QStringLiteral("TxtZwh"));
    TxtZwh->setMaxLength(logon::SeatMaxLength);
    TxtZwh->setGeometry(art::seatBox());

    TxtSFZ = new QLineEdit(logon::idDefault(), Picture1);
    TxtSFZ->setObjectName(QStringLiteral("TxtSFZ"));
    TxtSFZ->setMaxLength(logon::IdMaxLength);
    TxtSFZ->setGeometry(art::idBox());
    // keys pass the filter below; pasted or composed text meets the same rule here
    TxtSFZ->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,17}|[0-9]{17}[0-9xX]")), TxtSFZ));
    TxtSFZ->setAttribute(Qt::WA_InputMethodEnabled, false);
    TxtSFZ->installEventFilter(this);
    for (QLineEdit *box : {TxtZwh, TxtSFZ}) {
        box->setFont(platform::fonts::uiPixels(16));
        box->setStyleSheet(art::boxStyle());
    }

    CmdLog = pageButton(Picture1, QStringLiteral("CmdLog"), tr("登  录"), art::logInButton(), true);
    CmdExit = pageButton(Picture1, QStringLiteral("CmdExit"), tr("退  出"), art::exitButton(), false);
    CmdLog->setAccessibleName(tr("登录"));
    CmdExit->setAccessibleName(tr("退出"));
    TxtZwh->setAccessibleName(tr("座位号"));
    TxtSFZ->setAccessibleName(tr("身份证号"));
    connect(CmdLog, &platform::ClickLabel::clicked, this, &FrmLogon::CmdLog_Click);
    connect(CmdExit, &platform::ClickLabel::clicked, this, &FrmLogon::CmdExit_Click);
    // the keyboard's way through the page: seat, identity card, 登录, 退出; Enter
    // in a box moves on to the next stop
    setTabOrder(TxtZwh, TxtSFZ);
    setTabOrder(TxtSFZ, CmdLog);
    setTabOrder(CmdLog, CmdExit);
    connect(TxtZwh, &QLineEdit::returnPressed, TxtSFZ, [this] { TxtSFZ->setFocus(Qt::TabFocusReason); });
    connect(TxtSFZ, &QLineEdit::returnPressed, CmdLog, [this] { CmdLog->setFocus(Qt::TabFocusReason); });
}

void FrmLogon::buildConfirmPage() {
    Picture2 = platform::plainLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPixmap(art::confirmPage(m_data.appTitle()));
    Picture2->resize(art::PageWidth, art::PageHeight);
    Picture2->hide();

    LblName = valueLabel(Picture2, QStringLiteral("LblName"), 0);
    LblZwh = valueLabel(Picture2, QStringLiteral("LblZwh"), 1);
    LblCC = valueLabel(Picture2, QStringLiteral("LblCC"), 2);
    LblKm = valueLabel(Picture2, QStringLiteral("LblKm"), 3);
    LblSfz = valueLabel(Picture2, QStringLiteral("LblSfz"), 4);
    LblDah = valueLabel(Picture2, QStringLiteral("LblDah"), 5);
    LblDate = valueLabel(Picture2, QStringLiteral("LblDate"), 6);

    auto *caption = platform::plainLabel(Picture2, tr("正在进入考试，请稍候……"));
    caption->setGeometry(art::barCaption());
    caption->setFont(platform::fonts::uiPixels(13));
    caption->setStyleSheet(art::captionStyle());

    P2 = new QWidget(Picture2);
    P2->setObjectName(QStringLiteral("P2"));
    P2->setAttribute(Qt::WA_StyledBackground);
    P2->setStyleSheet(art::barFrameStyle());
    P2->setGeometry(art::barFrame(logon::barFramePx(m_data.ScaleX)));
    LJD = platform::plainLabel(P2);
    LJD->setObjectName(QStringLiteral("LJD"));
    LJD->setStyleSheet(art::barStyle());
    LJD->setGeometry(0, 0, 0, P2->height());
}

platform::ClickLabel *FrmLogon::pageButton(QWidget *page, const QString &name, const QString &text,
                                           const QRect &r, bool accent) {
    auto *b = new platform::ClickLabel(page);
    b->setObjectName(name);
    // a margin around the drawn button carries the focus mark, clear of its edge
    b->setGeometry(r.adjusted(-4, -4, 4, 4));
    b->setAlignment(Qt::AlignCenter);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusMark(art::Banner, 6);
    const QPixmap normal = art::button(text, r.size(), false, accent);
    const QPixmap hover = art::button(text, r.size(), true, accent);
    b->setPixmap(normal);
    connect(b, &platform::ClickLabel::entered, b, [b, hover] { b->setPixmap(hover); });
    connect(b, &platform::ClickLabel::left, b, [b, normal] { b->setPixmap(normal); });
    return b;
}

void FrmLogon::paintEvent(QPaintEvent *) {
    QPainter p(this);
    art::paintBackdrop(p, rect());
}

bool FrmLogon::eventFilter(QObject *watched, QEvent *e) {
    // the identity box's key filter; keys that type nothing (arrows, Delete,
    // Tab, Enter) are not the filter's business
    if (watched == TxtSFZ && e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Backspace)
            return false;
        const QString text = k->text();
        if (text.isEmpty() || !text.at(0).isPrint())
            return false;
        return !logon::idKeyAccepted(text.at(0), int(TxtSFZ->text().size()));
    }
    return QWidget::eventFilter(watched, e);
}

void FrmLogon::Timer1_Timer() {
    // once: both pages centred in the form, the login page shown; on a screen
    // smaller than a page its top left corner stays in view
    const QPoint at =
        platform::placeInside(QPoint((width() - Picture1->width()) / 2, (height() - Picture1->height()) / 2),
                              Picture1->size(), rect());
    Picture1->move(at);
    Picture2->move(at);
    Picture1->show();
    Picture2->hide();
    Timer1.stop();
    TxtZwh->setFocus();
}

void FrmLogon::CmdExit_Click() {
    if (m_finished || m_loggedIn)
        return; // leaving is possible from the login page only
    if (m_prompter.ask(tr("确实要退出考试系统吗？"), platform::Prompter::YesNo, platform::Prompter::Question,
                       tr("柏川软件"), platform::Prompter::AnswerNo) != platform::Prompter::AnswerYes)
        return;
    m_finished = true;
    close();
    Q_EMIT left();
}

void FrmLogon::CmdLog_Click() {
    if (m_finished || m_loggedIn)
        return;
    QString message;
    if (!logon::logIn(m_data, TxtZwh->text(), TxtSFZ->text(), m_clock.now(), &message)) {
        fail(message);
        return;
    }
    const logon::Confirmation c = logon::confirmation(m_data, m_clock.now().date());
    LblName->setText(c.name);
    LblZwh->setText(c.seat);
    LblCC->setText(c.shift);
    LblKm->setText(c.module);
    LblSfz->setText(c.idCard);
    LblDah->setText(c.archive);
    LblDate->setText(c.date);
    m_loggedIn = true;
    Picture1->hide();
    Picture2->show();
    Timer2.start();
}

void FrmLogon::Timer2_Timer() {
    const logon::BarTick tick = logon::barTick(LJD->width(), m_data.ScaleX);
    LJD->resize(tick.width, LJD->height());
    if (!tick.full)
        return;
    Timer2.stop();
    Timer1.stop();
    QString message;
    if (!logon::startExam(m_data, m_clock.now(), &message)) {
        fail(message);
        return;
    }
    m_finished = true;
    close();
    Q_EMIT examStarted();
}

void FrmLogon::fail(const QString &message) {
    m_finished = true;
    Timer2.stop();
    m_prompter.ask(message, platform::Prompter::Ok, platform::Prompter::Critical);
    close();
    Q_EMIT left();
}
