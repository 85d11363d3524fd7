#include "start/vb.h"

#include <QByteArray>
#include <QVarLengthArray>

#include <cmath>
#include <limits>

namespace start::vb {

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}
} // namespace

double Val(QStringView text) {
    // Collect the characters that form the number, skipping blanks anywhere.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    if (i + 1 < n && text.at(i) == u'&') {
        const QChar kind = text.at(i + 1).toUpper();
        int base = kind == u'H' ? 16 : (kind == u'O' ? 8 : 0);
        if (base != 0) {
            // More digits than a 32-bit number holds overflow; such a field reads as 0.
            qint64 v = 0;
            int digits = 0;
            for (i += 2; i < n; ++i) {
                const QChar c = text.at(i);
                if (isBlank(c))
                    continue;
                const int d = c.isDigit() ? c.digitValue()
                              : (base == 16 && c.toUpper() >= u'A' && c.toUpper() <= u'F')
                                  ? c.toUpper().unicode() - u'A' + 10
                                  : -1;
                if (d < 0 || d >= base)
                    break;
                if (v != 0 || d != 0)
                    ++digits;
                if (digits > (base == 16 ? 8 : 11))
                    return 0.0;
                v = v * base + d;
            }
            return v > 0xFFFFFFFFLL ? 0.0 : double(v);
        }
    }
    // The number's characters are all ASCII: they are gathered on the stack (a
    // field is read at every step, so no string is allocated for it).
    QVarLengthArray<char, 64> num;
    auto endsWith = [&](char c) { return !num.isEmpty() && num.back() == c; };
    bool seenDigit = false, seenPoint = false, seenExp = false;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (isBlank(c))
            continue;
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            num.append(char(c.unicode()));
            seenDigit = true;
        } else if ((c == u'+' || c == u'-') && num.isEmpty()) {
            num.append(char(c.unicode()));
        } else if ((c == u'+' || c == u'-') && endsWith('E')) {
            num.append(char(c.unicode()));
        } else if (c == u'.' && !seenPoint && !seenExp) {
            num.append('.');
            seenPoint = true;
        } else if ((c == u'E' || c == u'e' || c == u'D' || c == u'd') && seenDigit && !seenExp) {
            num.append('E');
            seenExp = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    // Drop a dangling exponent mark or sign so the conversion succeeds.
    while (endsWith('E') || endsWith('+') || endsWith('-'))
        num.removeLast();
    bool ok = false;
    const double v = QByteArray::fromRawData(num.constData(), num.size()).toDouble(&ok);
    return ok ? v : 0.0;
}

int64_t roundHalfEven(double v) {
    if (!std::isfinite(v))
        return 0;
    // beyond what 64 bits hold the nearest representable end is the answer
    if (v >= 9.2e18)
        return std::numeric_limits<int64_t>::max();
    if (v <= -9.2e18)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(std::nearbyint(v)); // default rounding mode: to nearest, ties to even
}

int32_t ValLong(QStringView text) {
    const double v = Val(text);
    if (v >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(roundHalfEven(v));
}

int16_t ValInt(QStringView text) {
    const int32_t v = ValLong(text);
    if (v > std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    if (v < std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(v);
}

QString Mid(const QString &s, int start, int length) {
    if (start < 1)
        start = 1;
    if (start > s.size())
        return QString();
    if (length < 0)
        return s.mid(start - 1);
    return s.mid(start - 1, length);
}

QString Left(const QString &s, int length) {
    return length <= 0 ? QString() : s.left(length);
}
QString Right(const QString &s, int length) {
    return length <= 0 ? QString() : s.right(length);
}

QString LTrim(const QString &s) {
    int i = 0;
    while (i < s.size() && s.at(i) == u' ')
        ++i;
    return s.mid(i);
}

QString RTrim(const QString &s) {
    int e = s.size();
    while (e > 0 && s.at(e - 1) == u' ')
        --e;
    return s.left(e);
}

QString Trim(const QString &s) {
    return LTrim(RTrim(s));
}

QString Str(int64_t n) {
    return n >= 0 ? u' ' + QString::number(n) : QString::number(n);
}

QString twoDigits(int n) {
    return Right(u'0' + Trim(Str(n)), 2);
}

int InStr(int start, const QString &s, const QString &find) {
    if (start < 1)
        start = 1;
    if (start > s.size() + 1)
        return 0;
    const int at = s.indexOf(find, start - 1);
    return at < 0 ? 0 : at + 1;
}

bool allZero(QStringView s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c != u'0')
            return false;
    return true;
}

} // namespace start::vb
