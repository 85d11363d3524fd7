#include "simulator/bankreader.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

namespace sim::bank {

QString textOfLine(const QString &tableLine) {
    return start::vb::Mid(tableLine, 4);
}

Alternatives splitAnswer(const QString &answer) {
    const int bar = answer.indexOf(u'|');
    if (bar < 0)
        return {answer, answer};
    return {answer.left(bar), answer.mid(bar + 1)};
}

QString hintPrompt(const QString &hint) {
    const int bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QString normalForm(const QString &text) {
    return start::vb::Trim(text).toLower();
}

QString picturePath(const ModData &data, const QString &id) {
    if (!start::verfile::isSafeName(id))
        return QString();
    return data.dataFile(id + data.DataExt);
}

QString pointerPath(const ModData &data, const QString &nn) {
    if (!start::verfile::isSafeName(nn))
        return QString();
    return data.programFile(QStringLiteral("ico") + nn + QStringLiteral(".CUR"));
}

const QStringList &LineCache::lines(const QString &path, bool *ok) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) != 0) {
        m_files.remove(path);
        m_error = {path, QStringLiteral("missing")};
        if (ok)
            *ok = false;
        return m_empty;
    }
    const qint64 mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    auto it = m_files.find(path);
    if (it != m_files.end() && it->size == st.st_size && it->mtimeNs == mtimeNs &&
        it->inode == quint64(st.st_ino)) {
        if (ok)
            *ok = true;
        return it->lines;
    }
    Entry e;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(path, e.lines, &err)) {
        m_files.remove(path);
        m_error = err;
        if (ok)
            *ok = false;
        return m_empty;
    }
    e.size = st.st_size;
    e.mtimeNs = mtimeNs;
    e.inode = quint64(st.st_ino);
    if (ok)
        *ok = true;
    return m_files.insert(path, std::move(e))->lines;
}

QString LineCache::line(const QString &path, int n, bool *ok) {
    return platform::textfile::lineAt(lines(path, ok), n);
}

QString BankReader::text(int n, bool *ok) {
    if (ok)
        *ok = true;
    if (n <= 0)
        return QString();
    bool read = false;
    const QString l = m_cache.line(m_data.TextFile, n, &read);
    if (!read) {
        m_lastError = m_cache.lastError().message();
        if (ok)
            *ok = false;
        return QString();
    }
    return textOfLine(l);
}

IndexEntry BankReader::index(int q, bool *ok) {
    bool read = false;
    const QString l = m_cache.line(m_data.IndexFile, q, &read);
    if (!read)
        m_lastError = m_cache.lastError().message();
    if (ok)
        *ok = read;
    return parseIndexLine(l);
}

StepRecord BankReader::record(int q, int s, bool *ok) {
    const int q1 = (q >= 1 && q < int(m_data.QuestionFirstStep.size())) ? q : 1;
    const int first = m_data.QuestionFirstStep[q1];
    const int lineNo = first + s - 1;
    bool read = false;
    const QStringList &lines = m_cache.lines(m_data.StepFile, &read);
    if (!read) {
        m_lastError = m_cache.lastError().message();
        if (ok)
            *ok = false;
        return parseRecord(QString());
    }
    // The question's records end where the next question's begin (when the index
    // gave its length) and at the end of the file: a step past them has no record.
    const int next = q1 + 1 < int(m_data.QuestionFirstStep.size()) ? m_data.QuestionFirstStep[q1 + 1] : 0;
    if (s < 1 || lineNo < 1 || lineNo > lines.size() || (next > first && lineNo >= next)) {
        m_lastError =
            QCoreApplication::translate("sim::bank", "文件 %1 中第%2题没有第%3步的步骤记录（第%4行）。")
                .arg(QDir::toNativeSeparators(m_data.StepFile))
                .arg(q1)
                .arg(s)
                .arg(lineNo);
        if (ok)
            *ok = false;
        return parseRecord(QString());
    }
    const QString l = lines.at(lineNo - 1);
    bool full = false;
    StepRecord r = parseRecord(l, &full);
    if (!full)
        m_lastError = QCoreApplication::translate("sim::bank", "文件 %1 第%2行的步骤记录不足196个字符。")
                          .arg(QDir::toNativeSeparators(m_data.StepFile))
                          .arg(lineNo);
    if (ok)
        *ok = full;
    return r;
}

} // namespace sim::bank
