#include "app/hotkey/key_takers_linux.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <xcb/xcb.h>

#include <vector>

namespace orbel {

namespace {

// The X keysym of a Qt key; 0 for a key X has no name for here.
uint32_t KeysymOf(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return uint32_t(key - Qt::Key_A + 'a');
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) return uint32_t(key);
    // Latin-1 keysyms are their code points; capitals go to their small letters.
    if (key >= 0xc0 && key <= 0xde && key != 0xd7) return uint32_t(key + 0x20);
    if (key >= 0xa0 && key <= 0xff) return uint32_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) return uint32_t(0xffbe + (key - Qt::Key_F1));
    static const std::pair<int, uint32_t> named[] = {
        {Qt::Key_Escape, 0xff1b},         {Qt::Key_Tab, 0xff09},
        {Qt::Key_Backspace, 0xff08},      {Qt::Key_Return, 0xff0d},
        {Qt::Key_Enter, 0xff8d},          {Qt::Key_Insert, 0xff63},
        {Qt::Key_Delete, 0xffff},         {Qt::Key_Pause, 0xff13},
        {Qt::Key_Print, 0xff61},          {Qt::Key_SysReq, 0xff15},
        {Qt::Key_Home, 0xff50},           {Qt::Key_End, 0xff57},
        {Qt::Key_Left, 0xff51},           {Qt::Key_Up, 0xff52},
        {Qt::Key_Right, 0xff53},          {Qt::Key_Down, 0xff54},
        {Qt::Key_PageUp, 0xff55},         {Qt::Key_PageDown, 0xff56},
        {Qt::Key_Menu, 0xff67},           {Qt::Key_Help, 0xff6a},
        {Qt::Key_VolumeDown, 0x1008ff11}, {Qt::Key_VolumeMute, 0x1008ff12},
        {Qt::Key_VolumeUp, 0x1008ff13},   {Qt::Key_MediaPlay, 0x1008ff14},
        {Qt::Key_MediaStop, 0x1008ff15},  {Qt::Key_MediaPrevious, 0x1008ff16},
        {Qt::Key_MediaNext, 0x1008ff17},  {Qt::Key_HomePage, 0x1008ff18},
        {Qt::Key_LaunchMail, 0x1008ff19}, {Qt::Key_Search, 0x1008ff1b},
        {Qt::Key_Calculator, 0x1008ff1d}, {Qt::Key_Launch0, 0x1008ff40},
        {Qt::Key_Launch1, 0x1008ff41},
    };
    for (const auto& [qt, sym] : named)
        if (qt == key) return sym;
    return 0;
}

uint16_t ModifierMask(Qt::KeyboardModifiers m) {
    uint16_t mask = 0;
    if (m & Qt::ShiftModifier) mask |= XCB_MOD_MASK_SHIFT;
    if (m & Qt::ControlModifier) mask |= XCB_MOD_MASK_CONTROL;
    if (m & Qt::AltModifier) mask |= XCB_MOD_MASK_1;
    if (m & Qt::MetaModifier) mask |= XCB_MOD_MASK_4;
    return mask;
}

// Caps Lock and Num Lock (Mod2 by custom) must not change what the key is.
constexpr uint16_t kLocks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

class X11KeyGrab : public KeyTaker, public QAbstractNativeEventFilter {
public:
    X11KeyGrab(xcb_connection_t* connection, xcb_window_t root) : c_(connection), root_(root) {
        qApp->installNativeEventFilter(this);
    }
    ~X11KeyGrab() override {
        release();
        qApp->removeNativeEventFilter(this);
    }

    Outcome take(QKeyCombination keys) override {
        release();
        const uint32_t sym = KeysymOf(keys.key());
        const std::vector<xcb_keycode_t> codes = sym ? KeycodesOf(sym) : std::vector<xcb_keycode_t>{};
        if (codes.empty()) return Outcome::NotPossible;
        mask_ = ModifierMask(keys.keyboardModifiers());
        std::vector<xcb_void_cookie_t> cookies;
        for (xcb_keycode_t code : codes)
            for (uint16_t lock : kLocks)
                cookies.push_back(xcb_grab_key_checked(c_, 1, root_, uint16_t(mask_ | lock), code, XCB_GRAB_MODE_ASYNC,
                                                       XCB_GRAB_MODE_ASYNC));
        bool refused = false;
        for (xcb_void_cookie_t cookie : cookies)
            if (xcb_generic_error_t* error = xcb_request_check(c_, cookie)) {
                refused = true;
                free(error);
            }
        codes_ = codes;
        if (refused) {
            // Another client has it (BadAccess): let go of the variants we got.
            release();
            return Outcome::HeldElsewhere;
        }
        return Outcome::Taken;
    }

    void release() override {
        for (xcb_keycode_t code : codes_)
            for (uint16_t lock : kLocks) xcb_ungrab_key(c_, code, root_, uint16_t(mask_ | lock));
        if (!codes_.empty()) xcb_flush(c_);
        codes_.clear();
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (codes_.empty() || type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS) return false;
        const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
        if (press->event != root_) return false;
        const uint16_t state = press->state & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2) & 0xff;
        if (state != mask_ || std::find(codes_.begin(), codes_.end(), press->detail) == codes_.end()) return false;
        emit pressed();
        return true;
    }

private:
    // Every key that gives the keysym at any level: a layout may have it twice.
    std::vector<xcb_keycode_t> KeycodesOf(uint32_t sym) const {
        const xcb_setup_t* setup = xcb_get_setup(c_);
        const int first = setup->min_keycode, count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
            c_, xcb_get_keyboard_mapping(c_, xcb_keycode_t(first), uint8_t(count)), nullptr);
        std::vector<xcb_keycode_t> codes;
        if (!map) return codes;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        const int per = map->keysyms_per_keycode;
        for (int i = 0; i < count; ++i)
            for (int level = 0; level < per && level < 2; ++level)
                if (syms[i * per + level] == sym) {
                    codes.push_back(xcb_keycode_t(first + i));
                    break;
                }
        free(map);
        return codes;
    }

    xcb_connection_t* c_;
    xcb_window_t root_;
    uint16_t mask_ = 0;
    std::vector<xcb_keycode_t> codes_;
};

}  // namespace

std::unique_ptr<KeyTaker> MakeX11KeyGrab() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return nullptr;
    xcb_connection_t* c = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen) return nullptr;
    return std::make_unique<X11KeyGrab>(c, screen->root);
}

}  // namespace orbel
