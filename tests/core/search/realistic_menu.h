#pragma once
// A menu as a person keeps one: a few hundred programs and documents in
// nested folders, with some programs kept as desktop entries. Built the way
// the loader builds the live menu and the item table. Shared by the
// matcher's tests and by bench/search_bench (which ranks the same queries
// with fzf beside ours).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/search/search_index.h"
#include "core/store/item_table.h"
#include "core/tray/menu_model.h"

namespace orbel::test {

class MenuBuilder {
public:
    MenuBuilder() : root_(BuildMenuTemplate()) { root_->tag = 0; }

    // A folder under parent (nullptr: the top level).
    MenuEntry* folder(MenuEntry* parent, const std::string& caption) {
        auto f = std::make_unique<MenuEntry>(caption, 0, 0);
        f->insert(0, std::make_unique<MenuEntry>("Hiding", tag::Hidden, -1, MenuHandler::None, false));
        f->tag = 1;
        return place(parent, std::move(f));
    }
    int program(MenuEntry* parent, const std::string& caption, const std::string& path,
                const std::string& parameters = {}) {
        const int n = item(parent, caption, path);
        AppendString(table_.programNumbers, std::to_string(n));
        AppendString(table_.parameters, parameters);
        return n;
    }
    int document(MenuEntry* parent, const std::string& caption, const std::string& path) {
        return item(parent, caption, path);
    }
    // A program kept as its desktop entry.
    int launcher(MenuEntry* parent, const std::string& caption, const std::string& file, DesktopEntryTexts texts) {
        const int n = program(parent, caption, file);
        desktop_[file] = std::move(texts);
        return n;
    }
    void separator(MenuEntry* parent) { place(parent, std::make_unique<MenuEntry>("-", tag::PlainSeparator)); }

    const MenuEntry& menu() const { return *root_; }
    const ItemTable& table() const { return table_; }
    DesktopTextsReader reader() const {
        return [this](const std::string& path) -> std::optional<DesktopEntryTexts> {
            const auto it = desktop_.find(path);
            if (it == desktop_.end()) return std::nullopt;
            return it->second;
        };
    }
    void buildIndex(SearchIndex& index) const { BuildSearchIndex(index, *root_, table_, reader()); }
    int items() const { return next_; }

private:
    MenuEntry* place(MenuEntry* parent, std::unique_ptr<MenuEntry> e) {
        MenuEntry& p = parent ? *parent : *root_;
        MenuEntry* placed = p.insert(p.tag, std::move(e));
        ++p.tag;
        return placed;
    }
    int item(MenuEntry* parent, const std::string& caption, const std::string& path) {
        const int n = next_++;
        AppendString(table_.paths, path);
        place(parent, std::make_unique<MenuEntry>(caption, n, 12, MenuHandler::NorItemsRTClickItem));
        return n;
    }

    std::unique_ptr<MenuEntry> root_;
    ItemTable table_;
    std::map<std::string, DesktopEntryTexts> desktop_;
    int next_ = 0;
};

inline const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};

// The menu: programs by kind in folders two and three deep, the year's
// paperwork below "Office", photos and music below "Media".
inline void MakeRealisticMenu(MenuBuilder& b) {
    using T = DesktopEntryTexts;
    const std::string apps = "/usr/share/applications/";
    b.program(nullptr, "Firefox Web Browser", "/usr/bin/firefox");
    b.program(nullptr, "Terminal", "/usr/bin/gnome-terminal");
    b.launcher(nullptr, "Files", apps + "org.gnome.Nautilus.desktop",
               T{"Files", "File Manager", {"folder", "manager", "explore", "disk", "filesystem", "nautilus"}});
    b.program(nullptr, "Text Editor", "/usr/bin/gedit");
    b.separator(nullptr);

    MenuEntry* office = b.folder(nullptr, "Office");
    b.program(office, "LibreOffice", "/usr/bin/libreoffice");
    b.program(office, "LibreOffice Writer", "/usr/bin/libreoffice", "--writer");
    b.launcher(office, "LibreOffice Calc", apps + "libreoffice-calc.desktop",
               T{"LibreOffice Calc", "Spreadsheet", {"Accounting", "Stats", "OpenOffice", "Excel", "CSV"}});
    b.program(office, "LibreOffice Impress", "/usr/bin/libreoffice", "--impress");
    b.program(office, "LibreOffice Draw", "/usr/bin/libreoffice", "--draw");
    b.program(office, "Document Viewer", "/usr/bin/evince");
    b.program(office, "Okular", "/usr/bin/okular");
    b.program(office, "Scribus", "/usr/bin/scribus");
    b.program(office, "GnuCash", "/usr/bin/gnucash");
    b.program(office, "Dictionary", "/usr/bin/gnome-dictionary");
    b.program(office, "Simple Scan", "/usr/bin/simple-scan");
    MenuEntry* letters = b.folder(office, "Letters");
    for (const char* to : {"Landlord", "Bank", "Insurance", "Tax Office", "School", "Dr Weber", "Mum", "Employer",
                           "Gas Company", "Council", "Müller Angebot", "Société Générale", "Zoë Pérez"})
        b.document(letters, std::string("Letter to ") + to + ".odt",
                   std::string("/home/anna/Documents/Letters/Letter to ") + to + ".odt");
    b.document(letters, "Kündigung Fitnessstudio.odt", "/home/anna/Documents/Letters/Kündigung Fitnessstudio.odt");
    b.document(letters, "Résumé 2026.odt", "/home/anna/Documents/Letters/Résumé 2026.odt");
    b.document(letters, "Cover Letter Straße.odt", "/home/anna/Documents/Letters/Cover Letter Straße.odt");
    MenuEntry* invoices = b.folder(office, "Invoices");
    for (const char* year : {"2025", "2026"}) {
        MenuEntry* y = b.folder(invoices, year);
        for (const char* m : kMonths)
            b.document(y, std::string("Invoice ") + m + " " + year + ".odt",
                       std::string("/home/anna/Documents/Invoices/") + year + "/Invoice " + m + " " + year + ".odt");
        b.document(y, std::string("Tax Return ") + year + ".pdf",
                   std::string("/home/anna/Documents/Tax/Tax Return ") + year + ".pdf");
    }
    MenuEntry* sheets = b.folder(office, "Spreadsheets");
    for (const char* s : {"Budget 2026", "Household Budget", "Car Costs", "Holiday Planning", "Reading List",
                          "Running Log", "Garden Plan", "Wedding Guests", "Inventory Shed", "Electricity Meter"})
        b.document(sheets, std::string(s) + ".ods", std::string("/home/anna/Documents/Sheets/") + s + ".ods");
    MenuEntry* notes = b.folder(office, "Notes");
    for (int d = 1; d <= 12; ++d)
        b.document(notes, "Meeting Notes 2026-" + std::string(d < 10 ? "0" : "") + std::to_string(d) + "-15.md",
                   "/home/anna/Notes/meeting-" + std::to_string(d) + ".md");
    for (const char* s : {"Shopping List", "Ideas", "Recipes", "Passwords Hint", "Packing List", "Gift Ideas"})
        b.document(notes, std::string(s) + ".txt", std::string("/home/anna/Notes/") + s + ".txt");

    MenuEntry* recipes = b.folder(office, "Recipes");
    for (const char* r : {"Apple Pie", "Banana Bread",   "Chili con Carne", "Crème Brûlée",      "Lasagne",
                          "Pad Thai",  "Gazpacho",       "Goulash",         "Risotto ai Funghi", "Shakshuka",
                          "Pho",       "Kartoffelsalat", "Pancakes",        "Tiramisu",          "Ratatouille",
                          "Paella",    "Falafel",        "Moussaka",        "Bibimbap",          "Käsespätzle"})
        b.document(recipes, std::string(r) + ".pdf", std::string("/home/anna/Recipes/") + r + ".pdf");

    MenuEntry* internet = b.folder(nullptr, "Internet");
    b.program(internet, "Chromium Web Browser", "/usr/bin/chromium");
    b.program(internet, "Thunderbird Mail", "/usr/bin/thunderbird");
    b.program(internet, "Transmission", "/usr/bin/transmission-gtk");
    b.program(internet, "FileZilla", "/usr/bin/filezilla");
    b.program(internet, "Signal", "/opt/Signal/signal-desktop");
    b.program(internet, "Telegram Desktop", "/usr/bin/telegram-desktop");
    b.program(internet, "Zoom", "/usr/bin/zoom");
    b.program(internet, "Remmina", "/usr/bin/remmina");
    b.program(internet, "Element", "/usr/bin/element-desktop");
    b.program(internet, "Discord", "/usr/bin/discord");
    b.program(internet, "HexChat", "/usr/bin/hexchat");
    b.program(internet, "Liferea Feed Reader", "/usr/bin/liferea");
    MenuEntry* sites = b.folder(internet, "Bookmarks");
    for (const char* s : {"Online Banking", "Weather Forecast", "Train Timetable", "Webmail", "News", "Wikipedia",
                          "Recipe Site", "Library Account", "Tax Portal", "Router Admin"})
        b.document(sites, std::string(s) + ".url", std::string("/home/anna/Bookmarks/") + s + ".url");

    MenuEntry* dev = b.folder(nullptr, "Development");
    b.program(dev, "Visual Studio Code", "/usr/share/code/code");
    b.program(dev, "Qt Creator", "/usr/bin/qtcreator");
    b.program(dev, "Meld", "/usr/bin/meld");
    b.program(dev, "Git GUI", "/usr/bin/git", "gui");
    b.program(dev, "gitk", "/usr/bin/gitk");
    b.program(dev, "Emacs", "/usr/bin/emacs");
    b.program(dev, "Vim", "/usr/bin/vim");
    b.program(dev, "Geany", "/usr/bin/geany");
    b.program(dev, "Kate", "/usr/bin/kate");
    b.program(dev, "DBeaver", "/usr/share/dbeaver-ce/dbeaver");
    b.program(dev, "Postman", "/opt/Postman/Postman");
    b.program(dev, "Android Studio", "/opt/android-studio/bin/studio.sh");
    b.program(dev, "IntelliJ IDEA Community", "/opt/idea/bin/idea.sh");
    b.program(dev, "PyCharm Community", "/opt/pycharm/bin/pycharm.sh");
    b.program(dev, "Eclipse", "/opt/eclipse/eclipse");
    b.program(dev, "Wireshark", "/usr/bin/wireshark");
    b.program(dev, "GHex", "/usr/bin/ghex");
    b.program(dev, "Sysprof", "/usr/bin/sysprof");
    MenuEntry* tools = b.folder(dev, "Tools");
    b.program(tools, "Python 3", "/usr/bin/python3");
    b.program(tools, "Jupyter Notebook", "/usr/bin/jupyter-notebook");
    b.program(tools, "Docker Desktop", "/opt/docker-desktop/bin/docker-desktop");
    b.program(tools, "Virtual Machine Manager", "/usr/bin/virt-manager");
    b.program(tools, "VirtualBox", "/usr/bin/virtualbox");
    b.program(tools, "Boxes", "/usr/bin/gnome-boxes");
    b.program(tools, "Glade", "/usr/bin/glade");
    b.program(tools, "D-Feet", "/usr/bin/d-feet");
    MenuEntry* projects = b.folder(tools, "Projects");
    for (const char* p : {"orbel", "website", "thesis", "garden-robot", "dotfiles", "photo-sorter", "budget-app",
                          "home-assistant", "raytracer", "chess-engine"})
        b.document(projects, std::string(p) + " README.md", std::string("/home/anna/src/") + p + "/README.md");

    MenuEntry* graphics = b.folder(nullptr, "Graphics");
    b.program(graphics, "GIMP", "/usr/bin/gimp");
    b.program(graphics, "Inkscape", "/usr/bin/inkscape");
    b.program(graphics, "Krita", "/usr/bin/krita");
    b.program(graphics, "Blender", "/usr/bin/blender");
    b.program(graphics, "Darktable", "/usr/bin/darktable");
    b.program(graphics, "RawTherapee", "/usr/bin/rawtherapee");
    b.launcher(graphics, "Shotwell", apps + "org.gnome.Shotwell.desktop",
               T{"Shotwell", "Photo Manager", {"album",  "camera",      "cameras", "crop",    "edit",     "enhance",
                                               "export", "gallery",     "image",   "images",  "import",   "organize",
                                               "photo",  "photographs", "photos",  "picture", "pictures", "photography",
                                               "print",  "publish",     "rotate",  "share",   "tags",     "video"}});
    b.program(graphics, "Image Viewer", "/usr/bin/eog");
    b.program(graphics, "Scanner", "/usr/bin/xsane");
    b.program(graphics, "Color Picker", "/usr/bin/gpick");
    b.program(graphics, "FreeCAD", "/usr/bin/freecad");
    b.program(graphics, "LibreCAD", "/usr/bin/librecad");
    b.program(graphics, "Screenshot", "/usr/bin/gnome-screenshot");
    b.program(graphics, "Flameshot", "/usr/bin/flameshot");

    MenuEntry* media = b.folder(nullptr, "Media");
    b.program(media, "VLC media player", "/usr/bin/vlc");
    b.program(media, "Rhythmbox", "/usr/bin/rhythmbox");
    b.program(media, "Audacity", "/usr/bin/audacity");
    b.program(media, "OBS Studio", "/usr/bin/obs");
    b.program(media, "Kdenlive", "/usr/bin/kdenlive");
    b.program(media, "Shotcut", "/usr/bin/shotcut");
    b.program(media, "Spotify", "/usr/bin/spotify");
    b.program(media, "Videos", "/usr/bin/totem");
    b.program(media, "Cheese", "/usr/bin/cheese");
    b.program(media, "HandBrake", "/usr/bin/ghb");
    b.program(media, "MuseScore", "/usr/bin/musescore");
    b.program(media, "Sound Recorder", "/usr/bin/gnome-sound-recorder");
    MenuEntry* photos = b.folder(media, "Photos");
    for (const char* trip : {"Lisbon 2025", "Alps Hiking", "Garden Spring", "Birthday Party", "Christmas 2025",
                             "Baltic Sea", "Wedding Lena", "Café Tortoni"}) {
        MenuEntry* album = b.folder(photos, trip);
        for (int i = 0; i < 6; ++i) {
            const std::string name = "IMG_" +
                                     std::to_string(2040 + i * 7 + static_cast<int>(std::string(trip).size())) + ".jpg";
            b.document(album, name, std::string("/home/anna/Pictures/") + trip + "/" + name);
        }
        b.document(album, std::string(trip) + " Slideshow.odp",
                   std::string("/home/anna/Pictures/") + trip + "/slideshow.odp");
    }
    MenuEntry* music = b.folder(media, "Music");
    for (const char* a : {"Beethoven Symphony No 9", "Miles Davis Kind of Blue", "Björk Homogenic",
                          "Daft Punk Discovery", "Sigur Rós Takk", "Mozart Requiem", "Radiohead OK Computer",
                          "Nina Simone Pastel Blues", "Motörhead Ace of Spades", "Édith Piaf Best Of"})
        b.document(music, std::string(a) + ".m3u", std::string("/home/anna/Music/") + a + ".m3u");

    MenuEntry* games = b.folder(nullptr, "Games");
    MenuEntry* puzzles = b.folder(games, "Puzzles");
    for (const char* g : {"GNOME Sudoku", "Mines", "Tali", "Quadrapassel", "Four-in-a-row", "Lights Off", "Mahjongg",
                          "Klotski", "Tetravex", "Swell Foop", "Hitori", "Atomix"})
        b.program(puzzles, g, std::string("/usr/games/") + g);
    MenuEntry* arcade = b.folder(games, "Arcade");
    for (const char* g : {"SuperTux", "SuperTuxKart", "Frozen Bubble", "Pingus", "Neverball", "Extreme Tux Racer"})
        b.program(arcade, g, std::string("/usr/games/") + g);
    b.program(games, "Steam", "/usr/games/steam");
    b.program(games, "0 A.D.", "/usr/games/0ad");
    b.program(games, "Minetest", "/usr/games/minetest");
    b.program(games, "Chess", "/usr/games/gnome-chess");
    b.program(games, "Solitaire", "/usr/games/sol");

    MenuEntry* system = b.folder(nullptr, "System");
    b.launcher(system, "Settings", apps + "gnome-control-center.desktop",
               T{"Settings", "", {"Preferences", "Settings", "Control Panel"}});
    b.program(system, "System Monitor", "/usr/bin/gnome-system-monitor");
    b.program(system, "Disks", "/usr/bin/gnome-disks");
    b.program(system, "Disk Usage Analyzer", "/usr/bin/baobab");
    b.program(system, "Software", "/usr/bin/gnome-software");
    b.program(system, "Synaptic Package Manager", "/usr/sbin/synaptic");
    b.program(system, "Logs", "/usr/bin/gnome-logs");
    b.program(system, "Htop", "/usr/bin/htop");
    b.program(system, "GParted", "/usr/sbin/gparted");
    b.program(system, "Printers", "/usr/bin/system-config-printer");
    b.program(system, "Backups", "/usr/bin/deja-dup");
    b.program(system, "Timeshift", "/usr/bin/timeshift");
    b.program(system, "Firewall Configuration", "/usr/bin/firewall-config");
    b.launcher(system, "KeePassXC", apps + "org.keepassxc.KeePassXC.desktop",
               T{"KeePassXC", "Password Manager", {"security", "privacy", "password-manager", "yubikey", "totp"}});
    b.launcher(system, "Calculator", apps + "org.gnome.Calculator.desktop",
               T{"Calculator", "", {"calculation", "arithmetic", "scientific", "financial"}});
    b.program(system, "Character Map", "/usr/bin/gucharmap");
    b.program(system, "Fonts", "/usr/bin/gnome-font-viewer");
    b.program(system, "Clocks", "/usr/bin/gnome-clocks");
    b.program(system, "Weather", "/usr/bin/gnome-weather");
    b.program(system, "Maps", "/usr/bin/gnome-maps");
    b.program(system, "Contacts", "/usr/bin/gnome-contacts");
    b.program(system, "Calendar", "/usr/bin/gnome-calendar");
    b.program(system, "Archive Manager", "/usr/bin/file-roller");
    b.program(system, "Passwords and Keys", "/usr/bin/seahorse");
    b.program(system, "Anki", "/usr/bin/anki");
    b.program(system, "Zotero", "/opt/zotero/zotero");
    b.program(system, "Obsidian", "/opt/Obsidian/obsidian");
}

// Queries people type, and the item they mean: first, or among the first
// three where the query names more than one as well.
struct RankCase {
    const char* query;
    const char* meant;  // its caption
    int within;         // 1: first; 3: among the first three
};
inline const RankCase kRankCases[] = {
    {"writer", "LibreOffice Writer", 1},
    {"lib wri", "LibreOffice Writer", 1},
    {"lo writer", "LibreOffice Writer", 1},
    {"wrtr", "LibreOffice Writer", 3},
    {"vscode", "Visual Studio Code", 1},
    {"vsc", "Visual Studio Code", 1},
    {"studio code visual", "Visual Studio Code", 1},
    {"code", "Visual Studio Code", 1},
    {"gimp", "GIMP", 1},
    {"gedit", "Text Editor", 1},
    {"editor", "Text Editor", 1},
    {"firefox", "Firefox Web Browser", 1},
    {"fire", "Firefox Web Browser", 1},
    {"FIREFOX", "Firefox Web Browser", 1},
    {"browser", "Firefox Web Browser", 3},
    {"march invoice", "Invoice March 2026.odt", 3},
    {"invoice march 2026", "Invoice March 2026.odt", 1},
    {"inv mar 26", "Invoice March 2026.odt", 1},
    {"tax 2026", "Tax Return 2026.pdf", 1},
    {"term", "Terminal", 1},
    {"calc", "LibreOffice Calc", 3},
    {"calcul", "Calculator", 1},
    {"spreadsheet", "LibreOffice Calc", 1},
    {"excel", "LibreOffice Calc", 1},
    {"file manager", "Files", 1},
    {"nautilus", "Files", 1},
    {"thunder", "Thunderbird Mail", 1},
    {"mail", "Thunderbird Mail", 3},
    {"inkscape", "Inkscape", 1},
    {"blender", "Blender", 1},
    {"vlc", "VLC media player", 1},
    {"obs", "OBS Studio", 1},
    {"steam", "Steam", 1},
    {"sudoku", "GNOME Sudoku", 1},
    {"mines", "Mines", 1},
    {"sysmon", "System Monitor", 1},
    {"sys mon", "System Monitor", 1},
    {"disks", "Disks", 1},
    {"kee", "KeePassXC", 1},
    {"password manager", "KeePassXC", 1},
    {"resume", "Résumé 2026.odt", 1},
    {"résumé", "Résumé 2026.odt", 1},
    {"muller", "Letter to Müller Angebot.odt", 1},
    {"strasse", "Cover Letter Straße.odt", 1},
    {"kundigung", "Kündigung Fitnessstudio.odt", 1},
    {"cafe", "Café Tortoni Slideshow.odp", 1},
    {"bjork", "Björk Homogenic.m3u", 1},
    {"edith piaf", "Édith Piaf Best Of.m3u", 1},
    {"landlord", "Letter to Landlord.odt", 1},
    {"letter bank", "Letter to Bank.odt", 1},
    {"virt", "Virtual Machine Manager", 3},
    {"vbox", "VirtualBox", 1},
    {"screenshot", "Screenshot", 1},
    {"sett", "Settings", 1},
    {"preferences", "Settings", 1},
    {"photo manager", "Shotwell", 1},
    {"zoom", "Zoom", 1},
    {"tele", "Telegram Desktop", 1},
    {"anki", "Anki", 1},
    {"python", "Python 3", 1},
    {"jupyter", "Jupyter Notebook", 1},
    {"android", "Android Studio", 1},
    {"idea", "IntelliJ IDEA Community", 1},
    {"pycharm", "PyCharm Community", 1},
    {"budget 2026", "Budget 2026.ods", 1},
    {"shopping", "Shopping List.txt", 1},
    {"thesis", "thesis README.md", 1},
    {"supertux kart", "SuperTuxKart", 1},
    {"tux racer", "Extreme Tux Racer", 1},
    {"printer", "Printers", 1},
    {"archive", "Archive Manager", 1},
    {"synaptic", "Synaptic Package Manager", 1},
    {"gparted", "GParted", 1},
    {"evince", "Document Viewer", 1},
    {"lights", "Lights Off", 1},
    {"four row", "Four-in-a-row", 1},
    {"wireshark", "Wireshark", 1},
    {"git gui", "Git GUI", 1},
    {"char map", "Character Map", 1},
    {"nina simone", "Nina Simone Pastel Blues.m3u", 1},
    {"meeting 03", "Meeting Notes 2026-03-15.md", 1},
    {"creme brulee", "Crème Brûlée.pdf", 1},
    {"spatzle", "Käsespätzle.pdf", 1},
};

}  // namespace orbel::test
