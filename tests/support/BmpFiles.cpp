#include "BmpFiles.h"

#include <QtEndian>

#include <cstdlib>

namespace testsupport {

QByteArray paletteBmp(int width, int height, int bits, QByteArray pixels, bool core, int compression)
{
    const int colours = 1 << bits;
    const int entry = core ? 3 : 4;
    const int infoSize = core ? 12 : 40;
    if (pixels.isEmpty()) {
        pixels.resize((width * bits + 31) / 32 * 4 * std::abs(height));
        for (qsizetype i = 0; i < pixels.size(); ++i)
            pixels[i] = char((i * 37) & 0xff);
    }
    const int offset = 14 + infoSize + colours * entry;
    QByteArray out(offset, '\0');
    char* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(quint32(offset + pixels.size()), p + 2);
    qToLittleEndian<quint32>(quint32(offset), p + 10);
    qToLittleEndian<quint32>(quint32(infoSize), p + 14);
    if (core) {
        qToLittleEndian<quint16>(quint16(width), p + 18);
        qToLittleEndian<quint16>(quint16(height), p + 20);
        qToLittleEndian<quint16>(1, p + 22);
        qToLittleEndian<quint16>(quint16(bits), p + 24);
    } else {
        qToLittleEndian<qint32>(width, p + 18);
        qToLittleEndian<qint32>(height, p + 22);
        qToLittleEndian<quint16>(1, p + 26);
        qToLittleEndian<quint16>(quint16(bits), p + 28);
        qToLittleEndian<quint32>(quint32(compression), p + 30);
        qToLittleEndian<quint32>(quint32(colours), p + 46);
    }
    for (int c = 0; c < colours; ++c) {
        char* e = p + 14 + infoSize + c * entry;
        e[0] = char(c * 16);
        e[1] = char(255 - c * 8);
        e[2] = char(c * 5);
    }
    return out + pixels;
}

QByteArray ccs64Dump(int seed)
{
    QByteArray pixels(504 * 312, '\0');
    for (int y = 51; y < 251; ++y) {
        for (int x = 128; x < 448; ++x)
            pixels[(311 - y) * 504 + x] = char(dumpColour(x - 128, y - 51, seed));
    }
    QByteArray dump = paletteBmp(504, 312, 8, pixels);
    qToLittleEndian<quint32>(256, dump.data() + 50);
    return dump;
}

} // namespace testsupport
