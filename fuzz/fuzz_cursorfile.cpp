// Pointer files: the icon/cursor container decoded from its bytes.
#include "fuzzinput.h"
#include "simulator/cursorfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const sim::cursorfile::Cursor c = sim::cursorfile::decode(fuzzinput::bytes(data, size));
    if (!c.isNull())
        c.image.pixel(0, 0);
    return 0;
}
