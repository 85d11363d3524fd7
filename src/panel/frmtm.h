#pragma once
// The question panel: the small always-on-top window beside the simulated window
// in every run. It shows the current question (DqExam), its title line and the
// unfinished list, and carries the toolbar: previous, next, redo, mark, the
// chooser, the end of the run, guided teaching (or the candidate's data) and the
// demonstration (or the exam's hint). After nearly every action it hands the
// learner back to the simulated window. The rules live in the run session
// (runsession.h) and panelrules.h; this class lays the controls out, forwards
// its events and timers to the session and draws what the session holds.

#include "panel/frmpicture.h"
#include "panel/hintrules.h"
#include "panel/panelentry.h"
#include "panel/runsession.h"
#include "platform/clicklabel.h"
#include "simulator/panelport.h"
#include "start/moddata.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>

class QFrame;
class QMenu;
class QPushButton;
class QTextEdit;
class FrmPicture; // frmpicture.h
class SimulatedWindow;
namespace platform {
class Dragger;
class Clock;
class KeyboardLayout;
class Prompter;
} // namespace platform

// A toolbar caption: a drawn icon over its text, greyed when disabled.
class PanelCaption : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent *) override;
};

class FrmTm : public QWidget, public QuestionPanelPort {
    Q_OBJECT
  public:
    // Loading the panel (first use in a run): size and place, number buttons,
    // captions of the kind of run, candidate data, load title, visited bit of
    // question 1, then DqExam. The clock drives the exam countdown.
    FrmTm(ModData &data, platform::Prompter &prompter, platform::Clock &clock, QWidget *parent = nullptr);
    ~FrmTm() override;

    // The simulated window the panel drives; may be set after the load.
    void setSimulatedWindow(SimulatedWindow *window);
    SimulatedWindow *simulatedWindow() const { return liveSim(); }

    // The rules of the run.
    panel::RunSession &session() { return m_session; }

    // What an opener sets before it shows the panel.
    void applyEntry(const PanelEntry &entry);
    // Number buttons above QuestionCount hidden, the others shown.
    void showNumberButtons();

    // Shows CurQuestion.
    void DqExam();

    // Fills the input-method menu from the layouts the keyboard reports (the
    // panel's load fills it with the design captions).
    void setKeyboardLayout(platform::KeyboardLayout &keyboard);
    const panel::inputmenu::Menu &inputMenu() const { return m_imeMenu; }
    // The indicator: the menu opens above and to the left of it.
    void LblIME_Click();
    // Where the menu's top right corner goes, in the panel's pixels.
    QPoint inputMenuCorner() const;
    // Entry 0 (mEng) or k (mCn k): InputLayout takes its handle, and the
    // simulated window's command line gets the focus, which activates it.
    void chooseInput(int entry);

    // The learner gave up the exam's scoring in the hint dialog: the toolbar
    // teaches and demonstrates, the simulated window shows, and the current
    // question's demonstration starts from its first step.
    void openAnswers();

    // QuestionPanelPort
    QSize panelSize() const override { return size(); }
    void movePanel(const QPoint &topLeft) override { move(topLeft); }
    void raisePanel() override;
    void setTitle(const QString &lblBiao) override { LblBiao->setText(lblBiao); }
    void setUnfinished(const QString &lblUnit) override { LblUnit->setText(lblUnit); }
    // F6 in the simulated window: the panel takes the keyboard, on the control it
    // held last or its first toolbar button.
    void takeKeyboard() override;

    // Handlers (also reached through the hot spots CmdGN(0..7)).
    void CmdPre_Click();
    void CmdNext_Click();
    void CmdRedo_Click();
    void CmdBZBT_Click();
    void CmdSelect_Click();
    void CmTNO_Click(int i);
    void CmdSelFH_Click();
    void CmdEnd_Click();
    void CmdCZTS_Click();
    void CmdKSFH_Click();
    void Command1_Click();
    void Image2_Click();
    void CmdGN_Click(int k);
    void CmdGN_MouseDown(int k);
    void CmdGN_MouseUp(int k, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void CmdGN_MouseMove(int k);
    void parkHighlights();
    void minimise();
    void Command2_Click();
    void TimerREDO_Timer();
    void TimStartYS_Timer();
    void TimeKS_Timer();
    // The countdown stops for good (the paper was handed in, the run is over).
    void stopCountdown();
    // "继续考试": the panel back in the simulated window's lower right corner,
    // shown, and the learner handed back to the simulated window.
    void showDocked();

    // Sets the window state of the simulated window to normal and shows it.
    void returnToMain();
    // The demonstration window has closed: both windows back, TimerREDO on.
    void demonstrationEnded();

    // The picture window, created on first use.
    FrmPicture *picture();
    bool pictureLoaded() const { return m_picture; }

    // Controls, named as the panel's openers and tests know them.
    QLabel *LblBiao = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LblMove = nullptr;
    QTextEdit *RtbTM = nullptr;
    QWidget *PicUnit = nullptr;
    QLabel *LblUnit = nullptr;
    QPushButton *Image2 = nullptr;
    QWidget *FrmZhuYa = nullptr;
    PanelCaption *CmdPre = nullptr;
    PanelCaption *CmdNext = nullptr;
    PanelCaption *CmdRedo = nullptr;
    PanelCaption *CmdBZBT = nullptr;
    PanelCaption *CmdSelect = nullptr;
    PanelCaption *CmdEnd = nullptr;
    PanelCaption *CmdCZTS = nullptr;
    PanelCaption *Command1 = nullptr;
    std::array<platform::ClickLabel *, 8> CmdGN{}; // hot spots over the captions
    QLabel *ImgMove = nullptr;
    QLabel *ImgDown = nullptr;
    QFrame *FrmSelect = nullptr;
    std::array<QPushButton *, MaxQuestions + 1> CmTNO{}; // 1..40
    QPushButton *CmdSelFH = nullptr;
    QFrame *FrmKSXX = nullptr;
    QLabel *KsName1 = nullptr, *KsZWH1 = nullptr, *KsCC1 = nullptr, *KsDAH1 = nullptr, *KsKM1 = nullptr,
           *KsSFZ1 = nullptr;
    QPushButton *CmdKSFH = nullptr;
    QLabel *LblName = nullptr;
    QLabel *LblTime = nullptr;
    QWidget *PTime = nullptr;
    QLabel *LblTimeJD = nullptr;
    platform::ClickLabel *LblIME = nullptr;
    QMenu *mIme = nullptr;
    QAction *mEng = nullptr;
    std::array<QAction *, panel::inputmenu::CnEntries> mCn{}; // mCn1 ... mCn10
    platform::ClickLabel *LblMin = nullptr;                   // the minimise hot spot
    QLabel *ImgMinHover = nullptr;
    QWidget *PicMin = nullptr;                // the minimised bar
    platform::ClickLabel *Command2 = nullptr; // its restore hot spot

    QTimer TimeKS;
    QTimer TimStartYS;
    QTimer TimerREDO;

  Q_SIGNALS:
    // The demonstration is due: both windows are hidden; intervals are the
    // demonstration window's timers at the chosen speed. The demonstration's end
    // calls demonstrationEnded().
    void demonstrationRequested(const panel::DemoIntervals &intervals);
    // "操作提示" in an exam: the hint dialog.
    void hintRequested();
    // A practice or review has ended: both windows are closing; the cover page is next.
    void runEnded();
    // "结束考试": the hand-in dialogs take over.
    void handInRequested();

  protected:
    // Closed by the window system (Alt+F4): the end button's way, with its
    // questions. Closed by the program: refused while PanelMayClose is 0.
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool focusNextPrevChild(bool next) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    // The simulated window while its form exists (it may have been closed).
    SimulatedWindow *liveSim() const { return m_simWidget ? m_sim : nullptr; }
    void buildControls();
    void applyKindOfRun();
    void showButtons();
    // The chooser's legend, with the solved ring where the run shows it.
    void showLegend(bool withSolved);
    void showInputMenu();
    void drawTime();
    void drawQuestionLine();
    void drawQuestion();
    void colourNumberButtons();
    // The hot spots are called by the captions over them.
    void nameHotSpots();
    // The chooser or the candidate sheet opened or closed: the keyboard goes to
    // first (or back to the toolbar) and the covered toolbar is left out of Tab.
    void sheetChanged(QWidget *first);
    void focusFirstControl();
    // Enter presses b as Space does.
    void pressedByEnter(QPushButton *b);
    void hidePicture();
    void hideForSession(bool toOrigin);
    void closeRun();
    void simulatedWindowGone(QObject *window);

    ModData &m_data;
    panel::RunSession m_session;
    SimulatedWindow *m_sim = nullptr;
    QPointer<QWidget> m_simWidget;
    QObject *m_simObject = nullptr; // identity only, to recognise its destruction
    QPointer<FrmPicture> m_picture;
    platform::Dragger *m_drag = nullptr;
    QSize m_fullSize;
    panel::inputmenu::Menu m_imeMenu;
    QObject *m_enterDown = nullptr;   // the push button Enter went down on
    QPointer<QWidget> m_keyboardLeft; // where the keyboard was when it went back to the simulated window
};
