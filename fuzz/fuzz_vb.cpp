// The number and string rules every reader uses on stored text.
#include "fuzzinput.h"
#include "start/vb.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QStringList lines = fuzzinput::lines(data, size);
    for (const QString &line : lines) {
        const double v = start::vb::Val(line);
        const int32_t l = start::vb::ValLong(line);
        const int16_t i = start::vb::ValInt(line);
        if (std::isfinite(v) && v > -30000 && v < 30000)
            fuzzinput::require(std::abs(double(l) - v) <= 0.5 && l == i);
        const QString t = start::vb::Trim(line);
        fuzzinput::require(t == start::vb::LTrim(start::vb::RTrim(line)));
        const int n = int(line.size());
        fuzzinput::require(start::vb::Mid(line, 4) == line.mid(3));
        fuzzinput::require(start::vb::Left(line, 5).size() == std::min(n, 5));
        fuzzinput::require(start::vb::Right(line, 5).size() == std::min(n, 5));
        start::vb::InStr(1, line, QStringLiteral("|"));
        start::vb::allZero(line);
    }
    return 0;
}
