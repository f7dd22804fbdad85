#include "server/demo/DemoPhoto.h"

namespace zel::server::demo {

namespace {
void putLittleEndian(QByteArray& out, qsizetype at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + i] = char((value >> (8 * i)) & 0xFF);
}

struct Rgb {
    int r, g, b;
};
}  // namespace

QByteArray DemoPhoto::bitmap(int variant)
{
    variant = ((variant % kVariants) + kVariants) % kVariants;
    const Rgb backgrounds[kVariants] = {{205, 215, 230}, {225, 225, 215}, {200, 220, 205}, {230, 210, 210},
                                        {215, 215, 215}, {190, 205, 225}, {235, 225, 200}, {210, 200, 225}};
    const Rgb skins[4] = {{235, 200, 175}, {210, 170, 140}, {190, 150, 120}, {240, 210, 190}};
    const Rgb clothes[4] = {{40, 50, 80}, {70, 70, 70}, {90, 40, 40}, {30, 70, 60}};
    const Rgb background = backgrounds[variant];
    const Rgb skin = skins[variant % 4];
    const Rgb cloth = clothes[(variant / 2) % 4];
    const Rgb hair = {50 + 20 * (variant % 3), 35 + 10 * (variant % 3), 25};

    // Rows of a BMP are padded to four bytes and stored bottom-up, pixels as B, G, R.
    const int rowSize = (kWidth * 3 + 3) / 4 * 4;
    const int pixelBytes = rowSize * kHeight;
    const int headerSize = 14 + 40;
    QByteArray out(headerSize + pixelBytes, '\0');
    out[0] = 'B';
    out[1] = 'M';
    putLittleEndian(out, 2, quint32(out.size()), 4);
    putLittleEndian(out, 10, headerSize, 4);
    putLittleEndian(out, 14, 40, 4);          // BITMAPINFOHEADER
    putLittleEndian(out, 18, kWidth, 4);
    putLittleEndian(out, 22, kHeight, 4);     // positive: bottom-up
    putLittleEndian(out, 26, 1, 2);           // planes
    putLittleEndian(out, 28, 24, 2);          // bits per pixel
    putLittleEndian(out, 34, quint32(pixelBytes), 4);
    putLittleEndian(out, 38, 2835, 4);        // 72 dpi
    putLittleEndian(out, 42, 2835, 4);

    const double cx = kWidth / 2.0;
    for (int y = 0; y < kHeight; ++y) {        // y from the top of the picture
        for (int x = 0; x < kWidth; ++x) {
            Rgb c = background;
            const double dx = (x - cx) / 13.0;
            const double head = dx * dx + ((y - 32.0) / 17.0) * ((y - 32.0) / 17.0);
            const double hairCap = dx * dx / 1.2 + ((y - 25.0) / 14.0) * ((y - 25.0) / 14.0);
            const double shoulders = ((x - cx) / 28.0) * ((x - cx) / 28.0) + ((y - 88.0) / 30.0) * ((y - 88.0) / 30.0);
            if (shoulders <= 1.0)
                c = cloth;
            if (hairCap <= 1.0 && y < 28)
                c = hair;
            else if (head <= 1.0)
                c = skin;
            const qsizetype at = headerSize + qsizetype(kHeight - 1 - y) * rowSize + qsizetype(x) * 3;
            out[at] = char(c.b);
            out[at + 1] = char(c.g);
            out[at + 2] = char(c.r);
        }
    }
    return out;
}

}  // namespace zel::server::demo
