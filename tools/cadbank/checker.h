#pragma once
// Checking and listing an installed bank (ours or anyone's): everything is read
// from the program folder the trainer would read.

#include "compiler.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>

namespace cadbank {

// Validates the bank of a program folder. Returns false when the folder itself
// (ver.txt) cannot be read; every problem found is appended, file names
// relative to the program folder.
struct CheckStats {
    int questions = 0; // questions of all units
    int solved = 0;    // of them, solved through the step engine one action per step
};
bool checkBank(const QString &programFolder, QVector<Problem> &problems, CheckStats *stats = nullptr);

// Readable listing of a unit's questions and steps. unit and question are
// 1-based; 0 lists all. Returns false with a message in *error when the folder
// or the unit cannot be read.
bool dumpBank(const QString &programFolder, int unit, int question, QStringList &out, QString *error);

// Readable listing of exam paper n (1-based; 0 lists all): its 40 question
// codes, each with the unit, question and task text it names.
bool dumpPapers(const QString &programFolder, int paper, QStringList &out, QString *error);

// What a step code asks for, in words ("左键单击区域1", "菜单 7 第2组第1项", ...).
QString describeCode(const QString &code);

} // namespace cadbank

namespace cadbank {
// The picture of one step as the trainer lays it out: the screen, pictures 1-5
// at their places, the menu-bar titles, zone 1 in red and zone 2 in green (as in
// guided teaching), the input box and the hint. For looking at a bank.
QImage renderStep(const QString &programFolder, int unit, int question, int step, QString *error);
} // namespace cadbank
