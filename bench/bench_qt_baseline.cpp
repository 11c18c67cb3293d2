// The smallest Qt Widgets program with a window like quarten's (frameless, 900 x 660, drawn
// from one image): what start-up time and memory any such program costs here, so that the
// part quarten adds can be told apart.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "ui/ReadySignal.h"

namespace {

class Surface : public QWidget {
public:
    Surface() : image_(900, 660, QImage::Format_ARGB32_Premultiplied) {
        image_.fill(Qt::darkCyan);
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(image_.size());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image_);
    }

private:
    QImage image_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Surface surface;
    surface.show();
    quarten::AnnounceReadyWhenShown(&surface);
    return QApplication::exec();
}
