// cadkilltest: kills a process that keeps writing progress records, at random
// moments, and checks what the kill left behind. Two scenes, each with its own
// trials:
//
//   unit  the unit status file and the unit result file of one unit, written
//         the way a practice writes them after each solved question and at its
//         end (the result file first);
//   exam  the three records of a handed-in paper, written by the score
//         report's own routine: the wrong-question list, the exam record (which
//         also holds another paper's lines) and the marks, in that order.
//
// The child (--child) writes its scene's files again and again through the
// trainer's own writers. Generation g solves question (g mod 40) + 1 and marks
// question ((g + 13) mod 40) + 1 (an exam generation also starts at its own
// minute), so the 40 generations of the cycle each have their own bytes in
// every file.
//
// The parent starts the child, kills it with SIGKILL after a random delay and
// checks, before the next start:
//   - each file holds the bytes of one generation (or, before the first
//     write, what it held before): nothing torn, nothing lost, and the readers
//     the trainer uses read it back as that generation;
//   - the files together are a state the writes pass through: the files
//     written earlier in a generation are at most one generation ahead of the
//     ones written later, never behind;
//   - after the start-up cleanup no temporary file of a write is left.
#include "panel/examrules.h"
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

#include <QDateTime>

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
    // the exam record with paper 0's lines, which every rewrite must keep
    put(program + QStringLiteral("/ksdata/288892.rar"),
        {QStringLiteral("2026-01-05 08:30:00"), QStringLiteral("92.5"), QString()});
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

// Paper 1's composition: question q is code 1000 + q.
QString composition() {
    QString c;
    for (int q = 1; q <= MaxQuestions; ++q)
        c += QString::number(1000 + q);
    return c;
}

// An exam on paper 1 as the hand-in leaves it, before the report stores it.
bool examData(const QString &program, ModData &d, QString *error) {
    if (!unitData(program, d, error))
        return false;
    d.SetBase = SetBaseExamPaper;
    d.CurSet = 1;
    d.PaperCount = 2;
    d.QuestionCount = MaxQuestions;
    d.SeatNo = QStringLiteral("1234567890");
    return true;
}

QDateTime examStart(int g) {
    return QDateTime(QDate(2026, 12, 10), QTime(9, 0)).addSecs(60 * (g + 1));
}

void applyGeneration(ModData &d, int g);

// What the score report stores for generation g (the record's best score stays
// at the 2.5 of one solved question from generation 0 on).
bool storeExamGeneration(ModData &d, int g, QString *error) {
    applyGeneration(d, g);
    d.ExamStartTime = progress::timeText(examStart(g));
    const QStringList problems =
        panel::exam::storeRecords(d, composition(), progress::examScore(d), examStart(g));
    if (!problems.isEmpty() && error)
        *error = problems.join(u'\n');
    return problems.isEmpty();
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

enum class Scene { Unit, Exam };

const char *sceneName(Scene scene) {
    return scene == Scene::Unit ? "unit" : "exam";
}

QByteArray fileBytes(const QStringList &lines) {
    QByteArray out;
    for (const QString &l : lines)
        out += platform::gbk::encode(l) + "\r\n";
    return out;
}

// ---- child ----------------------------------------------------------------

// Loops until killed. Unit scene: even generations are written as after a
// solved question (endUnitPractice), odd ones as at the end of a practice (the
// two writers, the result file first). With unsafe set the unit files are
// written in place, status first, to see the checks catch what an unprotected
// write leaves.
int child(Scene scene, const QString &program, int start, bool unsafe) {
    ModData d;
    QString error;
    if (!(scene == Scene::Unit ? unitData(program, d, &error) : examData(program, d, &error))) {
        std::fprintf(stderr, "cadkilltest child: %s\n", qPrintable(error));
        return 3;
    }
    const char ready = 'r';
    if (::write(ReadyFd, &ready, 1) == 1)
        ::close(ReadyFd);
    for (int g = start;; g = (g + 1) % Period) {
        bool ok = true;
        if (scene == Scene::Exam) {
            ok = storeExamGeneration(d, g, &error);
        } else if (unsafe) {
            applyGeneration(d, g);
            const QList<std::pair<QString, QByteArray>> files = {
                {progress::unitStatusFile(d), fileBytes({OtherUnitLine, progress::statusLine(d)})},
                {progress::unitResultFile(d, Unit), fileBytes({progress::resultDigits(d)})}};
            for (const auto &[path, bytes] : files) {
                QFile f(path);
                ok = ok && f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                     f.write(bytes) == bytes.size();
            }
        } else if (g % 2 == 0) {
            applyGeneration(d, g);
            ok = progress::endUnitPractice(d, &error);
        } else {
            applyGeneration(d, g);
            ok = progress::writeUnitResult(d, &error) && progress::writeUnitStatus(d, &error);
        }
        if (!ok) {
            std::fprintf(stderr, "cadkilltest child: generation %d: %s\n", g, qPrintable(error));
            return 3;
        }
    }
}

// ---- parent ---------------------------------------------------------------

// One file the scene writes, in the order of the writes.
struct Tracked {
    QString name;
    QString path;
    QList<QByteArray> generations; // its bytes after generation g
    bool existedBefore = false;
    QByteArray before; // its bytes before the first write, when it existed
};

QByteArray bytesOf(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The files of a scene and their bytes after each generation. The exam's bytes
// come from the report's own routine, run on a copy of the folder.
bool sceneFiles(Scene scene, const QString &program, QList<Tracked> &files, QString *error) {
    ModData base;
    if (scene == Scene::Unit) {
        if (!unitData(program, base, error))
            return false;
        Tracked result{QStringLiteral("result file"), progress::unitResultFile(base, Unit), {}, false, {}};
        Tracked status{QStringLiteral("status file"), progress::unitStatusFile(base), {}, true, {}};
        status.before = bytesOf(status.path);
        ModData d = base;
        for (int g = 0; g < Period; ++g) {
            applyGeneration(d, g);
            result.generations << fileBytes({progress::resultDigits(d)});
            status.generations << fileBytes({OtherUnitLine, progress::statusLine(d)});
        }
        files = {result, status};
        return true;
    }
    if (!examData(program, base, error))
        return false;
    files = {{QStringLiteral("wrong list"), progress::wrongListFile(base, base.CurSet), {}, false, {}},
             {QStringLiteral("exam record"), progress::examRecordFile(base), {}, true, {}},
             {QStringLiteral("exam marks"), progress::examMarksFile(base, base.CurSet), {}, false, {}}};
    for (Tracked &t : files) {
        t.existedBefore = QFile::exists(t.path);
        if (t.existedBefore)
            t.before = bytesOf(t.path);
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    install(scratch.path());
    ModData d;
    if (!examData(scratch.path(), d, error))
        return false;
    for (int g = 0; g < Period; ++g) {
        if (!storeExamGeneration(d, g, error))
            return false;
        for (Tracked &t : files)
            t.generations << bytesOf(QString(t.path).replace(program, scratch.path()));
    }
    return true;
}

// Generation of a file's bytes: 0 .. Period - 1, Before, or Torn.
int classify(const Tracked &t) {
    QFile f(t.path);
    if (!f.exists())
        return t.existedBefore ? Torn : Before; // a file that existed must never go missing
    if (!f.open(QIODevice::ReadOnly))
        return Torn;
    const QByteArray bytes = f.readAll();
    if (t.existedBefore && bytes == t.before)
        return Before;
    const qsizetype g = t.generations.indexOf(bytes);
    return g < 0 ? Torn : int(g);
}

int nextGeneration(int g) {
    return g == Before ? 0 : (g + 1) % Period;
}

// The files are written in order each generation: the state is generation h in
// the later files and h + 1 in the earlier ones (any number of them).
bool consistent(const QList<int> &gens) {
    const int last = gens.last();
    bool seenLast = false;
    for (int g : gens) {
        if (g == last)
            seenLast = true;
        else if (g != nextGeneration(last) || seenLast)
            return false;
    }
    return true;
}

// The trainer's readers must see the generation the bytes say. Unit: the
// status line and marks of unit 1, the other unit's line untouched, the result
// words.
bool unitReadersAgree(const ModData &base, int resultGen, int statusGen, QString &why) {
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

// Exam: the wrong list names every question but the solved one, the record
// gives the generation's start and the best score with paper 0's lines kept,
// the marks carry the marked question only.
bool examReadersAgree(const ModData &base, int wrongGen, int recordGen, int marksGen, QString &why) {
    ModData d = base;
    QString error;
    if (wrongGen != Before) {
        QString list;
        ModData want = base;
        applyGeneration(want, wrongGen);
        if (!progress::readWrongList(d, d.CurSet, list, &error)) {
            why = error;
            return false;
        }
        if (list != progress::wrongCodes(want, composition())) {
            why = QStringLiteral("wrong list ") + list;
            return false;
        }
    }
    QStringList record;
    if (!progress::readHead(progress::examRecordFile(d), progress::RecordLines, record, &error)) {
        why = error;
        return false;
    }
    const QString time = recordGen == Before ? QString() : progress::timeText(examStart(recordGen));
    const QString best = recordGen == Before ? QString() : QStringLiteral("2.5");
    if (progress::lastExamTime(record, 0) != QStringLiteral("2026-01-05 08:30:00") ||
        progress::bestScore(record, 0) != QStringLiteral("92.5") ||
        progress::lastExamTime(record, 1) != time || progress::bestScore(record, 1) != best) {
        why = QStringLiteral("exam record ") + record.join(u'|');
        return false;
    }
    if (marksGen != Before) {
        if (!progress::readExamMarks(d, &error)) {
            why = error;
            return false;
        }
        const int marked = (marksGen + 13) % Period + 1;
        for (int q = 1; q <= MaxQuestions; ++q) {
            if (d.QuestionScore[q] != (q == marked ? StatusMarked : 0)) {
                why = QStringLiteral("marks: question %1 word %2").arg(q).arg(d.QuestionScore[q]);
                return false;
            }
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

pid_t spawnChild(const QString &exe, Scene scene, const QString &program, int start, bool unsafe,
                 int &readyFd) {
    const QByteArray e = QFile::encodeName(exe), p = QFile::encodeName(program),
                     s = QByteArray::number(start);
    QList<char *> argv = {const_cast<char *>(e.constData()), const_cast<char *>("--child"),
                          const_cast<char *>("--scene"),     const_cast<char *>(sceneName(scene)),
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
    std::fprintf(stderr,
                 "usage: cadkilltest [--trials N] [--seed S] [--scene unit|exam|both] [--unsafe-writes]\n"
                 "       cadkilltest --child --scene unit|exam PROGRAM_FOLDER START_GENERATION "
                 "[--unsafe-writes]\n");
    return 2;
}

struct Tally {
    int done = 0, torn = 0, inconsistent = 0, unreadable = 0, temporariesLeft = 0;
    int advanced = 0, between = 0, killedWithTemporary = 0, temporariesRemoved = 0;
};

// Runs the trials of one scene; returns false when the trials cannot be run.
bool runScene(Scene scene, int trials, std::mt19937 &rng, bool unsafe, Tally &t) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cadkilltest: no temporary folder\n");
        return false;
    }
    const QString program = dir.path();
    install(program);
    ModData base;
    QString error;
    QList<Tracked> files;
    if (!(scene == Scene::Unit ? unitData(program, base, &error) : examData(program, base, &error)) ||
        !sceneFiles(scene, program, files, &error)) {
        std::fprintf(stderr, "cadkilltest: %s\n", qPrintable(error));
        return false;
    }
    const QStringList folders = {base.AppPath, base.DataDir, base.recordDir()};
    const QString exe = selfPath();
    std::uniform_int_distribution<int> delayUs(500, 30000);

    QList<int> gens(files.size(), Before);
    for (int trial = 0; trial < trials; ++trial) {
        const int start = nextGeneration(gens.last());
        int readyFd = -1;
        const pid_t pid = spawnChild(exe, scene, program, start, unsafe, readyFd);
        if (pid < 0) {
            std::fprintf(stderr, "cadkilltest: cannot start %s: %s\n", qPrintable(exe), std::strerror(errno));
            return false;
        }
        char ready = 0;
        const bool isReady = ::read(readyFd, &ready, 1) == 1;
        ::close(readyFd);
        if (!isReady) {
            std::fprintf(stderr, "cadkilltest: %s trial %d: the child ended before writing\n",
                         sceneName(scene), trial + 1);
            ::waitpid(pid, nullptr, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(rng)));
        ::kill(pid, SIGKILL);
        int ws = 0;
        ::waitpid(pid, &ws, 0);
        if (!(WIFSIGNALED(ws) && WTERMSIG(ws) == SIGKILL)) {
            std::fprintf(stderr, "cadkilltest: %s trial %d: the child ended by itself (status %d)\n",
                         sceneName(scene), trial + 1, ws);
            return false;
        }
        ++t.done;

        QList<int> now;
        QStringList tornNames;
        for (qsizetype i = 0; i < files.size(); ++i) {
            const int g = classify(files.at(i));
            now << g;
            // a file written once never goes back to its old content
            if (g == Torn || (g == Before && gens.at(i) != Before))
                tornNames << files.at(i).name;
        }
        t.torn += int(tornNames.size());
        if (!tornNames.isEmpty()) {
            std::printf("%s trial %d: torn %s\n", sceneName(scene), trial + 1,
                        qPrintable(tornNames.join(u',')));
            // start the next trial from a known state
            for (const Tracked &f : files)
                QFile::remove(f.path);
            install(program);
            gens.fill(Before);
        } else {
            if (!consistent(now)) {
                ++t.inconsistent;
                QStringList shown;
                for (int g : now)
                    shown << QString::number(g);
                std::printf("%s trial %d: generations %s\n", sceneName(scene), trial + 1,
                            qPrintable(shown.join(u' ')));
            }
            QString why;
            const bool agree = scene == Scene::Unit
                                   ? unitReadersAgree(base, now.at(0), now.at(1), why)
                                   : examReadersAgree(base, now.at(0), now.at(1), now.at(2), why);
            if (!agree) {
                ++t.unreadable;
                std::printf("%s trial %d: the readers disagree: %s\n", sceneName(scene), trial + 1,
                            qPrintable(why));
            }
            const bool moved = now != gens;
            t.advanced += int(moved);
            t.between += int(moved && now.first() != now.last());
            gens = now;
        }

        // the next start of the trainer clears what a killed write left
        const int left = countTemporaries(folders);
        t.killedWithTemporary += int(left > 0);
        for (const QString &folder : folders)
            t.temporariesRemoved += platform::textfile::removeStaleTemporaries(folder);
        const int after = countTemporaries(folders);
        if (after > 0)
            std::printf("%s trial %d: %d temporary files left after the clean-up\n", sceneName(scene),
                        trial + 1, after);
        t.temporariesLeft += after;
    }
    return true;
}

int parent(int trials, unsigned seed, const QList<Scene> &scenes, bool unsafe) {
    std::mt19937 rng(seed);
    Tally total;
    for (Scene scene : scenes) {
        Tally t;
        if (!runScene(scene, trials, rng, unsafe, t))
            return 2;
        std::printf("%s scene: %d trials, killed 0.5-30 ms after the child began to write%s\n",
                    sceneName(scene), t.done,
                    unsafe ? ", UNSAFE in-place writes (the checks must fail)" : "");
        std::printf("  trials in which the files moved on:             %d\n", t.advanced);
        std::printf("  of them killed between the writes:             %d\n", t.between);
        std::printf("  trials that left a temporary file (cleaned up): %d (%d files)\n",
                    t.killedWithTemporary, t.temporariesRemoved);
        std::printf("  torn files, inconsistent sets, misread files:   %d, %d, %d\n", t.torn, t.inconsistent,
                    t.unreadable);
        std::printf("  temporary files left after the clean-up:        %d\n", t.temporariesLeft);
        total.done += t.done;
        total.torn += t.torn;
        total.inconsistent += t.inconsistent + t.unreadable;
        total.temporariesLeft += t.temporariesLeft;
    }
    std::printf("seed %u\n", seed);
    std::printf("figure: kill_trials %d trials (goal >= %d)\n", total.done, 1000 * int(scenes.size()));
    std::printf("figure: torn_files %d files (goal == 0)\n", total.torn);
    std::printf("figure: inconsistent_pairs %d sets (goal == 0)\n", total.inconsistent);
    std::printf("figure: temporaries_left %d files (goal == 0)\n", total.temporariesLeft);
    return total.torn + total.inconsistent + total.temporariesLeft > 0 ? 1 : 0;
}

} // namespace

int main(int argc, char **argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kills a process writing progress records at random moments and checks that every "
                       "record is whole and the records consistent with each other.\n"
                       "  cadkilltest [--trials N] [--seed S] [--scene unit|exam|both] [--unsafe-writes]\n"
                       "  cadkilltest --child --scene unit|exam PROGRAM_FOLDER START_GENERATION "
                       "[--unsafe-writes]"));
    const QCommandLineOption trialsOption(QStringLiteral("trials"),
                                          QStringLiteral("kills to try in each scene (default 1000)"),
                                          QStringLiteral("N"), QStringLiteral("1000"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("seed of the kill moments"),
                                        QStringLiteral("S"));
    const QCommandLineOption sceneOption(
        QStringLiteral("scene"),
        QStringLiteral("unit: a unit's status and result files; exam: a paper's wrong list, exam record and "
                       "marks; both (default)"),
        QStringLiteral("SCENE"), QStringLiteral("both"));
    const QCommandLineOption unsafeOption(
        QStringLiteral("unsafe-writes"),
        QStringLiteral("write the unit files in place, to see the checks fail"));
    const QCommandLineOption childOption(
        QStringLiteral("child"), QStringLiteral("be the writer that is killed (started by the parent)"));
    parser.addOptions({trialsOption, seedOption, sceneOption, unsafeOption, childOption});
    if (const int code = platform::cmdline::parse(parser, platform::cmdline::arguments(argc, argv));
        code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    const bool unsafe = parser.isSet(unsafeOption);
    const QString sceneText = parser.value(sceneOption);
    QList<Scene> scenes;
    if (sceneText == QLatin1String("unit") || sceneText == QLatin1String("both"))
        scenes << Scene::Unit;
    if (sceneText == QLatin1String("exam") || sceneText == QLatin1String("both"))
        scenes << Scene::Exam;
    // in-place writes are only known to the unit scene
    if (scenes.isEmpty() || (unsafe && scenes.contains(Scene::Exam) && sceneText != QLatin1String("both")))
        return usage();
    if (unsafe)
        scenes = {Scene::Unit};
    if (parser.isSet(childOption)) {
        bool ok = false;
        const int start = args.value(1).toInt(&ok);
        if (args.size() != 2 || !ok || start < 0 || scenes.size() != 1)
            return usage();
        return child(scenes.first(), args.at(0), start % Period, unsafe);
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
    return parent(trials, seed, scenes, unsafe);
}
