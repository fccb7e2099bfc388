#include "DemoScreens.h"

#include "GifWriter.h"
#include "IndexedImage.h"

#include <cstdint>

namespace demofiles {

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

// The C64's palette, colours 0 to 15.
constexpr std::uint32_t kPalette[16] = {
    0x000000, 0xFFFFFF, 0x68372B, 0x70A4B2, 0x6F3D86, 0x588D43, 0x352879, 0xB8C76F,
    0x6F4F25, 0x433900, 0x9A6759, 0x444444, 0x6C6C6C, 0x9AD284, 0x6C5EB5, 0x959595,
};

enum Colour : std::uint8_t
{
    Black,
    White,
    Red,
    Cyan,
    Purple,
    Green,
    Blue,
    Yellow,
    Orange,
    Brown,
    LightRed,
    DarkGrey,
    Grey,
    LightGreen,
    LightBlue,
    LightGrey,
};

class Screen
{
public:
    explicit Screen(Colour background)
    {
        m_image.width = kWidth;
        m_image.height = kHeight;
        for (std::uint32_t rgb : kPalette)
            m_image.palette.push_back({std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)});
        m_image.pixels.assign(std::size_t(kWidth * kHeight), background);
    }

    void plot(int x, int y, Colour c)
    {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
            m_image.pixels[std::size_t(y * kWidth + x)] = c;
    }
    void fillRect(int left, int top, int width, int height, Colour c)
    {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                plot(x, y, c);
    }
    void fillCircle(int cx, int cy, int r, Colour c)
    {
        for (int y = -r; y <= r; ++y)
            for (int x = -r; x <= r; ++x)
                if (x * x + y * y <= r * r)
                    plot(cx + x, cy + y, c);
    }
    // A small linear congruential generator: the same stars on every build.
    void stars(int count, std::uint32_t seed, int maxY)
    {
        for (int i = 0; i < count; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int x = int((seed >> 8) % kWidth);
            seed = seed * 1103515245u + 12345u;
            const int y = int((seed >> 8) % std::uint32_t(maxY));
            plot(x, y, i % 5 == 0 ? LightGrey : White);
        }
    }

    IndexedImage& image() { return m_image; }

private:
    IndexedImage m_image;
};

void drawAstroMiner(Screen& s)
{
    s.stars(90, 1984, kHeight);
    s.fillCircle(70, 60, 28, DarkGrey);
    s.fillCircle(62, 52, 7, Grey);
    s.fillCircle(240, 140, 36, Brown);
    s.fillCircle(228, 128, 9, Orange);
    s.fillCircle(255, 150, 6, Orange);
    s.fillCircle(170, 40, 10, Grey);
    // The miner's ship: hull, cockpit and flame.
    for (int row = 0; row < 14; ++row)
        s.fillRect(140 + row, 120 - row / 2, 30 - 2 * row, 1, LightGrey);
    s.fillRect(146, 114, 18, 8, LightGrey);
    s.fillRect(151, 110, 8, 5, Cyan);
    s.fillRect(150, 122, 10, 4, Yellow);
    s.fillRect(152, 126, 6, 4, Orange);
    // Score line.
    s.fillRect(0, 188, kWidth, 12, Blue);
    s.fillRect(8, 191, 60, 6, LightBlue);
    s.fillRect(250, 191, 62, 6, LightBlue);
}

void drawGalacticGarden(Screen& s)
{
    s.stars(70, 1991, 120);
    s.fillCircle(260, 40, 18, LightGrey);
    s.fillCircle(254, 34, 4, Grey);
    s.fillRect(0, 140, kWidth, 60, Brown);
    s.fillRect(0, 136, kWidth, 4, Green);
    for (int i = 0; i < 7; ++i) {
        const int x = 24 + i * 44;
        const int height = 20 + (i * 13) % 30;
        s.fillRect(x, 136 - height, 3, height, Green);
        s.fillCircle(x + 1, 136 - height, 7, i % 2 ? LightRed : Purple);
        s.fillCircle(x + 1, 136 - height, 3, Yellow);
        s.fillRect(x - 6, 136 - height / 2, 6, 3, LightGreen);
    }
    s.fillRect(140, 150, 40, 14, LightBlue); // the gardener's hover-cart
    s.fillRect(150, 144, 20, 6, Cyan);
}

void drawNibbleNights(Screen& s)
{
    static const Colour blocks[] = {Red, Green, Yellow, Cyan, Purple, Orange, LightBlue};
    s.fillRect(56, 16, 208, 168, DarkGrey);
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 10; ++col) {
            const Colour c = blocks[(row * 3 + col * 5 + row * col) % 7];
            s.fillRect(60 + col * 20, 20 + row * 20, 18, 18, c);
            s.fillRect(60 + col * 20, 20 + row * 20, 18, 2, White);
        }
    s.fillRect(120, 60, 38, 38, Black); // the gap the player fills
    s.fillRect(0, 190, kWidth, 10, Blue);
}

} // namespace

std::optional<QByteArray> demoScreenshot(DemoScreen screen, QString* error)
{
    Screen s(screen == DemoScreen::NibbleNights ? Blue : Black);
    switch (screen) {
    case DemoScreen::AstroMiner:
        drawAstroMiner(s);
        break;
    case DemoScreen::GalacticGarden:
        drawGalacticGarden(s);
        break;
    case DemoScreen::NibbleNights:
        drawNibbleNights(s);
        break;
    }
    QByteArray gif;
    if (!encodeGif(s.image(), &gif, error))
        return std::nullopt;
    return gif;
}

} // namespace demofiles
