#include <QGuiApplication>

#include "app/hotkey/key_takers_linux.h"

namespace orbel {

std::vector<std::unique_ptr<KeyTaker>> SystemKeyTakers() {
    std::vector<std::unique_ptr<KeyTaker>> takers;
    // Plasma's service first: on X11 it grabs the key itself, so a grab of
    // ours would only take it from the desktop's settings.
    if (auto kde = MakeKdeGlobalShortcut()) takers.push_back(std::move(kde));
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        if (auto grab = MakeX11KeyGrab()) takers.push_back(std::move(grab));
    return takers;
}

}  // namespace orbel
