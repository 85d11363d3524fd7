#include "simulator/steprecord.h"
#include "start/vb.h"

#include <algorithm>
#include <limits>

namespace sim::bank {

int StepRecord::num(int start, int width) const {
    return start::vb::ValLong(QStringView(line).mid(start - 1, width));
}

bool StepRecord::picturePlaced(int k) const {
    return !start::vb::allZero(span(picXField(k), picYField(k)));
}
bool StepRecord::zone1Present() const {
    return !start::vb::allZero(span(Field::ZoneX, Field::ZoneH));
}
bool StepRecord::boxPresent() const {
    return start::vb::Val(span(Field::BoxX, Field::BoxH)) != 0.0;
}
bool StepRecord::hintPlaced() const {
    return !start::vb::allZero(span(Field::HintX, Field::HintY));
}
bool StepRecord::menuBarShown() const {
    return start::vb::Val(span(Field::MenuBarX, Field::MenuBarY)) != 0.0;
}
bool StepRecord::zone2Present() const {
    return !start::vb::allZero(span(Field::Zone2W, Field::Zone2H));
}
bool StepRecord::hasBackMarker() const {
    return MenuBarX().startsWith(u'Q');
}

int StepRecord::backSteps() const {
    const int d = start::vb::ValLong(MenuBarX().right(1));
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

void StepRecord::setPicture(int k, int x, int y, const QString &id) {
    set(picXField(k), x);
    set(picYField(k), y);
    set(picIdField(k), id);
}

void StepRecord::setZone1(int x, int y, int w, int h) {
    set(Field::ZoneX, x);
    set(Field::ZoneY, y);
    set(Field::ZoneW, w);
    set(Field::ZoneH, h);
}

void StepRecord::setZone2(int x, int y, int w, int h, const QString &click) {
    set(Field::Zone2X, x);
    set(Field::Zone2Click, click);
    set(Field::Zone2Y, y);
    set(Field::Zone2W, w);
    set(Field::Zone2H, h);
}

void StepRecord::setBox(int x, int y, int w, int h) {
    set(Field::BoxX, x);
    set(Field::BoxY, y);
    set(Field::BoxW, w);
    set(Field::BoxH, h);
}

void StepRecord::setBoxTexts(int textLine, int answerLine) {
    set(Field::BoxTextLine, textLine);
    set(Field::AnswerLine, answerLine);
}

void StepRecord::setHint(int x, int y, int line) {
    set(Field::HintX, x);
    set(Field::HintY, y);
    set(Field::HintLine, line);
}

void StepRecord::setMenuBar(int x, int y) {
    set(Field::MenuBarX, x);
    set(Field::MenuBarY, y);
}

void StepRecord::setMenuBarText(const QString &x, const QString &y) {
    set(Field::MenuBarX, x);
    set(Field::MenuBarY, y);
}

void StepRecord::setTarget(int x, int y) {
    set(Field::TargetX, x);
    set(Field::TargetY, y);
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
    const int64_t base = first == u'A' ? 10000 : first == u'B' ? 11000 : first == u'C' ? 50000 : -1;
    if (base < 0)
        return start::vb::ValLong(code);
    // "A9e9" reads as a number past the Long's end: the sum stays at that end
    const int64_t v = base + start::vb::ValLong(code.mid(1, 3));
    return int32_t(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace sim::bank
