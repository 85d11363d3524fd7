#pragma once
// FrmMain: the simulated drawing-program screen. A borderless 800 x 600 window
// whose ScreenView paints the step engine's screen (pictures, hint, outlines, menu
// titles, success text, emblem); the window lays the invisible hot zones, the
// menu titles' hot spots, the input boxes and the back button over it, and
// forwards every mouse, menu, text and key event to the engine. The question panel
// beside it is reached only through QuestionPanelPort.

#include "platform/clicklabel.h"
#include "simulator/panelport.h"
#include "simulator/screenview.h"
#include "simulator/stepengine.h"

#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>

class QLineEdit;
class QMenu;
namespace platform {
class Dragger;
class KeyboardLayout;
} // namespace platform

class FrmMain : public QWidget, private sim::EngineListener {
    Q_OBJECT
  public:
    // keyboard: where Text1's focus hands the input method over; nullptr keeps a
    // recording no-op.
    explicit FrmMain(ModData &data, platform::KeyboardLayout *keyboard = nullptr, QWidget *parent = nullptr);
    ~FrmMain() override;

    // Shows the window placed as it opens: maximised on small screens, else centred.
    void showForm();
    bool openedMaximised() const { return m_maximised; }

    void setPanel(QuestionPanelPort *panel);
    // The run is over: the window closes for good. Every other close (Alt+F4,
    // the window system, close()) is the learner's wish to end the run: while
    // someone listens to endOfRunAsked the window stays open and says so, and
    // the run's own end (with its questions) closes it here.
    void closeForRunEnd();
    // Moves the panel into the window's bottom-right corner.
    void dockPanel();
    // The panel restores a question's pictures and step, then starts Timer2.
    void restoreQuestion(int q);
    // Guided teaching (WorkMode 1) shows the hint and the outlines from the next setData.
    void setGuided(bool on);
    // Shows or hides the hint and both outlines at once, until the next setData.
    void showGuides(bool on);
    void setData();

    sim::StepEngine &engine() { return m_engine; }
    sim::ModDataRecord &learner() { return m_learner; }

    // 100 ms, one shot: sets up the step the panel restored.
    QTimer Timer2;
    // 1 s: the automatic step "8888".
    QTimer Timer3;

    // What the screen shows, painted under every control.
    sim::simview::ScreenView *view = nullptr;

    // Controls, by the names the question bank's authors know.
    platform::ClickLabel *Image5 = nullptr; // picture 5, dragged
    platform::ClickLabel *Label1 = nullptr;
    platform::ClickLabel *Label4 = nullptr;
    platform::ClickLabel *LblXXK = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    // The menu titles' hot spots, and the highlight's while its title is hovered.
    std::array<QWidget *, sim::MenuTitles> LMenu{};
    std::array<QWidget *, sim::MenuTitles> LMBack{};
    QWidget *LblMove = nullptr;
    QWidget *ImgLogo = nullptr; // takes the clicks over the emblem
    QLabel *notice = nullptr;   // names a file that could not be read
    QMenu *wm100 = nullptr;     // the pop-up, rebuilt at every opening

  Q_SIGNALS:
    // The pop-up was filled and shown (tests choose from it).
    void menuShown();
    // The learner closed the window during a run: end the run as its end
    // button does. Emitted after the close has returned.
    void endOfRunAsked();

  protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    // sim::EngineListener
    void stepLaidOut() override;
    void dragChanged() override;
    void zone1Pointer(const sim::PointerShape &p) override;
    void zone2Pointer(const sim::PointerShape &p) override;
    void showMenu(const sim::menus::MenuContent &m, int barIndex) override;
    void panelCaptions(const std::optional<QString> &lblBiao, const std::optional<QString> &lblUnit) override;
    void fileProblem(const QString &message) override;
    void fileProblemsCleared() override;

    void buildControls();
    void applyPictures();
    void layoutMenuBar();
    void hoverTitle(int i);
    void formClick();
    void updateNotice();
    void setPointer(QWidget *w, const sim::PointerShape &p);

    ModData &m_data;
    sim::ModDataRecord m_learner;
    sim::StepEngine m_engine;
    platform::KeyboardLayout *m_keyboard;
    QuestionPanelPort *m_panel = nullptr;
    sim::ScreenPictures m_pictures;
    std::array<QString, 6> m_pictureIds; // background, 1..5
    QSize m_picture5Size;
    bool m_maximised = false;
    bool m_runOver = false;              // closeForRunEnd: the close is the run's own
    platform::Dragger *m_drag = nullptr; // LblMove drags the window
    int m_hover = -1;
    QHash<QString, QCursor> m_cursors;
    QStringList m_problems;
};
