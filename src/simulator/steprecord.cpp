#include "simulator/steprecord.h"
#include "start/vb.h"

namespace bank {

namespace {
constexpr int picXPos[6] = {0, 18, 34, 50, 135, 151};
constexpr int picIdPos[6] = {0, 28, 44, 60, 145, 161};
} // namespace

QString StepRecord::PicX(int k) const {
    return field(picXPos[k], 5);
}
QString StepRecord::PicY(int k) const {
    return field(picXPos[k] + 5, 5);
}
QString StepRecord::PicId(int k) const {
    return field(picIdPos[k], 6);
}
int StepRecord::picX(int k) const {
    return num(picXPos[k], 5);
}
int StepRecord::picY(int k) const {
    return num(picXPos[k] + 5, 5);
}

int StepRecord::num(int start, int width) const {
    return vb::ValLong(field(start, width));
}

bool StepRecord::picturePlaced(int k) const {
    return !vb::allZero(field(picXPos[k], 10));
}
bool StepRecord::zone1Present() const {
    return !vb::allZero(field(66, 20));
}
bool StepRecord::boxPresent() const {
    return vb::Val(field(86, 20)) != 0.0;
}
bool StepRecord::hintPlaced() const {
    return !vb::allZero(field(112, 10));
}
bool StepRecord::menuBarShown() const {
    return vb::Val(field(125, 10)) != 0.0;
}
bool StepRecord::zone2Present() const {
    return !vb::allZero(field(187, 10));
}
bool StepRecord::hasBackMarker() const {
    return field(125, 1) == QLatin1String("Q");
}

int StepRecord::backSteps() const {
    const int d = vb::ValLong(field(129, 1));
    return d == 0 ? 1 : d;
}

bool StepRecord::zone2PlainClick() const {
    return Zone2Lock() != QLatin1String("EE") && Zone2Click() == QLatin1String("0");
}

StepRecord StepRecord::blank() {
    StepRecord r;
    r.line = QString(RecordLength, u'0');
    return r;
}

void StepRecord::setNum(int start, int width, int value) {
    QString digits = QString::number(value < 0 ? 0 : value).rightJustified(width, u'0');
    line.replace(start - 1, width, digits.right(width));
}

void StepRecord::setText(int start, int width, const QString &value) {
    line.replace(start - 1, width, value.left(width).leftJustified(width, u' '));
}

StepRecord parseRecord(const QString &line, bool *ok) {
    StepRecord r;
    if (ok)
        *ok = line.size() >= RecordLength;
    r.line = line.left(RecordLength);
    if (r.line.size() < RecordLength)
        r.line = r.line.leftJustified(RecordLength, u' ');
    return r;
}

int32_t stepValue(const QString &code) {
    const QChar first = code.isEmpty() ? QChar() : code.at(0);
    if (first == u'A')
        return 10000 + vb::ValLong(code.mid(1, 3));
    if (first == u'B')
        return 11000 + vb::ValLong(code.mid(1, 3));
    if (first == u'C')
        return 50000 + vb::ValLong(code.mid(1, 3));
    return vb::ValLong(code);
}

} // namespace bank
