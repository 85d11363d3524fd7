#include "simulator/learnerrecord.h"
#include "start/moddata.h"

#include <QCoreApplication>

namespace sim {

namespace {
bool inRange(int q) {
    return q >= 1 && q <= MaxQuestions;
}
} // namespace

void ModDataRecord::resetSteps() {
    for (int q = 1; q <= MaxQuestions; ++q)
        m_data.SavedStep[q] = 1;
}

void ModDataRecord::stepReached(int q, int step) {
    if (inRange(q))
        m_data.SavedStep[q] = Integer(step);
}

void ModDataRecord::pictureShown(int q, int slot, const QString &id) {
    if (inRange(q) && slot >= 0 && slot <= 5)
        m_data.QuestionScreen[q][slot] = id;
}

QString ModDataRecord::unfinishedList(const ModData &d, bool byMark) {
    QString s = QCoreApplication::translate("sim::ModDataRecord", "未完成的题目");
    for (int n = 1; n <= d.QuestionCount && n <= MaxQuestions; ++n) {
        const bool open = byMark ? d.QuestionMark[n] == QLatin1String("F") : d.QuestionScore[n] < 4;
        if (open)
            s += QLatin1Char(' ') + QString::number(n);
    }
    return s;
}

PanelCaptions ModDataRecord::questionSolved(int q) {
    ModData &d = m_data;
    PanelCaptions c;
    if (!inRange(q))
        return c;
    const bool newlySolved =
        d.QuestionScore[q] < 4 || (d.SetBase == 20 && d.QuestionMark[q] != QLatin1String("T"));
    if (d.QuestionScore[q] < 4)
        d.QuestionScore[q] = Integer(d.QuestionScore[q] + 4);
    if (d.SetBase == 20) {
        d.QuestionMark[q] = QStringLiteral("T");
        c.unfinished = unfinishedList(d, true);
        c.title = QCoreApplication::translate("sim::ModDataRecord", "第%1单元  第%2/%3题（已完成）")
                      .arg(d.CurSet + 1)
                      .arg(q)
                      .arg(d.QuestionCount);
    }
    if (d.CurSet == -1)
        c.title = QCoreApplication::translate("sim::ModDataRecord", "错题复习  第%1/%2题")
                      .arg(q)
                      .arg(d.QuestionCount);
    if (d.SetBase == 0 || d.CurSet == -1)
        c.unfinished = unfinishedList(d, false);
    if (newlySolved && m_keeper)
        m_keeper(q);
    return c;
}

void ModDataRecord::closingActedOn(int q) {
    if (inRange(q) && m_data.QuestionScore[q] < 4)
        m_data.QuestionScore[q] = Integer(m_data.QuestionScore[q] + 4);
}

} // namespace sim
