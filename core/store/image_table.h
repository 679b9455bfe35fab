#pragma once
// The two image lists (16 x 16 for menus, 16 x 18 for trees) always hold the
// same images in the same order, so one table of image descriptions serves
// both; the program renders each description in the two sizes when shown.

#include <cstdint>
#include <string>
#include <vector>

namespace orbel {

struct ImageRef {
    enum class Kind { Fixed, Extension, Break, Bitmap, Captured };
    Kind kind = Kind::Fixed;
    int number = 0;       // Fixed: the form image 0..11; Break: 1..3
    std::string source;   // Extension: the extension; Bitmap, Captured: the file
    std::uint64_t serial = 0;  // unique per description, for caches
};

// Fixed images that come with the form.
namespace img {
constexpr int Folder = 0, OpenFolder = 1, BuiltIn = 2, PlainSeparator = 3, TextSeparator = 4,
              TopMarker = 5, NoExtension = 6, Digit1 = 7, HelpBook = 8, Manage = 9, Gear = 10,
              Digit2 = 11;
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
    int append(ImageRef ref);
    // Delete every image from index on (Undo and reload trim the lists).
    void truncate(int index);
    // Back to the fixed images followed by the three break images.
    void reset();

private:
    std::vector<ImageRef> refs_;
    std::uint64_t nextSerial_ = 1;
};

}  // namespace orbel
