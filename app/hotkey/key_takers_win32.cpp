#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <windows.h>

#include "app/hotkey/menu_shortcut.h"

namespace orbel {

namespace {

// The virtual-key code of a Qt key; 0 for one Windows has no code for.
UINT VirtualKeyOf(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return UINT(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return UINT(VK_F1 + (key - Qt::Key_F1));
    static const std::pair<int, UINT> named[] = {
        {Qt::Key_Space, VK_SPACE},
        {Qt::Key_Escape, VK_ESCAPE},
        {Qt::Key_Tab, VK_TAB},
        {Qt::Key_Backspace, VK_BACK},
        {Qt::Key_Return, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE},
        {Qt::Key_Pause, VK_PAUSE},
        {Qt::Key_Print, VK_SNAPSHOT},
        {Qt::Key_Home, VK_HOME},
        {Qt::Key_End, VK_END},
        {Qt::Key_Left, VK_LEFT},
        {Qt::Key_Up, VK_UP},
        {Qt::Key_Right, VK_RIGHT},
        {Qt::Key_Down, VK_DOWN},
        {Qt::Key_PageUp, VK_PRIOR},
        {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_Menu, VK_APPS},
        {Qt::Key_Help, VK_HELP},
        {Qt::Key_VolumeDown, VK_VOLUME_DOWN},
        {Qt::Key_VolumeMute, VK_VOLUME_MUTE},
        {Qt::Key_VolumeUp, VK_VOLUME_UP},
        {Qt::Key_MediaPlay, VK_MEDIA_PLAY_PAUSE},
        {Qt::Key_MediaStop, VK_MEDIA_STOP},
        {Qt::Key_MediaPrevious, VK_MEDIA_PREV_TRACK},
        {Qt::Key_MediaNext, VK_MEDIA_NEXT_TRACK},
    };
    for (const auto& [qt, vk] : named)
        if (qt == key) return vk;
    // Punctuation: the key of the keyboard in use that gives the character.
    if (key > 0x20 && key < 0x7f) {
        const SHORT scan = VkKeyScanW(WCHAR(key));
        if (scan != -1) return UINT(scan & 0xff);
    }
    return 0;
}

class WindowsHotKey : public KeyTaker, public QAbstractNativeEventFilter {
public:
    WindowsHotKey() { QCoreApplication::instance()->installNativeEventFilter(this); }
    ~WindowsHotKey() override {
        release();
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    Outcome take(QKeyCombination keys) override {
        release();
        const UINT vk = VirtualKeyOf(keys.key());
        if (!vk) return Outcome::NotPossible;
        const Qt::KeyboardModifiers m = keys.keyboardModifiers();
        UINT mods = MOD_NOREPEAT;
        if (m & Qt::ShiftModifier) mods |= MOD_SHIFT;
        if (m & Qt::ControlModifier) mods |= MOD_CONTROL;
        if (m & Qt::AltModifier) mods |= MOD_ALT;
        if (m & Qt::MetaModifier) mods |= MOD_WIN;
        // The thread's own message queue: no window needed.
        if (RegisterHotKey(nullptr, kId, mods, vk)) {
            held_ = true;
            return Outcome::Taken;
        }
        return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED ? Outcome::HeldElsewhere : Outcome::NotPossible;
    }

    void release() override {
        if (held_) UnregisterHotKey(nullptr, kId);
        held_ = false;
    }

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const MSG* msg = static_cast<const MSG*>(message);
        if (!held_ || msg->message != WM_HOTKEY || msg->wParam != WPARAM(kId)) return false;
        emit pressed();
        return true;
    }

private:
    static constexpr int kId = 0x0b1e;
    bool held_ = false;
};

}  // namespace

std::vector<std::unique_ptr<KeyTaker>> SystemKeyTakers(const QString&) {
    std::vector<std::unique_ptr<KeyTaker>> takers;
    takers.push_back(std::make_unique<WindowsHotKey>());
    return takers;
}

}  // namespace orbel
