#pragma once
// A stand-in for the demonstration window until the player exists: a small
// window saying which question would be played and at which speed, with a
// button that ends it. It deletes itself when closed; whoever opened it learns
// of the end through the finished signal, as from the demonstration's end.

#include <QWidget>

namespace demo {

class DemoStandIn : public QWidget {
    Q_OBJECT
  public:
    // slow: the demonstration at half speed (its timers at twice their intervals).
    DemoStandIn(int question, bool slow, QWidget *parent = nullptr);
    ~DemoStandIn() override;

  Q_SIGNALS:
    // The window is going: the question comes back.
    void finished();
};

} // namespace demo
