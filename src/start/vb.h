#pragma once
// The string and number rules the question bank and progress files were written
// with: lenient Val, 1-based Mid/Left/Right on characters, Trim of blanks only,
// banker's rounding, Str with its leading blank. Every reader uses these helpers
// instead of re-deriving them.

#include <QString>
#include <QStringView>
#include <cstdint>

namespace start::vb {

// Lenient decimal parse: leading blanks, tabs and line feeds are skipped, blanks
// inside the number are skipped, an optional sign, digits with one decimal point
// and an optional exponent; parsing stops at the first character that cannot
// continue a number. A text without a leading digit reads as 0. "&H"/"&O"
// prefixes are read as hexadecimal/octal.
double Val(QStringView text);

// Val rounded to the nearest integer (halves to even), as an assignment of Val to
// an Integer or Long does. Values outside the 32-bit range are clamped.
int32_t ValLong(QStringView text);

// Val stored in a 16-bit Integer; out of range values are clamped.
int16_t ValInt(QStringView text);

// Banker's rounding (CInt/CLng): halves go to the even neighbour.
int64_t roundHalfEven(double v);

// Mid(s, start, length): start is 1-based; a start beyond the end gives "";
// a negative length means "to the end".
QString Mid(const QString &s, int start, int length = -1);
QString Left(const QString &s, int length);
QString Right(const QString &s, int length);

// Trim removes blanks (U+0020) only, at both ends.
QString Trim(const QString &s);
QString LTrim(const QString &s);
QString RTrim(const QString &s);

// Str(n): a non-negative number gets a leading blank.
QString Str(int64_t n);

// Right("0" & Trim(Str(n)), 2): the two-digit form used in file and value names.
QString twoDigits(int n);

// InStr(start, s, find) 1-based, 0 when not found.
int InStr(int start, const QString &s, const QString &find);

// True when every character of s is '0' (and s is not empty).
bool allZero(QStringView s);

} // namespace start::vb
