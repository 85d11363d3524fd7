// The step file: every line parsed as a step record, every field read as the
// engine reads it, and its step code decoded.
#include "fuzzinput.h"
#include "simulator/stepcode.h"
#include "simulator/steprecord.h"

namespace {
constexpr bool fieldsWithinRecord() {
    for (const sim::bank::FieldSpec &f : sim::bank::FieldTable)
        if (f.start < 1 || f.width < 1 || f.start - 1 + f.width > sim::bank::RecordLength)
            return false;
    return true;
}
static_assert(fieldsWithinRecord(), "a padded record holds every field whole");
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QStringList lines = fuzzinput::lines(data, size);
    for (const QString &line : lines) {
        bool ok = false;
        const sim::bank::StepRecord r = sim::bank::parseRecord(line, &ok);
        // A refused record is still padded so that every field reads safely:
        // the field table ends within RecordLength, so each field is whole.
        fuzzinput::require(r.line.size() >= sim::bank::RecordLength);
        for (const sim::bank::FieldSpec &f : sim::bank::FieldTable)
            r.number(f.field);
        for (int k = 1; k <= 5; ++k)
            r.picturePlaced(k);
        r.zone1Present();
        r.boxPresent();
        r.hintPlaced();
        r.menuBarShown();
        r.zone2Present();
        r.hasBackMarker();
        r.backSteps();
        r.zone2PlainClick();
        const QString code = r.StepCode();
        const int32_t value = sim::bank::stepValue(code);
        const sim::StepCode decoded = sim::decodeStepCode(code);
        fuzzinput::require(decoded.value == value);
        const sim::StepCode known = sim::decodeStepCode(code, value);
        fuzzinput::require(known.kind == decoded.kind);
        known.commandLineTyping(r.boxPresent());
        known.showsMenuBar(r.boxPresent());
        known.confirmKey(13);
    }
    return 0;
}
