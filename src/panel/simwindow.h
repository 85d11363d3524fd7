#pragma once
// What the question panel uses of the simulated window beside it: restoring a
// question's remembered screen, the one-shot Timer2 that sets up the current
// step, the guided-teaching outlines and the window itself (placement, showing,
// hiding and closing). The real simulated window is adapted to this; tests use a
// fake that records the calls.

class QWidget;

class SimulatedWindow {
  public:
    virtual ~SimulatedWindow() = default;
    virtual QWidget *window() = 0;
    // Screen picture and Image1..Image5 from QuestionScreen(q), CurStep from SavedStep(q).
    virtual void restoreQuestion(int q) = 0;
    // Switches Timer2 on: the current step is set up on its first tick.
    virtual void startTimer2() = 0;
    // LHelp, Shape1 and Shape4 visible (guided teaching) or hidden.
    virtual void setGuided(bool on) = 0;
    // Gives the focus to the command line (Text1) when it shows; its focus
    // activates the input layout the learner chose.
    virtual void focusCommandLine() {}
    // The run is over: the window closes for good (its other closes ask for
    // the run's end instead).
    virtual void closeForRunEnd() = 0;
};
