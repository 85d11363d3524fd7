#pragma once
// The launcher of the desktop programs: programs are started as ProcessLauncher
// starts them; web pages, messenger links and folders are opened with the
// desktop's default handler (QDesktopServices), and openUrl says whether
// anything took the address, so a form can tell the learner when nothing did.

#include "platform/services.h"

namespace platform {

class DesktopLauncher : public ProcessLauncher {
  public:
    bool openUrl(const QString &address) override;
};

} // namespace platform
