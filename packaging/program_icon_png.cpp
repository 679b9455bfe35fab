// Writes the program's picture as a PNG file for the desktop's icon theme:
//   orbel_program_icon_png <size> <file.png>
// The build runs it, so the installed icon is the tray picture itself.

#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "app/images/program_icon.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <size> <file.png>\n", argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size < 1 || size > 1024) {
        std::fprintf(stderr, "%s: no size %s\n", argv[0], argv[1]);
        return 2;
    }
    if (!orbel::ProgramIconImage(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
