#include "app/trainer.h"
#include "cover/coverart.h"
#include "platform/cmdline.h"
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
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

// A variable that is set but empty names no display either.
static bool haveDisplay() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int main(int argc, char **argv) {
    // the command line is read before any window exists, so --help works anywhere
    bool quitAfterCover = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h") {
            std::printf("usage: caddrill\n"
                        "The trainer: unit practice, guided teaching, demonstrations and mock exams on a\n"
                        "simulated CAD screen. It reads its module (ver.txt, the data folder, sMenu.sys)\n"
                        "from its own folder and keeps the learner's records in ksdata/ there; when that\n"
                        "folder was installed for every user or cannot be written, the records and every\n"
                        "other file it writes go to a per-user folder instead\n"
                        "(~/.local/share/caddrill/<data folder>/).\n"
                        "  --help               this text\n"
                        "  --version            the program's version\n"
                        "  --quit-after-cover   end (exit code 0) as soon as the cover page has been\n"
                        "                       shown: a check that an installed trainer starts\n");
            return 0;
        }
        if (arg == "--version") {
            std::printf("caddrill %s\n", qPrintable(platform::cmdline::version()));
            return 0;
        }
        if (arg == "--quit-after-cover") {
            quitAfterCover = true;
            continue;
        }
        // the desktop's session manager may pass Qt's own options through
        if (arg.startsWith("-platform") || arg.startsWith("-session") || arg.startsWith("-style") ||
            arg.startsWith("-display"))
            break;
        std::fprintf(stderr, "caddrill: unknown option %s (try --help)\n", argv[i]);
        return 2;
    }
    if (!haveDisplay()) {
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
    platform::ProcessLauncher launcher;
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
