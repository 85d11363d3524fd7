// cadbank: the question-bank tool.
//   cadbank build SOURCE PROGRAM_FOLDER   compile a module's source into a program folder
//   cadbank check PROGRAM_FOLDER          validate a bank; exit 0 clean, 1 problems, 2 usage/unreadable
//   cadbank dump PROGRAM_FOLDER [unit] [question]   readable listing of questions and steps
//   cadbank dump PROGRAM_FOLDER paper [n]           exam papers with the questions they name
#include "checker.h"
#include "compiler.h"
#include "player.h"

#include "platform/cmdline.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>

namespace {

void print(FILE *f, const QString &s) {
    std::fputs((s + u'\n').toUtf8().constData(), f);
}

const char *const Usage = "usage: cadbank build SOURCE PROGRAM_FOLDER\n"
                          "       cadbank check PROGRAM_FOLDER\n"
                          "       cadbank dump PROGRAM_FOLDER [unit] [question]\n"
                          "       cadbank dump PROGRAM_FOLDER paper [n]\n"
                          "       cadbank shot PROGRAM_FOLDER unit question step OUT.png\n";

int usage() {
    std::fputs(Usage, stderr);
    return 2;
}

// The off-screen platform's remark about a missing runtime folder is noise here.
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &msg) {
    if (msg.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "", qPrintable(msg));
}

} // namespace

int main(int argc, char **argv) {
    // Pictures are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The question-bank tool: builds a module's program folder from its "
                       "source, checks a bank, lists it.\n") +
        QString::fromLatin1(Usage));
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("build, check, dump or shot"));
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    qInstallMessageHandler(quietHandler);
    cadbank::keepPictureBuffers();
    QGuiApplication app(argc, argv);
    const QStringList args = QStringList{app.arguments().value(0)} + parser.positionalArguments();
    if (args.size() < 3)
        return usage();
    const QString cmd = args.at(1);
    if (cmd == u"build" && args.size() == 4) {
        QVector<cadbank::Problem> problems;
        cadbank::BuildOptions opt;
        opt.progress = [](int done, int total) {
            // one line per tenth, so build logs stay short
            if (done == total || done % qMax(1, total / 10) == 0)
                std::fprintf(stderr, "cadbank: drawing pictures %d/%d\n", done, total);
        };
        const bool ok = cadbank::buildModule(args.at(2), args.at(3), problems, opt);
        for (const auto &p : problems)
            print(stderr, p.text());
        return ok ? 0 : 1;
    }
    if (cmd == u"check" && args.size() == 3) {
        QVector<cadbank::Problem> problems;
        cadbank::CheckStats stats;
        const bool readable = cadbank::checkBank(args.at(2), problems, &stats);
        for (const auto &p : problems)
            print(stdout, p.text());
        if (!readable)
            return 2;
        if (readable)
            print(stdout, QStringLiteral(
                              "cadbank: %1 of %2 questions solved through the step engine, one action a step")
                              .arg(stats.solved)
                              .arg(stats.questions));
        if (problems.isEmpty())
            print(stdout, QStringLiteral("cadbank: no problems found"));
        return problems.isEmpty() ? 0 : 1;
    }
    if (cmd == u"dump" && args.size() >= 4 && args.size() <= 5 && args.at(3) == u"paper") {
        bool ok = true;
        const int paper = args.size() == 5 ? args.at(4).toInt(&ok) : 0;
        if (!ok)
            return usage();
        QStringList out;
        QString error;
        if (!cadbank::dumpPapers(args.at(2), paper, out, &error)) {
            print(stderr, QStringLiteral("cadbank: ") + error);
            return 2;
        }
        for (const QString &l : out)
            print(stdout, l);
        return 0;
    }
    if (cmd == u"dump" && args.size() >= 3 && args.size() <= 5) {
        bool ok1 = true, ok2 = true;
        const int unit = args.size() >= 4 ? args.at(3).toInt(&ok1) : 0;
        const int question = args.size() >= 5 ? args.at(4).toInt(&ok2) : 0;
        if (!ok1 || !ok2)
            return usage();
        QStringList out;
        QString error;
        if (!cadbank::dumpBank(args.at(2), unit, question, out, &error)) {
            print(stderr, QStringLiteral("cadbank: ") + error);
            return 2;
        }
        for (const QString &l : out)
            print(stdout, l);
        return 0;
    }
    if (cmd == u"shot" && args.size() == 7) {
        // developer aid: cadbank shot PROGRAM_FOLDER unit question step OUT.png
        QString error;
        const QImage img = cadbank::renderStep(args.at(2), args.at(3).toInt(), args.at(4).toInt(),
                                               args.at(5).toInt(), &error);
        if (img.isNull() || !img.save(args.at(6), "PNG")) {
            print(stderr, QStringLiteral("cadbank: ") +
                              (error.isEmpty() ? QStringLiteral("cannot write ") + args.at(6) : error));
            return 2;
        }
        return 0;
    }
    return usage();
}
