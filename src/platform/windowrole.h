#pragma once
// The role a top-level form has for assistive tools. A form made from a plain
// widget would be a "client" area; marked here it is a window (or a dialog), so
// that screen readers announce it as one and read its title.

#include <QAccessible>

class QWidget;

namespace platform {

// w: a top-level form; role: QAccessible::Window or QAccessible::Dialog.
void setWindowRole(QWidget *w, QAccessible::Role role);

} // namespace platform
