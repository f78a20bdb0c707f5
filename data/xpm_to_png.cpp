// Build-time converter for the installed icon: xpm_to_png <in.xpm> <out.png>.
// The window icon is kept as XPM source; desktops want PNG.
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <in.xpm> <out.png>\n", argv[0]);
        return 2;
    }
    QImage image;
    if (!image.load(QString::fromLocal8Bit(argv[1]), "XPM")) {
        std::fprintf(stderr, "xpm_to_png: cannot read %s as XPM\n", argv[1]);
        return 1;
    }
    // Keep the transparent background even when no pixel of the first rows is opaque.
    const QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (!out.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpm_to_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
