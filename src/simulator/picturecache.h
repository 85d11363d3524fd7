#pragma once
// Decoded pictures of the data folder, kept while their file is unchanged (size,
// modification time and identity), so that a step whose pictures were read
// before, or fetched ahead while the learner was busy, lays out at once.

#include <QHash>
#include <QImage>
#include <QString>
#include <list>

namespace sim {

// The picture a file holds, whatever its name says (the bank names pictures
// ".rar"), or a null image. Only a regular file of a bounded size is read, and
// it is opened without waiting, so a pipe, a device or a folder put in its
// place gives no picture instead of blocking or eating memory.
QImage readPicture(const QString &path);

class PictureCache {
  public:
    explicit PictureCache(int capacity = 16) : m_capacity(capacity) {}

    // The picture of a file, or a null image when it is missing or no picture.
    QImage image(const QString &path, bool *ok = nullptr);
    void clear();
    int size() const { return int(m_entries.size()); }

  private:
    struct Entry {
        qint64 size = -1;
        qint64 mtimeNs = 0;
        quint64 inode = 0;
        QImage image;
    };
    int m_capacity;
    QHash<QString, Entry> m_entries;
    std::list<QString> m_order; // most recently used first
};

} // namespace sim
