#include "coverwindow.h"
#include "../start/trainer.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

// Stand-in main menu until the cover page exists: it names the application and
// the module so that the start-up path can be seen end to end.
QWidget *createCoverWindow(Trainer &trainer)
{
    auto *w = new QWidget;
    w->setObjectName(QStringLiteral("FrmFengmian"));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(trainer.data().appTitle());
    auto *layout = new QVBoxLayout(w);
    auto *label = new QLabel(trainer.data().appTitle() + QStringLiteral("\n") + trainer.data().ModuleTitle);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    w->resize(800, 600);
    return w;
}
