#include "core/store/image_table.h"

#include <iterator>

namespace orbel {

ImageTable::ImageTable() { reset(); }

void ImageTable::insert(int index, ImageRef ref) {
    ref.serial = nextSerial_++;
    if (index < 0 || index > count()) index = count();
    refs_.insert(refs_.begin() + index, std::move(ref));
}

void ImageTable::insert(int index, std::vector<ImageRef> refs) {
    for (ImageRef& ref : refs) ref.serial = nextSerial_++;
    if (index < 0 || index > count()) index = count();
    refs_.insert(refs_.begin() + index, std::make_move_iterator(refs.begin()), std::make_move_iterator(refs.end()));
}

int ImageTable::append(ImageRef ref) {
    insert(count(), std::move(ref));
    return count() - 1;
}

void ImageTable::insertBitmap(int index, const std::string& folder, const std::string& name) {
    // The loader reads a folder's lines together, so the folder is most
    // often the one added last.
    if (folders_.empty() || folders_.back() != folder) folders_.push_back(folder);
    ImageRef ref{ImageRef::Kind::Bitmap, 0, name, 0, static_cast<std::uint32_t>(folders_.size())};
    insert(index, std::move(ref));
}

std::string ImageTable::file(const ImageRef& ref) const {
    if (ref.folder == 0 || ref.folder > folders_.size()) return ref.source;
    return folders_[ref.folder - 1] + ref.source;
}

void ImageTable::truncate(int index) {
    if (index < 0) index = 0;
    if (index < count()) refs_.resize(static_cast<size_t>(index));
}

void ImageTable::reset() {
    refs_.clear();
    folders_.clear();
    for (int i = 0; i < img::FixedCount; ++i) append({ImageRef::Kind::Fixed, i, {}, 0});
    for (int b = 1; b <= 3; ++b) append({ImageRef::Kind::Break, b, {}, 0});
}

}  // namespace orbel
