// Renders the application's SVG icon at the sizes desktops look for, through Qt's SVG image
// plugin: orvane-make-icons ICON.svg DIRECTORY SIZE... writes DIRECTORY/orvane-SIZE.png.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // for the plugin paths
    if (argc < 4) {
        std::fprintf(stderr, "usage: orvane-make-icons ICON.svg DIRECTORY SIZE...\n");
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QString dir = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int side = QString::fromLatin1(argv[i]).toInt();
        if (side < 8 || side > 1024) {
            std::fprintf(stderr, "orvane-make-icons: '%s' is no icon size (8 to 1024)\n", argv[i]);
            return 2;
        }
        QImageReader reader(svg, "svg");
        reader.setScaledSize(QSize(side, side));
        const QImage image = reader.read();
        if (image.isNull()) {
            std::fprintf(stderr, "orvane-make-icons: cannot render '%s': %s\n", argv[1],
                         qPrintable(reader.errorString()));
            return 1;
        }
        const QString png = QStringLiteral("%1/orvane-%2.png").arg(dir).arg(side);
        if (!image.save(png, "PNG")) {
            std::fprintf(stderr, "orvane-make-icons: cannot write '%s'\n", qPrintable(png));
            return 1;
        }
    }
    return 0;
}
