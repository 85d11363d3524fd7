#pragma once
// A throw-away program folder for tests: files written as GBK with CR LF.

#include "platform/textfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TempFolder {
  public:
    TempFolder() { QVERIFY2(m_dir.isValid(), "no temporary folder"); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QStringList &lines) const {
        QDir().mkpath(QFileInfo(file(name)).absolutePath());
        QVERIFY(platform::textfile::writeLinesAtomic(file(name), lines));
    }
    QStringList read(const QString &name) const {
        QStringList lines;
        platform::textfile::readLines(file(name), lines);
        return lines;
    }
    QByteArray bytes(const QString &name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

  private:
    QTemporaryDir m_dir;
};
