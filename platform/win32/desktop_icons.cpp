#include "platform/desktop_icons.h"

namespace orbel::platform {

// Windows has no desktop entries: items keep the shell's and the store's
// pictures.
std::string DesktopEntryIcon(const std::string&) { return {}; }

namespace {
class NoEntries final : public ProgramEntryIcons {
public:
    std::string iconFor(const std::string&) override { return {}; }
};
}  // namespace

std::unique_ptr<ProgramEntryIcons> InstalledProgramEntryIcons() { return std::make_unique<NoEntries>(); }

}  // namespace orbel::platform
