// paint_skins OUTPUT_DIR: paints every shipped skin into OUTPUT_DIR/<skin name>/.
// paint_skins --preview OUTPUT_DIR SKIN_DIR: composes page and dialog pictures from the
// images in SKIN_DIR, with the labels the program draws, to judge a skin by eye.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/skinpainter/Palette.h"
#include "tools/skinpainter/SkinPainter.h"

int main(int argc, char** argv) {
    // Painting needs no display; the previews need fonts, which the offscreen platform has.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    using namespace quarten::skinpainter;
    if (args.size() == 4 && args[1] == "--preview") {
        return WritePreviews(args[3], args[2]) ? 0 : 1;
    }
    if (args.size() != 2 || args[1].startsWith("-")) {
        std::fprintf(stderr,
                     "usage: paint_skins OUTPUT_DIR\n"
                     "       paint_skins --preview OUTPUT_DIR SKIN_DIR\n");
        return 2;
    }
    for (const Palette* pal : AllPalettes()) {
        if (!WriteSkin(QDir(args[1]).filePath(pal->name), *pal)) return 1;
    }
    return 0;
}
