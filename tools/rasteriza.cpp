// Build-time tool: renders an SVG drawing to a JPEG of exactly the pixel size
// its width and height attributes state.
//   rasteriza in.svg out.jpg
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "use: rasteriza in.svg out.jpg\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const QSize tam = svg.defaultSize();
    if (!svg.isValid() || tam.isEmpty()) {
        std::fprintf(stderr, "rasteriza: %s is not a drawing with a size\n", argv[1]);
        return 1;
    }
    QImage img(tam, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(tam)));
    }
    if (!img.save(QString::fromLocal8Bit(argv[2]), "JPG", 92)) {
        std::fprintf(stderr, "rasteriza: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
