// The question-bank update checker: a separate program beside the trainer that
// compares the installed bank version with the maker's version page and offers
// the download. It shares only files with the trainer.
//
//   refresher [--site URL]     check (the program folder is this program's folder)
//   refresher --help | --version
#include "platform/cmdline.h"
#include "platform/desktoplauncher.h"
#include "platform/messagebox.h"
#include "platform/screenplace.h"
#include "platform/services.h"
#include "platform/translations.h"
#include "refresher/frmrefresher.h"
#include "refresher/httppage.h"
#include "refresher/versioncheck.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace {

bool haveDisplay() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char **argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Compares the installed question bank's version (ver.txt and the bank version file\n"
                       "beside this program) with the version page of the update site and offers the\n"
                       "download."));
    const QCommandLineOption siteOption(
        QStringLiteral("site"), QStringLiteral("The update site (default %1).").arg(refresher::defaultSite()),
        QStringLiteral("URL"), refresher::defaultSite());
    parser.addOption(siteOption);
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return platform::cmdline::refuse(
            QStringLiteral("refresher"),
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    const QString site = parser.value(siteOption);
    if (!haveDisplay()) {
        std::fputs("refresher: no display found; it is a desktop program.\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    platform::translations::installQtChinese(app);
    const QString folder = QCoreApplication::applicationDirPath();
    // one checker at a time: a second start ends at once
    platform::LockFileInstance instance(folder, QStringLiteral("refresher"));
    if (!instance.acquire())
        return 0;
    refresher::HttpPage page;
    platform::MessageBoxPrompter prompter(
        [] { return QCoreApplication::translate("refresher", "题库升级"); });
    platform::DesktopLauncher launcher;
    refresher::Session session(page, prompter, launcher, site);
    session.load(folder);
    // the verdict as soon as the page is in, without waiting for the next poll
    QObject::connect(&page, &refresher::HttpPage::settled, &session, &refresher::Session::tickPoll,
                     Qt::QueuedConnection);
    auto *window = new refresher::FrmRefresher1(session);
    window->adjustSize();
    platform::centreOnScreen(window);
    window->show();
    QObject::connect(window, &QObject::destroyed, &app, &QCoreApplication::quit);
    return app.exec();
}
