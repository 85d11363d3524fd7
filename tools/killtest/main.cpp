// cadkilltest: kills a process that keeps writing a unit's progress records, at
// random moments, and checks what the kill left behind.
//
// The child (--child) writes the unit status file and the unit result file of
// one unit again and again through the trainer's own writers, the way a
// practice writes them after each solved question and at its end. Generation g
// solves question (g mod 40) + 1 and marks question ((g + 13) mod 40) + 1, so
// the 40 generations of the cycle each have their own bytes in both files.
//
// The parent starts the child, kills it with SIGKILL after a random delay and
// checks, before the next start:
//   - each file holds the bytes of one generation (or, before the first
//     write, what it held before): nothing torn, nothing lost, and the readers
//     the trainer uses read it back as that generation;
//   - the pair is one the unit's entry accepts: both of generation g, or the
//     result file one generation ahead (it is written first);
//   - after the start-up cleanup no temporary file of a write is left.
#include "panel/progress.h"
#include "platform/cmdline.h"
#include "platform/textfile.h"
#include "start/moddata.h"
#include "start/verfile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

namespace progress = panel::progress;

constexpr int Unit = 1;    // the unit written (line 1 of the status file)
constexpr int Period = 40; // generations before the contents repeat
constexpr int Before = -1; // "the content the file had before any write"
constexpr int Torn = -2;   // bytes of no generation
// The child reports on this descriptor once it is set up and about to write, so
// the random delay counts from its first write, not from the start of the
// process (loading the libraries takes longer than most of the delays).
constexpr int ReadyFd = 3;

// unit 0's line: it must survive every rewrite of the status file
const QString OtherUnitLine = QStringLiteral("TFTFTFTFTFTF");

void put(const QString &path, const QStringList &lines) {
    platform::textfile::writeLinesAtomic(path, lines);
}

// A module with two units (12 and 40 questions) and the status file seeded with
// unit 0's progress and unit 1 all unsolved; no result file yet.
void install(const QString &program) {
    QDir().mkpath(program + QStringLiteral("/cad2004"));
    QDir().mkpath(program + QStringLiteral("/ksdata"));
    put(program + QStringLiteral("/ver.txt"),
        {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
         start::verfile::encodeLine(QStringLiteral("中文版 计算机辅助设计")),
         start::verfile::encodeLine(QStringLiteral("cad2004")),
         start::verfile::encodeLine(QStringLiteral("12")),
         start::verfile::encodeLine(QStringLiteral("第一单元")),
         start::verfile::encodeLine(QStringLiteral("第二单元"))});
    put(program + QStringLiteral("/cad2004/288891.rar"), {QStringLiteral("0002"), QStringLiteral("1240")});
    put(program + QStringLiteral("/cad2004/288895.rar"), {QStringLiteral("2026.12")});
    put(program + QStringLiteral("/cad2004/288899.rar"), {QStringLiteral("12")});
    put(program + QStringLiteral("/ksdata/288893.rar"), {OtherUnitLine, QString(Period, u'F')});
}

// The state of a unit practice of unit 1 in the module at program.
bool unitData(const QString &program, ModData &d, QString *error) {
    d = ModData{};
    d.AppPath = program;
    if (!start::verfile::readInfo(d, error))
        return false;
    d.SetBase = SetBaseUnit;
    d.CurSet = Unit;
    d.UnitCount = 2;
    d.QuestionCount = Period;
    return true;
}

void applyGeneration(ModData &d, int g) {
    const int solved = g % Period + 1;
    const int marked = (g + 13) % Period + 1;
    for (int q = 1; q <= MaxQuestions; ++q) {
        d.QuestionMark[q] = q == solved ? QStringLiteral("T") : QStringLiteral("F");
        d.QuestionScore[q] = Integer(q == solved ? StatusSolved | StatusVisited : 0);
    }
    d.QuestionScore[marked] = Integer(d.QuestionScore[marked] | StatusMarked | StatusVisited);
}

QByteArray fileBytes(const QStringList &lines) {
    QByteArray out;
    for (const QString &l : lines)
        out += platform::gbk::encode(l) + "\r\n";
    return out;
}

// ---- child ----------------------------------------------------------------

// Loops until killed. Even generations are written as after a solved question
// (endUnitPractice), odd ones as at the end of a practice (the two writers, the
// result file first). With unsafe set the files are written in place, status
// first, to see the checks catch what an unprotected write leaves.
int child(const QString &program, int start, bool unsafe) {
    ModData d;
    QString error;
    if (!unitData(program, d, &error)) {
        std::fprintf(stderr, "cadkilltest child: %s\n", qPrintable(error));
        return 3;
    }
    const char ready = 'r';
    if (::write(ReadyFd, &ready, 1) == 1)
        ::close(ReadyFd);
    for (int g = start;; g = (g + 1) % Period) {
        applyGeneration(d, g);
        bool ok = true;
        if (unsafe) {
            const QList<std::pair<QString, QByteArray>> files = {
                {progress::unitStatusFile(d), fileBytes({OtherUnitLine, progress::statusLine(d)})},
                {progress::unitResultFile(d, Unit), fileBytes({progress::resultDigits(d)})}};
            for (const auto &[path, bytes] : files) {
                QFile f(path);
                ok = ok && f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                     f.write(bytes) == bytes.size();
            }
        } else if (g % 2 == 0) {
            ok = progress::endUnitPractice(d, &error);
        } else {
            ok = progress::writeUnitResult(d, &error) && progress::writeUnitStatus(d, &error);
        }
        if (!ok) {
            std::fprintf(stderr, "cadkilltest child: generation %d: %s\n", g, qPrintable(error));
            return 3;
        }
    }
}

// ---- parent ---------------------------------------------------------------

struct Expected {
    QList<QByteArray> status; // status file bytes of generation g
    QList<QByteArray> result; // result file bytes of generation g
    QByteArray statusBefore;
};

Expected expected(const ModData &base) {
    Expected e;
    ModData d = base;
    for (int g = 0; g < Period; ++g) {
        applyGeneration(d, g);
        e.status << fileBytes({OtherUnitLine, progress::statusLine(d)});
        e.result << fileBytes({progress::resultDigits(d)});
    }
    e.statusBefore = fileBytes({OtherUnitLine, QString(Period, u'F')});
    return e;
}

// Generation of a file's bytes: 0 .. Period - 1, Before, or Torn.
int classify(const QString &path, const QList<QByteArray> &generations, const QByteArray *before) {
    QFile f(path);
    if (!f.exists())
        return before ? Torn : Before; // a file that existed must never go missing
    if (!f.open(QIODevice::ReadOnly))
        return Torn;
    const QByteArray bytes = f.readAll();
    if (before && bytes == *before)
        return Before;
    const qsizetype g = generations.indexOf(bytes);
    return g < 0 ? Torn : int(g);
}

// The trainer's readers must see the generation the bytes say: the status line
// and marks of unit 1, the other unit's line untouched, the result words.
bool readersAgree(const ModData &base, int statusGen, int resultGen, QString &why) {
    QStringList lines;
    QString error;
    ModData d = base;
    if (!progress::readHead(progress::unitStatusFile(d), progress::StatusLines, lines, &error) ||
        !progress::loadUnitProgress(d, Period, &error)) {
        why = error;
        return false;
    }
    if (lines.size() != 2 || lines.at(0) != OtherUnitLine) {
        why = QStringLiteral("status file lines: ") + lines.join(u'|');
        return false;
    }
    ModData want = base;
    applyGeneration(want, statusGen == Before ? 0 : statusGen);
    for (int q = 1; q <= Period; ++q) {
        const QString mark = statusGen == Before ? QStringLiteral("F") : want.QuestionMark[q];
        if (d.QuestionMark[q] != mark) {
            why = QStringLiteral("question %1 reads as %2").arg(q).arg(d.QuestionMark[q]);
            return false;
        }
    }
    applyGeneration(want, resultGen == Before ? 0 : resultGen);
    for (int q = 1; q <= MaxQuestions; ++q) {
        const int word = resultGen == Before ? 0 : want.QuestionScore[q] & ~StatusVisited;
        if (d.QuestionScore[q] != word) {
            why = QStringLiteral("question %1 word %2, not %3").arg(q).arg(d.QuestionScore[q]).arg(word);
            return false;
        }
    }
    return true;
}

int countTemporaries(const QStringList &folders) {
    int n = 0;
    for (const QString &folder : folders)
        n += int(QDir(folder)
                     .entryList({QStringLiteral(".*") + QLatin1String(platform::textfile::TempMarker) +
                                 QStringLiteral("*")},
                                QDir::Files | QDir::Hidden | QDir::System)
                     .size());
    return n;
}

QString selfPath() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? QString::fromLocal8Bit(buf, n) : QString();
}

pid_t spawnChild(const QString &exe, const QString &program, int start, bool unsafe, int &readyFd) {
    const QByteArray e = QFile::encodeName(exe), p = QFile::encodeName(program),
                     s = QByteArray::number(start);
    QList<char *> argv = {const_cast<char *>(e.constData()), const_cast<char *>("--child"),
                          const_cast<char *>(p.constData()), const_cast<char *>(s.constData())};
    if (unsafe)
        argv << const_cast<char *>("--unsafe-writes");
    argv << nullptr;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], ReadyFd);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, e.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        return -1;
    }
    readyFd = fds[0];
    return pid;
}

int usage() {
    std::fprintf(stderr, "usage: cadkilltest [--trials N] [--seed S] [--unsafe-writes]\n"
                         "       cadkilltest --child PROGRAM_FOLDER START_GENERATION [--unsafe-writes]\n");
    return 2;
}

int parent(int trials, unsigned seed, bool unsafe) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cadkilltest: no temporary folder\n");
        return 2;
    }
    const QString program = dir.path();
    install(program);
    ModData base;
    QString error;
    if (!unitData(program, base, &error)) {
        std::fprintf(stderr, "cadkilltest: %s\n", qPrintable(error));
        return 2;
    }
    const Expected want = expected(base);
    const QString statusPath = progress::unitStatusFile(base);
    const QString resultPath = progress::unitResultFile(base, Unit);
    const QStringList folders = {base.AppPath, base.DataDir, base.recordDir()};
    const QString exe = selfPath();

    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> delayUs(500, 30000);

    int done = 0, torn = 0, inconsistent = 0, temporariesLeft = 0;
    int unreadable = 0, advanced = 0, resultAhead = 0, killedWithTemporary = 0, temporariesRemoved = 0;
    int statusGen = Before, resultGen = Before;
    for (int t = 0; t < trials; ++t) {
        const int start = statusGen == Before ? 0 : (statusGen + 1) % Period;
        int readyFd = -1;
        const pid_t pid = spawnChild(exe, program, start, unsafe, readyFd);
        if (pid < 0) {
            std::fprintf(stderr, "cadkilltest: cannot start %s: %s\n", qPrintable(exe), std::strerror(errno));
            return 2;
        }
        char ready = 0;
        const bool isReady = ::read(readyFd, &ready, 1) == 1;
        ::close(readyFd);
        if (!isReady) {
            std::fprintf(stderr, "cadkilltest: trial %d: the child ended before writing\n", t + 1);
            ::waitpid(pid, nullptr, 0);
            return 2;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(rng)));
        ::kill(pid, SIGKILL);
        int ws = 0;
        ::waitpid(pid, &ws, 0);
        if (!(WIFSIGNALED(ws) && WTERMSIG(ws) == SIGKILL)) {
            std::fprintf(stderr, "cadkilltest: trial %d: the child ended by itself (status %d)\n", t + 1, ws);
            return 2;
        }
        ++done;

        const int s = classify(statusPath, want.status, &want.statusBefore);
        const int r = classify(resultPath, want.result, nullptr);
        // a file written once never goes back to its old content
        const bool sTorn = s == Torn || (s == Before && statusGen != Before);
        const bool rTorn = r == Torn || (r == Before && resultGen != Before);
        torn += int(sTorn) + int(rTorn);
        if (sTorn || rTorn) {
            std::printf("trial %d: torn%s%s\n", t + 1, sTorn ? " status file" : "",
                        rTorn ? " result file" : "");
        } else {
            // the result file is written first: it equals the status file or is one ahead
            const int next = s == Before ? 0 : (s + 1) % Period;
            const bool pairOk = r == s || r == next;
            if (!pairOk) {
                ++inconsistent;
                std::printf("trial %d: status generation %d, result generation %d\n", t + 1, s, r);
            }
            QString why;
            if (!readersAgree(base, s, r, why)) {
                ++unreadable;
                std::printf("trial %d: the readers disagree: %s\n", t + 1, qPrintable(why));
            }
            const bool moved = s != statusGen || r != resultGen;
            advanced += int(moved);
            resultAhead += int(moved && r != s && pairOk);
            statusGen = s;
            resultGen = r;
        }
        if (sTorn || rTorn) {
            // start the next trial from a known state
            install(program);
            QFile::remove(resultPath);
            statusGen = resultGen = Before;
        }

        // the next start of the trainer clears what a killed write left
        const int left = countTemporaries(folders);
        killedWithTemporary += int(left > 0);
        for (const QString &folder : folders)
            temporariesRemoved += platform::textfile::removeStaleTemporaries(folder);
        const int after = countTemporaries(folders);
        if (after > 0)
            std::printf("trial %d: %d temporary files left after the clean-up\n", t + 1, after);
        temporariesLeft += after;
    }

    std::printf("seed %u, %d trials, killed 0.5-30 ms after the child began to write%s\n", seed, done,
                unsafe ? ", UNSAFE in-place writes (the checks must fail)" : "");
    std::printf("  trials in which the files moved on:             %d\n", advanced);
    std::printf("  of them killed between the two writes:         %d\n", resultAhead);
    std::printf("  trials that left a temporary file (cleaned up): %d (%d files)\n", killedWithTemporary,
                temporariesRemoved);
    std::printf("  files the readers read otherwise than written:  %d\n", unreadable);
    std::printf("figure: kill_trials %d trials (goal >= 1000)\n", done);
    std::printf("figure: torn_files %d files (goal == 0)\n", torn);
    std::printf("figure: inconsistent_pairs %d pairs (goal == 0)\n", inconsistent + unreadable);
    std::printf("figure: temporaries_left %d files (goal == 0)\n", temporariesLeft);
    return torn + inconsistent + unreadable + temporariesLeft > 0 ? 1 : 0;
}

} // namespace

int main(int argc, char **argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kills a process writing a unit's progress records at random moments and checks that "
                       "every record is whole and the pair consistent.\n"
                       "  cadkilltest [--trials N] [--seed S] [--unsafe-writes]\n"
                       "  cadkilltest --child PROGRAM_FOLDER START_GENERATION [--unsafe-writes]"));
    const QCommandLineOption trialsOption(QStringLiteral("trials"),
                                          QStringLiteral("kills to try (default 1000)"), QStringLiteral("N"),
                                          QStringLiteral("1000"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("seed of the kill moments"),
                                        QStringLiteral("S"));
    const QCommandLineOption unsafeOption(QStringLiteral("unsafe-writes"),
                                          QStringLiteral("write in place, to see the checks fail"));
    const QCommandLineOption childOption(
        QStringLiteral("child"), QStringLiteral("be the writer that is killed (started by the parent)"));
    parser.addOptions({trialsOption, seedOption, unsafeOption, childOption});
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    const bool unsafe = parser.isSet(unsafeOption);
    if (parser.isSet(childOption)) {
        bool ok = false;
        const int start = args.value(1).toInt(&ok);
        if (args.size() != 2 || !ok || start < 0)
            return usage();
        return child(args.at(0), start % Period, unsafe);
    }
    bool ok = true;
    const int trials = parser.value(trialsOption).toInt(&ok);
    if (!ok || trials < 1 || !args.isEmpty())
        return usage();
    unsigned seed = std::random_device{}();
    if (parser.isSet(seedOption))
        seed = parser.value(seedOption).toUInt(&ok);
    if (!ok)
        return usage();
    return parent(trials, seed, unsafe);
}
