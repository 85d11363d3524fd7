#pragma once
// The keyboard layouts and input methods the learner can choose from the panel's
// input-method menu, and handing the keyboard over to the chosen one (InputLayout)
// when the simulated command line gets the focus.
//
// A layout is known by a handle (never 0; 0 names nothing and changes nothing)
// and a description: empty for the plain keyboard, the input method's name for
// everything else. The panel lists them; the simulated window activates one.

#include <QList>
#include <QString>
#include <cstdint>

namespace platform {

struct InstalledLayout {
    int32_t handle = 0;
    QString description; // empty: the plain keyboard
    bool operator==(const InstalledLayout &) const = default;
};

class KeyboardLayout {
  public:
    // What the text box does with its keys after an activation.
    enum class TextInput {
        Keep,       // nothing changes (an unknown handle, or 0)
        Keyboard,   // keys go straight into the box; no input method composes
        InputMethod // the input method composes the box's text
    };
    virtual ~KeyboardLayout() = default;
    // The installed layouts in the desktop's order, at most MaxLayouts.
    virtual QList<InstalledLayout> installed() const = 0;
    // Activates the layout with this handle; flags as the window passes them (1).
    virtual TextInput activate(int32_t handle, int flags) = 0;

    static constexpr int MaxLayouts = 16;
};

// What a Linux desktop tells a program about its input: the plain keyboard
// (handle 1), then each input method the session names in QT_IM_MODULE,
// GTK_IM_MODULE and XMODIFIERS ("@im=NAME"), in that order and each once, with
// handles 2, 3, ... The one Qt itself talks to (QT_IM_MODULE) carries the
// language QInputMethod reports. A program cannot switch the desktop's input
// method, so activating a handle decides whether the box lets the input method
// compose (an input method's handle) or takes plain keys (the keyboard's).
class DesktopKeyboardLayout : public KeyboardLayout {
  public:
    static constexpr int32_t KeyboardHandle = 1;

    QList<InstalledLayout> installed() const override;
    TextInput activate(int32_t handle, int flags) override;
    int32_t active() const { return m_active; }

    // installed() for the given environment values and input language (a
    // QLocale name; empty or an English one adds nothing).
    static QList<InstalledLayout> fromEnvironment(const QString &qtModule, const QString &gtkModule,
                                                  const QString &xModifiers, const QString &inputLocale);

  private:
    int32_t m_active = 0;
};

// Records what was asked; tests set the layouts it reports.
class NullKeyboardLayout : public KeyboardLayout {
  public:
    QList<InstalledLayout> installed() const override { return layouts; }
    TextInput activate(int32_t handle, int flags) override {
        lastHandle = handle;
        lastFlags = flags;
        ++calls;
        return TextInput::Keep;
    }
    QList<InstalledLayout> layouts;
    int32_t lastHandle = 0;
    int lastFlags = 0;
    int calls = 0;
};

} // namespace platform
