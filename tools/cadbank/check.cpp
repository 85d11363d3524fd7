#include "checker.h"
#include "player.h"

#include "platform/textfile.h"
#include "simulator/bankreader.h"
#include "simulator/stepcode.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <thread>

namespace cadbank {

namespace {

constexpr int ScreenTwipsW = 12000;
constexpr int ScreenTwipsH = 9000;

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

struct Checker {
    QString program;
    ModData data;
    QString dataRel; // data folder relative to the program folder, with "/"
    QVector<Problem> &out;
    QHash<QString, bool> pictureOk;
    QStringList menuLines;
    bool haveMenus = false;
    int textLines = 0;
    QVector<int> unitCounts;

    void add(const QString &file, int line, const QString &field, const QString &reason) {
        out.push_back({file, line, field, reason});
    }

    bool readAll(const QString &path, const QString &rel, QStringList &lines, bool required = true) {
        platform::textfile::ReadError err;
        if (!platform::textfile::readLines(path, lines, &err)) {
            if (required)
                add(rel, 0, QString(), QStringLiteral("missing or unreadable"));
            return false;
        }
        return true;
    }

    bool pictureLoads(const QString &id) {
        auto it = pictureOk.constFind(id);
        if (it != pictureOk.cend())
            return *it;
        const QString path = sim::bank::picturePath(data, id);
        bool ok = false;
        if (!path.isEmpty() && QFileInfo(path).isFile()) {
            QImageReader r(path);
            r.setDecideFormatFromContent(true);
            ok = r.canRead() && r.size().isValid() && !r.size().isEmpty();
        }
        pictureOk.insert(id, ok);
        return ok;
    }

    void checkVer() {
        QStringList lines;
        if (!readAll(data.programFile(QStringLiteral("ver.txt")), QStringLiteral("ver.txt"), lines))
            return;
        for (int i = 0; i < lines.size() && i < 40; ++i) {
            const QString &l = lines.at(i);
            bool bad = l.size() % 6 != 0;
            for (int j = 0; j + 6 <= l.size() && !bad; j += 6) {
                const QString g = l.mid(j, 6);
                for (QChar c : g)
                    if (!c.isDigit())
                        bad = true;
                const int v = g.toInt();
                if (v > 500000 && v - 500000 > 255)
                    bad = true;
            }
            if (bad)
                add(QStringLiteral("ver.txt"), i + 1, QStringLiteral("line"),
                    QStringLiteral("does not decode: every character must be a group of six digits"));
        }
        if (lines.size() < 4)
            add(QStringLiteral("ver.txt"), lines.size(), QString(),
                QStringLiteral("needs at least 4 lines (name, subtitle, folder, number)"));
        if (start::vb::Trim(data.ModuleName).isEmpty())
            add(QStringLiteral("ver.txt"), 1, QStringLiteral("ModuleName"), QStringLiteral("is empty"));
        if (data.ModuleNo <= 0)
            add(QStringLiteral("ver.txt"), 4, QStringLiteral("ModuleNo"),
                QStringLiteral("is not a positive module number"));
    }

    // Checks that a menu code names an existing group and item of sMenu.sys.
    void checkMenuCode(const QString &rel, int line, const sim::StepCode &c) {
        if (!haveMenus)
            return;
        const QString &code = c.code;
        const int n = c.menu, g = c.group, j = c.item;
        QString what;
        if (c.bank != sim::menus::Bank::Context) {
            what = QStringLiteral("menu %1").arg(n);
            if (c.bank == sim::menus::Bank::None || n < 1 || n > 11 || (c.letter != u'B' && n > 9)) {
                add(rel, line, QStringLiteral("StepCode"),
                    QStringLiteral("“%1” names menu %2, which the menu bar does not have").arg(code).arg(n));
                return;
            }
        } else {
            what = QStringLiteral("context menu %1").arg(n);
            if (n < 1 || n > 9) {
                add(rel, line, QStringLiteral("StepCode"),
                    QStringLiteral("“%1” names context menu %2; there are 1 to 9").arg(code).arg(n));
                return;
            }
        }
        static const int titleLine[10] = {0, 2, 0, 5, 0, 8, 0, 11, 13, 0};
        static const int entryLine[10] = {0, 3, 4, 6, 7, 9, 10, 12, 14, 15};
        if (g < 1 || g > 9) {
            add(rel, line, QStringLiteral("StepCode"),
                QStringLiteral("“%1”: item group %2 does not exist (1 to 9)").arg(code).arg(g));
            return;
        }
        // line k of the block, 1-based, as an index into the file's lines
        auto blockLine = [&](int k) {
            return menuLines.value(sim::menus::blockFirstLine(c.bank, n) + k - 2);
        };
        if (titleLine[g] && blockLine(titleLine[g]) == u"0") {
            add(rel, line, QStringLiteral("StepCode"),
                QStringLiteral("“%1”: %2 of sMenu.sys has no submenu for group %3").arg(code, what).arg(g));
            return;
        }
        const QString entries = blockLine(entryLine[g]);
        if (!titleLine[g] && entries == u"0") {
            add(rel, line, QStringLiteral("StepCode"),
                QStringLiteral("“%1”: %2 of sMenu.sys has no entries in group %3").arg(code, what).arg(g));
            return;
        }
        const int count = qMin(10, int(entries.split(u'|').size()));
        if (j >= count)
            add(rel, line, QStringLiteral("StepCode"),
                QStringLiteral("“%1”: group %2 of %3 has %4 entries, item %5 does not exist")
                    .arg(code)
                    .arg(g)
                    .arg(what)
                    .arg(count)
                    .arg(j));
        else if (entries.split(u'|').at(j) == u"-")
            add(rel, line, QStringLiteral("StepCode"),
                QStringLiteral("“%1”: item %2 of group %3 is a separator").arg(code).arg(j).arg(g));
    }

    void checkRect(const QString &rel, int line, const QString &field, int x, int y, int w, int h) {
        if (x < 0 || y < 0 || x + w > ScreenTwipsW || y + h > ScreenTwipsH || x >= ScreenTwipsW ||
            y >= ScreenTwipsH)
            add(rel, line, field,
                QStringLiteral("(%1, %2, %3 x %4) lies outside the 12000 x 9000 screen")
                    .arg(x)
                    .arg(y)
                    .arg(w)
                    .arg(h));
    }

    void checkRecord(const QString &rel, int line, const sim::bank::StepRecord &r, int stepNo) {
        using sim::StepKind;
        const QString code = r.StepCode();
        const sim::StepCode c = sim::decodeStepCode(code);
        // codes the trainer acts on (modifier sums go up to 7)
        const bool drag = c.kind == StepKind::DragSelect || c.kind == StepKind::DragDrop;
        if (c.kind == StepKind::Unknown || (drag && (c.modifiers < 0 || c.modifiers > 7)))
            add(rel, line, QStringLiteral("StepCode"),
                QStringLiteral("“%1” is not a step code the trainer knows").arg(code));
        if (c.kind == StepKind::Press && c.button != 1 && c.button != 2 && c.button != 4)
            add(rel, line, QStringLiteral("StepCode"),
                QStringLiteral("“%1”: mouse button %2 does not exist (01, 02, 04)").arg(code).arg(c.button));
        // "A11" with an input box is command-line typing, not a menu choice
        const bool letterMenu = c.letter == u'A' || c.letter == u'B' || c.letter == u'C';
        if (!c.commandLineTyping(r.boxPresent()) && (letterMenu || c.kind == StepKind::ContextMenu))
            checkMenuCode(rel, line, c);
        // pictures
        auto pic = [&](const QString &field, const QString &id) {
            if (id == sim::bank::KeepId)
                return;
            if (!start::verfile::isSafeName(id))
                add(rel, line, field, QStringLiteral("“%1” is not a safe picture name").arg(id));
            else if (!pictureLoads(id))
                add(rel, line, field,
                    QStringLiteral("picture %1 is missing or cannot be loaded")
                        .arg(dataRel + id + data.DataExt));
        };
        pic(QStringLiteral("ScreenPicture"), r.ScreenPicture());
        for (int k = 1; k <= 5; ++k) {
            if (!r.picturePlaced(k))
                continue;
            pic(QStringLiteral("Pic%1Id").arg(k), r.PicId(k));
            if (r.picX(k) < 0 || r.picY(k) < 0 || r.picX(k) >= ScreenTwipsW || r.picY(k) >= ScreenTwipsH)
                add(rel, line, QStringLiteral("Pic%1X").arg(k),
                    QStringLiteral("picture %1 is placed outside the screen").arg(k));
        }
        if (r.zone1Present()) {
            if (r.zoneW() <= 0)
                add(rel, line, QStringLiteral("ZoneW"), QStringLiteral("zone 1 has no width"));
            checkRect(rel, line, QStringLiteral("ZoneX"), r.zoneX(), r.zoneY(), r.zoneW(), r.zoneH());
        } else if (c.kind == StepKind::Click || c.kind == StepKind::DoubleClick ||
                   c.kind == StepKind::RightClick || c.kind == StepKind::Hover || c.kind == StepKind::Press ||
                   drag) {
            add(rel, line, QStringLiteral("ZoneX"),
                QStringLiteral("the step code “%1” needs zone 1, which is absent").arg(code));
        }
        if (r.boxPresent())
            checkRect(rel, line, QStringLiteral("BoxX"), r.boxX(), r.boxY(), r.boxW(), r.boxH());
        else if (c.kind == StepKind::TypeNow || c.kind == StepKind::TypeOverlay)
            add(rel, line, QStringLiteral("BoxX"),
                QStringLiteral("the step code “%1” needs an input box, which is absent").arg(code));
        if (r.zone2Present())
            checkRect(rel, line, QStringLiteral("Zone2X"), r.zone2X(), r.zone2Y(), r.zone2W(), r.zone2H());
        else if (drag)
            add(rel, line, QStringLiteral("Zone2X"),
                QStringLiteral("the drag code “%1” needs zone 2, which is absent").arg(code));
        if (r.hintPlaced() && (r.hintX() >= ScreenTwipsW || r.hintY() >= ScreenTwipsH))
            add(rel, line, QStringLiteral("HintX"), QStringLiteral("the hint is placed outside the screen"));
        if (c.kind == StepKind::PictureDrag || r.hasBackMarker())
            if (r.targetX() >= ScreenTwipsW || r.targetY() >= ScreenTwipsH)
                add(rel, line, QStringLiteral("TargetX"),
                    QStringLiteral("(%1, %2) lies outside the screen").arg(r.targetX()).arg(r.targetY()));
        if (c.kind == StepKind::PictureDrag && !r.picturePlaced(5))
            add(rel, line, QStringLiteral("Pic5X"),
                QStringLiteral("the picture drag “%1” has no picture 5").arg(code));
        // texts
        auto text = [&](const QString &field, int n) {
            if (n > textLines)
                add(rel, line, field,
                    QStringLiteral("text line %1 is out of range (the text table has %2 lines)")
                        .arg(n)
                        .arg(textLines));
        };
        if (r.boxPresent()) {
            text(QStringLiteral("BoxTextLine"), r.boxTextLine());
            text(QStringLiteral("AnswerLine"), r.answerLine());
        } else {
            const QString ps = r.PointerSpec();
            if (ps.startsWith(u'M')) {
                const QString nn = ps.right(2);
                if (!QFileInfo(sim::bank::pointerPath(data, nn)).isFile())
                    add(rel, line, QStringLiteral("PointerSpec"),
                        QStringLiteral("pointer file ico%1.CUR is missing").arg(nn));
            }
        }
        text(QStringLiteral("HintLine"), r.hintLine());
        if (r.hasBackMarker() && stepNo - r.backSteps() < 1)
            add(rel, line, QStringLiteral("MenuBarX"),
                QStringLiteral("the back marker goes back %1 step(s) from step %2, out of the question")
                    .arg(r.backSteps())
                    .arg(stepNo));
    }

    void checkUnit(int u, int expected) {
        const QString idxName = setfilesName(70 + u), stepName = setfilesName(20 + u);
        const QString idxRel = dataRel + idxName, stepRel = dataRel + stepName;
        QStringList idx, steps;
        const bool haveIdx = readAll(data.DataDir + idxName, idxRel, idx);
        const bool haveSteps = readAll(data.DataDir + stepName, stepRel, steps);
        if (!haveIdx)
            return;
        QVector<int> counts;
        for (int i = 0; i < idx.size(); ++i) {
            if (start::vb::Trim(idx.at(i)).isEmpty())
                break;
            const sim::bank::IndexEntry e = sim::bank::parseIndexLine(idx.at(i));
            if (e.steps < 1 || e.steps > 99)
                add(idxRel, i + 1, QStringLiteral("steps"),
                    QStringLiteral("step count %1 is not 1 to 99").arg(start::vb::Mid(idx.at(i), 5, 2)));
            if (e.hasPicture) {
                if (!start::verfile::isSafeName(e.pictureId))
                    add(idxRel, i + 1, QStringLiteral("picture"),
                        QStringLiteral("“%1” is not a safe picture name").arg(e.pictureId));
                else if (!pictureLoads(e.pictureId))
                    add(idxRel, i + 1, QStringLiteral("picture"),
                        QStringLiteral("picture %1 is missing or cannot be loaded")
                            .arg(dataRel + e.pictureId + data.DataExt));
            }
            if (start::vb::Trim(e.text).isEmpty())
                add(idxRel, i + 1, QStringLiteral("text"), QStringLiteral("the question has no text"));
            counts << qMax(0, e.steps);
        }
        unitCounts[u] = counts.size();
        if (counts.size() > 40)
            add(idxRel, 41, QString(),
                QStringLiteral("more than 40 questions in a set (%1)").arg(counts.size()));
        if (counts.size() != expected)
            add(dataRel + QStringLiteral("288891.rar"), 2, QStringLiteral("unit %1").arg(u + 1),
                QStringLiteral("says %1 questions, the index file %2 has %3")
                    .arg(expected)
                    .arg(idxName)
                    .arg(counts.size()));
        if (!haveSteps)
            return;
        int first = 1;
        for (int q = 0; q < counts.size(); ++q) {
            const int n = counts.at(q);
            bool closed = false;
            for (int s = 1; s <= n; ++s) {
                const int ln = first + s - 1;
                if (ln > steps.size()) {
                    add(stepRel, ln, QString(),
                        QStringLiteral("question %1 needs %2 records, the step file ends at line %3")
                            .arg(q + 1)
                            .arg(n)
                            .arg(steps.size()));
                    break;
                }
                bool ok = true;
                const sim::bank::StepRecord r = sim::bank::parseRecord(steps.at(ln - 1), &ok);
                if (!ok) {
                    add(stepRel, ln, QStringLiteral("record"),
                        QStringLiteral("%1 characters, shorter than 196").arg(steps.at(ln - 1).size()));
                    continue;
                }
                if (r.isClosing() && s < n)
                    add(stepRel, ln, QStringLiteral("StepCode"),
                        QStringLiteral("question %1 closes with “9999” at step %2, before the index's step "
                                       "count %3 is used up")
                            .arg(q + 1)
                            .arg(s)
                            .arg(n));
                if (s == n) {
                    closed = r.isClosing();
                    if (!closed)
                        add(stepRel, ln, QStringLiteral("StepCode"),
                            QStringLiteral(
                                "question %1 has no closing “9999” record (its last step %2 is “%3”)")
                                .arg(q + 1)
                                .arg(s)
                                .arg(r.StepCode()));
                }
                checkRecord(stepRel, ln, r, s);
            }
            first += n;
        }
        // the stored solutions are played through the trainer's step engine once
        // every unit has been read; their problems follow the unit's own
        plays.push_back({u, stepRel, counts, int(out.size()), {}});
        if (steps.size() != first - 1)
            add(stepRel, qMin(int(steps.size()), first), QString(),
                QStringLiteral("the index's step counts add up to %1 records, the step file has %2")
                    .arg(first - 1)
                    .arg(steps.size()));
    }

    static QString setfilesName(int n) {
        return QStringLiteral("2888") + two(n % 100) + QStringLiteral(".rar");
    }

    void checkCodes(const QString &rel, int line, const QString &codes, const QString &field) {
        for (int i = 0; i + 4 <= codes.size(); i += 4) {
            const QString c = codes.mid(i, 4);
            bool ok = true;
            for (QChar ch : c)
                ok &= ch.isDigit();
            const int u = c.left(2).toInt(), q = c.right(2).toInt();
            if (!ok || u >= unitCounts.size() || q < 1 || q > unitCounts.at(u))
                add(rel, line, field,
                    QStringLiteral("code “%1” names a question that does not exist").arg(c));
        }
    }

    struct Play {
        int unit;
        QString stepRel;
        QVector<int> counts;
        int insertAt;
        QVector<Problem> problems;
        int solved = 0;
    };
    QVector<Play> plays;
    CheckStats stats;

    // Plays the units side by side: decoding their pictures is most of the work.
    void playAll() {
        if (plays.isEmpty())
            return;
        std::atomic<int> next{0};
        auto work = [&] {
            for (int i = next++; i < plays.size(); i = next++)
                plays[i].solved =
                    playUnit(data, plays[i].unit, plays[i].stepRel, plays[i].counts, plays[i].problems);
        };
        const int threads = std::clamp(QThread::idealThreadCount(), 1, int(plays.size()));
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work);
        work();
        for (std::thread &t : pool)
            t.join();
        for (const Play &p : plays) {
            stats.questions += std::min(int(p.counts.size()), MaxQuestions);
            stats.solved += p.solved;
        }
        for (int i = plays.size() - 1; i >= 0; --i)
            for (int k = plays[i].problems.size() - 1; k >= 0; --k)
                out.insert(plays[i].insertAt, plays[i].problems.at(k));
    }

    void run() {
        checkVer();
        dataRel = start::vb::Trim(data.VerLines[3]) + u'/';
        const QString num = platform::textfile::firstLine(data.DataDir + QStringLiteral("288899.rar"));
        if (!QFileInfo(data.DataDir + QStringLiteral("288899.rar")).isFile())
            add(dataRel + QStringLiteral("288899.rar"), 0, QString(), QStringLiteral("missing"));
        else if (start::vb::ValInt(num) != data.ModuleNo)
            add(dataRel + QStringLiteral("288899.rar"), 1, QStringLiteral("module number"),
                QStringLiteral("%1 differs from ver.txt's %2").arg(start::vb::Trim(num)).arg(data.ModuleNo));
        haveMenus =
            readAll(data.programFile(QStringLiteral("sMenu.sys")), QStringLiteral("sMenu.sys"), menuLines);
        QStringList textTable;
        readAll(data.DataDir + QStringLiteral("288890.rar"), dataRel + QStringLiteral("288890.rar"),
                textTable);
        textLines = textTable.size();
        QStringList table;
        if (!readAll(data.DataDir + QStringLiteral("288891.rar"), dataRel + QStringLiteral("288891.rar"),
                     table))
            return;
        const QString tRel = dataRel + QStringLiteral("288891.rar");
        const QString head = platform::textfile::lineAt(table, 1);
        const int papers = start::vb::ValLong(start::vb::Mid(head, 1, 2));
        const int units = start::vb::ValLong(start::vb::Mid(head, 3, 2));
        if (units > 20)
            add(tRel, 1, QStringLiteral("UnitCount"),
                QStringLiteral("%1 units; a bank has at most 20").arg(units));
        if (papers > 14)
            add(tRel, 1, QStringLiteral("PaperCount"),
                QStringLiteral("%1 exam papers; the cover page has 14 slots").arg(papers));
        const QString countLine = table.size() >= 2 ? table.at(1) : QString();
        unitCounts = QVector<int>(qMin(units, 20), 0);
        for (int u = 0; u < unitCounts.size(); ++u) {
            const int expected = start::vb::ValLong(start::vb::Mid(countLine, 2 * u + 1, 2));
            if (expected > 40)
                add(tRel, 2, QStringLiteral("unit %1").arg(u + 1),
                    QStringLiteral("%1 questions; a set has at most 40").arg(expected));
            checkUnit(u, expected);
        }
        for (int k = 0; k < papers && k < 14; ++k) {
            const QString comp = table.value(2 + k);
            if (table.size() < 3 + k) {
                add(tRel, 3 + k, QStringLiteral("paper %1").arg(k + 1),
                    QStringLiteral("the composition line is missing"));
                continue;
            }
            if (comp.size() > 160)
                add(tRel, 3 + k, QStringLiteral("paper %1").arg(k + 1),
                    QStringLiteral("more than 40 questions in a set"));
            else if (comp.size() < 160)
                add(tRel, 3 + k, QStringLiteral("paper %1").arg(k + 1),
                    QStringLiteral("%1 characters; a composition is 40 four-digit codes").arg(comp.size()));
            checkCodes(tRel, 3 + k, comp, QStringLiteral("paper %1").arg(k + 1));
            const QString wrong = data.recordFile(QStringLiteral("1824") + two(k) + QStringLiteral(".rar"));
            QStringList wl;
            if (QFileInfo(wrong).isFile() &&
                readAll(wrong, QStringLiteral("ksdata/1824%1.rar").arg(two(k)), wl))
                checkCodes(QStringLiteral("ksdata/1824%1.rar").arg(two(k)), 1,
                           start::vb::Trim(platform::textfile::lineAt(wl, 1)), QStringLiteral("wrong list"));
        }
        playAll();
        for (int n = 1; n <= 17; ++n) {
            const QString id = QStringLiteral("9l00") + two(n);
            if (!pictureLoads(id))
                add(dataRel + id + data.DataExt, 0, QStringLiteral("page %1").arg(n),
                    QStringLiteral("information page missing or cannot be loaded"));
        }
    }
};

} // namespace

bool checkBank(const QString &programFolder, QVector<Problem> &problems, CheckStats *stats) {
    Checker c{programFolder, ModData(), QString(), problems, {}, {}, false, 0, {}, {}, {}};
    c.data.AppPath = QDir(programFolder).absolutePath();
    QString err;
    if (!start::verfile::readInfo(c.data, &err)) {
        problems.push_back({QStringLiteral("ver.txt"), 0, QString(), err});
        return false;
    }
    c.data.DataExt = QStringLiteral(".rar");
    c.run();
    if (stats)
        *stats = c.stats;
    return true;
}

} // namespace cadbank
