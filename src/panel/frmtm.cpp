#include "panel/frmtm.h"
#include "panel/frmpicture.h"
#include "panel/panelart.h"
#include "panel/panelrules.h"
#include "panel/progress.h"
#include "panel/simwindow.h"
#include "platform/dragger.h"
#include "platform/helpwindow.h"
#include "platform/plaintext.h"
#include "platform/screenplace.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "platform/windowrole.h"
#include "start/twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QWindow>

// ---- small controls ----------------------------------------------------------

void PanelCaption::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool on = isEnabled();
    const QPixmap icon = panel::panelart::toolIcon(text(), on);
    const int top = 3;
    const QSize iconSize = icon.deviceIndependentSize().toSize(); // drawn at the screen's pixel ratio
    p.drawPixmap((width() - iconSize.width()) / 2, top, icon);
    p.setFont(font());
    p.setPen(on ? panel::panelart::Ink : panel::panelart::InkOff);
    p.drawText(QRect(0, top + iconSize.height(), width(), height() - top - iconSize.height()),
               Qt::AlignHCenter | Qt::AlignTop, text());
}

// ---- layout in design twips --------------------------------------------------

namespace {
constexpr int TitleH = 330;  // title strip
constexpr int ToolTop = 330; // FrmZhuYa
constexpr int ToolH = 1350;
constexpr int TextTop = 1710; // RtbTM
constexpr int TextH = 1200;
constexpr int UnitTop = 2940; // PicUnit
constexpr int UnitH = 420;
constexpr int GripTop = 3390; // LblMove
constexpr int BarW = 2250;    // minimised bar
constexpr int BarH = 420;
constexpr int ParkDown = 6000; // highlights parked outside the panel
constexpr int ParkMove = 6030;
} // namespace

// ---- loading -------------------------------------------------------------------

FrmTm::FrmTm(ModData &data, platform::Prompter &prompter, platform::Clock &clock, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), m_data(data), m_session(data, prompter, clock) {
    setObjectName(QStringLiteral("FrmTm"));
    platform::setWindowRole(this, QAccessible::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(tr("试题"));
    setFont(panel::panelart::uiFont(9));
    // F1 opens the instructions; the run goes on behind them
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, [] { platform::showHelp(); });

    // the countdown reads the clock each second and counts whole minutes
    TimeKS.setInterval(1000);
    TimStartYS.setInterval(100);
    TimerREDO.setInterval(100);
    connect(&TimeKS, &QTimer::timeout, this, &FrmTm::TimeKS_Timer);
    connect(&TimStartYS, &QTimer::timeout, this, &FrmTm::TimStartYS_Timer);
    connect(&TimerREDO, &QTimer::timeout, this, &FrmTm::TimerREDO_Timer);
    connect(&m_session, &panel::RunSession::questionLineRead, this, &FrmTm::drawQuestionLine);
    connect(&m_session, &panel::RunSession::questionShown, this, &FrmTm::drawQuestion);
    connect(&m_session, &panel::RunSession::returnToMainRequested, this, &FrmTm::returnToMain);
    connect(&m_session, &panel::RunSession::timeChanged, this, &FrmTm::drawTime);
    connect(&m_session, &panel::RunSession::handInRequested, this, &FrmTm::handInRequested);
    connect(&m_session, &panel::RunSession::hideRequested, this, &FrmTm::hideForSession);
    connect(&m_session, &panel::RunSession::closeRequested, this, &FrmTm::closeRun);

    // 1. size, place (above the simulated window: see setSimulatedWindow)
    m_fullSize = QSize(start::twips::toPxX(panel::PanelWidth, data.ScaleX),
                       start::twips::toPxY(panel::PanelHeight, data.ScaleY));
    resize(m_fullSize);
    platform::placeOnScreen(this, panel::loadPosition(m_fullSize, data.ScaleX, data.ScaleY));
    buildControls();
    // 2. number buttons
    showNumberButtons();
    // 3. captions of the kind of run
    applyKindOfRun();
    // 4. candidate data, time
    KsName1->setText(data.CandidateName);
    KsZWH1->setText(data.SeatNo);
    KsCC1->setText(data.ShiftNo);
    KsDAH1->setText(data.ArchiveNo);
    KsKM1->setText(data.ModuleName);
    KsSFZ1->setText(data.IdCardNo);
    LblName->setText(data.CandidateName);
    drawTime();
    // 5. chooser and candidate frame hidden, load title
    FrmSelect->hide();
    FrmKSXX->hide();
    LblBiao->setText(panel::loadTitle(data));
    // 6. question 1 visited, the countdown from now (the demonstration at normal speed)
    m_session.load();
    // 7. the input-method menu: the design captions until the opener hands over
    // the desktop's layouts (setKeyboardLayout)
    // 8.
    TimeKS.start();
    DqExam();
}

FrmTm::~FrmTm() {
    delete m_picture;
}

void FrmTm::buildControls() {
    const double sx = m_data.ScaleX, sy = m_data.ScaleY;
    auto X = [sx](int t) { return start::twips::toPxX(t, sx); };
    auto Y = [sy](int t) { return start::twips::toPxY(t, sy); };
    const int W = width();
    m_drag = new platform::Dragger(this);
    m_drag->afterDrag = [this](QWidget *handle) {
        if (handle == Label2 || handle == LblMove)
            returnToMain();
    };

    // title strip: Label2 drags, LblBiao shows the title, the minimise hot spot
    Label2 = platform::plainLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(0, 0, W, Y(TitleH));
    Label2->setCursor(Qt::SizeAllCursor);
    m_drag->grip(Label2);
    LblBiao = platform::plainLabel(this);
    LblBiao->setObjectName(QStringLiteral("LblBiao"));
    LblBiao->setGeometry(X(360), 0, W - X(360) - X(420), Y(TitleH));
    LblBiao->setFont(panel::panelart::uiFont(9, true));
    LblBiao->setStyleSheet(panel::panelart::textStyle(panel::panelart::OnBlue));
    LblBiao->setAttribute(Qt::WA_TransparentForMouseEvents);
    ImgMinHover = platform::plainLabel(this);
    ImgMinHover->setGeometry(W - X(390), Y(15), X(330), Y(300));
    ImgMinHover->setPixmap(panel::panelart::minimiseHover(ImgMinHover->size()));
    ImgMinHover->hide();
    LblMin = new platform::ClickLabel(this);
    LblMin->setObjectName(QStringLiteral("LblMin"));
    LblMin->setGeometry(ImgMinHover->geometry());
    LblMin->setAlignment(Qt::AlignCenter);
    LblMin->setText(QStringLiteral("—"));
    LblMin->setStyleSheet(panel::panelart::textStyle(panel::panelart::OnBlue, true));
    LblMin->setToolTip(tr("缩小"));
    LblMin->setAccessibleName(tr("缩小试题窗口"));
    LblMin->setFocusMark(panel::panelart::OnBlue, 3);
    connect(LblMin, &platform::ClickLabel::clicked, this, &FrmTm::minimise); // Space or Enter
    LblMin->setMouseTracking(true);
    LblMin->setCursor(Qt::PointingHandCursor);
    LblMin->installEventFilter(this);

    // toolbar
    FrmZhuYa = new QWidget(this);
    FrmZhuYa->setObjectName(QStringLiteral("FrmZhuYa"));
    FrmZhuYa->setGeometry(0, Y(ToolTop), W, Y(ToolH));
    FrmZhuYa->setMouseTracking(true);
    FrmZhuYa->installEventFilter(this);
    ImgDown = platform::plainLabel(FrmZhuYa);
    ImgDown->setObjectName(QStringLiteral("ImgDown"));
    ImgMove = platform::plainLabel(FrmZhuYa);
    ImgMove->setObjectName(QStringLiteral("ImgMove"));
    const QRect spot0 = panel::hotSpot(0, sx, sy);
    const QSize spotPx(start::twips::toPx(spot0.width()), start::twips::toPx(spot0.height()));
    ImgDown->resize(spotPx);
    ImgMove->resize(spotPx);
    ImgDown->setPixmap(panel::panelart::highlight(spotPx, true));
    ImgMove->setPixmap(panel::panelart::highlight(spotPx, false));
    ImgDown->setAttribute(Qt::WA_TransparentForMouseEvents);
    ImgMove->setAttribute(Qt::WA_TransparentForMouseEvents);

    const std::array<const char *, 8> names = {"CmdPre",    "CmdNext", "CmdRedo", "CmdBZBT",
                                               "CmdSelect", "CmdEnd",  "CmdCZTS", "Command1"};
    const std::array<QString, 8> texts = {tr("上一题"), tr("下一题"),   tr("重做本题"), tr("标识本题"),
                                          tr("选 题"),  tr("结束练习"), tr("手把手教"), tr("操作演示")};
    std::array<PanelCaption **, 8> slots = {&CmdPre,    &CmdNext, &CmdRedo, &CmdBZBT,
                                            &CmdSelect, &CmdEnd,  &CmdCZTS, &Command1};
    // Alt and a letter press a toolbar button once the panel has the keyboard
    const std::array<Qt::Key, 8> toolbarKeys = {Qt::Key_P, Qt::Key_N, Qt::Key_R, Qt::Key_M,
                                                Qt::Key_S, Qt::Key_E, Qt::Key_G, Qt::Key_D};
    for (int k = 0; k < 8; ++k) {
        const QRect t = panel::hotSpot(k, sx, sy);
        const QRect px(start::twips::toPx(t.left()), start::twips::toPx(t.top()),
                       start::twips::toPx(t.width()), start::twips::toPx(t.height()));
        auto *cap = new PanelCaption(texts[k], FrmZhuYa);
        platform::showPlain(cap);
        cap->setObjectName(QLatin1String(names[k]));
        cap->setGeometry(px);
        cap->setAttribute(Qt::WA_TransparentForMouseEvents);
        *slots[k] = cap;
        auto *spot = new platform::ClickLabel(FrmZhuYa);
        spot->setMouseTracking(true);
        spot->setAttribute(Qt::WA_NoSystemBackground);
        spot->setCursor(Qt::PointingHandCursor);
        // the demonstration hot spot also takes the right button (the slow demonstration)
        if (k == 7)
            spot->setClickButtons(Qt::LeftButton | Qt::RightButton);
        spot->setObjectName(QStringLiteral("CmdGN%1").arg(k));
        spot->setAccessibleName(QString(texts[k]).remove(u' '));
        spot->setFocusMark(panel::panelart::Accent, 4);
        spot->setShortcut(QKeySequence(Qt::ALT | toolbarKeys[k]));
        spot->setGeometry(px);
        CmdGN[k] = spot;
        connect(spot, &platform::ClickLabel::pressed, this, [this, k] { CmdGN_MouseDown(k); });
        connect(spot, &platform::ClickLabel::released, this,
                [this, k](Qt::MouseButton b, Qt::KeyboardModifiers m) { CmdGN_MouseUp(k, b, m); });
        connect(spot, &platform::ClickLabel::clicked, this, [this, k] { CmdGN_Click(k); });
        connect(spot, &platform::ClickLabel::entered, this, [this, k] { CmdGN_MouseMove(k); });
        connect(spot, &platform::ClickLabel::moved, this, [this, k] { CmdGN_MouseMove(k); });
    }
    parkHighlights();
    QWidget::setTabOrder(CmdGN[7], LblMin); // the toolbar comes first

    // the right end of the second toolbar row: candidate, time, input method
    const int infoLeft = X(90 + 960 * 3 + 60);
    const int infoW = W - infoLeft - X(90);
    const int row2 = Y(15 + panel::HotSpotHeight);
    auto *nameTag = platform::plainLabel(FrmZhuYa, tr("考生："));
    nameTag->setObjectName(QStringLiteral("LblNameTag"));
    nameTag->setGeometry(infoLeft, row2 + Y(60), X(540), Y(270));
    LblName = platform::plainLabel(FrmZhuYa);
    LblName->setObjectName(QStringLiteral("LblName"));
    LblName->setGeometry(infoLeft + X(540), row2 + Y(60), infoW - X(540), Y(270));
    LblName->setFont(panel::panelart::uiFont(9, true));
    LblTime = platform::plainLabel(FrmZhuYa);
    LblTime->setObjectName(QStringLiteral("LblTime"));
    LblTime->setGeometry(infoLeft, row2 + Y(345), X(1020), Y(255));
    LblTime->setStyleSheet(panel::panelart::textStyle(panel::panelart::TimeInk));
    PTime = new QWidget(FrmZhuYa);
    PTime->setObjectName(QStringLiteral("PTime"));
    PTime->setGeometry(infoLeft + X(1050), row2 + Y(405), infoW - X(1050), Y(150));
    PTime->setStyleSheet(panel::panelart::timeFrameStyle());
    PTime->setMouseTracking(true);
    PTime->installEventFilter(this);
    LblTimeJD = platform::plainLabel(PTime);
    LblTimeJD->setObjectName(QStringLiteral("LblTimeJD"));
    LblTimeJD->setStyleSheet(panel::panelart::timeBarStyle());
    LblTimeJD->setGeometry(1, 1, 0, PTime->height() - 2);
    // the input-method indicator at the row's right end, the name beside it
    const int imeW = X(480);
    LblName->resize(LblName->width() - imeW - X(60), LblName->height());
    LblIME = new platform::ClickLabel(FrmZhuYa);
    LblIME->setText(QStringLiteral("EN"));
    LblIME->setObjectName(QStringLiteral("LblIME"));
    LblIME->setGeometry(infoLeft + infoW - imeW, row2 + Y(60), imeW, Y(270));
    LblIME->setAlignment(Qt::AlignCenter);
    LblIME->setCursor(Qt::PointingHandCursor);
    LblIME->setStyleSheet(panel::panelart::inputMethodStyle());
    LblIME->setToolTip(tr("输入法"));
    LblIME->setAccessibleName(tr("输入法"));
    LblIME->setFocusMark(panel::panelart::Accent, 3);
    connect(LblIME, &platform::ClickLabel::clicked, this, &FrmTm::LblIME_Click); // Space or Enter too
    mIme = new QMenu(this);
    mIme->setObjectName(QStringLiteral("mIme"));
    mEng = mIme->addAction(QString());
    mEng->setObjectName(QStringLiteral("mEng"));
    connect(mEng, &QAction::triggered, this, [this] { chooseInput(0); });
    for (int k = 1; k <= panel::inputmenu::CnEntries; ++k) {
        QAction *a = mIme->addAction(QString());
        a->setObjectName(QStringLiteral("mCn") + QString::number(k));
        connect(a, &QAction::triggered, this, [this, k] { chooseInput(k); });
        mCn[k - 1] = a;
    }
    m_imeMenu = panel::inputmenu::build({});
    showInputMenu();

    // question text
    RtbTM = new QTextEdit(this);
    RtbTM->setObjectName(QStringLiteral("RtbTM"));
    RtbTM->setGeometry(X(90), Y(TextTop), W - X(180), Y(TextH));
    RtbTM->setReadOnly(true);
    RtbTM->setTextInteractionFlags(Qt::NoTextInteraction);
    RtbTM->setFocusPolicy(Qt::NoFocus);
    RtbTM->setContextMenuPolicy(Qt::NoContextMenu);
    RtbTM->setFont(panel::panelart::uiFont(10.5));
    RtbTM->setFrameShape(QFrame::NoFrame);
    RtbTM->setStyleSheet(panel::panelart::questionTextStyle());
    RtbTM->viewport()->setMouseTracking(true);
    RtbTM->viewport()->installEventFilter(this);
    RtbTM->installEventFilter(this);
    Image2 = new QPushButton(tr("显示图片"), this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFocusPolicy(Qt::TabFocus);
    pressedByEnter(Image2);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setFont(panel::panelart::uiFont(8.5));
    Image2->setGeometry(W - X(90) - X(1050) - X(45), Y(TextTop + TextH) - Y(330) - Y(45), X(1050), Y(330));
    Image2->setStyleSheet(panel::panelart::pictureButtonStyle());
    Image2->hide();
    connect(Image2, &QPushButton::clicked, this, &FrmTm::Image2_Click);

    // unfinished list
    PicUnit = new QWidget(this);
    PicUnit->setObjectName(QStringLiteral("PicUnit"));
    PicUnit->setGeometry(X(90), Y(UnitTop), W - X(180), Y(UnitH));
    PicUnit->setStyleSheet(panel::panelart::unfinishedStyle());
    PicUnit->installEventFilter(this);
    LblUnit = platform::plainLabel(PicUnit);
    LblUnit->setObjectName(QStringLiteral("LblUnit"));
    LblUnit->setGeometry(X(60), 0, PicUnit->width() - X(120), PicUnit->height());
    LblUnit->setWordWrap(true);
    LblUnit->setFont(panel::panelart::uiFont(8.5));
    LblUnit->setStyleSheet(panel::panelart::textStyle(panel::panelart::NoteInk));
    LblUnit->setAttribute(Qt::WA_TransparentForMouseEvents);

    // drag grip along the bottom
    LblMove = platform::plainLabel(this);
    LblMove->setObjectName(QStringLiteral("LblMove"));
    LblMove->setGeometry(0, Y(GripTop), W, height() - Y(GripTop));
    LblMove->setCursor(Qt::SizeAllCursor);
    LblMove->setToolTip(tr("按住拖动试题窗口"));
    LblMove->setMouseTracking(true);
    LblMove->installEventFilter(this);
    m_drag->grip(LblMove);

    // chooser
    FrmSelect = new QFrame(this);
    FrmSelect->setObjectName(QStringLiteral("FrmSelect"));
    FrmSelect->setGeometry(0, Y(TitleH), W, height() - Y(TitleH));
    FrmSelect->setStyleSheet(panel::panelart::sheetStyle(FrmSelect->objectName()));
    for (int i = 1; i <= MaxQuestions; ++i) {
        const QRectF t = panel::chooserButton(i, start::twips::fromPx(FrmSelect->width()), sx, sy);
        auto *b = new QPushButton(QString::number(i), FrmSelect);
        b->setObjectName(QStringLiteral("CmTNO%1").arg(i));
        b->setGeometry(QRect(start::twips::toPx(t.left()) + 1, start::twips::toPx(t.top()) + 1,
                             start::twips::toPx(t.width()) - 2, start::twips::toPx(t.height()) - 2));
        b->setFocusPolicy(Qt::TabFocus);
        pressedByEnter(b);
        b->setAccessibleName(tr("第%1题").arg(i));
        b->setFont(panel::panelart::uiFont(9, true));
        connect(b, &QPushButton::clicked, this, [this, i] { CmTNO_Click(i); });
        CmTNO[i] = b;
    }
    const QRectF last = panel::chooserButton(40, start::twips::fromPx(FrmSelect->width()), sx, sy);
    CmdSelFH = new QPushButton(tr("返回"), FrmSelect);
    CmdSelFH->setObjectName(QStringLiteral("CmdSelFH"));
    CmdSelFH->setFocusPolicy(Qt::TabFocus);
    pressedByEnter(CmdSelFH);
    CmdSelFH->resize(X(1200), Y(390));
    CmdSelFH->move((FrmSelect->width() - CmdSelFH->width()) / 2, start::twips::toPx(last.bottom()) + Y(150));
    connect(CmdSelFH, &QPushButton::clicked, this, &FrmTm::CmdSelFH_Click);
    auto *legend = new QLabel(FrmSelect);
    legend->setObjectName(QStringLiteral("SelLegend"));
    legend->setTextFormat(Qt::RichText);
    legend->setText(panel::panelart::legendHtml());
    legend->setFont(panel::panelart::uiFont(8));
    legend->setAlignment(Qt::AlignCenter);
    legend->setGeometry(0, CmdSelFH->geometry().bottom() + Y(90), FrmSelect->width(), Y(300));

    // candidate data
    FrmKSXX = new QFrame(this);
    FrmKSXX->setObjectName(QStringLiteral("FrmKSXX"));
    FrmKSXX->setGeometry(FrmSelect->geometry());
    FrmKSXX->setStyleSheet(panel::panelart::sheetStyle(FrmKSXX->objectName()));
    const std::array<QString, 6> tags = {tr("姓    名："), tr("座 位 号："), tr("场    次："),
                                         tr("档 案 号："), tr("报考科目："), tr("身份证号：")};
    std::array<QLabel **, 6> values = {&KsName1, &KsZWH1, &KsCC1, &KsDAH1, &KsKM1, &KsSFZ1};
    const std::array<const char *, 6> valueNames = {"KsName1", "KsZWH1", "KsCC1",
                                                    "KsDAH1",  "KsKM1",  "KsSFZ1"};
    for (int r = 0; r < 6; ++r) {
        auto *tag = platform::plainLabel(FrmKSXX, tags[r]);
        tag->setGeometry(X(360), Y(180 + 360 * r), X(1200), Y(330));
        tag->setStyleSheet(panel::panelart::textStyle(panel::panelart::TagInk));
        auto *v = platform::plainLabel(FrmKSXX);
        v->setObjectName(QLatin1String(valueNames[r]));
        v->setGeometry(X(1560), Y(180 + 360 * r), W - X(1920), Y(330));
        v->setFont(panel::panelart::uiFont(9, true));
        *values[r] = v;
    }
    CmdKSFH = new QPushButton(tr("返回"), FrmKSXX);
    CmdKSFH->setObjectName(QStringLiteral("CmdKSFH"));
    CmdKSFH->setFocusPolicy(Qt::TabFocus);
    pressedByEnter(CmdKSFH);
    CmdKSFH->resize(X(1200), Y(390));
    CmdKSFH->move((FrmKSXX->width() - CmdKSFH->width()) / 2, Y(180 + 360 * 6 + 90));
    connect(CmdKSFH, &QPushButton::clicked, this, &FrmTm::CmdKSFH_Click);

    // the minimised bar and its restore hot spot
    PicMin = new QWidget(this);
    PicMin->setObjectName(QStringLiteral("PicMin"));
    PicMin->setGeometry(0, 0, X(BarW), Y(BarH));
    PicMin->setStyleSheet(panel::panelart::minimisedBarStyle());
    PicMin->setMouseTracking(true);
    PicMin->installEventFilter(this);
    auto *barText = platform::plainLabel(PicMin, tr("✎ 试题窗口"));
    barText->setGeometry(X(120), 0, X(1200), Y(BarH));
    barText->setStyleSheet(panel::panelart::textStyle(panel::panelart::OnBlue));
    barText->setFont(panel::panelart::uiFont(9, true));
    barText->setAttribute(Qt::WA_TransparentForMouseEvents);
    Command2 = new platform::ClickLabel(PicMin);
    Command2->setText(tr("还原"));
    Command2->setAccessibleName(tr("还原试题窗口"));
    Command2->setFocusMark(panel::panelart::Accent, 3);
    connect(Command2, &platform::ClickLabel::clicked, this, &FrmTm::Command2_Click); // Space or Enter
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAlignment(Qt::AlignCenter);
    Command2->setGeometry(X(BarW - 870), Y(60), X(780), Y(BarH - 120));
    Command2->setStyleSheet(panel::panelart::restoreStyle(false));
    Command2->setCursor(Qt::PointingHandCursor);
    Command2->setMouseTracking(true);
    Command2->installEventFilter(this);
    m_drag->grip(PicMin);
    PicMin->hide();
}

void FrmTm::applyKindOfRun() {
    const panel::PanelButtons b = panel::panelButtons(panel::loadKind(m_data));
    CmdCZTS->setText(b.guide);
    Command1->setText(b.demonstration);
    CmdEnd->setText(b.end);
    nameHotSpots();
    PicUnit->setVisible(b.unitListVisible);
    showLegend(b.chooserShowsSolved);
    const bool exam = m_data.SetBase == SetBaseExamPaper && m_data.WorkMode == WorkExam;
    for (QWidget *w : {static_cast<QWidget *>(LblName), static_cast<QWidget *>(LblTime), PTime})
        w->setVisible(exam);
    if (QWidget *tag = FrmZhuYa->findChild<QWidget *>(QStringLiteral("LblNameTag")))
        tag->setVisible(exam);
}

void FrmTm::applyEntry(const PanelEntry &entry) {
    m_session.setKind(entry.kind);
    showButtons();
    LblBiao->setText(entry.LblBiao);
    if (entry.LblUnit)
        LblUnit->setText(*entry.LblUnit);
    // the countdown belongs to the exam run alone: a review of the paper runs on
    // the paper's files (SetBase 0) and must not count the exam's minutes on
    const bool exam = entry.kind == panel::RunKind::Exam;
    if (exam) {
        m_session.startCountdown();
        TimeKS.start();
    } else {
        stopCountdown();
    }
    for (QWidget *w : {static_cast<QWidget *>(LblName), static_cast<QWidget *>(LblTime), PTime})
        w->setVisible(exam);
    if (QWidget *tag = FrmZhuYa->findChild<QWidget *>(QStringLiteral("LblNameTag")))
        tag->setVisible(exam);
    drawTime();
}

void FrmTm::showLegend(bool withSolved) {
    if (auto *legend = FrmSelect->findChild<QLabel *>(QStringLiteral("SelLegend")))
        legend->setText(panel::panelart::legendHtml(withSolved));
}

void FrmTm::showButtons() {
    const panel::PanelButtons b = m_session.buttons();
    CmdCZTS->setText(b.guide);
    Command1->setText(b.demonstration);
    CmdEnd->setText(b.end);
    nameHotSpots();
    PicUnit->setVisible(b.unitListVisible);
    showLegend(b.chooserShowsSolved);
    CmdCZTS->update();
    Command1->update();
    CmdEnd->update();
}

// ---- the input-method menu ---------------------------------------------------------

void FrmTm::setKeyboardLayout(platform::KeyboardLayout &keyboard) {
    m_imeMenu = panel::inputmenu::build(keyboard.installed());
    showInputMenu();
}

void FrmTm::showInputMenu() {
    mEng->setText(m_imeMenu.engCaption);
    for (int k = 0; k < panel::inputmenu::CnEntries; ++k) {
        mCn[k]->setText(m_imeMenu.cnCaption[k]);
        mCn[k]->setVisible(m_imeMenu.cnVisible[k]);
    }
}

QPoint FrmTm::inputMenuCorner() const {
    using start::twips::fromPx;
    const QPoint label = LblIME->mapTo(FrmZhuYa, QPoint(0, 0));
    const QPoint tw = panel::inputmenu::popupCorner(fromPx(label.x()), fromPx(label.y()),
                                                    fromPx(FrmZhuYa->y()), m_imeMenu.count);
    return QPoint(start::twips::toPxX(tw.x(), m_data.ScaleX), start::twips::toPxY(tw.y(), m_data.ScaleY));
}

void FrmTm::LblIME_Click() {
    const QPoint corner = mapToGlobal(inputMenuCorner());
    mIme->popup(corner - QPoint(mIme->sizeHint().width(), 0));
}

void FrmTm::chooseInput(int entry) {
    m_data.InputLayout = m_imeMenu.handle(entry);
    returnToMain();
    if (SimulatedWindow *sim = liveSim())
        sim->focusCommandLine();
}

// ---- the hint dialog's choice ----------------------------------------------------------

void FrmTm::openAnswers() {
    m_session.openAnswers();
    showButtons();
    returnToMain();
    TimStartYS.start();
}

void FrmTm::nameHotSpots() {
    const std::array<PanelCaption *, 8> captions = {CmdPre,    CmdNext, CmdRedo, CmdBZBT,
                                                    CmdSelect, CmdEnd,  CmdCZTS, Command1};
    for (int k = 0; k < 8; ++k) {
        const QString name = captions[k]->text().remove(u' ');
        CmdGN[k]->setAccessibleName(name);
        // the tooltip names the key that takes the keyboard back and forth
        CmdGN[k]->setToolTip(tr("%1　F6：键盘在试题窗口和操作窗口之间切换").arg(name));
    }
}

void FrmTm::showNumberButtons() {
    for (int i = 1; i <= MaxQuestions; ++i)
        CmTNO[i]->setVisible(i <= m_data.QuestionCount);
    // "返回" and the legend sit centred under the rows in use
    const int rows = std::clamp((m_data.QuestionCount + 9) / 10, 1, 4);
    const QRectF last = panel::chooserButton(rows * 10, start::twips::fromPx(FrmSelect->width()),
                                             m_data.ScaleX, m_data.ScaleY);
    CmdSelFH->move((FrmSelect->width() - CmdSelFH->width()) / 2,
                   start::twips::toPx(last.bottom()) + start::twips::toPxY(150, m_data.ScaleY));
    if (auto *legend = FrmSelect->findChild<QLabel *>(QStringLiteral("SelLegend")))
        legend->move(0, CmdSelFH->geometry().bottom() + start::twips::toPxY(90, m_data.ScaleY));
}

void FrmTm::setSimulatedWindow(SimulatedWindow *window) {
    m_sim = window;
    m_simWidget = window ? window->window() : nullptr;
    m_session.setSimulatedWindow(liveSim());
    m_simObject = m_simWidget;
    if (m_simWidget)
        connect(m_simWidget, &QObject::destroyed, this, &FrmTm::simulatedWindowGone, Qt::UniqueConnection);
    // A window manager keeps the panel above the simulated window, and above no
    // other program's windows, when the panel is that window's transient; without
    // one the panel is raised after every way back to it (returnToMain).
    QWidget *main = m_simWidget ? m_simWidget->window() : nullptr;
    if (main) {
        main->winId(); // both native windows exist before the link is made
        winId();
        windowHandle()->setTransientParent(main->windowHandle());
    } else if (QWindow *own = windowHandle()) {
        own->setTransientParent(nullptr);
    }
}

void FrmTm::simulatedWindowGone(QObject *window) {
    // the window closed under the panel; a window set since then stays
    if (window == m_simObject)
        m_session.setSimulatedWindow(nullptr);
}

void FrmTm::raisePanel() {
    raise();
}

void FrmTm::drawTime() {
    LblTime->setText(m_session.timeText());
    LblTimeJD->setGeometry(1, 1, m_session.timeBar(PTime->width() - 2), PTime->height() - 2);
}

// ---- showing a question ------------------------------------------------------------

FrmPicture *FrmTm::picture() {
    if (!m_picture)
        m_picture = new FrmPicture(m_data);
    return m_picture;
}

void FrmTm::hidePicture() {
    if (m_picture)
        m_picture->hide();
    Image2->setText(tr("显示图片"));
}

void FrmTm::drawQuestionLine() {
    const panel::RunSession::QuestionLine &line = m_session.questionLine();
    RtbTM->setPlainText(line.text);
    hidePicture();
    Image2->hide();
    if (!line.picturePath.isEmpty()) {
        picture()->loadPicture(line.picturePath);
        Image2->setText(tr("显示图片"));
        Image2->show();
    }
}

void FrmTm::drawQuestion() {
    const panel::NavState nav = m_session.navigation();
    CmdPre->setEnabled(nav.previous);
    CmdNext->setEnabled(nav.next);
    CmdGN[0]->setEnabled(nav.previous);
    CmdGN[1]->setEnabled(nav.next);
    LblBiao->setText(m_session.title());
    LblUnit->setText(m_session.unfinished());
}

void FrmTm::DqExam() {
    m_session.showQuestion();
}

void FrmTm::returnToMain() {
    if (!m_simWidget)
        return;
    if (isActiveWindow())
        m_keyboardLeft = focusWidget();
    if (m_simWidget->isMinimized())
        m_simWidget->showNormal();
    else
        m_simWidget->show();
    m_simWidget->raise();
    m_simWidget->activateWindow();
    // the panel stays above the window it was handed back to: without a window
    // manager nothing else keeps a topmost window on top
    if (isVisible())
        raise();
}

// ---- toolbar -----------------------------------------------------------------------------

void FrmTm::CmdPre_Click() {
    m_session.previous();
}

void FrmTm::CmdNext_Click() {
    m_session.next();
}

void FrmTm::CmdRedo_Click() {
    m_session.redo();
}

void FrmTm::CmdBZBT_Click() {
    m_session.toggleMark();
}

void FrmTm::colourNumberButtons() {
    // no word on correctness in an exam before the hand-in
    const bool showSolved = m_session.buttons().chooserShowsSolved;
    for (int i = 1; i <= MaxQuestions; ++i) {
        const Integer word = m_data.QuestionScore[i];
        const bool solved = showSolved && panel::chooserSolved(word);
        CmTNO[i]->setStyleSheet(panel::panelart::chooserStyle(panel::chooserColour(word), solved));
        CmTNO[i]->setProperty("chooserColour", int(panel::chooserColour(word)));
        CmTNO[i]->setProperty("chooserSolved", solved);
        CmTNO[i]->setAccessibleName(solved ? tr("第%1题 已完成").arg(i) : tr("第%1题").arg(i));
        // the state in words as well as in colour
        QStringList state;
        if (i == m_data.CurQuestion)
            state << tr("当前题");
        switch (panel::chooserColour(word)) {
        case panel::ChooserColour::Red:
            state << tr("已标识");
            break;
        case panel::ChooserColour::Green:
            state << tr("已看过");
            break;
        case panel::ChooserColour::ButtonFace:
            state << tr("未看过");
            break;
        }
        if (showSolved)
            state << (solved ? tr("已完成") : tr("未完成"));
        CmTNO[i]->setAccessibleDescription(state.join(QStringLiteral("，")));
    }
}

void FrmTm::CmdSelect_Click() {
    colourNumberButtons();
    FrmKSXX->hide();
    FrmSelect->show();
    FrmSelect->raise();
    sheetChanged(CmTNO[std::clamp(int(m_data.CurQuestion), 1, MaxQuestions)]);
}

void FrmTm::CmTNO_Click(int i) {
    FrmSelect->hide();
    sheetChanged(nullptr);
    m_session.choose(i);
}

void FrmTm::CmdSelFH_Click() {
    FrmSelect->hide();
    sheetChanged(nullptr);
}

void FrmTm::CmdCZTS_Click() {
    if (m_session.buttons().guideShowsCandidate) {
        FrmSelect->hide();
        FrmKSXX->show();
        FrmKSXX->raise();
        sheetChanged(CmdKSFH);
        return;
    }
    m_session.startGuidedTeaching();
}

void FrmTm::CmdKSFH_Click() {
    FrmKSXX->hide();
    sheetChanged(nullptr);
}

void FrmTm::sheetChanged(QWidget *first) {
    // the toolbar under a sheet is out of the keyboard's reach while the sheet is shown
    const bool covered = FrmSelect->isVisible() || FrmKSXX->isVisible();
    for (platform::ClickLabel *spot : CmdGN)
        spot->setFocusPolicy(covered ? Qt::NoFocus : Qt::TabFocus);
    Image2->setFocusPolicy(covered ? Qt::NoFocus : Qt::TabFocus);
    LblIME->setFocusPolicy(covered ? Qt::NoFocus : Qt::TabFocus);
    if (!isActiveWindow())
        return; // the keyboard is in the simulated window
    if (first && first->isVisible()) {
        first->setFocus(Qt::TabFocusReason);
    } else if (!covered) {
        CmdGN[4]->setFocus(Qt::TabFocusReason); // back on "选 题"
        if (!CmdGN[4]->hasFocus() || FrmKSXX->isVisible())
            focusFirstControl();
    }
}

void FrmTm::takeKeyboard() {
    if (!isVisible())
        return;
    raise();
    activateWindow();
    focusFirstControl();
}

void FrmTm::focusFirstControl() {
    if (PicMin->isVisible()) {
        Command2->setFocus(Qt::TabFocusReason);
        return;
    }
    QWidget *last = m_keyboardLeft;
    if (last && last->isVisible() && last->isEnabled() && last->focusPolicy() != Qt::NoFocus) {
        last->setFocus(Qt::TabFocusReason); // the control the keyboard left last time
        return;
    }
    for (platform::ClickLabel *spot : CmdGN)
        if (spot->isEnabled() && spot->focusPolicy() != Qt::NoFocus) {
            spot->setFocus(Qt::TabFocusReason);
            return;
        }
}

void FrmTm::Command1_Click() {
    hidePicture();
    if (m_session.buttons().demonstrationIsHint) {
        Q_EMIT hintRequested();
        return;
    }
    m_session.prepareDemonstration();
    TimStartYS.start();
}

void FrmTm::TimStartYS_Timer() {
    if (!m_session.tickDemoDelay())
        return;
    TimStartYS.stop();
    if (m_simWidget)
        m_simWidget->hide();
    hide();
    Q_EMIT demonstrationRequested(m_session.startDemonstration());
}

void FrmTm::demonstrationEnded() {
    m_session.demonstrationEnded();
    if (m_simWidget)
        m_simWidget->show();
    show();
    TimerREDO.start();
}

void FrmTm::Image2_Click() {
    if (Image2->text() == tr("显示图片")) {
        FrmPicture *pic = picture();
        pic->show();
        pic->Timer1.start();
        Image2->setText(tr("隐藏图片"));
    } else {
        hidePicture();
    }
}

void FrmTm::CmdGN_Click(int k) {
    switch (k) {
    case 0:
        CmdPre_Click();
        break;
    case 1:
        CmdNext_Click();
        break;
    case 2:
        CmdRedo_Click();
        break;
    case 3:
        CmdBZBT_Click();
        break;
    case 4:
        CmdSelect_Click();
        break;
    case 5:
        CmdEnd_Click();
        break;
    case 6:
        CmdCZTS_Click();
        break;
    case 7:
        Command1_Click();
        break;
    default:
        break;
    }
}

void FrmTm::CmdGN_MouseDown(int k) {
    ImgDown->move(CmdGN[k]->pos());
}

void FrmTm::CmdGN_MouseUp(int k, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    const bool modifier = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    m_session.releasedOn(k, button == Qt::RightButton, modifier);
}

void FrmTm::CmdGN_MouseMove(int k) {
    if (ImgMove->pos() != ImgDown->pos())
        ImgDown->move(start::twips::toPxX(ParkDown, m_data.ScaleX), ImgDown->y());
    ImgMove->move(CmdGN[k]->pos());
}

void FrmTm::parkHighlights() {
    ImgDown->move(start::twips::toPxX(ParkDown, m_data.ScaleX), ImgDown->y());
    ImgMove->move(start::twips::toPxX(ParkMove, m_data.ScaleX), ImgMove->y());
}

// ---- minimise, restore, focus, timers -------------------------------------------------

void FrmTm::minimise() {
    const QSize bar = PicMin->size();
    resize(bar);
    platform::placeOnScreen(this, panel::minimisedPosition(bar, m_data.ScaleX, m_data.ScaleY));
    PicMin->move(0, 0);
    PicMin->show();
    PicMin->raise();
    ImgMinHover->hide();
    if (isActiveWindow())
        Command2->setFocus(Qt::TabFocusReason);
}

bool FrmTm::focusNextPrevChild(bool next) {
    // minimised, the bar's restore button is all there is to reach
    if (PicMin && PicMin->isVisible()) {
        Command2->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void FrmTm::Command2_Click() {
    returnToMain();
    resize(m_fullSize);
    if (m_simWidget)
        move(platform::dockBeside(m_simWidget->frameGeometry(), m_fullSize,
                                  platform::availableArea(m_simWidget->frameGeometry().center())));
    PicMin->hide();
}

void FrmTm::TimerREDO_Timer() {
    DqExam();
    TimerREDO.stop();
}

void FrmTm::TimeKS_Timer() {
    if (!m_session.tickCountdown())
        TimeKS.stop();
}

void FrmTm::stopCountdown() {
    m_session.stopCountdown();
    TimeKS.stop();
}

void FrmTm::showDocked() {
    if (m_simWidget)
        move(panel::dockedPosition(m_simWidget->frameGeometry(), size()));
    show();
    raise();
    returnToMain();
}

bool FrmTm::eventFilter(QObject *watched, QEvent *event) {
    if (!PicMin) // still being built
        return QWidget::eventFilter(watched, event);
    const QEvent::Type t = event->type();
    if ((t == QEvent::KeyPress || t == QEvent::KeyRelease) && watched->property("pressedByEnter").toBool()) {
        // Enter presses the panel's push buttons too, on the release like Space, so
        // that the release never reaches the simulated window the button returns to
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (t == QEvent::KeyPress && !k->isAutoRepeat())
                m_enterDown = watched;
            else if (t == QEvent::KeyRelease && !k->isAutoRepeat() && m_enterDown == watched) {
                m_enterDown = nullptr;
                static_cast<QPushButton *>(watched)->click();
            }
            return true;
        }
    }
    if (watched == RtbTM->viewport() || watched == RtbTM) {
        if (t == QEvent::MouseMove) {
            parkHighlights();
            ImgMinHover->hide();
        } else if (t == QEvent::MouseButtonRelease || t == QEvent::KeyRelease) {
            returnToMain();
        }
        if (t == QEvent::MouseButtonDblClick || t == QEvent::MouseButtonPress)
            return true; // no selection in the question text
        return false;
    }
    if (watched == FrmZhuYa || watched == PTime || watched == LblMove) {
        if (t == QEvent::MouseMove) {
            parkHighlights();
            ImgMinHover->hide();
        }
        return false;
    }
    if (watched == PicUnit) {
        if (t == QEvent::MouseButtonRelease)
            parkHighlights();
        if (t == QEvent::KeyRelease)
            returnToMain();
        return false;
    }
    if (watched == LblMin) {
        if (t == QEvent::MouseMove || t == QEvent::Enter)
            ImgMinHover->show();
        else if (t == QEvent::MouseButtonRelease) {
            minimise();
            return true;
        }
        return false;
    }
    if (watched == PicMin) {
        if (t == QEvent::MouseMove)
            Command2->setStyleSheet(panel::panelart::restoreStyle(false));
        return false;
    }
    if (watched == Command2) {
        if (t == QEvent::MouseMove || t == QEvent::Enter)
            Command2->setStyleSheet(panel::panelart::restoreStyle(true));
        else if (t == QEvent::MouseButtonRelease) {
            Command2_Click();
            return true;
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmTm::pressedByEnter(QPushButton *b) {
    b->setProperty("pressedByEnter", true);
    b->installEventFilter(this);
}

void FrmTm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const int titleH = start::twips::toPxY(TitleH, m_data.ScaleY);
    p.fillRect(rect(), panel::panelart::Face);
    panel::panelart::paintTitleStrip(p, QRect(0, 0, width(), titleH));
    panel::panelart::paintEmblem(p, QRect(start::twips::toPxX(75, m_data.ScaleX), 3, titleH - 6, titleH - 6));
    if (LblMove)
        panel::panelart::paintGrip(p, LblMove->geometry());
    panel::panelart::paintPanelFrame(p, rect());
}

namespace {
// Keys that move about the panel or press its controls: their release stays here.
bool panelKey(int key) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_F6:
    case Qt::Key_F1:
        return true;
    default:
        return false;
    }
}
} // namespace

void FrmTm::keyPressEvent(QKeyEvent *e) {
    // F6 hands the keyboard back to the simulated window, as it handed it here
    if (e->key() == Qt::Key_F6) {
        e->accept();
        returnToMain();
        return;
    }
    QWidget::keyPressEvent(e);
}

void FrmTm::keyReleaseEvent(QKeyEvent *e) {
    e->accept();
    if (panelKey(e->key()))
        return;
    returnToMain();
}

void FrmTm::closeEvent(QCloseEvent *e) {
    if (e->spontaneous() && isVisible()) {
        // the window system closes the panel (Alt+F4): the run ends as its end
        // button ends it, once this close has returned (the end closes the panel)
        e->ignore();
        QMetaObject::invokeMethod(this, &FrmTm::CmdEnd_Click, Qt::QueuedConnection);
        return;
    }
    if (m_data.PanelMayClose == False) {
        e->ignore();
        return;
    }
    stopCountdown();
    TimStartYS.stop();
    TimerREDO.stop();
    if (m_picture)
        m_picture->hide();
    e->accept();
}

// ---- the end button -------------------------------------------------------------------

void FrmTm::CmdEnd_Click() {
    hidePicture();
    m_session.end();
}

void FrmTm::hideForSession(bool toOrigin) {
    if (toOrigin)
        move(0, 0);
    hide();
}

void FrmTm::closeRun() {
    stopCountdown();
    TimStartYS.stop();
    TimerREDO.stop();
    if (SimulatedWindow *sim = liveSim())
        sim->closeForRunEnd();
    close();
    Q_EMIT runEnded();
}
