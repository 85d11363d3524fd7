#include "panel/frmczts.h"
#include "panel/hintrules.h"
#include "panel/panelart.h"
#include "platform/plaintext.h"
#include "platform/services.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr int Width = 440;
constexpr int Height = 300;
constexpr int Margin = 16;
constexpr int ButtonTop = 242;
} // namespace

FrmCZTS::FrmCZTS(platform::Prompter &prompter, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_prompter(prompter) {
    setObjectName(QStringLiteral("FrmCZTS"));
    setWindowTitle(panel::hint::title());
    setFixedSize(Width, Height);
    setFont(panel::panelart::uiFont(10));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, panel::panelart::Face);
    pal.setColor(QPalette::WindowText, panel::panelart::TextInk);
    setPalette(pal);
    setAutoFillBackground(true);

    // a click on either text falls through to the dialog, which closes
    Label3 = platform::plainLabel(this, panel::hint::warning());
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(panel::panelart::uiFont(12, true));
    QPalette warn = Label3->palette();
    warn.setColor(QPalette::WindowText, panel::panelart::TimeInk);
    Label3->setPalette(warn);
    Label3->setGeometry(Margin + 14, Margin + 8, Width - 2 * Margin - 28, 26);
    Label3->setAttribute(Qt::WA_TransparentForMouseEvents);

    Label2 = platform::plainLabel(this, panel::hint::explanation());
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setGeometry(Margin + 14, Margin + 40, Width - 2 * Margin - 28, ButtonTop - Margin - 64);
    Label2->setAttribute(Qt::WA_TransparentForMouseEvents);

    Command1 = new QPushButton(panel::hint::selfCaption(), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(panel::hint::answerCaption(), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    const int bw = 150, bh = 34, gap = 40;
    const int left = (Width - 2 * bw - gap) / 2;
    Command1->setGeometry(left, ButtonTop, bw, bh);
    Command2->setGeometry(left + bw + gap, ButtonTop, bw, bh);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &FrmCZTS::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmCZTS::Command2_Click);
}

void FrmCZTS::Command1_Click() {
    reject();
}

void FrmCZTS::Command2_Click() {
    const auto answer =
        m_prompter.ask(panel::hint::confirmText(), platform::Prompter::YesNo, platform::Prompter::NoIcon,
                       panel::hint::confirmTitle(), platform::Prompter::AnswerNo);
    if (answer != platform::Prompter::AnswerYes)
        return;
    Q_EMIT answersChosen();
    accept();
}

void FrmCZTS::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        reject();
}

void FrmCZTS::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // the sheet that carries both texts, with a warning stripe down its left
    const QRectF sheet(Margin + 0.5, Margin + 0.5, Width - 2 * Margin - 1, ButtonTop - 2 * Margin);
    p.setPen(panel::panelart::Rule);
    p.setBrush(panel::panelart::Sheet);
    p.drawRoundedRect(sheet, 4, 4);
    p.fillRect(QRectF(sheet.left() + 1, sheet.top() + 6, 4, sheet.height() - 12), panel::panelart::TimeInk);
}
