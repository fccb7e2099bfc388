#pragma once

#include <QHash>
#include <QLine>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace browser {

// Sizes and positions of the main window are kept in twips, at a fixed 15 twips per device-independent
// pixel (Qt scales pixels for high-density screens itself).
inline constexpr int kTwipsPerPixel = 15;
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);
QRect twipsToPixels(const QRect& twips);
QLine twipsToPixels(const QLine& twips);

// Design sizes of the main window.
inline constexpr int kDesignWindowHeight = 6960;
inline constexpr int kMinimumClientHeight = 6300;
inline constexpr int kDesignWindowWidth = 9585;
inline constexpr int kClientWidth = 9495;

// The game list is narrow beside the screenshot and takes its place when screenshots are off.
inline constexpr int kListWidthWithScreenshot = 4095;
inline constexpr int kListWidthWithoutScreenshot = 9015;

// Where a control goes when the layout has no room for it.
inline constexpr int kOutOfSight = -20000;

struct MainWindowSizes
{
    int initialHeight = 0; // window height whose client area is kMinimumClientHeight high
    int minimumClientHeight = kMinimumClientHeight;
    int fixedWidth = 0; // window width whose client area is kClientWidth wide; never changes
};

// The start-up sizing: the window is made just tall and wide enough for the design client area, given
// how much the window's frame adds to the client area in each direction (0 where the window's size is
// its client size, as a Qt top-level's geometry is).
MainWindowSizes SizeMainWindow(int frameHeightTwips = 0, int frameWidthTwips = 0);

// The two check entries of the View menu that change the layout.
struct MainWindowView
{
    bool screenshots = true;       // "&Screenshots"
    bool scrollingComment = false; // "Scrolling &Comment"
    // The width each button of the row needs for its caption, in twips and in the row's order; the
    // row is shared out in proportion to them. Empty: all buttons equally wide.
    std::vector<int> buttonWidths = {};
};

// The button row spans the client width between the margins; each button gets a share in proportion
// to the width it asks for (all the same when none is given). Left edges and widths, in twips.
std::vector<std::pair<int, int>> buttonRowColumns(const std::vector<int>& wanted, int count);
// The buttons of the row, left to right, by object name (the order buttonWidths follows).
QStringList buttonRowOrder();

// ApplyScreenshotView: the list's width and whether the screenshot shows.
struct ScreenshotView
{
    int listWidth = kListWidthWithScreenshot;
    bool screenshotVisible = true;
};
ScreenshotView ApplyScreenshotView(bool screenshotsChecked);

struct Placement
{
    QRect rect; // twips, relative to the client area
    bool visible = true;
};

// Everything the resize places, keyed by the controls' object names. The separator lines are named
// linButtons (above the detail labels' buttons), linComment (above the comment) and linFiles (above
// the file names).
struct MainWindowLayout
{
    QHash<QString, Placement> controls;
    QHash<QString, QLine> lines;

    Placement control(const QString& name) const { return controls.value(name, Placement{{}, false}); }
    int listWidth() const { return controls.value(QStringLiteral("lstGames")).rect.width(); }
    bool titleVisible() const { return control(QStringLiteral("lblGN")).visible; }
    bool legendVisible() const { return control(QStringLiteral("picKey")).visible; }
};

// The layout for a client area clientHeight twips high (the width is fixed), from the bottom up.
// Below the minimum client height there is no layout: the window keeps the last one.
std::optional<MainWindowLayout> layoutMainWindow(int clientHeight, const MainWindowView& view);

// One resize of the window.
struct ResizeInput
{
    bool loaded = false; // nothing is laid out before the window has finished loading
    bool minimised = false;
    int windowWidth = 0;
    int clientHeight = 0;
    MainWindowSizes sizes = SizeMainWindow();
    MainWindowView view;
};
struct ResizeOutcome
{
    // The window is resizable in height only: put its width back to sizes.fixedWidth (with the loaded
    // flag cleared meanwhile, so the resize this causes does nothing).
    bool restoreWidth = false;
    std::optional<MainWindowLayout> layout;
};
ResizeOutcome Form_Resize(const ResizeInput& input);

} // namespace browser
