#include "start/setassembly.h"
#include "platform/textfile.h"
#include "start/setfiles.h"
#include "start/vb.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <optional>

namespace start::setfiles {

IndexEntry parseIndexLine(const QString &line) {
    IndexEntry e;
    e.steps = start::vb::ValLong(start::vb::Mid(line, 5, 2));
    const QString rest = start::vb::Mid(line, 7);
    if (rest.startsWith(QLatin1String("picture"))) {
        e.hasPicture = true;
        e.pictureId = start::vb::Mid(line, 14, 6);
        e.text = start::vb::Mid(line, 20);
    } else {
        e.text = rest;
    }
    return e;
}

QString codeFault(const QString &codesFrom, int code) {
    const QString digits = QStringLiteral("%1").arg(code, 4, 10, QChar(u'0'));
    if (codesFrom.isEmpty())
        return QCoreApplication::translate("start::setfiles", "题号 %1 不是题库中的题目，无法组成这套题目。")
            .arg(digits);
    return QCoreApplication::translate("start::setfiles",
                                       "%1中的题号 %2 不是题库中的题目，无法组成这套题目。")
        .arg(codesFrom, digits);
}

namespace {

struct Assembled {
    QStringList index;
    QStringList steps;
};

void say(QString *message, const QString &text) {
    if (message)
        *message = text;
}

// Question q of unit u: its index line and its step records appended to out.
// A fault of a bank file is said in message; the caller adds the code.
bool copyQuestion(const ModData &d, int u, int q, PastEnd pastEnd, Assembled &out, QString *message) {
    const QString indexPath = d.dataFile(bankName(70 + u) + QStringLiteral(".rar"));
    const QString stepPath = d.dataFile(bankName(20 + u) + QStringLiteral(".rar"));
    const auto missing = [&] {
        say(message,
            QCoreApplication::translate("start::setfiles", "题库文件 %1 中没有第 %2 题，无法组成这套题目。")
                .arg(indexPath)
                .arg(q));
        return false;
    };
    QStringList lines;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(indexPath, lines, &err)) {
        say(message, err.message());
        return false;
    }
    const int last = pastEnd == PastEnd::LastQuestion ? std::min<int>(q, int(lines.size())) : q;
    int total = 0;
    int steps = 0;
    QString line;
    for (int k = 1; k <= last; ++k) {
        if (k > lines.size() || start::vb::Trim(lines.at(k - 1)).isEmpty())
            return missing();
        line = lines.at(k - 1);
        steps = parseIndexLine(line).steps;
        // every count up to q places q's records: one below 1 puts them elsewhere
        if (!validStepCount(steps)) {
            say(message, stepCountFault(indexPath, k, line));
            return false;
        }
        total += steps;
    }
    if (last < 1)
        return missing();
    if (!platform::textfile::readLines(stepPath, lines, &err)) {
        say(message, err.message());
        return false;
    }
    if (total > lines.size()) {
        say(message, QCoreApplication::translate("start::setfiles",
                                                 "题库文件 %1 中第 %2 题的操作步骤不完整，无法组成这套题目。")
                         .arg(stepPath)
                         .arg(q));
        return false;
    }
    out.index << line;
    // records total - steps + 1 >= 1 ... total <= the file's lines
    for (int r = total - steps + 1; r <= total; ++r)
        out.steps << lines.at(r - 1);
    return true;
}

} // namespace

bool assembleSet(const ModData &d, const QList<int> &codes, const QString &stepFile, const QString &indexFile,
                 PastEnd pastEnd, QString *message, const QString &codesFrom) {
    Assembled set;
    for (int code : codes) {
        const int u = code / 100;
        const int q = code % 100;
        // a unit the bank cannot hold would read files of another kind
        if (code < 0 || !unitInBank(u) || q < 1) {
            say(message, codeFault(codesFrom, code));
            return false;
        }
        QString fault;
        if (!copyQuestion(d, u, q, pastEnd, set, &fault)) {
            if (!codesFrom.isEmpty())
                fault += QCoreApplication::translate("start::setfiles", "\n（%1中的题号 %2）")
                             .arg(codesFrom, QStringLiteral("%1").arg(code, 4, 10, QChar(u'0')));
            say(message, fault);
            return false;
        }
    }
    // the step file first; when the index file cannot follow, the step file's
    // old bytes go back so the two files never describe different sets
    const bool hadSteps = QFile::exists(stepFile);
    std::optional<QByteArray> oldSteps;
    QByteArray oldBytes;
    // read as every data file is: a pipe or a device in its place is not waited on
    if (hadSteps && platform::textfile::readBytes(stepFile, oldBytes))
        oldSteps = oldBytes;
    if (!platform::textfile::writeLinesAtomic(stepFile, set.steps, message))
        return false;
    if (!platform::textfile::writeLinesAtomic(indexFile, set.index, message)) {
        if (oldSteps)
            platform::textfile::writeBytesAtomic(stepFile, *oldSteps);
        else if (!hadSteps)
            QFile::remove(stepFile);
        return false;
    }
    return true;
}

} // namespace start::setfiles
