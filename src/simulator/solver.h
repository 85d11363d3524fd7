#pragma once
// The solver: for a laid-out step, the learner's actions that complete it and
// where the pointer goes, or the reason no action can. It asks what the window
// would let the learner do: whether a zone is on the 800 x 600 window and not
// under a control that takes the click first (the controls stack, bottom to top:
// picture 5, zone 1, zone 2, the menu titles, the input box, the overlay box,
// the back button, the emblem), whether the input box has the keyboard, whether
// the menu entry is in the pop-up. The bank checker plays every question with
// it; the demonstration can move its pointer along the waypoints.
//
// Typical use:
//   Solution s = solveStep(situationOf(engine, answer));
//   if (s.solvable()) playSolution(engine, s);   // applies the actions in order
//   else report(s.why);

#include "simulator/action.h"
#include "simulator/menufile.h"
#include "simulator/screenlayout.h"

#include <QPoint>
#include <QSize>
#include <QVector>
#include <functional>

namespace sim {

class StepEngine;

// What the solver reads besides the record and the screen; each is asked only
// when the step needs it.
struct StepSituation {
    const sim::bank::StepRecord &record;
    const ScreenModel &screen;
    double scaleX = 1.0;
    double scaleY = 1.0;
    std::function<QString()> answer;                            // the text line AnswerLine names
    std::function<sim::menus::MenuContent(int openMenu)> popup; // the pop-up menu n shows at this step
    std::function<QSize()> picture5Size;                        // pixels; empty when it cannot be read
};

// The situation of the engine's current step; answer gives the answer text.
StepSituation situationOf(StepEngine &e, std::function<QString()> answer);

struct SolutionStep {
    Action action;
    bool whileOpen = false; // skipped once the step has advanced
};

// A control that covers part of the zone the solution uses: a click there goes
// to the control. field names the record field that places the control.
struct SolverNote {
    QString field;
    QString reason;
};

struct Solution {
    QVector<SolutionStep> steps; // in order; a release after the step advanced still lands
    QVector<QPoint> waypoints;   // twips on the window, in the order the pointer visits them
    QString what;                // the action in words, "a click on zone 1"
    QString why;                 // no action completes the step: why; else empty
    // The reason to give when the actions leave the step open (a target the
    // pointer can only come near); empty when their failing needs no reason.
    QString ifStillOpen;
    QVector<SolverNote> notes;
    bool solvable() const { return why.isEmpty(); }
};

Solution solveStep(const StepSituation &s);

// Applies a solution's actions to the engine; true when the step advanced.
bool playSolution(StepEngine &e, const Solution &s);

} // namespace sim
