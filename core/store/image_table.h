#pragma once
// The two image lists (16 x 16 for menus, 16 x 18 for trees) always hold the
// same images in the same order, so one table of image descriptions serves
// both; the program renders each description in the two sizes when shown.

#include <cstdint>
#include <string>
#include <vector>

namespace orbel {

struct ImageRef {
    enum class Kind : unsigned char { Fixed, Extension, Break, Bitmap, Captured };
    Kind kind = Kind::Fixed;
    int number = 0;  // Fixed: the form image 0..11; Break: 1..3
    // Extension: the extension; Captured: the file; Bitmap: the file's name
    // in its folder (ImageTable::file gives the whole path).
    std::string source;
    std::uint64_t serial = 0;  // unique per description, for caches
    // Bitmap: 1 + the folder's index in the table's folder list; 0 when
    // source is the whole path. A large store has tens of thousands of
    // bitmaps in a few thousand folders: each keeps a short name, which
    // fits in the string itself, instead of its own copy of the folder.
    std::uint32_t folder = 0;
};

// Fixed images that come with the form.
namespace img {
constexpr int Folder = 0, OpenFolder = 1, BuiltIn = 2, PlainSeparator = 3, TextSeparator = 4, TopMarker = 5,
              NoExtension = 6, Digit1 = 7, HelpBook = 8, Manage = 9, Gear = 10, Digit2 = 11;
constexpr int FixedCount = 12;
}  // namespace img

class ImageTable {
public:
    ImageTable();  // the twelve fixed images and the three break images
    int count() const { return static_cast<int>(refs_.size()); }
    const ImageRef& at(int i) const { return refs_.at(static_cast<size_t>(i)); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    // Insert at index (clamped to the end), shifting the images behind it.
    void insert(int index, ImageRef ref);
    // The same for several images, in their order.
    void insert(int index, std::vector<ImageRef> refs);
    int append(ImageRef ref);
    // Insert a bitmap described by its folder (with separator) and name.
    void insertBitmap(int index, const std::string& folder, const std::string& name);
    // The file an image is drawn from: the path of a bitmap or captured
    // icon, the extension of an extension icon, empty otherwise.
    std::string file(const ImageRef& ref) const;
    std::string file(int i) const { return file(at(i)); }
    // Delete every image from index on (Undo and reload trim the lists).
    void truncate(int index);
    // Back to the fixed images followed by the three break images.
    void reset();

private:
    std::vector<ImageRef> refs_;
    std::vector<std::string> folders_;  // of bitmaps, see ImageRef::folder
    std::uint64_t nextSerial_ = 1;
};

}  // namespace orbel
