// The registry store: the input is the store's file (written to a tmpfs file
// once per input); values are read from it, one is set and read back, and a
// second value set must leave the first as it was.
#include "fuzzinput.h"
#include "platform/registry.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    platform::FileRegistry reg(fuzzinput::scratchFolder("registry"));
    const QString file = reg.fileFor(platform::HKEY_CURRENT_USER);
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(fuzzinput::bytes(data, size));
    }
    const QString key = QStringLiteral("Software\\Microsoft");
    platform::RegValue out;
    for (const char *name : {"ProPath05", "Count", "Mod01"})
        reg.queryValue(platform::HKEY_CURRENT_USER, key, QString::fromLatin1(name), out);

    const QString text = QStringLiteral("/opt/trainer \"q\" \\ \r\n 单元****");
    platform::RegValue sz{platform::REG_SZ, text};
    fuzzinput::require(reg.setValue(platform::HKEY_CURRENT_USER, key, QStringLiteral("FuzzPath"), sz) ==
                       platform::ERROR_SUCCESS);
    platform::RegValue dw{platform::REG_DWORD, qint32(-7)};
    fuzzinput::require(reg.setValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Fuzz"),
                                    QStringLiteral("Count"), dw) == platform::ERROR_SUCCESS);
    fuzzinput::require(reg.queryValue(platform::HKEY_CURRENT_USER, key, QStringLiteral("FuzzPath"), out) ==
                       platform::ERROR_SUCCESS);
    fuzzinput::require(out.type == platform::REG_SZ && out.value.toString() == text);
    fuzzinput::require(reg.queryValue(platform::HKEY_CURRENT_USER, QStringLiteral("Software\\Fuzz"),
                                      QStringLiteral("Count"), out) == platform::ERROR_SUCCESS);
    fuzzinput::require(out.type == platform::REG_DWORD && out.value.toInt() == -7);
    return 0;
}
