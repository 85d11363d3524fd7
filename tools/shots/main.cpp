// cadshots: screenshots for looking at the windows (developer tool; run under an
// X server such as xvfb-run).
//   cadshots cover PROGRAM_FOLDER OUTPUT_FOLDER [run]     the cover page and its panels
//   cadshots panel MODULE_FOLDER [OUT.png] [LOOK]          the question panel beside the window
//   cadshots screen PROGRAM_FOLDER OUTPUT_FOLDER [U Q]     the simulated window on a module
//   cadshots logon PROGRAM_FOLDER OUTPUT_FOLDER [PAPER]    the exam login's two pages and the run
//   cadshots demo PROGRAM_FOLDER OUTPUT_FOLDER             the demonstration window: glide, menu, typing
//   cadshots exam PROGRAM_FOLDER OUTPUT_FOLDER             the hand-in dialogs and the score report
#include "shots.h"

#include "platform/cmdline.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

int main(int argc, char **argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Screenshots for looking at the windows (run under an X server such as xvfb-run).\n"
                       "  cadshots cover PROGRAM_FOLDER OUTPUT_FOLDER [run]\n"
                       "  cadshots panel MODULE_FOLDER [OUT.png] [chooser|minimised|candidate|teaching]\n"
                       "  cadshots screen PROGRAM_FOLDER OUTPUT_FOLDER [UNIT QUESTION]\n"
                       "  cadshots logon PROGRAM_FOLDER OUTPUT_FOLDER [PAPER]\n"
                       "  cadshots exam PROGRAM_FOLDER OUTPUT_FOLDER\n"
                       "  cadshots demo PROGRAM_FOLDER OUTPUT_FOLDER"));
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("cover, panel, screen, logon, exam or demo"));
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    QApplication app(argc, argv);
    QStringList args = QStringList{app.arguments().value(0)} + parser.positionalArguments();
    const QString command = args.value(1);
    if (args.size() > 1)
        args.removeAt(1);
    if (command == QLatin1String("cover"))
        return coverShots(args);
    if (command == QLatin1String("panel"))
        return panelShots(app, args);
    if (command == QLatin1String("screen"))
        return screenShots(args);
    if (command == QLatin1String("logon"))
        return logonShots(args);
    if (command == QLatin1String("demo"))
        return demoShots(args);
    if (command == QLatin1String("exam"))
        return examShots(args);
    std::fputs("usage: cadshots cover|panel|screen|logon|exam|demo ARGUMENTS\n", stderr);
    return 2;
}
