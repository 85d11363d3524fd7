// The index file and the text table: every line read as an index line and as
// a text-table line, and the text split as answers and hints are.
#include "fuzzinput.h"
#include "simulator/bankreader.h"
#include "start/verfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QStringList lines = fuzzinput::lines(data, size);
    for (const QString &line : lines) {
        const sim::bank::IndexEntry e = sim::bank::parseIndexLine(line);
        fuzzinput::require(e.text.size() <= line.size());
        if (e.hasPicture)
            start::verfile::isSafeName(e.pictureId);
        const QString text = sim::bank::textOfLine(line);
        fuzzinput::require(text.size() == std::max<qsizetype>(0, line.size() - 3));
        const sim::bank::Alternatives a = sim::bank::splitAnswer(text);
        fuzzinput::require(a.first.size() <= text.size() && a.second.size() <= text.size());
        sim::bank::hintPrompt(text);
        sim::bank::normalForm(text);
        platform::textfile::shownText(text);
    }
    return 0;
}
