#pragma once
// The step engine of the simulated window: holds the current step (StepValue and
// the laid-out screen), sets a step up (setData), advances after a matched action
// (doNext), finishes a question on its closing record, and compares the learner's
// actions with the step. Actions arrive as plain calls; what the window must show
// goes out through EngineListener. No widget here.
//
// A step file or picture that cannot be read is reported once (naming the file)
// and leaves the step blocked: no action completes it, so the question cannot be
// solved by skipping what could not be shown. The back button still works.

#include "simulator/action.h"
#include "simulator/bankreader.h"
#include "simulator/learnerrecord.h"
#include "simulator/menufile.h"
#include "simulator/picturecache.h"
#include "simulator/screenlayout.h"
#include "simulator/stepcode.h"

#include <QSet>
#include <memory>
#include <optional>

struct ModData;

namespace sim {

struct PointerShape {
    enum Kind { Default, System, Custom };
    Kind kind = Default;
    int number = 0; // system pointer number
    QString file;   // custom pointer file
    bool operator==(const PointerShape &) const = default;
};

class EngineListener {
  public:
    virtual ~EngineListener() = default;
    // A step was set up: apply the whole screen (texts, focus, timers).
    virtual void stepLaidOut() = 0;
    // The selection window or picture 5 moved.
    virtual void dragChanged() {}
    virtual void zone1Pointer(const PointerShape &) {}
    virtual void zone2Pointer(const PointerShape &) {}
    // Show the pop-up: under bar title barIndex, or at the pointer (barIndex -1).
    virtual void showMenu(const sim::menus::MenuContent &, int barIndex) = 0;
    // The closing record rewrote the panel's captions (LblBiao, LblUnit).
    virtual void panelCaptions(const std::optional<QString> &lblBiao,
                               const std::optional<QString> &lblUnit) = 0;
    // A file could not be read; said once per message and question.
    virtual void fileProblem(const QString &message) = 0;
    // Another question is being shown: what was said about the files of the
    // last one no longer holds (its problems are said again if it comes back).
    virtual void fileProblemsCleared() {}
};

class StepEngine {
  public:
    // Keeps the learner's record in data (ModDataRecord).
    explicit StepEngine(ModData &data);
    // Reports to learner; nullptr writes no record at all (SavedStep,
    // QuestionScreen, QuestionScore, QuestionMark stay as they are, no captions).
    StepEngine(ModData &data, LearnerRecord *learner);

    void setListener(EngineListener *l) { m_listener = l; }
    ModData &data() { return m_data; }
    const ScreenModel &screen() const { return m_screen; }
    const sim::bank::StepRecord &record() const { return m_record; }
    int32_t StepValue() const { return m_screen.stepValue; }
    int OpenMenu() const { return m_openMenu; }
    bool blocked() const { return m_blocked; }
    bool dragging() const { return m_dragging; }
    const PointerShape &zone2PointerShape() const { return m_zone2Pointer; }

    // Window opening: SavedStep of questions 1-40 back to 1.
    void formLoad();
    // Restores the screen picture and pictures 1-5 remembered for question q and
    // its saved step (CurStep); the caller then starts Timer2. The file problems
    // said so far are cleared first: the notice is the question's own.
    void restoreQuestion(int q);

    void setData();
    void doNext();

    // Zone 1 (Label1). button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
    void zone1MouseDown(int button, int shift);
    void zone1MouseUp(int button, int shift);
    void zone1DoubleClick();
    void zone1MouseMove();
    // Zone 2 (Label4); x, y in twips relative to the zone.
    void zone2MouseDown(int button, int shift, int x, int y);
    void zone2MouseMove(int shift, int x, int y);
    void zone2MouseUp(int button, int shift, int x, int y);
    // Picture 5 (Image5); x, y in twips relative to the picture.
    void picture5MouseMove(int buttons, int x, int y);
    void picture5MouseUp();
    // Back button LblXXK(0).
    void backClick();
    // Menu bar title i (0..10) clicked: OpenMenu = i + 1, the pop-up is filled.
    void openBarMenu(int i);
    // Item j of group g (1..9) chosen from the pop-up.
    void menuItemChosen(int group, int item);
    // Input boxes.
    void text1Changed(const QString &text);
    // Key released in Text1 (virtual-key code); true when the box must be emptied.
    bool text1KeyReleased(int key);
    void text2Changed(const QString &text);
    // Key pressed while the window itself has the focus.
    void windowKeyDown(int key, int shift);
    void timer3Tick();

    // Plays one action through the handler above that takes it. A key released
    // in the input box that the engine answers with "empty the box" empties it,
    // as the window does. True when the action changed the step (CurStep).
    bool apply(const Action &a);
    // What the current step's code asks for.
    StepCode stepCode() const { return decodeStepCode(m_screen.code, m_screen.stepValue); }

    // Decoded picture of an id (null when it cannot be read).
    QImage picture(const QString &id);
    // Reads the next record and decodes its pictures ahead (idle time).
    void prefetchNext();

    // Captions the closing record gives the panel (exposed for tests).
    static QString unfinishedList(const ModData &d, bool byMark) {
        return ModDataRecord::unfinishedList(d, byMark);
    }

    // The pop-up of menu openMenu for the current step. sMenu.sys is read again
    // whenever it changed on disk, otherwise the lines read before serve.
    sim::menus::MenuContent menuFor(int openMenu);

  private:
    void layOutStep();
    void finishQuestion();
    void report(const QString &message);
    bool loadPicture(const QString &id);
    QString answerText();
    void showContextMenu();
    PointerShape pointerOf(bool zone2Drag) const;
    QString menuFile() const;

    ModData &m_data;
    sim::bank::BankReader m_reader;
    sim::bank::LineCache m_menuLines;
    PictureCache m_pictures;
    EngineListener *m_listener = nullptr;
    std::unique_ptr<ModDataRecord> m_ownLearner;
    LearnerRecord *m_learner = nullptr;

    sim::bank::StepRecord m_record = sim::bank::StepRecord::blank();
    ScreenModel m_screen;
    bool m_blocked = false;
    bool m_settingUp = false;  // inside setData
    bool m_setUpAgain = false; // a step completed itself: lay out the next one
    int m_openMenu = 0;
    int m_dragStartX = 0, m_dragStartY = 0;
    bool m_dragging = false;
    PointerShape m_zone2Pointer;
    QSet<QString> m_reported;
};

} // namespace sim
