#include "refresher/frmrefresher.h"
#include "platform/plaintext.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace refresher {

namespace {
QLabel *label(const QString &text, QWidget *parent, const QString &name) {
    auto *l = platform::plainLabel(parent, text);
    l->setObjectName(name);
    return l;
}
} // namespace

FrmRefresher1::FrmRefresher1(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_session(session) {
    setObjectName(QStringLiteral("FrmRefresher1"));
    setWindowTitle(tr("题库升级"));
    setAttribute(Qt::WA_DeleteOnClose);
    Label4 = label(QString(), this, QStringLiteral("Label4"));
    QFont big = Label4->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    Label4->setFont(big);
    Label3 = label(tr("当前题库版本是："), this, QStringLiteral("Label3"));
    LblVer = label(QString(), this, QStringLiteral("LblVer"));
    Label1 = label(tr("题库最新版本是："), this, QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label2 = label(tr("已是最新版本，无需升级"), this, QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, QColor(0xc0, 0, 0));
    Label2->setPalette(red);
    Label2->hide();
    Label5 = label(tr("题库升级服务：请在升级网站的留言页留下你的问题，我们会尽快答复。"), this,
                   QStringLiteral("Label5"));
    Label5->setWordWrap(true);
    QPalette grey = Label5->palette();
    grey.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    Label5->setPalette(grey);
    Command1 = new QPushButton(tr("确定"), this);
    Command2 = new QPushButton(tr("马上下载新版本"), this);
    Command3 = new QPushButton(tr("以后再说"), this);
    Command2->hide();
    Command3->hide();
    Command1->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(18, 14, 18, 14);
    grid->setVerticalSpacing(8);
    grid->addWidget(Label4, 0, 0, 1, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(LblVer, 1, 1);
    grid->addWidget(Label1, 2, 0, 1, 2);
    grid->addWidget(Label2, 3, 0, 1, 2);
    grid->addWidget(Label5, 4, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    buttons->addWidget(Command1);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setFixedWidth(420);

    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(Command3, &QPushButton::clicked, this, &QWidget::close);
    connect(Command2, &QPushButton::clicked, &m_session, &Session::download);
    Timer1.setInterval(100);
    Timer2.setInterval(100);
    Timer3.setInterval(300);
    connect(&Timer1, &QTimer::timeout, &m_session, &Session::tickStart);
    connect(&Timer2, &QTimer::timeout, &m_session, &Session::tickPoll);
    connect(&Timer3, &QTimer::timeout, &m_session, &Session::tickClose);
    connect(&m_session, &Session::changed, this, [this] { showView(m_session.view()); });
    showView(m_session.view());
}

void FrmRefresher1::showView(const View &v) {
    LblVer->setText(v.lblVer);
    Label1->setText(v.label1);
    Label2->setText(v.label2);
    Label2->setVisible(v.label2Visible);
    Label4->setText(v.label4);
    Command2->setVisible(v.command2Visible);
    Command3->setVisible(v.command3Visible);
    const auto run = [](QTimer &t, bool on) {
        if (on && !t.isActive())
            t.start();
        else if (!on)
            t.stop();
    };
    run(Timer1, v.timer1);
    run(Timer2, v.timer2);
    run(Timer3, v.timer3);
    if (v.finished)
        close();
}

} // namespace refresher
