#include "app/manager/file_icons.h"

#include <QImage>

#include "app/images/image_lists.h"
#include "core/store/store_loader.h"

namespace orbel {

int CaptureFileIcon(ItemStore& store, const QString& file) {
    ImageRef ref;
    ref.kind = ImageRef::Kind::Captured;
    ref.source = file.toStdString();
    return store.images.append(std::move(ref));
}

bool WriteIconBitmap(const ImageLists& images, int imageIndex, const QString& path) {
    const QImage tree = images.treeImage(imageIndex);
    if (tree.isNull() || tree.height() < 17) return false;
    // The tree picture is drawn on white, so no alpha is lost here; a 24-bit
    // BMP is what the loader expects (white is its mask colour).
    const QImage bmp = tree.copy(0, 1, 16, 16).convertToFormat(QImage::Format_RGB888);
    return bmp.save(path, "BMP");
}

}  // namespace orbel
