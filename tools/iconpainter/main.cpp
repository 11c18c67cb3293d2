// paint_icons OUTPUT_DIR: writes the application icon into OUTPUT_DIR/hicolor/, as
// scalable/apps/quarten.svg and as <n>x<n>/apps/quarten.png for each shipped size.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "tools/iconpainter/IconWriter.h"

namespace {

// The sizes desktops ask for most: menus and docks (48, 64), launchers and app stores
// (128, 256). Smaller ones are scaled down from these or from the SVG.
constexpr int kSizes[] = {32, 48, 64, 128, 256};

bool MakeFolder(const QString& folder) {
    if (QDir().mkpath(folder)) return true;
    std::fprintf(stderr, "paint_icons: cannot create %s\n", qPrintable(folder));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || args[1].startsWith("-")) {
        std::fprintf(stderr, "usage: paint_icons OUTPUT_DIR\n");
        return 2;
    }
    using namespace quarten::iconpainter;
    const std::vector<Layer> layers = AppIconLayers();
    const QDir root(QDir(args[1]).filePath("hicolor"));

    const QString scalable = root.filePath("scalable/apps");
    if (!MakeFolder(scalable)) return 1;
    QFile svg(QDir(scalable).filePath("quarten.svg"));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        svg.write(SvgText(layers).toUtf8()) < 0 || !svg.flush()) {
        std::fprintf(stderr, "paint_icons: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }

    for (const int size : kSizes) {
        const QString folder = root.filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!MakeFolder(folder)) return 1;
        const QString path = QDir(folder).filePath("quarten.png");
        if (!Render(layers, size).save(path, "PNG", 0)) {
            std::fprintf(stderr, "paint_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
