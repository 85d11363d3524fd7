#include "panel/frmend.h"
#include "panel/examrules.h"
#include "panel/panelart.h"
#include "platform/plaintext.h"
#include "platform/screenplace.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

// Layout in pixels.
constexpr int Width = 430;
constexpr int Height = 236;
constexpr int HeadHeight = 38;
const QRect SignRect(28, 70, 48, 44);
const QRect FrameRect(96, 56, 310, 108);
const QRect HandInRect(150, 184, 104, 32);
const QRect ContinueRect(270, 184, 104, 32);
const QRect KeysRect(18, 184, 126, 32);

QString buttonStyle(bool accent) {
    using namespace panel::panelart;
    const QColor face = accent ? ExamNavy : ExamCard;
    const QColor ink = accent ? ExamMist : ExamInk;
    const QColor hover = accent ? ExamBlue : ExamPaper;
    return QStringLiteral(
               "QPushButton { background: %1; color: %2; border: 1px solid %3; border-radius: 3px; }"
               "QPushButton:hover { background: %4; border-color: %5; }"
               "QPushButton:focus { border: 2px solid %5; }"
               "QPushButton:disabled { background: %6; color: %7; border-color: %6; }")
        .arg(face.name(), ink.name(), ExamNavy.name(), hover.name(), ExamGold.name(), ExamLine.name(),
             ExamMuted.name());
}

// A warning sign: an orange triangle with an exclamation mark.
void paintSign(QPainter &p, const QRectF &r) {
    using namespace panel::panelart;
    QPainterPath tri;
    tri.moveTo(r.center().x(), r.top());
    tri.lineTo(r.right(), r.bottom());
    tri.lineTo(r.left(), r.bottom());
    tri.closeSubpath();
    p.setPen(QPen(ExamWarn.darker(130), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ExamWarn);
    p.drawPath(tri);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const double cx = r.center().x(), w = r.width() / 9.0;
    p.drawRoundedRect(QRectF(cx - w / 2, r.top() + r.height() * 0.30, w, r.height() * 0.38), w / 2, w / 2);
    p.drawEllipse(QPointF(cx, r.top() + r.height() * 0.82), w * 0.6, w * 0.6);
}

} // namespace

HandInDialog::HandInDialog(const QString &text, bool timeUp, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle(tr("重要提示"));
    setModal(true);
    setFixedSize(Width, Height);
    setFont(panel::panelart::uiFont(10));

    // the head's text: the dialog's title, and once the time is up the reason
    // only the hand-in is left
    LblHead = new QLabel(this);
    LblHead->setObjectName(QStringLiteral("LblHead"));
    LblHead->setTextFormat(Qt::PlainText);
    LblHead->setGeometry(18, 0, Width - 36, HeadHeight);
    LblHead->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    LblHead->setFont(panel::panelart::uiFont(11, true));
    LblHead->setStyleSheet(QStringLiteral("color: %1;").arg(panel::panelart::ExamMist.name()));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(FrameRect);
    Frame1->setStyleSheet(QStringLiteral("QFrame#Frame1 { background: %1; border: 1px solid %2; }")
                              .arg(panel::panelart::ExamCard.name(), panel::panelart::ExamLine.name()));
    Label1 =
        platform::plainLabel(Frame1, QString(text).remove(u'\r')); // the line ends as the label breaks lines
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(14, 8, FrameRect.width() - 28, FrameRect.height() - 16);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setFont(panel::panelart::uiFont(10.5));
    Label1->setStyleSheet(QStringLiteral("color: %1;").arg(panel::panelart::ExamInk.name()));

    Command1 = new QPushButton(tr("交卷"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(HandInRect);
    Command1->setStyleSheet(buttonStyle(true));
    Command1->setCursor(Qt::PointingHandCursor);
    Command2 = new QPushButton(tr("继续考试"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(ContinueRect);
    Command2->setStyleSheet(buttonStyle(false));
    Command2->setCursor(Qt::PointingHandCursor);
    Command2->setDefault(true); // Enter keeps the exam going; handing in takes a deliberate click
    Command1->setAutoDefault(false);

    // Tab goes between the two, Space presses the one with the focus and Enter
    // the default; the dialog opens on the default
    setTabOrder(Command1, Command2);
    Command2->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] {
        accept();
        Q_EMIT handInChosen();
    });
    connect(Command2, &QPushButton::clicked, this, &HandInDialog::reject);
    // Return presses the default button whichever has the focus: the dialog says so
    LblKeys = platform::plainLabel(this);
    LblKeys->setObjectName(QStringLiteral("LblKeys"));
    LblKeys->setGeometry(KeysRect);
    LblKeys->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LblKeys->setFont(panel::panelart::uiFont(9));
    LblKeys->setStyleSheet(QStringLiteral("color: %1;").arg(panel::panelart::ExamInk.name()));
    setTimeUp(timeUp);
    // in the middle of the free part of the screen, never partly off it
    platform::centreOnScreen(this);
}

void HandInDialog::setTimeUp(bool up) {
    m_timeUp = up;
    LblHead->setText(up ? tr("交卷提示 · 考试时间已到") : tr("交卷提示"));
    Command2->setEnabled(!up);
    Command2->setToolTip(up ? tr("考试时间已到，只能交卷。") : QString());
    LblKeys->setText(up ? tr("按回车键交卷") : tr("按回车键继续考试"));
    if (up) {
        Command1->setDefault(true);
        Command1->setFocus();
    }
}

void HandInDialog::reject() {
    // Esc, the close button and "继续考试" all come here; after the time is up
    // the paper can only be handed in
    if (m_timeUp)
        return;
    QDialog::reject();
    Q_EMIT continueChosen();
}

void HandInDialog::paintEvent(QPaintEvent *) {
    using namespace panel::panelart;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), ExamPaper);
    // the head: navy with a gold rule, the dialog's title
    p.fillRect(QRect(0, 0, width(), HeadHeight), ExamNavy);
    p.fillRect(QRect(0, HeadHeight, width(), 3), ExamGold);
    paintSign(p, SignRect);
    // the foot under the buttons
    p.setPen(ExamLine);
    p.drawLine(16, HandInRect.top() - 10, width() - 16, HandInRect.top() - 10);
}

FrmEnd1::FrmEnd1(const ModData &data, bool timeUp, QWidget *parent)
    : HandInDialog(panel::exam::firstDialogText(data), timeUp, parent) {
    setObjectName(QStringLiteral("FrmEnd1"));
}

FrmEnd2::FrmEnd2(bool timeUp, QWidget *parent)
    : HandInDialog(panel::exam::secondDialogText(), timeUp, parent) {
    setObjectName(QStringLiteral("FrmEnd2"));
}
