#include <QGuiApplication>

#include "app/hotkey/key_takers_linux.h"

namespace orbel {

std::vector<std::unique_ptr<KeyTaker>> SystemKeyTakers(const QString& command) {
    std::vector<std::unique_ptr<KeyTaker>> takers;
    // The desktop's own ways first: on X11 they grab the key themselves, so
    // a grab of ours would only take it from the desktop's settings.
    if (auto kde = MakeKdeGlobalShortcut()) takers.push_back(std::move(kde));
    if (auto gnome = MakeGnomeCustomShortcut(command)) takers.push_back(std::move(gnome));
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        if (auto grab = MakeX11KeyGrab()) takers.push_back(std::move(grab));
    return takers;
}

}  // namespace orbel
