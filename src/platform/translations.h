#pragma once
// Qt's own Chinese translations, so that the standard buttons of message boxes
// and dialogs read 确定, 取消, 是 and 否 under the Chinese texts.

#include <QString>

class QCoreApplication;

namespace platform::translations {

// The translation file of Qt's base modules for simplified Chinese, from Qt's
// translations folder; empty when it is not installed.
QString qtChineseFile();

// Installs that file on the application (the translator lives as long as the
// application). Returns false, and changes nothing, when it is missing or
// cannot be read.
bool installQtChinese(QCoreApplication &app);

} // namespace platform::translations
