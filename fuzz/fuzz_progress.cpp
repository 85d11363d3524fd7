// The progress files: status lines normalised and counted, result and marks
// digits applied, wrong-question lists kept and pruned, the exam record read and
// updated. The first input byte picks the set, the rest is the file.
#include "fuzzinput.h"
#include "panel/progress.h"

#include <QDateTime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    namespace progress = panel::progress;
    const int pick = size ? data[0] : 0;
    const QStringList lines = size ? fuzzinput::lines(data + 1, size - 1) : QStringList();

    QList<int> unitQuestions;
    for (int u = 0; u < (pick % 30); ++u)
        unitQuestions.append((pick * 7 + u * 13) % 45);
    const QStringList status = progress::normaliseStatus(lines, unitQuestions);
    fuzzinput::require(status.size() == progress::NormalisedUnits);
    for (int u = 0; u < status.size(); ++u) {
        for (QChar c : status.at(u))
            fuzzinput::require(c == u'T' || c == u'F');
        // A line is padded with 42 "F" and cut to the unit's question count,
        // which is at most the panel's 40 questions.
        const int count =
            u < unitQuestions.size()
                ? std::min({int(lines.value(u).size()) + 42, unitQuestions.at(u), int(MaxQuestions)})
                : 0;
        fuzzinput::require(progress::statusQuestionCount(status.at(u)) == count);
    }
    for (const QString &line : lines) {
        const int count = progress::statusQuestionCount(line);
        const int unfinished = progress::statusUnfinished(line);
        fuzzinput::require(count >= 0 && unfinished >= 0);
    }

    ModData d;
    d.CurSet = pick % 16;
    d.PaperCount = (pick / 16) % 16;
    d.QuestionCount = std::min(40, int(pick % 41));
    d.ExamStartTime = (pick & 1) ? QStringLiteral("-1") : QStringLiteral("2026-01-02 03:04:05");
    const QString first = lines.value(0);
    progress::applyDigits(d, first);
    for (int q = 1; q <= 40; ++q)
        d.QuestionMark[q] = (d.QuestionScore[q] & 4) ? QStringLiteral("T") : QStringLiteral("F");
    fuzzinput::require(progress::resultDigits(d).size() == 40 && progress::marksDigits(d).size() == 40);
    progress::statusLine(d);
    const QString composition = lines.value(1);
    progress::wrongCodes(d, composition);
    progress::keepUnsolvedCodes(d, composition);
    const double score = progress::examScore(d);
    progress::scoreText(score);
    for (int paper = 0; paper < 16; ++paper) {
        progress::lastExamTime(lines, paper);
        progress::bestScore(lines, paper);
    }
    const QDateTime now(QDate(2026, 12, 10), QTime(14, 0));
    const QStringList record = progress::updatedRecord(d, lines, score, now);
    fuzzinput::require(record.size() <= progress::RecordLines && record.size() % 3 == 0);
    return 0;
}
