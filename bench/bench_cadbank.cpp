// Times building the whole sample module and checking it.
//   bench_cadbank [SOURCE]   (default: the project's bank/ folder)
// Prints one line per figure; targets: build < 20 s, check < 2 s.
#include "checker.h"
#include "compiler.h"
#include "player.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    cadbank::keepPictureBuffers();
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(CADDRILL_BANK_SOURCE);
    QTemporaryDir dir;
    int pictures = 0;
    cadbank::BuildOptions opt;
    opt.progress = [&](int, int total) { pictures = total; };
    QVector<cadbank::Problem> problems;
    QElapsedTimer t;
    t.start();
    if (!cadbank::buildModule(source, dir.path(), problems, opt)) {
        std::fprintf(stderr, "build failed (%d problems)\n", int(problems.size()));
        return 1;
    }
    const qint64 build = t.elapsed();
    t.restart();
    problems.clear();
    cadbank::checkBank(dir.path(), problems);
    const qint64 check = t.elapsed();
    t.restart();
    problems.clear();
    cadbank::checkBank(dir.path(), problems);
    const qint64 check2 = t.elapsed();
    std::printf("build of the whole module: %lld ms (%d pictures; target < 20000 ms)\n", build, pictures);
    std::printf("check of the whole module: %lld ms, again %lld ms (%d problems; target < 2000 ms)\n", check,
                check2, int(problems.size()));
    // headline figures, last, one per line
    std::printf("figure: bank_build %lld ms (goal < 20000)\n", build);
    std::printf("figure: bank_check %lld ms (goal < 2000)\n", check);
    return (build < 20000 && check < 2000 && problems.isEmpty()) ? 0 : 1;
}
