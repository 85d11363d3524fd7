#include "app/trainer.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "start/moddata.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

static bool haveDisplay() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

int main(int argc, char **argv) {
    if (!haveDisplay()) {
        std::fputs("caddrill: no display found (DISPLAY is not set).\n"
                   "The trainer is a desktop program; on a machine without a screen run it under a\n"
                   "virtual one, for example:  xvfb-run -a -s '-screen 0 1024x768x24' ./caddrill\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setFont(platform::fonts::ui(9));

    ModData data;
    data.AppPath = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();

    platform::MessageBoxPrompter prompter([&data] { return data.appTitle(); });
    platform::FileRegistry registry;
    platform::ProcessLauncher launcher;
    platform::SystemClock clock;
    platform::LockFileInstance instance(QCoreApplication::applicationDirPath());

    Trainer trainer(data, {&prompter, &registry, &launcher, &clock, &instance}, exeName);
    if (!trainer.start())
        return 1;
    return app.exec();
}
