#include "platform/cmdline.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

namespace platform::cmdline {

QString version() {
    return QStringLiteral(CADDRILL_VERSION);
}

QStringList arguments(int argc, char **argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

int refuse(const QString &program, const QString &what) {
    std::fprintf(stderr, "%s: %s (try --help)\n", qPrintable(program), qPrintable(what));
    return 2;
}

int parse(QCommandLineParser &parser, const QStringList &arguments) {
    const QString program = QFileInfo(arguments.value(0)).fileName();
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and ends."));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Displays the version and ends."));
    parser.addOption(help);
    parser.addOption(versionOption);
    if (!parser.parse(arguments))
        return refuse(program, parser.errorText());
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        // without an application object the usage line has no name of its own
        text.replace(QLatin1String("<executable_name>"), program);
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::printf("%s %s\n", qPrintable(program), CADDRILL_VERSION);
        return 0;
    }
    return -1;
}

} // namespace platform::cmdline
