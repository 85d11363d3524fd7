#include "simulator/picturecache.h"

#include "platform/textfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <sys/stat.h>

namespace sim {

QImage readPicture(const QString &path) {
    QByteArray bytes;
    if (path.isEmpty() || !platform::textfile::readBytes(path, bytes))
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QImage PictureCache::image(const QString &path, bool *ok) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (path.isEmpty() || ::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        if (m_entries.remove(path))
            m_order.remove(path);
        if (ok)
            *ok = false;
        return {};
    }
    const qint64 mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    auto it = m_entries.find(path);
    if (it != m_entries.end() && it->size == st.st_size && it->mtimeNs == mtimeNs &&
        it->inode == quint64(st.st_ino)) {
        auto pos = std::find(m_order.begin(), m_order.end(), path);
        if (pos != m_order.begin() && pos != m_order.end())
            m_order.splice(m_order.begin(), m_order, pos);
        if (ok)
            *ok = true;
        return it->image;
    }
    QImage img = readPicture(path);
    if (img.isNull()) {
        if (m_entries.remove(path))
            m_order.remove(path);
        if (ok)
            *ok = false;
        return {};
    }
    Entry e{st.st_size, mtimeNs, quint64(st.st_ino), img};
    if (it == m_entries.end())
        m_order.push_front(path);
    m_entries.insert(path, e);
    while (int(m_order.size()) > m_capacity) {
        m_entries.remove(m_order.back());
        m_order.pop_back();
    }
    if (ok)
        *ok = true;
    return img;
}

void PictureCache::clear() {
    m_entries.clear();
    m_order.clear();
}

} // namespace sim
