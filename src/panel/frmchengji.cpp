#include "panel/frmchengji.h"
#include "panel/panelart.h"
#include "platform/plaintext.h"
#include "platform/screenplace.h"
#include "platform/windowrole.h"
#include "start/twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

namespace {

// The page is 800 x 600 pixels; the grid, the score line and the buttons sit
// where the design puts them (twips), the page's head, candidate card and foot
// are drawn around them.
constexpr int PageW = 800;
constexpr int PageH = 600;
constexpr int HeadH = 86;
constexpr int FootTop = 560;
const QRect Card(150, 112, 500, 140);
constexpr int GridCell = 430; // twips, ten to a row

using namespace panel::panelart;

QString buttonStyle(bool accent) {
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

// One sheet for the whole grid (forty sheets of their own cost a parse each):
// the button's "solved" property picks the colour.
QString gridStyle() {
    return QStringLiteral("QPushButton { background: %1; color: black; border: 1px solid %2; }"
                          "QPushButton[solved=\"true\"] { background: %3; border-color: %4; }"
                          "QPushButton:focus { border: 3px solid %5; }")
        .arg(GridWrong.name(), GridWrong.darker(160).name(), GridRight.name(), GridRight.darker(160).name(),
             ExamNavy.name());
}

} // namespace

FrmChengji::FrmChengji(const ModData &data, const panel::exam::Report &report, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint), // a fixed size: nothing to maximise
      m_data(data), m_examTime(report.examTime) {
    setObjectName(QStringLiteral("FrmChengji"));
    platform::setWindowRole(this, QAccessible::Dialog);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("成绩"));
    setFixedSize(PageW, PageH);
    setFont(uiFont(9));
    const double sx = data.ScaleX, sy = data.ScaleY;
    auto X = [sx](int t) { return start::twips::toPxX(t, sx); };
    auto Y = [sy](int t) { return start::twips::toPxY(t, sy); };

    // the three ways on, in one row
    const QFont buttonFont = uiFont(11, true);
    auto button = [&](const char *name, const QString &text, int left, int width, bool accent) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(X(left), Y(4080), X(width), Y(495));
        b->setFont(buttonFont);
        b->setStyleSheet(buttonStyle(accent));
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(true); // Enter presses the one with the focus
        return b;
    };
    // each way on has its Alt key, underlined in its caption
    Command3 = button("Command3", tr("本次错题复习(&W)"), 2880, 2175, true);
    Command1 = button("Command1", tr("本次考题复习(&R)"), 5160, 2175, true);
    Command2 = button("Command2", tr("退出(&X)"), 7440, 1095, false);
    Command3->setEnabled(report.wrongReview);
    if (!report.wrongReview)
        Command3->setToolTip(report.wrongList.isEmpty() ? tr("本次考试没有错题。")
                                                        : tr("本考场不提供错题复习。"));
    connect(Command1, &QPushButton::clicked, this, [this] { choose(&FrmChengji::paperReviewRequested); });
    connect(Command3, &QPushButton::clicked, this, [this] { choose(&FrmChengji::wrongReviewRequested); });
    connect(Command2, &QPushButton::clicked, this, [this] { choose(&FrmChengji::leaveRequested); });

    // the score line
    Label1 = platform::plainLabel(this, report.scoreLine);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(uiFont(14, true));
    Label1->setStyleSheet(QStringLiteral("color: %1;").arg(ExamScore.name()));
    Label1->adjustSize();
    Label1->move(X(5010), Y(5040) - Label1->height() / 3);

    // the grid: ten to a row, four rows
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setStyleSheet(gridStyle());
    const int cell = X(GridCell);
    for (int i = 1; i <= MaxQuestions; ++i) {
        auto *b = new QPushButton(QString::number(i), Frame1);
        b->setObjectName(QStringLiteral("CmTNO_%1").arg(i));
        b->setGeometry(((i - 1) % 10) * cell, ((i - 1) / 10) * cell, cell, cell);
        b->setFont(uiFont(9, true));
        b->setProperty("solved", report.solved[i]);
        b->setToolTip(platform::plainTip(report.tooltips[i]));
        b->setAccessibleName(
            QStringLiteral("第%1题 %2")
                .arg(i)
                .arg(report.solved[i] ? QStringLiteral("已完成") : QStringLiteral("未完成")));
        // the state in words as well as in colour, then the question
        b->setAccessibleDescription((report.solved[i] ? tr("已完成") : tr("未完成")) + QStringLiteral("。") +
                                    report.tooltips[i]);
        // one stop of the Tab chain for the whole grid; the arrow keys walk it,
        // Space or Enter shows the question's text
        b->setFocusPolicy(i == 1 ? Qt::StrongFocus : Qt::ClickFocus);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [b] {
            QToolTip::showText(b->mapToGlobal(QPoint(b->width() / 2, b->height())), b->toolTip(), b);
        });
        CmTNO[i] = b;
    }
    const QRect last = CmTNO[MaxQuestions]->geometry();
    Frame1->setGeometry(X(3900), Y(5520), last.right() + 1, last.bottom() + 1);
    setTabOrder(Command3, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, CmTNO[1]);
}

int FrmChengji::gridCursor() const {
    for (int i = 1; i <= MaxQuestions; ++i)
        if (CmTNO[i]->focusPolicy() == Qt::StrongFocus)
            return i;
    return 1;
}

void FrmChengji::moveGridCursor(int to) {
    const int from = gridCursor();
    if (to < 1 || to > MaxQuestions)
        return;
    if (to != from) {
        CmTNO[to]->setFocusPolicy(Qt::StrongFocus);
        CmTNO[from]->setFocusPolicy(Qt::ClickFocus);
    }
    CmTNO[to]->setFocus(Qt::OtherFocusReason);
}

bool FrmChengji::eventFilter(QObject *watched, QEvent *e) {
    auto *b = qobject_cast<QPushButton *>(watched);
    if (b && b->parentWidget() == Frame1) {
        if (e->type() == QEvent::FocusIn && b->focusPolicy() != Qt::StrongFocus) {
            // a click moves the grid's Tab stop to the clicked question
            moveGridCursor(b->text().toInt());
        } else if (e->type() == QEvent::KeyPress) {
            const int at = b->text().toInt();
            switch (static_cast<QKeyEvent *>(e)->key()) {
            case Qt::Key_Left:
                moveGridCursor(at - 1);
                return true;
            case Qt::Key_Right:
                moveGridCursor(at + 1);
                return true;
            case Qt::Key_Up:
                moveGridCursor(at - 10);
                return true;
            case Qt::Key_Down:
                moveGridCursor(at + 10);
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                b->click();
                return true;
            default:
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, e);
}

void FrmChengji::choose(void (FrmChengji::*signal)()) {
    m_chosen = true;
    close();
    Q_EMIT(this->*signal)();
}

void FrmChengji::keyPressEvent(QKeyEvent *e) {
    // Esc leaves as "退出" does, wherever the focus is
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        Command2->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void FrmChengji::showEvent(QShowEvent *e) {
    // centred once, when it first shows, in the free part of the screen
    if (!m_centred) {
        m_centred = true;
        platform::centreOnScreen(this);
    }
    QWidget::showEvent(e);
}

void FrmChengji::closeEvent(QCloseEvent *e) {
    // the window's close button leaves as "退出" does
    if (!m_chosen) {
        m_chosen = true;
        QMetaObject::invokeMethod(this, &FrmChengji::leaveRequested, Qt::QueuedConnection);
    }
    e->accept();
}

void FrmChengji::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(rect(), ExamPaper);

    // head: the programme's title, the report's name, a gold rule
    QLinearGradient head(0, 0, 0, HeadH);
    head.setColorAt(0, ExamBlue.darker(115));
    head.setColorAt(1, ExamNavy);
    p.fillRect(QRect(0, 0, width(), HeadH), head);
    p.fillRect(QRect(0, HeadH, width(), 3), ExamGold);
    p.setPen(ExamMist);
    p.setFont(uiFont(10));
    p.drawText(QRect(28, 10, width() - 56, 24), Qt::AlignLeft | Qt::AlignVCenter, m_data.appTitle());
    p.setPen(ExamGold);
    p.setFont(uiFont(20, true));
    p.drawText(QRect(28, 34, width() - 56, 44), Qt::AlignLeft | Qt::AlignVCenter, tr("模拟考试  成绩报告"));

    // the candidate card
    p.setPen(ExamLine);
    p.setBrush(ExamCard);
    p.drawRoundedRect(Card, 4, 4);
    p.fillRect(QRect(Card.left() + 1, Card.top() + 1, 5, Card.height() - 1), ExamBlue);
    const QStringList tags = {tr("姓    名："), tr("座 位 号："), tr("身份证号："),
                              tr("报考科目："), tr("试    卷："), tr("考试时间：")};
    const QStringList values = {m_data.CandidateName,
                                m_data.SeatNo,
                                m_data.IdCardNo,
                                m_data.ModuleName,
                                tr("第%1套").arg(m_data.CurSet + 1),
                                m_examTime};
    const QFont tagFont = uiFont(10), valueFont = uiFont(10, true);
    for (int r = 0; r < tags.size(); ++r) {
        const int col = r < 3 ? 0 : 1;
        const int row = r % 3;
        const QRect line(Card.left() + 26 + col * 250, Card.top() + 18 + row * 38, 230, 28);
        p.setFont(tagFont);
        p.setPen(ExamMuted);
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, tags.at(r));
        p.setFont(valueFont);
        p.setPen(ExamInk);
        p.drawText(line.adjusted(76, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, values.at(r));
    }

    // the grid's legend, beside it
    const QRect grid = Frame1->geometry();
    p.setFont(uiFont(9));
    const QStringList legend = {tr("已完成"), tr("未完成")};
    for (int k = 0; k < 2; ++k) {
        const QRect swatch(grid.right() + 24, grid.top() + 8 + k * 26, 14, 14);
        p.setPen(Qt::black);
        p.setBrush(k == 0 ? GridRight : GridWrong);
        p.drawRect(swatch);
        p.setPen(ExamInk);
        p.drawText(QRect(swatch.right() + 8, swatch.top() - 3, 80, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   legend.at(k));
    }
    p.setPen(ExamLine);
    p.setBrush(Qt::NoBrush);
    p.drawRect(grid.adjusted(-4, -4, 3, 3));

    // foot
    p.fillRect(QRect(0, FootTop, width(), height() - FootTop), ExamNavy);
    p.setPen(ExamMist);
    p.setFont(uiFont(9));
    p.drawText(QRect(28, FootTop, width() - 56, height() - FootTop), Qt::AlignLeft | Qt::AlignVCenter,
               tr("每题2.5分，满分100分。把鼠标停在题号上可以看到题目内容。"));
}
