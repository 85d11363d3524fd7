#include "cover/infopages.h"
#include "start/modzcb.h"
#include "start/vb.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRect>

namespace cover::infopages {

int firstPage(int tab) {
    static constexpr int first[5] = {0, 1, 9, 13, 17};
    return tab >= 1 && tab <= 4 ? first[tab] : 0;
}

QString tabCaption(int tab) {
    switch (tab) {
    case 1:
        return QCoreApplication::translate("cover::infopages", "考试简介");
    case 2:
        return QCoreApplication::translate("cover::infopages", "考试大纲");
    case 3:
        return QCoreApplication::translate("cover::infopages", "使用说明");
    case 4:
        return QCoreApplication::translate("cover::infopages", "其它模块");
    default:
        return QString();
    }
}

QString pagePath(const ModData &d, int n) {
    return d.dataFile(QStringLiteral("9l00") + start::vb::twoDigits(n) + QStringLiteral(".rar"));
}

Turn previous(int page) {
    if (page > 1)
        return {page - 1, QString()};
    return {page, QCoreApplication::translate("cover::infopages", "已经到第一页")};
}

Turn next(int page) {
    if (page < PageCount)
        return {page + 1, QString()};
    return {page, QCoreApplication::translate("cover::infopages", "已经到最后一页")};
}

const std::array<ModuleRow, ModuleSlots> &moduleTable() {
    static const std::array<ModuleRow, ModuleSlots> rows = {{{1, "01"},
                                                             {2, "02"},
                                                             {3, "03"},
                                                             {4, "04"},
                                                             {5, "05"},
                                                             {6, "06"},
                                                             {7, "07"},
                                                             {8, "08"},
                                                             {12, "12"},
                                                             {9, "09"},
                                                             {10, "10"},
                                                             {11, "11"},
                                                             {13, "13"},
                                                             {14, "14"},
                                                             {15, "15"},
                                                             {16, "16"},
                                                             {17, "17"},
                                                             {18, "18"},
                                                             {19, "19"}}};
    return rows;
}

std::array<ModuleSlot, ModuleSlots> findModules(platform::Registry &registry) {
    std::array<ModuleSlot, ModuleSlots> slots;
    const QString key = QStringLiteral("Software\\Microsoft");
    for (int k = 0; k < ModuleSlots; ++k) {
        const ModuleRow &row = moduleTable()[k];
        ModuleSlot &slot = slots[k];
        slot.target = QString::fromLatin1(row.downloadId);
        const QString nn = start::vb::twoDigits(row.moduleNo);
        QVariant path, name;
        if (start::ModZCB::ReadRegValue(registry, platform::HKEY_CURRENT_USER, key,
                                        QStringLiteral("ProPath") + nn, path) != platform::ERROR_SUCCESS ||
            start::vb::Trim(path.toString()).isEmpty())
            continue;
        start::ModZCB::ReadRegValue(registry, platform::HKEY_CURRENT_USER, key,
                                    QStringLiteral("ProName") + nn, name);
        // each value ends at its first "*"
        const QString folder = path.toString().section(u'*', 0, 0);
        const QString program = name.toString().section(u'*', 0, 0);
        // programs here carry no ".exe": a recorded name with it still finds the
        // program without it
        QString target = folder + u'/' + program;
        if (!QFileInfo(target).isExecutable() && target.endsWith(QLatin1String(".exe")))
            target.chop(4);
        const QFileInfo info(target);
        if (program.isEmpty() || !info.isFile() || !info.isExecutable())
            continue; // gone since it was installed: offer the download instead
        slot.installed = true;
        slot.target = target;
    }
    return slots;
}

QRect slotRect(int k) {
    return {12 + (k % 4) * 191, 60 + (k / 4) * 73, 180, 60};
}

namespace {
const char *const Site = "http://www.caddrill.example";
}

QString downloadPage(const QString &id) {
    return QString::fromLatin1(Site) + QStringLiteral("/down.asp?id=") + id;
}

QString webSite(int n) {
    return n == 1 ? QString::fromLatin1(Site) : QStringLiteral("http://learn.caddrill.example");
}

QString chatLink(int n) {
    // the messenger's own link scheme, opened by whatever the desktop has for it
    return QStringLiteral("tencent://message/?uin=%1&Site=caddrill&Menu=yes")
        .arg(n == 1 ? QStringLiteral("800000001") : QStringLiteral("800000002"));
}

} // namespace cover::infopages
