// The step engine stepping through a question: the bank reader reads the unit's
// index, step and text files and the menu file, the engine lays the question's
// steps out and takes the learner's actions, the solver plays steps as the bank
// checker does. The engine has no learner record, so it must write nothing.
//
// The input, after two header bytes (question number; work mode, scale and
// which files are missing), holds the index file, the step file, the text
// table, sMenu.sys and the actions, separated by the byte 0x1E. The files are
// written to a tmpfs folder; the pictures the records name are small pictures
// made there once (an id with a "Z" in it stays missing). See decodeAction for
// the actions.
#include "fuzzinput.h"
#include "simulator/solver.h"
#include "simulator/stepengine.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char Separator = '\x1e';
constexpr int MaxActions = 400;
constexpr int MaxPictureFiles = 256; // made pictures kept on the tmpfs at a time
constexpr int MaxPicturesPerInput = 64;

struct Folder {
    QString root;    // program folder (sMenu.sys)
    QString dataDir; // ends with a separator
    QByteArray picture;
    QSet<QString> made;
    std::deque<QString> order; // oldest made picture first
};

Folder &folder() {
    static Folder f = [] {
        Folder x;
        // The pictures made here are BMP, which Qt reads itself: without the
        // image plugins no picture read probes four of them first.
        QCoreApplication::setLibraryPaths({});
        x.root = fuzzinput::scratchFolder("stepengine");
        x.dataDir = x.root + QStringLiteral("/data/");
        QDir().mkpath(x.dataDir);
        QImage img(16, 12, QImage::Format_RGB32);
        img.fill(0x336699);
        QBuffer buf(&x.picture);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "BMP");
        return x;
    }();
    return f;
}

void writeFile(const QString &path, const char *data, size_t size) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::perror("fuzz_stepengine: open");
        std::abort();
    }
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0) {
            std::perror("fuzz_stepengine: write");
            std::abort();
        }
        data += n;
        size -= size_t(n);
    }
    ::close(fd);
}

// The pictures the records of the step file name, made once each; the oldest
// made ones go when there are too many, and are made again when named again.
void providePictures(Folder &f, const QStringList &stepLines) {
    int provided = 0;
    for (const QString &line : stepLines) {
        const sim::bank::StepRecord r = sim::bank::parseRecord(line);
        QStringList ids{r.ScreenPicture()};
        for (int k = 1; k <= 5; ++k)
            ids << r.PicId(k);
        for (const QString &id : ids) {
            if (provided >= MaxPicturesPerInput)
                return;
            if (id.contains(u'Z') || !start::verfile::isSafeName(id) || id == sim::bank::KeepId)
                continue;
            ++provided;
            if (f.made.contains(id))
                continue;
            writeFile(f.dataDir + id + QStringLiteral(".rar"), f.picture.constData(),
                      size_t(f.picture.size()));
            f.made.insert(id);
            f.order.push_back(id);
            if (int(f.order.size()) > MaxPictureFiles) {
                const QString old = f.order.front();
                f.order.pop_front();
                f.made.remove(old);
                ::unlink(QFile::encodeName(f.dataDir + old + QStringLiteral(".rar")).constData());
            }
        }
    }
}

class Bytes {
  public:
    Bytes(const char *p, size_t n) : m_p(p), m_n(n) {}
    bool atEnd() const { return m_i >= m_n; }
    int next() { return m_i < m_n ? uint8_t(m_p[m_i++]) : 0; }
    int twips() { return int(int16_t(uint16_t(next() << 8 | next()))); }
    QString text() {
        const size_t len = size_t(next() % 24);
        const size_t take = std::min(len, m_n - std::min(m_i, m_n));
        const QString t = platform::gbk::decode(QByteArray(m_p + m_i, qsizetype(take)));
        m_i += take;
        return t;
    }

  private:
    const char *m_p;
    size_t m_n;
    size_t m_i = 0;
};

struct Listener : sim::EngineListener {
    int menus = 0;
    int captions = 0;
    void stepLaidOut() override {}
    void showMenu(const sim::menus::MenuContent &, int) override { ++menus; }
    void panelCaptions(const std::optional<QString> &, const std::optional<QString> &) override {
        ++captions;
    }
    void fileProblem(const QString &) override {}
};

// One step of the learner, or of the solver. Values stay within what the
// window can send: buttons 1, 2, 4, modifiers 0-7, menu titles 0-10, groups
// 1-9, items 0-9.
enum class Op { Engine, Answer1, Answer2, Solve, Prefetch };
struct Decoded {
    Op op = Op::Engine;
    sim::Action action;
    int alternative = 0;
};

Decoded decodeAction(Bytes &in) {
    using sim::Action;
    Decoded d;
    const int op = in.next() % 22;
    const int button = 1 << (in.next() % 3);
    switch (op) {
    case 0:
        d.action = Action::zone1Down(button, in.next() % 8);
        break;
    case 1:
        d.action = Action::zone1Up(button, in.next() % 8);
        break;
    case 2:
        d.action = Action::zone1DoubleClick();
        break;
    case 3:
        d.action = Action::zone1Move();
        break;
    case 4:
    case 5:
    case 6: {
        const int mods = in.next() % 8;
        const int x = in.twips();
        const int y = in.twips();
        d.action = op == 4   ? Action::zone2Down(button, mods, x, y)
                   : op == 5 ? Action::zone2Move(mods, x, y)
                             : Action::zone2Up(button, mods, x, y);
        break;
    }
    case 7: {
        const int buttons = in.next() % 8;
        const int x = in.twips();
        d.action = Action::picture5Move(buttons, x, in.twips());
        break;
    }
    case 8:
        d.action = Action::picture5Up();
        break;
    case 9:
        d.action = Action::back();
        break;
    case 10:
        d.action = Action::openBarMenu(in.next() % 11);
        break;
    case 11: {
        const int group = 1 + in.next() % 9;
        d.action = Action::chooseItem(group, in.next() % 10);
        break;
    }
    case 12:
        d.action = Action::text1(in.text());
        break;
    case 13:
        d.action = Action::text1KeyUp(in.next());
        break;
    case 14:
        d.action = Action::text2(in.text());
        break;
    case 15: {
        const int key = in.next();
        d.action = Action::windowKey(key, in.next() % 8);
        break;
    }
    case 16:
        d.action = Action::timerTick();
        break;
    case 17: // the answer (or its second form) typed into the input box
        d.op = Op::Answer1;
        d.alternative = button;
        break;
    case 18: // the whole answer text typed into the overlay box
        d.op = Op::Answer2;
        break;
    case 19:
        d.op = Op::Prefetch;
        break;
    default:
        d.op = Op::Solve;
        break;
    }
    return d;
}

// What the learner's record holds; an engine without one must leave it alone.
struct LearnerState {
    std::array<Integer, MaxQuestions + 1> score;
    std::array<QString, MaxQuestions + 1> mark;
    std::array<Integer, MaxQuestions + 1> saved;
    std::array<std::array<QString, 6>, MaxQuestions + 1> screen;
    explicit LearnerState(const ModData &d)
        : score(d.QuestionScore), mark(d.QuestionMark), saved(d.SavedStep), screen(d.QuestionScreen) {}
    bool operator==(const LearnerState &) const = default;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2)
        return 0;
    Folder &f = folder();
    const int question = data[0] % 42; // 0 and 41 lie outside the tables' questions
    const int flags = data[1];
    const char *p = reinterpret_cast<const char *>(data) + 2;
    const char *end = reinterpret_cast<const char *>(data) + size;

    // Index, step file, text table, menu file; what follows the fourth separator
    // is the actions.
    const QString files[4] = {
        f.dataDir + QStringLiteral("100150.rar"), f.dataDir + QStringLiteral("100100.rar"),
        f.dataDir + QStringLiteral("288890.rar"), f.root + QStringLiteral("/sMenu.sys")};
    QByteArray sections[4];
    for (int i = 0; i < 4; ++i) {
        const char *sep = std::find(p, end, Separator);
        sections[i] = QByteArray(p, sep - p);
        if (flags & (16 << i))
            ::unlink(QFile::encodeName(files[i]).constData());
        else
            writeFile(files[i], p, size_t(sep - p));
        p = sep == end ? end : sep + 1;
    }
    providePictures(f, platform::textfile::splitLines(platform::gbk::decode(sections[1])));

    ModData d;
    d.AppPath = f.root;
    d.DataDir = f.dataDir;
    d.IndexFile = files[0];
    d.StepFile = files[1];
    d.TextFile = files[2];
    d.WorkMode = Integer(1 + (flags & 3) % 3);
    if (flags & 4) {
        d.ScaleX = 1.25;
        d.ScaleY = 1.2;
    }
    d.QuestionCount = Integer(std::max(0, start::setfiles::readQuestionOffsets(d, nullptr)));
    for (int q = 1; q <= MaxQuestions; ++q)
        d.QuestionMark[q] = QStringLiteral("F");
    d.CurQuestion = Integer(question);
    d.CurStep = 1;
    const LearnerState before(d);

    sim::StepEngine e(d, nullptr);
    Listener l;
    e.setListener(&l);
    e.formLoad();
    e.restoreQuestion(question);
    e.setData();
    sim::bank::BankReader texts(d);
    auto answer = [&] { return texts.text(e.record().answerLine()); };

    Bytes in(p, size_t(end - p));
    for (int n = 0; n < MaxActions && !in.atEnd(); ++n) {
        const Decoded a = decodeAction(in);
        const bool wasBlocked = e.blocked();
        const int step = d.CurStep;
        switch (a.op) {
        case Op::Engine:
            e.apply(a.action);
            break;
        case Op::Answer1: {
            const sim::bank::Alternatives alt = sim::bank::splitAnswer(answer());
            e.apply(sim::Action::text1(a.alternative == 1 ? alt.first : alt.second));
            break;
        }
        case Op::Answer2:
            e.apply(sim::Action::text2(answer()));
            break;
        case Op::Prefetch:
            e.prefetchNext();
            break;
        case Op::Solve: {
            const sim::Solution s = sim::solveStep(sim::situationOf(e, answer));
            if (s.solvable())
                sim::playSolution(e, s);
            break;
        }
        }
        fuzzinput::require(d.CurStep >= 1);
        // A step that could not be set up is completed by nothing; only the back
        // button leaves it.
        if (wasBlocked && !(a.op == Op::Engine && a.action.kind == sim::Action::Back))
            fuzzinput::require(d.CurStep == step);
        // A step that is not blocked was read whole.
        if (!e.blocked())
            fuzzinput::require(e.record().line.size() >= sim::bank::RecordLength);
    }
    // Without a learner record nothing of the learner's state changes and the
    // panel gets no captions.
    fuzzinput::require(LearnerState(d) == before);
    fuzzinput::require(l.captions == 0);
    return 0;
}
