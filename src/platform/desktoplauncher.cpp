#include "platform/desktoplauncher.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

bool DesktopLauncher::openUrl(const QString &address) {
    const QUrl url(address);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace platform
