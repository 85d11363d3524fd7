#pragma once
// The two rules used wherever a question set is entered or switched: naming the
// set's files, and building the first-step table from its index file.

#include "start/moddata.h"

namespace start::setfiles {

// "2888" + Right("00" & Trim(Str(n)), 2)
QString bankName(int n);

// Sets DataExt to ".rar" and StepFile, IndexFile, TextFile from CurSet, SetBase
// and DataDir: step number CurSet + SetBase, index number that + 50.
void nameSetFiles(ModData &data);

// A question has 1 to 99 step records (its closing record included). A count
// of 0 or below would let its steps start inside another question's records.
inline bool validStepCount(int steps) {
    return steps >= 1 && steps <= 99;
}
// The message for index line `line` of `indexFile` whose step count is not 1 to 99.
QString stepCountFault(const QString &indexFile, int line, const QString &indexLine);

// Reads IndexFile and fills QuestionFirstStep: (1) = 1, (k+1) = (k) + Val of
// characters 5-6 of index line k; the first blank line ends the list, and at
// most 44 lines are used. Returns the number of question lines read, or -1 with
// a message naming the file when it cannot be read, or naming the file and the
// line when a step count is not 1 to 99 (the table is then left as (1) = 1 and
// zeros: no question of the set runs into another's records).
int readQuestionOffsets(ModData &data, QString *error = nullptr);

} // namespace start::setfiles
