#pragma once
// The same menu as a jgmenu CSV file, for the side-by-side start-up
// comparison: every folder a submenu (^checkout/^tag), text separators as
// titled separators, the fixed entries at the end, and the same pictures
// as PNG files (programs: their bitmap; documents: their extension's icon;
// folders: the folder picture).

#include <QDir>
#include <QImage>
#include <QString>
#include <fstream>
#include <sstream>
#include <string>

#include "app/images/image_lists.h"
#include "core/store/image_table.h"
#include "core/store/store_files.h"
#include "core/store/store_format.h"
#include "platform/icons.h"

namespace bench {

class JgmenuCsv {
public:
    JgmenuCsv(const std::string& csvFile, const std::string& iconDir) : out_(csvFile), icons_(iconDir) {
        QDir().mkpath(QString::fromStdString(iconDir));
        folderIcon_ = save(orbel::ImageLists::FormImage(orbel::img::Folder, QSize(16, 16)), "folder.png");
    }

    // Writes the store below storeDir (its shortcuts.txt) and the fixed entries.
    void write(const std::string& storeDir) {
        const std::string top = orbel::WithSeparator(storeDir) + std::string(orbel::kIndexFileName);
        if (orbel::FileExists(top)) level(orbel::WithSeparator(storeDir), out_);
        out_ << "^sep(Sysmenu)\n"
             << "Orbel Kit,^checkout(kit)," << folderIcon_ << "\n"
             << "Close,true\n\n^tag(kit)\nHelp File,true\n^sep()\nManage Items..,true\nPreferences..,true\n"
             << "^sep()\nVisit Website,true\n^sep()\nAbout..,true\n";
        out_ << pending_;
    }

private:
    static std::string Field(const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == '&') out += "&amp;";
            else if (c == '<') out += "&lt;";
            else if (c == '>') out += "&gt;";
            else out += c;
        }
        return out.find(',') == std::string::npos ? out : "\"\"\"" + out + "\"\"\"";
    }

    std::string save(const QImage& image, const std::string& name) {
        const std::string path = icons_ + "/" + name;
        image.save(QString::fromStdString(path), "PNG");
        return path;
    }

    std::string extensionIcon(const std::string& ext) {
        const std::string name = "ext-" + ext + ".png";
        const std::string path = icons_ + "/" + name;
        if (!orbel::FileExists(path)) {
            const orbel::platform::SmallIcon icon = orbel::platform::FileTypeIcon(ext);
            QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) img.setPixel(x, y, icon.pixels[y * 16 + x]);
            save(img, name);
        }
        return path;
    }

    // One index file's entries into a section; folders add their own
    // sections behind everything written so far.
    void level(const std::string& dir, std::ostream& section) {
        for (const orbel::IndexEntry& e : orbel::ReadIndexEntries(dir + std::string(orbel::kIndexFileName))) {
            switch (e.kind) {
            case orbel::IndexEntryKind::PlainSeparator: section << "^sep()\n"; break;
            case orbel::IndexEntryKind::TextSeparator: section << "^sep(" << Field(e.text) << ")\n"; break;
            case orbel::IndexEntryKind::Folder: {
                const std::string sub = orbel::WithSeparator(dir + e.text);
                if (!orbel::DirectoryExists(sub)) break;
                const std::string tag = "f" + std::to_string(++tags_);
                section << Field(e.text) << ",^checkout(" << tag << ")," << folderIcon_ << "\n";
                std::ostringstream inner;
                inner << "\n^tag(" << tag << ")\n";
                if (orbel::FileExists(sub + std::string(orbel::kIndexFileName))) level(sub, inner);
                pending_ += inner.str();
                break;
            }
            case orbel::IndexEntryKind::ExecutableItem: {
                std::string icon;
                const QImage bmp(QString::fromStdString(dir + e.iconFile));
                if (!bmp.isNull()) icon = save(bmp, "icon" + std::to_string(++icons_n_) + ".png");
                section << Field(e.text) << "," << Field(e.path + " " + e.parameters) << "," << icon << "\n";
                break;
            }
            case orbel::IndexEntryKind::FileItem:
                section << Field(e.text) << "," << Field("xdg-open " + e.path) << ","
                        << (e.extension.empty() ? std::string() : extensionIcon(e.extension)) << "\n";
                break;
            }
        }
    }

    std::ofstream out_;
    std::string icons_;
    std::string folderIcon_;
    std::string pending_;
    int tags_ = 0;
    int icons_n_ = 0;
};

}  // namespace bench
