#include "platform/keyboardlayout.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>

namespace platform {

namespace {

// Module names that stand for no input method of their own.
bool namesAnInputMethod(const QString &name) {
    static const QStringList none{QStringLiteral("xim"), QStringLiteral("simple"), QStringLiteral("none"),
                                  QStringLiteral("compose"), QStringLiteral("cedilla")};
    return !name.isEmpty() && !none.contains(name, Qt::CaseInsensitive);
}

} // namespace

QList<InstalledLayout> DesktopKeyboardLayout::fromEnvironment(const QString &qtModule,
                                                              const QString &gtkModule,
                                                              const QString &xModifiers,
                                                              const QString &inputLocale) {
    QList<InstalledLayout> out{{KeyboardHandle, QString()}};
    QString xim;
    const qsizetype at = xModifiers.indexOf(QStringLiteral("@im="));
    if (at >= 0)
        xim = xModifiers.mid(at + 4).section(u'@', 0, 0).trimmed();
    QStringList seen;
    const QString named[] = {qtModule, gtkModule, xim};
    for (int i = 0; i < 3; ++i) {
        const QString name = named[i].trimmed();
        if (!namesAnInputMethod(name) || seen.contains(name, Qt::CaseInsensitive))
            continue;
        seen << name;
        QString description = name;
        // the language belongs to the input method Qt uses, the first one named
        const QLocale locale(inputLocale);
        if (i == 0 && !inputLocale.isEmpty() && locale.language() != QLocale::English &&
            locale.language() != QLocale::C)
            description += QStringLiteral(" - ") + locale.nativeLanguageName();
        out.append({int32_t(out.size() + 1), description});
        if (out.size() == MaxLayouts)
            break;
    }
    return out;
}

QList<InstalledLayout> DesktopKeyboardLayout::installed() const {
    QString locale;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        locale = QGuiApplication::inputMethod()->locale().name();
    return fromEnvironment(qEnvironmentVariable("QT_IM_MODULE"), qEnvironmentVariable("GTK_IM_MODULE"),
                           qEnvironmentVariable("XMODIFIERS"), locale);
}

KeyboardLayout::TextInput DesktopKeyboardLayout::activate(int32_t handle, int) {
    const QList<InstalledLayout> known = installed();
    for (const InstalledLayout &l : known) {
        if (l.handle != handle || handle == 0)
            continue;
        m_active = handle;
        return l.description.isEmpty() ? TextInput::Keyboard : TextInput::InputMethod;
    }
    return TextInput::Keep;
}

} // namespace platform
