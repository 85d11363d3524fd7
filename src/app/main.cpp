#include "app/trainer.h"
#include "cover/coverart.h"
#include "platform/cmdline.h"
#include "platform/desktoplauncher.h"
#include "platform/fonts.h"
#include "platform/keyboardlayout.h"
#include "platform/localinstance.h"
#include "platform/messagebox.h"
#include "platform/places.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/translations.h"
#include "start/moddata.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

// A variable that is set but empty names no display either; a platform named
// on the command line is one Qt is asked to use.
static bool haveDisplay(bool platformGiven) {
    if (platformGiven || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int main(int argc, char **argv) {
    // the command line is read before any window exists, so --help works anywhere
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The trainer: unit practice, guided teaching, demonstrations and mock exams on a\n"
                       "simulated CAD screen. It reads its module (ver.txt, the data folder, sMenu.sys)\n"
                       "from its own folder and keeps the learner's records in ksdata/ there; when that\n"
                       "folder was installed for every user or cannot be written, the records and every\n"
                       "other file it writes go to a per-user folder instead\n"
                       "(~/.local/share/caddrill/<data folder>/)."));
    const QCommandLineOption quitOption(
        QStringLiteral("quit-after-cover"),
        QStringLiteral("End (exit code 0) as soon as the cover page has been\n"
                       "shown: a check that an installed trainer starts."));
    parser.addOption(quitOption);
    // Qt's own options, which a desktop's session manager may pass: taken here so
    // they are not refused, and read again by the application object
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QStringList qtValueOptions = {
        QStringLiteral("platform"), QStringLiteral("platformtheme"), QStringLiteral("platformpluginpath"),
        QStringLiteral("session"),  QStringLiteral("style"),         QStringLiteral("stylesheet"),
        QStringLiteral("display")};
    for (const QString &name : qtValueOptions) {
        QCommandLineOption qtOption(name, QStringLiteral("Qt's own option."), QStringLiteral("value"));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return platform::cmdline::refuse(
            QStringLiteral("caddrill"),
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    const bool quitAfterCover = parser.isSet(quitOption);
    if (!haveDisplay(parser.isSet(QStringLiteral("platform")))) {
        std::fputs("caddrill: no display found (DISPLAY is not set).\n"
                   "The trainer is a desktop program; on a machine without a screen run it under a\n"
                   "virtual one, for example:  xvfb-run -a -s '-screen 0 1024x768x24' ./caddrill\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    // the per-user folder is named after the program, however it was started
    QCoreApplication::setApplicationName(QStringLiteral("caddrill"));
    platform::translations::installQtChinese(app);
    QApplication::setFont(platform::fonts::ui(9));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(cover::coverart::emblemTile(size));
    QApplication::setWindowIcon(icon);

    ModData data;
    data.AppPath = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    data.Places = platform::RecordPlaces::decide(data.AppPath);
    const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();

    platform::MessageBoxPrompter prompter([&data] { return data.appTitle(); });
    platform::FileRegistry registry;
    platform::DesktopLauncher launcher;
    platform::SystemClock clock;
    platform::LocalInstance instance(QCoreApplication::applicationDirPath());
    platform::DesktopKeyboardLayout keyboard;

    Trainer trainer(data, {&prompter, &registry, &launcher, &clock, &instance, &keyboard}, exeName);
    if (quitAfterCover)
        QObject::connect(&trainer, &Trainer::coverShown, &app, [] {
            std::puts("caddrill: cover page shown");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        });
    if (!trainer.start())
        return 1;
    return app.exec();
}
