#pragma once
// Timing a fresh process of this benchmark: from its start to the line it
// prints once its window shows what is measured.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <algorithm>

namespace bench {

inline double median(QList<double> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

// Milliseconds from starting this program with args to its line beginning
// with marker; -1 when the line does not come within 20 s. The child is ended.
inline double timeChild(const QStringList &args, const QByteArray &marker) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer t;
    t.start();
    p.start(QCoreApplication::applicationFilePath(), args);
    while (p.state() != QProcess::NotRunning || p.bytesAvailable()) {
        if (p.canReadLine() && p.readLine().startsWith(marker))
            break;
        p.waitForReadyRead(5000);
        if (t.elapsed() > 20000)
            return -1;
    }
    const double ms = t.nsecsElapsed() / 1e6;
    if (!p.waitForFinished(5000))
        p.kill();
    p.waitForFinished(5000);
    return ms;
}

} // namespace bench
