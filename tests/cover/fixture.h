#pragma once
// A small installed module in a temporary program folder: ver.txt, the data
// folder with its set table and a few unit files, the record folder.

#include "platform/textfile.h"
#include "start/moddata.h"
#include "start/verfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

struct Fixture {
    QTemporaryDir dir;
    QString program() const { return dir.path(); }
    QString data() const { return dir.path() + QStringLiteral("/cad2004/"); }
    QString records() const { return dir.path() + QStringLiteral("/ksdata/"); }

    // unitTitles: ver.txt lines 5 ..
    void writeVer(int moduleNo, const QStringList &unitTitles = {}) const {
        QStringList ver = {start::verfile::encodeLine(QStringLiteral("AutoCAD 2004")),
                           start::verfile::encodeLine(QStringLiteral("中文版 计算机辅助设计")),
                           start::verfile::encodeLine(QStringLiteral("cad2004")),
                           start::verfile::encodeLine(QString::number(moduleNo))};
        for (const QString &t : unitTitles)
            ver << start::verfile::encodeLine(t);
        put(program() + QStringLiteral("/ver.txt"), ver);
    }

    // A module with the set table "PPUU" / counts, version 2026.12 and module number 12.
    void install(int papers, const QList<int> &unitCounts, const QStringList &unitTitles = {}) const {
        QDir().mkpath(data());
        QDir().mkpath(records());
        writeVer(12, unitTitles);
        QString counts;
        for (int c : unitCounts)
            counts += QStringLiteral("%1").arg(c, 2, 10, QChar(u'0'));
        put(data() + QStringLiteral("288891.rar"), {QStringLiteral("%1%2")
                                                        .arg(papers, 2, 10, QChar(u'0'))
                                                        .arg(unitCounts.size(), 2, 10, QChar(u'0')),
                                                    counts});
        put(data() + QStringLiteral("288895.rar"), {QStringLiteral("2026.12")});
        put(data() + QStringLiteral("288899.rar"), {QStringLiteral("12")});
    }

    // Unit u's index and step files: question q has steps[q-1] records named "Uu Qq Sn".
    void unitBank(int u, const QList<int> &steps) const {
        QStringList index, records;
        for (int q = 1; q <= steps.size(); ++q) {
            // characters 1-4 not interpreted, 5-6 the step count, then the text
            index << QStringLiteral("00%1%2第%3单元第%4题")
                         .arg(q, 2, 10, QChar(u'0'))
                         .arg(steps[q - 1], 2, 10, QChar(u'0'))
                         .arg(u)
                         .arg(q);
            for (int s = 1; s <= steps[q - 1]; ++s)
                records << QStringLiteral("U%1 Q%2 S%3").arg(u).arg(q).arg(s);
        }
        put(data() + QStringLiteral("2888%1.rar").arg(70 + u), index);
        put(data() + QStringLiteral("2888%1.rar").arg(20 + u), records);
    }

    static void put(const QString &path, const QStringList &lines) {
        platform::textfile::writeLinesAtomic(path, lines);
    }
    static void putBytes(const QString &path, const QByteArray &bytes) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    static QStringList lines(const QString &path) {
        QStringList l;
        platform::textfile::readLines(path, l);
        return l;
    }

    ModData modData() const {
        ModData d;
        d.AppPath = program();
        start::verfile::readInfo(d, nullptr);
        return d;
    }
};
