#pragma once
// A per-user store of registry values standing in for HKEY_CURRENT_USER on this
// platform. Keys keep their full path ("Software\Microsoft"), values keep their
// names and types, so trainers of other modules installed for the same user
// find each other's install records.
//
// The store is one text file per root key under the user's configuration folder
// (<config>/caddrill-registry/HKEY_CURRENT_USER.reg), rewritten atomically.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <cstdint>

namespace platform {

constexpr int32_t HKEY_CURRENT_USER = int32_t(0x80000001u);
constexpr int REG_SZ = 1;
constexpr int REG_EXPAND_SZ = 2;
constexpr int REG_BINARY = 3;
constexpr int REG_DWORD = 4;
constexpr int32_t ERROR_SUCCESS = 0;
constexpr int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr int32_t ERROR_ACCESS_DENIED = 5;
constexpr int32_t ERROR_INVALID_PARAMETER = 87;

struct RegValue {
    int type = REG_SZ;
    QVariant value; // QString for REG_SZ/REG_EXPAND_SZ, qint32 for REG_DWORD/REG_BINARY
};

// The text of one store file, line by line. Other programs share the file, so a
// rewrite changes only the line of the value set (or adds one): every other
// line stays byte for byte, even where it cannot be decoded or read as a value.
struct RegStore {
    QList<QByteArray> lines; // without their "\n"
    bool endsWithNewline = true;

    static RegStore parse(const QByteArray &bytes);
    QByteArray bytes() const;
    // Replaces the value's own line, or adds one at the end of its key (the key
    // is added at the end of the file when it is new).
    void set(const QString &subKey, const QString &name, const RegValue &v);
    // The value under the key; names and key paths match without regard to case.
    bool find(const QString &subKey, const QString &name, RegValue &out) const;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // Creates the key when needed and sets the value. Returns a registry result
    // code (0 success).
    virtual int32_t setValue(int32_t root, const QString &subKey, const QString &name, const RegValue &v) = 0;
    // Reads a value; returns ERROR_FILE_NOT_FOUND when the key or value is missing.
    virtual int32_t queryValue(int32_t root, const QString &subKey, const QString &name, RegValue &out) = 0;
};

// The file-backed store. The folder defaults to the user's configuration folder.
class FileRegistry : public Registry {
  public:
    explicit FileRegistry(QString folder = QString());
    int32_t setValue(int32_t root, const QString &subKey, const QString &name, const RegValue &v) override;
    int32_t queryValue(int32_t root, const QString &subKey, const QString &name, RegValue &out) override;
    QString fileFor(int32_t root) const;

  private:
    QString m_folder;
};

} // namespace platform
