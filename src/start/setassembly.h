#pragma once
// Index lines and the assembly of a question set from unit questions.
//
// An index line describes one question: characters 1-4 are not read, 5-6 hold
// the number of its step records, the text follows from character 7. A text
// beginning with "picture" carries a six-character picture id and the question
// text from character 20 of the line on.
//
// A set that is not a unit (the wrong-question review, an exam paper) is built
// from question codes uuqq (unit uu, question qq): each code's index line and its
// run of step records are copied, in the order of the codes, into the set's two
// files. A code used twice is copied twice.

#include "start/moddata.h"

#include <QList>
#include <QString>

namespace start::setfiles {

struct IndexEntry {
    int steps = 0;           // characters 5-6
    QString text;            // the question text proper
    bool hasPicture = false; // the text began with "picture"
    QString pictureId;       // characters 14-19 when it did
};

// Decodes one index line; a short or empty line gives empty fields.
IndexEntry parseIndexLine(const QString &line);

// The units a bank can hold: unit u's files are 2888(70+u) and 2888(20+u), and
// from unit 20 on those names are the text table's, the set table's and the
// exam papers' own.
constexpr int BankUnits = 20;
inline bool unitInBank(int unit) {
    return unit >= 0 && unit < BankUnits;
}
// The message for a question code that names no question a bank can hold (a
// unit past BankUnits, question 0): codesFrom says where the code was read
// ("错题记录 …/182401.rar"); the code is shown with its four digits.
QString codeFault(const QString &codesFrom, int code);

// A code naming a question beyond the end of its unit: the review refuses the
// code, the exam login uses the unit's last question (the last line read).
enum class PastEnd { Refuse, LastQuestion };

// Writes the questions named by codes (uuqq) into stepFile and indexFile in the
// data folder: unit uu's index file 2888(70+uu) and step file 2888(20+uu) are
// read from the top, question qq's index line and its records t-s+1 ... t are
// copied (t the running total of step counts up to qq, s its own count). The
// two files are assembled in memory and written whole: when a bank file is
// missing or too short, an index line up to qq has a step count that is not 1
// to 99, or a write fails, message names the file (and the line) and both set
// files keep their old contents. A code whose unit is not in the bank or whose
// question number is below 1 is refused with a message naming codesFrom, where
// the codes were read; so is a blank index line before qq, whatever pastEnd says.
bool assembleSet(const ModData &d, const QList<int> &codes, const QString &stepFile, const QString &indexFile,
                 PastEnd pastEnd, QString *message = nullptr, const QString &codesFrom = QString());

} // namespace start::setfiles
