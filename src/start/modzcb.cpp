#include "start/modzcb.h"
#include "platform/textfile.h"

namespace start::ModZCB {

int32_t WriteRegValue(platform::Registry &reg, int32_t root, const QString &subKey, const QString &name,
                      int type, const QVariant &value, int32_t &byteCount) {
    platform::RegValue v;
    v.type = type;
    switch (type) {
    case platform::REG_SZ:
    case platform::REG_EXPAND_SZ:
        // The whole string is stored: counting characters instead of bytes would
        // cut double-byte text short.
        v.value = value.toString();
        byteCount = int32_t(platform::gbk::encode(value.toString()).size());
        break;
    case platform::REG_DWORD:
        v.value = qint32(value.toLongLong());
        byteCount = 4;
        break;
    case platform::REG_BINARY:
        v.value = qint32(value.toLongLong());
        break;
    default:
        return platform::ERROR_INVALID_PARAMETER;
    }
    return reg.setValue(root, subKey, name, v);
}

int32_t ReadRegValue(platform::Registry &reg, int32_t root, const QString &subKey, const QString &name,
                     QVariant &out) {
    platform::RegValue v;
    const int32_t rc = reg.queryValue(root, subKey, name, v);
    if (rc != platform::ERROR_SUCCESS)
        return rc;
    if (v.type == platform::REG_SZ || v.type == platform::REG_EXPAND_SZ) {
        QString s = v.value.toString();
        const int nul = s.indexOf(QChar(0));
        if (nul >= 0)
            s.truncate(nul);
        if (v.type == platform::REG_SZ) {
            // a 255-byte buffer holds 254 bytes of text and the terminating NUL
            QByteArray bytes = platform::gbk::encode(s);
            if (bytes.size() > 254) {
                bytes.truncate(254);
                s = platform::gbk::decode(bytes);
                if (s.endsWith(QChar(QChar::ReplacementCharacter)))
                    s.chop(1);
            }
        }
        out = s;
    } else {
        out = qint32(v.value.toInt());
    }
    return rc;
}

} // namespace start::ModZCB
