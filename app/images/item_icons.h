#pragma once
// Icons the desktop has for items: a desktop entry's own Icon, the theme's
// icon for a document's MIME type, the theme's folder for a directory, and
// for a program the icon of an installed entry that starts it. Looked up
// when an item is first shown and kept per path; an item the desktop has
// nothing for keeps its stored picture.

#include <QHash>
#include <QIcon>
#include <QString>
#include <memory>

namespace orbel {

namespace platform {
class Platform;
}
struct ItemTable;

// What the desktop says about icons; tests put in their own answers.
class DesktopIconLookup {
public:
    virtual ~DesktopIconLookup() = default;
    // The Icon value of a desktop entry file (theme name or absolute file).
    virtual QString entryIcon(const QString& desktopFile) = 0;
    // The Icon value of an installed entry that starts this program.
    virtual QString programIcon(const QString& program) = 0;
};
// The desktop's own answers as the platform gives them (the installed
// entries read on first use); the platform must outlive the lookup.
std::unique_ptr<DesktopIconLookup> PlatformDesktopIcons(platform::Platform& platform);

struct ItemIcon {
    enum class Source { Stored, Entry, Program, MimeType, Folder };
    Source source = Source::Stored;
    // The theme's name of the icon; empty for an image file or a stored picture.
    QString themeName;
    QIcon icon;  // null for a stored picture
};

class ItemIcons {
public:
    // items must outlive this object.
    ItemIcons(const ItemTable& items, std::unique_ptr<DesktopIconLookup> lookup);
    ~ItemIcons();

    // The icon of an item by its number (Stored for numbers outside the table).
    ItemIcon forItem(int itemNumber);
    ItemIcon forPath(const QString& path);
    // The item's desktop icon drawn size x size for that pixel ratio, kept
    // for the next call; null when it has none.
    QPixmap pixmap(int itemNumber, QSize size, qreal devicePixelRatio);
    void clear() { cache_.clear(); }

private:
    struct Known {
        ItemIcon icon;
        QPixmap drawn;  // the last pixmap asked for, and what it was asked for
        QSize drawnSize;
        qreal drawnRatio = 0;
    };
    Known& known(const QString& path);
    ItemIcon resolve(const QString& path);
    ItemIcon named(const QString& value, ItemIcon::Source source) const;

    const ItemTable& items_;
    std::unique_ptr<DesktopIconLookup> lookup_;
    QHash<QString, Known> cache_;
};

}  // namespace orbel
