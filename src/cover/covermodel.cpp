#include "cover/covermodel.h"
#include "panel/progress.h"
#include "platform/textfile.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

namespace cover {

namespace {

bool digitsOrBlanks(const QString &s) {
    for (QChar c : s)
        if (c != u' ' && (c < u'0' || c > u'9'))
            return false;
    return true;
}

// Line 1 holds the paper and unit counts in four digits, line 2 two digits per
// unit; anything else (an empty file, text, binary garbage) is not a set table.
bool looksLikeSetTable(const QStringList &lines, int unitCount) {
    if (lines.size() < 2)
        return false;
    const QString head = lines.at(0).left(4);
    if (head.size() < 4 || !digitsOrBlanks(head))
        return false;
    if (unitCount < 1 || unitCount > MaxUnitsInTable)
        return false;
    const QString counts = lines.at(1).left(2 * unitCount);
    return counts.size() == 2 * unitCount && digitsOrBlanks(counts);
}

} // namespace

bool readSetTable(const ModData &d, SetTable &table, QString *error) {
    table = SetTable{};
    QStringList lines;
    const QString path = d.dataFile(QStringLiteral("288891.rar"));
    const bool ok = panel::progress::readHead(path, 3 + PaperSlots + 1, lines, error);
    table.found = ok && QFile::exists(path);
    const QString first = lines.value(0);
    table.paperCount = start::vb::ValInt(start::vb::Mid(first, 1, 2));
    table.unitCount = start::vb::ValInt(start::vb::Mid(first, 3, 2));
    const QString counts = lines.value(1);
    for (int u = 0; u < MaxUnitsInTable; ++u)
        table.unitQuestions << start::vb::ValInt(start::vb::Mid(counts, 2 * u + 1, 2));
    for (int k = 2; k < lines.size(); ++k)
        table.compositions << lines.at(k);
    if (!table.found)
        return ok;
    table.valid = looksLikeSetTable(lines, table.unitCount);
    if (!table.valid && error)
        *error =
            QCoreApplication::translate("cover", "题库文件不是有效的套题表，学习记录未作改动：%1").arg(path);
    return table.valid;
}

QString versionText(int major, int minor, int revision) {
    return QStringLiteral("V%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString paperInfo(const QString &lastTime, const QString &bestScore) {
    return QCoreApplication::translate("cover", "最后考试时间 %1  最好成绩 %2").arg(lastTime, bestScore);
}

QPoint unitSlotTwips(int i) {
    return {480 + (i % 3) * 3720, 120 + (i / 3) * 1080};
}

QPoint paperSlotTwips(int i) {
    return {390 + (i % 2) * 5700, 120 + (i / 2) * 1080};
}

bool readAutoUpdate(const ModData &d) {
    return platform::textfile::firstLine(d.programFile(QStringLiteral("refresher.txt"))) ==
           QStringLiteral("1");
}

bool writeAutoUpdate(const ModData &d, bool on, QString *error) {
    return platform::textfile::writeLinesAtomic(d.programFile(QStringLiteral("refresher.txt")),
                                                {on ? QStringLiteral("1") : QStringLiteral("0")}, error);
}

CoverState load(ModData &d, const QString &programVersion) {
    CoverState s;
    QString error;
    // 1. the layout keeps its pixel size: 15 twips per pixel
    d.ScaleX = 1.0;
    d.ScaleY = 1.0;
    // 2. readInfo
    if (!start::verfile::readInfo(d, &error))
        s.errors << error;
    // 3. bank version and the module check
    s.bankVersion = platform::textfile::shownText(
        platform::textfile::firstLine(d.dataFile(QStringLiteral("288895.rar"))));
    // a check file that cannot be read is not a mismatch: the learner is told
    const QString checkPath = d.dataFile(QStringLiteral("288899.rar"));
    bool checkRead = false;
    const QString check = platform::textfile::firstLine(checkPath, &checkRead);
    if (!checkRead) {
        s.fatal =
            platform::textfile::ReadError{checkPath, QFile::exists(checkPath) ? QStringLiteral("unreadable")
                                                                              : QStringLiteral("missing")}
                .message();
        return s;
    }
    if (!std::any_of(check.cbegin(), check.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        s.fatal = QCoreApplication::translate("cover", "模块校验文件内容无效：%1").arg(checkPath);
        return s;
    }
    if (start::vb::ValInt(check) != d.ModuleNo) {
        s.moduleMismatch = true;
        return s;
    }
    // 4, 5. titles
    // (captions cut at a length no module reaches: a damaged file cannot hold the page up)
    const QString moduleName = platform::textfile::shownText(d.ModuleName);
    s.windowTitle = QCoreApplication::translate("cover", "柏川云学职称计算机考试——%1模块  题库版本：%2")
                        .arg(moduleName, s.bankVersion);
    s.subtitle = QStringLiteral("── ") + platform::textfile::shownText(d.ModuleTitle);
    s.caption = QCoreApplication::translate("cover", "%1──%2模块(题库版本：%3)")
                    .arg(programVersion, moduleName, s.bankVersion);
    // 7. numbers of all slots
    for (int i = 0; i < UnitSlots; ++i)
        s.units[i].number = QString::number(i + 1);
    for (int i = 0; i < PaperSlots; ++i)
        s.papers[i].number = QString::number(i + 1);
    // 8. counts from the set table
    SetTable table;
    if (!readSetTable(d, table, &error))
        s.errors << error;
    // a table that is not one shows no slot at all
    d.PaperCount = Integer(table.valid ? table.paperCount : 0);
    d.UnitCount = Integer(table.valid ? table.unitCount : 0);
    // 9, 10. paper slots and their exam records
    QStringList record;
    if (!panel::progress::readHead(panel::progress::examRecordFile(d), panel::progress::RecordLines, record,
                                   &error))
        s.errors << error;
    for (int i = 0; i < PaperSlots; ++i) {
        s.papers[i].visible = i < d.PaperCount;
        if (s.papers[i].visible)
            s.papers[i].info =
                paperInfo(panel::progress::lastExamTime(record, i), panel::progress::bestScore(record, i));
    }
    // 11-14. unit slots from the normalised status record
    if (table.valid) {
        if (!panel::progress::normaliseStatusFile(d, table.unitQuestions, s.statusLines, &error))
            s.errors << error;
    } else {
        // without a set table every count reads 0: normalising would erase the
        // learner's progress, so the file stays as it is (no slot is shown anyway)
        s.statusLines = panel::progress::normaliseStatus({}, table.unitQuestions);
    }
    for (int i = 0; i < UnitSlots; ++i) {
        UnitSlot &u = s.units[i];
        u.visible = i < d.UnitCount;
        u.tooltip = platform::textfile::shownText(d.unitTitle(i));
        const QString line = s.statusLines.value(i);
        if (u.visible) {
            u.questions = QString::number(panel::progress::statusQuestionCount(line));
            const int count = panel::progress::statusQuestionCount(line);
            const int left = panel::progress::statusUnfinished(line);
            u.unfinished = QString::number(left);
            u.donePercent = count > 0 ? std::clamp((count - left) * 100 / count, 0, 100) : 0;
        }
    }
    // 15. the update switch
    s.autoUpdate = readAutoUpdate(d);
    return s;
}

} // namespace cover
