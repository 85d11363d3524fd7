// ver.txt: every line of the file decoded from its six-digit groups, and the
// decoded text encoded back.
#include "fuzzinput.h"
#include "start/verfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QStringList lines = fuzzinput::lines(data, size);
    for (const QString &line : lines) {
        const QString text = start::verfile::decodeLine(line);
        const QString stored = start::verfile::encodeLine(text);
        // Every character is stored as one group of six characters.
        fuzzinput::require(stored.size() == 6 * text.size());
        start::verfile::isSafeName(text);
    }
    return 0;
}
