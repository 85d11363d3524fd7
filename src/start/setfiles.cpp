#include "start/setfiles.h"
#include "platform/textfile.h"
#include "start/vb.h"

#include <QCoreApplication>

namespace start::setfiles {

QString stepCountFault(const QString &indexFile, int line, const QString &indexLine) {
    return QCoreApplication::translate(
               "start::setfiles", "题库文件 %1 第 %2 行的操作步骤数“%3”不在 1 到 99 之间，这道题无法使用。")
        .arg(indexFile)
        .arg(line)
        .arg(start::vb::Mid(indexLine, 5, 2));
}

QString bankName(int n) {
    return QStringLiteral("2888") +
           start::vb::Right(QStringLiteral("00") + start::vb::Trim(start::vb::Str(n)), 2);
}

void nameSetFiles(ModData &data) {
    data.DataExt = QStringLiteral(".rar");
    const int stepNo = data.CurSet + data.SetBase;
    data.StepFile = data.dataFile(bankName(stepNo) + data.DataExt);
    data.IndexFile = data.dataFile(bankName(stepNo + 50) + data.DataExt);
    data.TextFile = data.dataFile(QStringLiteral("288890") + data.DataExt);
}

int readQuestionOffsets(ModData &data, QString *error) {
    data.QuestionFirstStep.fill(0);
    data.QuestionFirstStep[1] = 1;
    QStringList lines;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(data.IndexFile, lines, &err)) {
        if (error)
            *error = err.message();
        return -1;
    }
    int count = 0;
    for (const QString &line : lines) {
        if (count >= FirstStepEntries - 1)
            break;
        data.IndexLine = line;
        if (start::vb::Trim(line).isEmpty())
            break;
        const int steps = start::vb::ValInt(start::vb::Mid(line, 5, 2));
        // a count below 1 would start this question's steps inside another's
        if (!validStepCount(steps)) {
            if (error)
                *error = stepCountFault(data.IndexFile, count + 1, line);
            data.QuestionFirstStep.fill(0);
            data.QuestionFirstStep[1] = 1;
            return -1;
        }
        ++count;
        data.QuestionFirstStep[count + 1] = Integer(data.QuestionFirstStep[count] + steps);
    }
    return count;
}

} // namespace start::setfiles
