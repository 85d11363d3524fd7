// The registry store, in memory: the input is the store's file. Values are read
// from it, two are set, and the store is written out and read again. The values
// set must read back as set, and each set may change only its own line or add
// its key and value: every other line stays byte for byte and in its order
// (other programs' values and lines the store cannot read among them). The file
// layer around it (the lock and the atomic rewrite) has its own tests.
#include "fuzzinput.h"
#include "platform/registry.h"

namespace {

// One set changes the lines in one of three ways: its value's line replaced, a
// value line added to its key, or the key and the value added at the end.
bool oneSet(const QList<QByteArray> &before, const QList<QByteArray> &after) {
    const qsizetype n = before.size();
    if (after.size() == n) {
        int differ = 0;
        for (qsizetype i = 0; i < n; ++i)
            differ += after.at(i) != before.at(i);
        return differ <= 1;
    }
    if (after.size() == n + 1) {
        qsizetype i = 0;
        while (i < n && after.at(i) == before.at(i))
            ++i;
        return after.mid(i + 1) == before.mid(i);
    }
    return after.size() == n + 2 && after.mid(0, n) == before;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input = fuzzinput::bytes(data, size);
    platform::RegStore store = platform::RegStore::parse(input);
    fuzzinput::require(store.bytes() == (input.isEmpty() ? QByteArray("\n") : input));
    const QString key = QStringLiteral("Software\\Microsoft");
    platform::RegValue out;
    for (const char *name : {"ProPath05", "Count", "Mod01"})
        store.find(key, QString::fromLatin1(name), out);

    const QString text = QStringLiteral("/opt/trainer \"q\" \\ \r\n 单元****");
    QList<QByteArray> before = store.lines;
    store.set(key, QStringLiteral("FuzzPath"), platform::RegValue{platform::REG_SZ, text});
    fuzzinput::require(oneSet(before, store.lines));
    before = store.lines;
    store.set(QStringLiteral("Software\\Fuzz"), QStringLiteral("Count"),
              platform::RegValue{platform::REG_DWORD, qint32(-7)});
    fuzzinput::require(oneSet(before, store.lines));

    const platform::RegStore again = platform::RegStore::parse(store.bytes());
    fuzzinput::require(again.lines == store.lines);
    fuzzinput::require(again.find(key, QStringLiteral("FuzzPath"), out));
    fuzzinput::require(out.type == platform::REG_SZ && out.value.toString() == text);
    fuzzinput::require(again.find(QStringLiteral("Software\\Fuzz"), QStringLiteral("Count"), out));
    fuzzinput::require(out.type == platform::REG_DWORD && out.value.toInt() == -7);
    return 0;
}
