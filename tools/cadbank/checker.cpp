#include "checker.h"
#include "player.h"

#include "simulator/bankreader.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/textfile.h"
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
        textfile::ReadError err;
        if (!textfile::readLines(path, lines, &err)) {
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
        const QString path = bank::picturePath(data, id);
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
        if (vb::Trim(data.ModuleName).isEmpty())
            add(QStringLiteral("ver.txt"), 1, QStringLiteral("ModuleName"), QStringLiteral("is empty"));
        if (data.ModuleNo <= 0)
            add(QStringLiteral("ver.txt"), 4, QStringLiteral("ModuleNo"),
                QStringLiteral("is not a positive module number"));
    }

    // Checks that a menu code names an existing group and item of sMenu.sys.
    void checkMenuCode(const QString &rel, int line, const QString &code) {
        if (!haveMenus)
            return;
        const QChar first = code.at(0);
        int base = 0, n = 0;
        const int digitN = vb::ValLong(code.mid(1, 1));
        const int g = vb::ValLong(code.mid(2, 1));
        const int j = vb::ValLong(code.mid(3, 1));
        QString what;
        if (first == u'A' || first == u'B' || first == u'C') {
            n = digitN + (first == u'B' ? 9 : 0);
            base = first == u'C' ? 300 : 0;
            what = QStringLiteral("menu %1").arg(n);
            if (n < 1 || n > 11 || (first != u'B' && n > 9)) {
                add(rel, line, QStringLiteral("StepCode"),
                    QStringLiteral("“%1” names menu %2, which the menu bar does not have").arg(code).arg(n));
                return;
            }
        } else {
            n = digitN;
            base = 165;
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
        auto blockLine = [&](int k) { return menuLines.value(base + (n - 1) * 15 + k - 1); };
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

    void checkRecord(const QString &rel, int line, const bank::StepRecord &r, int stepNo) {
        const QString code = r.StepCode();
        const int value = bank::stepValue(code);
        const QChar first = code.at(0);
        // codes the trainer acts on
        bool known = code == u"9999" || value == 1 || value == 2 || value == 3 || value == 2000 ||
                     value == 20 || value == 21 || value == 22 || value == 23 || value == 26 || value == 30 ||
                     value == 8888;
        if ((value >= 40 && value <= 47) || (value >= 50 && value <= 57))
            known = true;
        if (value >= 8001 && value <= 8009 && value != 8005)
            known = true;
        if (value >= 3000 && value < 5000)
            known = true;
        if (value >= 6000 && value < 7000)
            known = true;
        if (value >= 9000 && value < 9999)
            known = true;
        if (first == u'A' || first == u'B' || first == u'C' || first == u'D')
            known = true;
        if (!known)
            add(rel, line, QStringLiteral("StepCode"),
                QStringLiteral("“%1” is not a step code the trainer knows").arg(code));
        if (value >= 9000 && value < 9999) {
            const int b = value % 100;
            if (b != 1 && b != 2 && b != 4)
                add(rel, line, QStringLiteral("StepCode"),
                    QStringLiteral("“%1”: mouse button %2 does not exist (01, 02, 04)").arg(code).arg(b));
        }
        // "A11" with an input box is command-line typing, not a menu choice
        const bool typing = code.startsWith(QLatin1String("A11")) && r.boxPresent();
        if (!typing && (first == u'A' || first == u'B' || first == u'C' || (value >= 3000 && value < 5000)))
            checkMenuCode(rel, line, code);
        // pictures
        auto pic = [&](const QString &field, const QString &id) {
            if (id == bank::KeepId)
                return;
            if (!verfile::isSafeName(id))
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
        } else if (code == u"0001" || code == u"0002" || code == u"0003" || code == u"0030" ||
                   (value >= 9000 && value < 9999) || (value >= 40 && value <= 57)) {
            add(rel, line, QStringLiteral("ZoneX"),
                QStringLiteral("the step code “%1” needs zone 1, which is absent").arg(code));
        }
        if (r.boxPresent())
            checkRect(rel, line, QStringLiteral("BoxX"), r.boxX(), r.boxY(), r.boxW(), r.boxH());
        else if (value == 20 || value == 21)
            add(rel, line, QStringLiteral("BoxX"),
                QStringLiteral("the step code “%1” needs an input box, which is absent").arg(code));
        if (r.zone2Present())
            checkRect(rel, line, QStringLiteral("Zone2X"), r.zone2X(), r.zone2Y(), r.zone2W(), r.zone2H());
        else if (value >= 40 && value <= 57)
            add(rel, line, QStringLiteral("Zone2X"),
                QStringLiteral("the drag code “%1” needs zone 2, which is absent").arg(code));
        if (r.hintPlaced() && (r.hintX() >= ScreenTwipsW || r.hintY() >= ScreenTwipsH))
            add(rel, line, QStringLiteral("HintX"), QStringLiteral("the hint is placed outside the screen"));
        if ((value >= 8001 && value <= 8009) || r.hasBackMarker())
            if (r.targetX() >= ScreenTwipsW || r.targetY() >= ScreenTwipsH)
                add(rel, line, QStringLiteral("TargetX"),
                    QStringLiteral("(%1, %2) lies outside the screen").arg(r.targetX()).arg(r.targetY()));
        if (value >= 8001 && value <= 8009 && !r.picturePlaced(5))
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
                if (!QFileInfo(bank::pointerPath(data, nn)).isFile())
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
            if (vb::Trim(idx.at(i)).isEmpty())
                break;
            const bank::IndexEntry e = bank::parseIndexLine(idx.at(i));
            if (e.steps < 1 || e.steps > 99)
                add(idxRel, i + 1, QStringLiteral("steps"),
                    QStringLiteral("step count %1 is not 1 to 99").arg(vb::Mid(idx.at(i), 5, 2)));
            if (e.hasPicture) {
                if (!verfile::isSafeName(e.pictureId))
                    add(idxRel, i + 1, QStringLiteral("picture"),
                        QStringLiteral("“%1” is not a safe picture name").arg(e.pictureId));
                else if (!pictureLoads(e.pictureId))
                    add(idxRel, i + 1, QStringLiteral("picture"),
                        QStringLiteral("picture %1 is missing or cannot be loaded")
                            .arg(dataRel + e.pictureId + data.DataExt));
            }
            if (vb::Trim(e.text).isEmpty())
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
                const bank::StepRecord r = bank::parseRecord(steps.at(ln - 1), &ok);
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
        dataRel = vb::Trim(data.VerLines[3]) + u'/';
        const QString num = textfile::firstLine(data.DataDir + QStringLiteral("288899.rar"));
        if (!QFileInfo(data.DataDir + QStringLiteral("288899.rar")).isFile())
            add(dataRel + QStringLiteral("288899.rar"), 0, QString(), QStringLiteral("missing"));
        else if (vb::ValInt(num) != data.ModuleNo)
            add(dataRel + QStringLiteral("288899.rar"), 1, QStringLiteral("module number"),
                QStringLiteral("%1 differs from ver.txt's %2").arg(vb::Trim(num)).arg(data.ModuleNo));
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
        const QString head = textfile::lineAt(table, 1);
        const int papers = vb::ValLong(vb::Mid(head, 1, 2));
        const int units = vb::ValLong(vb::Mid(head, 3, 2));
        if (units > 20)
            add(tRel, 1, QStringLiteral("UnitCount"),
                QStringLiteral("%1 units; a bank has at most 20").arg(units));
        if (papers > 14)
            add(tRel, 1, QStringLiteral("PaperCount"),
                QStringLiteral("%1 exam papers; the cover page has 14 slots").arg(papers));
        const QString countLine = table.size() >= 2 ? table.at(1) : QString();
        unitCounts = QVector<int>(qMin(units, 20), 0);
        for (int u = 0; u < unitCounts.size(); ++u) {
            const int expected = vb::ValLong(vb::Mid(countLine, 2 * u + 1, 2));
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
                           vb::Trim(textfile::lineAt(wl, 1)), QStringLiteral("wrong list"));
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
    if (!verfile::readInfo(c.data, &err)) {
        problems.push_back({QStringLiteral("ver.txt"), 0, QString(), err});
        return false;
    }
    c.data.DataExt = QStringLiteral(".rar");
    c.run();
    if (stats)
        *stats = c.stats;
    return true;
}

QString describeCode(const QString &code) {
    const int v = bank::stepValue(code);
    const QChar first = code.isEmpty() ? QChar() : code.at(0);
    static const char *mods[8] = {"",     "Shift+",     "Ctrl+",     "Shift+Ctrl+",
                                  "Alt+", "Shift+Alt+", "Ctrl+Alt+", "Shift+Ctrl+Alt+"};
    auto mod = [&](int k) { return QString::fromLatin1(mods[qBound(0, k, 7)]); };
    if (code == u"9999")
        return QStringLiteral("结束：本题完成");
    if (code == u"A111")
        return QStringLiteral("在输入框中输入答案并按回车键或空格键（或菜单 1 第1组第1项）");
    if (first == u'A' || first == u'B' || first == u'C') {
        const int n = code.mid(1, 1).toInt() + (first == u'B' ? 9 : 0);
        return QStringLiteral("%1菜单 %2 第%3组第%4项")
            .arg(first == u'C' ? QStringLiteral("第二组") : QString())
            .arg(n)
            .arg(code.mid(2, 1))
            .arg(code.mid(3, 1).toInt() + 1);
    }
    if (first == u'D')
        return QStringLiteral("演示用菜单步");
    switch (v) {
    case 1:
        return QStringLiteral("左键单击区域1");
    case 2:
        return QStringLiteral("双击区域1");
    case 3:
        return QStringLiteral("右击区域1");
    case 2000:
        return QStringLiteral("右击区域1，或按回车键/空格键");
    case 20:
        return QStringLiteral("在输入框中输入答案（输入即完成）");
    case 21:
        return QStringLiteral("在覆盖输入框中输入完整答案");
    case 22:
        return QStringLiteral("输入答案并回车（演示：输入后移到区域1）");
    case 23:
        return QStringLiteral("输入答案并回车（演示：不输入）");
    case 26:
        return QStringLiteral("输入答案并回车（演示：输入后移到区域1）");
    case 30:
        return QStringLiteral("鼠标移到区域1");
    case 8888:
        return QStringLiteral("自动：一秒后继续");
    default:
        break;
    }
    if (v >= 40 && v <= 47)
        return QStringLiteral("%1从区域2拖出选择窗口到区域1").arg(mod(v - 40));
    if (v >= 50 && v <= 57)
        return QStringLiteral("%1把区域2拖放到区域1").arg(mod(v - 50));
    if (v == 3420 || v == 3220)
        return QStringLiteral("右击区域1打开快捷菜单 %1，选择第2组第1项；或按回车/空格/Esc")
            .arg(v / 100 % 10);
    if (v >= 3000 && v < 5000)
        return QStringLiteral("右击区域1打开快捷菜单 %1，选择第%2组第%3项")
            .arg(v / 100 % 10)
            .arg(v / 10 % 10)
            .arg(v % 10 + 1);
    if (v >= 6000 && v < 7000) {
        static const QHash<int, QString> keys = {{2, QStringLiteral("Enter")}, {3, QStringLiteral("F2")},
                                                 {15, QStringLiteral("F4")},   {20, QStringLiteral("F9")},
                                                 {91, QStringLiteral("/")},    {99, QStringLiteral(".")}};
        const int n = v % 100;
        QString key = keys.value(n);
        if (key.isEmpty())
            key = (n >= 48 && n <= 90) ? QString(QChar(n)) : QStringLiteral("键码%1").arg(n);
        return QStringLiteral("按 %1%2").arg(mod(v / 100 % 10), key);
    }
    if (v >= 8001 && v <= 8009) {
        static const char *dirs[10] = {"", "左", "右", "上", "下", "", "左下", "右下", "左上", "右上"};
        return QStringLiteral("把图片5向%1拖到目标").arg(QString::fromUtf8(dirs[v - 8000]));
    }
    if (v >= 9000 && v < 9999) {
        const int b = v % 100;
        return QStringLiteral("%1按%2键于区域1")
            .arg(mod(v / 100 % 10), b == 1   ? QStringLiteral("左")
                                    : b == 2 ? QStringLiteral("右")
                                    : b == 4 ? QStringLiteral("中")
                                             : QStringLiteral("?"));
    }
    return QStringLiteral("未知代码");
}

bool dumpBank(const QString &programFolder, int unit, int question, QStringList &out, QString *error) {
    ModData data;
    data.AppPath = QDir(programFolder).absolutePath();
    if (!verfile::readInfo(data, error))
        return false;
    QStringList table, texts, menus;
    textfile::ReadError err;
    if (!textfile::readLines(data.DataDir + QStringLiteral("288891.rar"), table, &err)) {
        *error = err.message();
        return false;
    }
    textfile::readLines(data.DataDir + QStringLiteral("288890.rar"), texts);
    textfile::readLines(data.programFile(QStringLiteral("sMenu.sys")), menus);
    const int units = vb::ValLong(vb::Mid(textfile::lineAt(table, 1), 3, 2));
    if (unit > units || unit < 0) {
        *error = QStringLiteral("the bank has %1 units").arg(units);
        return false;
    }
    out << QStringLiteral("%1 %2  （模块 %3）")
               .arg(vb::Trim(data.ModuleName), vb::Trim(data.ModuleTitle))
               .arg(data.ModuleNo);
    auto text = [&](int n) { return n == 0 ? QString() : bank::textOfLine(textfile::lineAt(texts, n)); };
    auto px = [](int t) { return QString::number(t / 15.0, 'g', 6); };
    auto rect = [&](int x, int y, int w, int h) {
        return QStringLiteral("(%1,%2 %3x%4)").arg(px(x), px(y), px(w), px(h));
    };
    auto menuItem = [&](const QString &code) -> QString {
        const QChar first = code.at(0);
        const int v = bank::stepValue(code);
        int base = 0, n = code.mid(1, 1).toInt();
        if (first == u'B')
            n += 9;
        else if (first == u'C')
            base = 300;
        else if (v >= 3000 && v < 5000)
            base = 165;
        else if (first != u'A')
            return QString();
        static const int titleLine[10] = {0, 2, 0, 5, 0, 8, 0, 11, 13, 0};
        static const int entryLine[10] = {0, 3, 4, 6, 7, 9, 10, 12, 14, 15};
        const int g = code.mid(2, 1).toInt(), j = code.mid(3, 1).toInt();
        if (g < 1 || g > 9 || n < 1)
            return QString();
        const QString entries = menus.value(base + (n - 1) * 15 + entryLine[g] - 1);
        QString item = entries.split(u'|').value(j);
        if (titleLine[g])
            item = menus.value(base + (n - 1) * 15 + titleLine[g] - 1) + QStringLiteral(" > ") + item;
        return menus.value(base + (n - 1) * 15) + QStringLiteral(" > ") + item;
    };
    for (int u = 0; u < units; ++u) {
        if (unit && u + 1 != unit)
            continue;
        QStringList idx, steps;
        const QString idxPath = data.DataDir + QStringLiteral("2888%1.rar").arg(70 + u);
        const QString stepPath = data.DataDir + QStringLiteral("2888%1.rar").arg(20 + u);
        if (!textfile::readLines(idxPath, idx, &err) || !textfile::readLines(stepPath, steps, &err)) {
            *error = err.message();
            return false;
        }
        out << QString() << QStringLiteral("第%1单元 %2").arg(u + 1).arg(vb::Trim(data.unitTitle(u)));
        int first = 1;
        for (int q = 0; q < idx.size() && !vb::Trim(idx.at(q)).isEmpty(); ++q) {
            const bank::IndexEntry e = bank::parseIndexLine(idx.at(q));
            if (!question || question == q + 1) {
                out << QStringLiteral("  第%1题（%2步）%3%4")
                           .arg(q + 1)
                           .arg(e.steps)
                           .arg(e.hasPicture ? QStringLiteral("[图片 %1] ").arg(e.pictureId) : QString(),
                                e.text);
                for (int s = 1; s <= e.steps; ++s) {
                    bool ok = true;
                    const bank::StepRecord r = bank::parseRecord(textfile::lineAt(steps, first + s - 1), &ok);
                    if (!ok) {
                        out << QStringLiteral("    %1. 记录不足196个字符").arg(s);
                        continue;
                    }
                    const QString code = r.StepCode();
                    out << QStringLiteral("    %1. %2  %3").arg(s).arg(code, describeCode(code));
                    QStringList d;
                    d << QStringLiteral("画面 %1").arg(r.ScreenPicture());
                    for (int k = 1; k <= 5; ++k)
                        if (r.picturePlaced(k))
                            d << QStringLiteral("图片%1 %2 @%3,%4")
                                     .arg(k)
                                     .arg(r.PicId(k), px(r.picX(k)), px(r.picY(k)));
                    if (r.zone1Present())
                        d << QStringLiteral("区域1 %1").arg(rect(r.zoneX(), r.zoneY(), r.zoneW(), r.zoneH()));
                    if (r.zone2Present())
                        d << QStringLiteral("区域2 %1%2")
                                 .arg(rect(r.zone2X(), r.zone2Y(), r.zone2W(), r.zone2H()),
                                      r.zone2PlainClick() ? QStringLiteral(" 单击即完成") : QString());
                    if (r.boxPresent()) {
                        d << QStringLiteral("输入框 %1").arg(rect(r.boxX(), r.boxY(), r.boxW(), r.boxH()));
                        if (r.boxTextLine())
                            d << QStringLiteral("初值“%1”").arg(text(r.boxTextLine()));
                        d << QStringLiteral("答案“%1”").arg(text(r.answerLine()));
                    } else if (!vb::allZero(r.PointerSpec())) {
                        d << QStringLiteral("指针 %1").arg(r.PointerSpec());
                    }
                    if (r.hasBackMarker())
                        d << QStringLiteral("返回按钮 @%1,%2 退%3步")
                                 .arg(px(r.targetX()), px(r.targetY()))
                                 .arg(r.backSteps());
                    else if (r.menuBarShown())
                        d << QStringLiteral("菜单栏 @%1,%2").arg(px(r.menuBarX()), px(r.menuBarY()));
                    if (r.MenuBarY().startsWith(u'X'))
                        d << QStringLiteral("演示两个目标");
                    else if (r.MenuBarY() == u"00000" && code.at(0).isDigit() &&
                             (code.at(0) == u'3' || code.at(0) == u'4'))
                        d << QStringLiteral("演示菜单在指针处");
                    const int v = bank::stepValue(code);
                    if (v >= 8001 && v <= 8009)
                        d << QStringLiteral("目标 @%1,%2").arg(px(r.targetX()), px(r.targetY()));
                    const QString item = menuItem(code);
                    if (!item.isEmpty() && code != u"A111")
                        d << QStringLiteral("菜单项“%1”").arg(item);
                    if (r.hintLine())
                        d << QStringLiteral("提示“%1”").arg(text(r.hintLine()));
                    out << QStringLiteral("       ") + d.join(QStringLiteral("；"));
                }
            }
            first += e.steps;
        }
    }
    return true;
}

bool dumpPapers(const QString &programFolder, int paper, QStringList &out, QString *error) {
    ModData data;
    data.AppPath = QDir(programFolder).absolutePath();
    if (!verfile::readInfo(data, error))
        return false;
    QStringList table;
    textfile::ReadError err;
    if (!textfile::readLines(data.DataDir + QStringLiteral("288891.rar"), table, &err)) {
        *error = err.message();
        return false;
    }
    const QString head = textfile::lineAt(table, 1);
    const int papers = qMin(int(vb::ValLong(vb::Mid(head, 1, 2))), 14);
    const int units = qMin(int(vb::ValLong(vb::Mid(head, 3, 2))), 20);
    if (paper < 0 || paper > papers) {
        *error = QStringLiteral("the bank has %1 exam papers").arg(papers);
        return false;
    }
    // index lines of each unit, read when a paper first names the unit
    QHash<int, QStringList> index;
    auto entry = [&](int u, int q, bank::IndexEntry *e) {
        if (u < 0 || u >= units || q < 1)
            return false;
        if (!index.contains(u)) {
            QStringList lines;
            textfile::readLines(data.DataDir + QStringLiteral("2888%1.rar").arg(70 + u), lines);
            while (!lines.isEmpty() && vb::Trim(lines.last()).isEmpty())
                lines.removeLast();
            for (int i = 0; i < lines.size(); ++i)
                if (vb::Trim(lines.at(i)).isEmpty()) {
                    lines = lines.mid(0, i);
                    break;
                }
            index.insert(u, lines);
        }
        const QStringList &lines = index[u];
        if (q > lines.size())
            return false;
        *e = bank::parseIndexLine(lines.at(q - 1));
        return true;
    };
    out << QStringLiteral("%1 %2  （模块 %3）")
               .arg(vb::Trim(data.ModuleName), vb::Trim(data.ModuleTitle))
               .arg(data.ModuleNo);
    for (int k = 1; k <= papers; ++k) {
        if (paper && k != paper)
            continue;
        const QString comp = table.value(1 + k);
        out << QString() << QStringLiteral("第%1套试卷（%2题）").arg(k).arg(comp.size() / 4);
        for (int i = 0; i + 4 <= comp.size(); i += 4) {
            const QString c = comp.mid(i, 4);
            bool okU = false, okQ = false;
            const int u = c.left(2).toInt(&okU), q = c.right(2).toInt(&okQ);
            bank::IndexEntry e;
            if (okU && okQ && entry(u, q, &e))
                out << QStringLiteral("  %1. %2  第%3单元 %4  第%5题  %6")
                           .arg(i / 4 + 1, 2)
                           .arg(c)
                           .arg(u + 1)
                           .arg(vb::Trim(data.unitTitle(u)))
                           .arg(q)
                           .arg(e.text);
            else
                out << QStringLiteral("  %1. %2  （没有这道题）").arg(i / 4 + 1, 2).arg(c);
        }
    }
    return true;
}

} // namespace cadbank

#include <QPainter>

namespace cadbank {

QImage renderStep(const QString &programFolder, int unit, int question, int step, QString *error) {
    ModData data;
    data.AppPath = QDir(programFolder).absolutePath();
    if (!verfile::readInfo(data, error))
        return QImage();
    data.CurSet = qint16(unit - 1);
    data.SetBase = SetBaseUnit;
    setfiles::nameSetFiles(data);
    if (setfiles::readQuestionOffsets(data, error) < question) {
        if (error && error->isEmpty())
            *error = QStringLiteral("no question %1 in unit %2").arg(question).arg(unit);
        return QImage();
    }
    bank::BankReader reader(data);
    // pictures kept with "888888" come from earlier steps
    QImage screen;
    QImage pics[6];
    bank::StepRecord r;
    for (int s = 1; s <= step; ++s) {
        bool ok = true;
        r = reader.record(question, s, &ok);
        if (!ok) {
            *error = reader.lastError();
            return QImage();
        }
        if (r.ScreenPicture() != bank::KeepId)
            screen = QImage(bank::picturePath(data, r.ScreenPicture()));
        for (int k = 1; k <= 5; ++k)
            if (r.picturePlaced(k) && r.PicId(k) != bank::KeepId)
                pics[k] = QImage(bank::picturePath(data, r.PicId(k)));
    }
    QImage out(800, 600, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, screen);
    auto px = [](int t) { return t / 15; };
    for (int k = 1; k <= 5; ++k)
        if (r.picturePlaced(k))
            p.drawImage(px(r.picX(k)), px(r.picY(k)), pics[k]);
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(12);
    p.setFont(f);
    if (r.menuBarShown() && !r.hasBackMarker()) {
        static const QStringList titles = {
            QStringLiteral("文件(F)"), QStringLiteral("编辑(E)"), QStringLiteral("视图(V)"),
            QStringLiteral("插入(I)"), QStringLiteral("格式(O)"), QStringLiteral("工具(T)"),
            QStringLiteral("绘图(D)"), QStringLiteral("标注(N)"), QStringLiteral("修改(M)"),
            QStringLiteral("窗口(W)"), QStringLiteral("帮助(H)")};
        p.setPen(Qt::black);
        for (int i = 0; i < titles.size(); ++i)
            p.drawText(QPoint(px(810 * i + r.menuBarX()), px(r.menuBarY()) + 12), titles.at(i));
    }
    if (r.boxPresent()) {
        p.setPen(QColor(0, 0, 160));
        p.drawRect(px(r.boxX()), px(r.boxY()), px(r.boxW()) - 1, px(r.boxH()) - 1);
        p.drawText(px(r.boxX()) + 3, px(r.boxY()) + 13, reader.text(r.boxTextLine()));
    }
    if (r.zone1Present()) {
        p.setPen(QPen(Qt::red, 2));
        p.drawRect(px(r.zoneX()), px(r.zoneY()), px(r.zoneW()), qMax(1, px(r.zoneH())));
    }
    if (r.zone2Present()) {
        p.setPen(QPen(Qt::green, 2));
        p.drawRect(px(r.zone2X()), px(r.zone2Y()), px(r.zone2W()), px(r.zone2H()));
    }
    if (r.hintPlaced() && r.hintLine()) {
        QFont hf(QStringLiteral("Noto Sans CJK SC"));
        hf.setPixelSize(14);
        hf.setBold(true);
        p.setFont(hf);
        const QString hint = reader.text(r.hintLine());
        const QRect br = p.boundingRect(QRect(px(r.hintX()), px(r.hintY()), 780, 30), Qt::AlignLeft, hint);
        p.fillRect(br.adjusted(-2, -1, 2, 1), QColor(255, 255, 0));
        p.setPen(Qt::red);
        p.drawText(br, Qt::AlignLeft, hint);
    }
    return out;
}

} // namespace cadbank
