#pragma once
// ver.txt: every character stored as a group of six decimal digits.

#include "platform/textfile.h"
#include "start/moddata.h"

#include <QStringList>

namespace start::verfile {

// Decodes one stored line. For each group of six characters: v = Val rounded;
// v > 500000 is the code v - 500000, 0 < v <= 500000 the code v - 200000
// (negative codes are double-byte characters taken as signed 16-bit values);
// codes above 255 are double-byte GBK characters; v = 0 produces nothing.
QString decodeLine(const QString &stored);

// The character of one ANSI code, as the GBK code page maps it.
QString charFromCode(int64_t code);

// Encodes a line the other way round: single-byte characters as 500000 + code,
// double-byte characters as 200000 + their signed 16-bit code.
QString encodeLine(const QString &text);

// Reads the program folder's ver.txt (at most 40 lines) into data: the line table,
// ModuleNo, ModuleName, ModuleTitle and DataDir. Fails with a message naming the
// file when it is missing or unreadable, or when the data-folder name would lead
// outside the program folder.
bool readInfo(ModData &data, QString *error);

// A folder or picture name that stays inside its folder: not empty, no
// separators, no "..", no drive colon.
bool isSafeName(const QString &name);

} // namespace start::verfile
