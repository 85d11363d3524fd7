// cadshots: screenshots for looking at the windows (developer tool; run under an
// X server such as xvfb-run).
//   cadshots cover PROGRAM_FOLDER OUTPUT_FOLDER [run]     the cover page and its panels
//   cadshots panel MODULE_FOLDER [OUT.png] [LOOK]          the question panel beside the window
//   cadshots screen PROGRAM_FOLDER OUTPUT_FOLDER [U Q]     the simulated window on a module
//   cadshots exam PROGRAM_FOLDER OUTPUT_FOLDER             the hand-in dialogs and the score report
#include "shots.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    const QString command = args.value(1);
    if (args.size() > 1)
        args.removeAt(1);
    if (command == QLatin1String("cover"))
        return coverShots(args);
    if (command == QLatin1String("panel"))
        return panelShots(app, args);
    if (command == QLatin1String("screen"))
        return screenShots(args);
    if (command == QLatin1String("exam"))
        return examShots(args);
    std::fputs("usage: cadshots cover|panel|screen|exam ARGUMENTS\n", stderr);
    return 2;
}
