#include "platform/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform::translations {

QString qtChineseFile() {
    const QString path =
        QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath(QStringLiteral("qtbase_zh_CN.qm"));
    return QFileInfo::exists(path) ? path : QString();
}

bool installQtChinese(QCoreApplication &app) {
    const QString path = qtChineseFile();
    if (path.isEmpty())
        return false;
    auto *translator = new QTranslator(&app);
    if (!translator->load(path) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace platform::translations
