#pragma once
// Handing the keyboard over to the input method the learner chose in the panel
// (InputLayout) when the simulated command line gets the focus. This platform has
// no per-window keyboard layouts, so the real implementation only remembers the
// request; tests read it back.

#include <cstdint>

namespace platform {

class KeyboardLayout {
  public:
    virtual ~KeyboardLayout() = default;
    // Activates the layout with this handle; flags as the window passes them (1).
    virtual void activate(int32_t handle, int flags) = 0;
};

class NullKeyboardLayout : public KeyboardLayout {
  public:
    void activate(int32_t handle, int flags) override {
        lastHandle = handle;
        lastFlags = flags;
        ++calls;
    }
    int32_t lastHandle = 0;
    int lastFlags = 0;
    int calls = 0;
};

} // namespace platform
