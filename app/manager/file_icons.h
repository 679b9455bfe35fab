#pragma once
// Icons the item manager captures from files and the bitmaps Save writes
// from the tree's images.

#include <QString>

namespace orbel {

class ImageLists;
struct ItemStore;

// Appends the file's small icon to both image lists (one image table serves
// them). The caller counts it in the tree's captured icons. Returns the new index.
int CaptureFileIcon(ItemStore& store, const QString& file);

// Writes the 16 x 16 icon bitmap of an image: rows 1 to 16 of its 16 x 18
// tree picture, as BMP. False when the image is unknown or the file cannot
// be written.
bool WriteIconBitmap(const ImageLists& images, int imageIndex, const QString& path);

}  // namespace orbel
