#include "app/images/item_icons.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#include "core/store/file_kinds.h"
#include "core/store/item_table.h"
#include "core/store/program_kind.h"
#include "platform/platform.h"

namespace orbel {

namespace {

class PlatformLookup final : public DesktopIconLookup {
public:
    explicit PlatformLookup(platform::Platform& platform) : platform_(platform) {}
    QString entryIcon(const QString& desktopFile) override {
        return QString::fromStdString(platform_.DesktopEntryIcon(QFile::encodeName(desktopFile).toStdString()));
    }
    QString programIcon(const QString& program) override {
        if (!installed_) installed_ = platform_.InstalledProgramEntryIcons();
        return QString::fromStdString(installed_->iconFor(QFile::encodeName(program).toStdString()));
    }

private:
    platform::Platform& platform_;
    std::unique_ptr<platform::ProgramEntryIcons> installed_;
};

}  // namespace

std::unique_ptr<DesktopIconLookup> PlatformDesktopIcons(platform::Platform& platform) {
    return std::make_unique<PlatformLookup>(platform);
}

ItemIcons::ItemIcons(const ItemTable& items, std::unique_ptr<DesktopIconLookup> lookup)
    : items_(items), lookup_(std::move(lookup)) {}

ItemIcons::~ItemIcons() = default;

ItemIcons::Known& ItemIcons::known(const QString& path) {
    auto it = cache_.find(path);
    if (it == cache_.end()) it = cache_.insert(path, Known{resolve(path), {}, {}, 0});
    return *it;
}

ItemIcon ItemIcons::forItem(int itemNumber) {
    const std::string path = items_.pathOf(itemNumber);
    if (path.empty()) return {};
    return forPath(QString::fromStdString(path));
}

ItemIcon ItemIcons::forPath(const QString& path) { return known(path).icon; }

QPixmap ItemIcons::pixmap(int itemNumber, QSize size, qreal devicePixelRatio) {
    const std::string path = items_.pathOf(itemNumber);
    if (path.empty()) return {};
    Known& k = known(QString::fromStdString(path));
    if (k.icon.icon.isNull()) return {};
    if (k.drawnSize != size || k.drawnRatio != devicePixelRatio) {
        k.drawn = k.icon.icon.pixmap(size, devicePixelRatio);
        k.drawnSize = size;
        k.drawnRatio = devicePixelRatio;
    }
    return k.drawn;
}

ItemIcon ItemIcons::named(const QString& value, ItemIcon::Source source) const {
    ItemIcon out;
    if (value.isEmpty()) return out;
    if (QFileInfo(value).isAbsolute()) {
        QIcon icon(value);
        // A file that is not there, or no picture, leaves the stored one.
        if (QFileInfo(value).isFile() && !icon.availableSizes().isEmpty()) {
            out.source = source;
            out.icon = icon;
        }
        return out;
    }
    if (!QIcon::hasThemeIcon(value)) return out;
    out.source = source;
    out.themeName = value;
    out.icon = QIcon::fromTheme(value);
    return out;
}

ItemIcon ItemIcons::resolve(const QString& path) {
    if (!lookup_ || path.isEmpty()) return {};
    const std::string native = QFile::encodeName(path).toStdString();
    if (KindOfPathEnd(native) == ExtensionKind::DesktopEntry)
        return named(lookup_->entryIcon(path), ItemIcon::Source::Entry);
    const QFileInfo info(path);
    if (info.isDir()) return named(QStringLiteral("folder"), ItemIcon::Source::Folder);
    if (!info.exists()) return {};
    if (HasExeExtension(native) || IsProgramPath(native))
        return named(lookup_->programIcon(info.absoluteFilePath()), ItemIcon::Source::Program);
    // Content is read only from regular files: a FIFO would block us.
    static const QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile(
        info, info.isFile() ? QMimeDatabase::MatchDefault : QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault()) return {};
    ItemIcon out = named(type.iconName(), ItemIcon::Source::MimeType);
    if (out.icon.isNull()) out = named(type.genericIconName(), ItemIcon::Source::MimeType);
    return out;
}

}  // namespace orbel
