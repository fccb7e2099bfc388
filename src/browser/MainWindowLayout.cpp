#include "browser/MainWindowLayout.h"

#include <QtMath>

#include <algorithm>
#include <iterator>
#include <numeric>

namespace browser {

namespace {

// Design values of the form: horizontal positions and sizes in twips.
constexpr int kMargin = 120;
constexpr int kRight = kClientWidth - kMargin;
constexpr int kLabelHeight = 225;

constexpr int kListTop = 420;

constexpr int kScreenshotWidth = 4800; // a C64 screen, 320 by 200 pixels
constexpr int kScreenshotHeight = 3000;
constexpr int kScreenshotLeft = kRight - kScreenshotWidth;

constexpr int kTitleHeight = 600; // the large name in its big font
constexpr int kTitleGap = 10;
constexpr int kTitleTopMargin = 60;

constexpr int kLegendWidth = 3000; // heading and four entries
constexpr int kLegendHeight = 1080;
constexpr int kLegendIndent = 500;

constexpr int kButtonHeight = 330;
constexpr int kButtonGap = 15;

// Two columns of caption and value: caption left, caption width, value left, value width.
constexpr int kLeftCaption = kMargin;
constexpr int kLeftValue = 1560;
constexpr int kRightCaption = 5280;
constexpr int kRightValue = 6840;
constexpr int kCaptionWidth = 1335;
constexpr int kRightCaptionWidth = kRightValue - kRightCaption;
constexpr int kLeftValueWidth = 5175 - kLeftValue;
constexpr int kRightValueWidth = kRight - kRightValue;

// The file-name row: three caption and value pairs side by side.
constexpr int kFileColumn = 3085;
constexpr int kFileCaptionWidth = 1020;
constexpr int kFileValueWidth = 2010;

// The detail rows: distance of the row's top from the client bottom, and the four controls from left
// to right (left caption, right caption, left value, right value).
struct DetailRow
{
    int fromBottom;
    const char* leftCaption;
    const char* rightCaption;
    const char* leftValue;
    const char* rightValue;
};
constexpr DetailRow kDetailRows[] = {
    {2100, "Label10", "Label17", "lblName", "lblRating"},
    {1860, "Label12", "Label18", "lblPublisher", "lblDifficulty"},
    {1620, "Label11", "Label7", "lblYear", "lblTrainer"},
    {1380, "Label14", "Label6", "lblMusician", "lblHighScore"},
    {1140, "Label16", "Label3", "lblGenre", "lblTimesPlayed"},
    {900, "Label19", "Label4", "lblPlayers", "lblLastPlayed"},
};

constexpr const char* kButtons[] = {
    "cmdRandom",   "cmdAll",       "cmdGamesOnly", "cmdMusicOnly", "cmdRunGame", "cmdRun20Dos",
    "cmdRun20Win", "cmdPlayMusic", "cmdViewDocs",  "cmdReport",    "cmdAdd",     "cmdExit",
};

// The file-name row: caption label and value label of each pair.
constexpr const char* kFileRow[][2] = {
    {"Label1", "lblGameFile"},
    {"Label2", "lblMusicFile"},
    {"Label8", "lblDocFile"},
};

void place(MainWindowLayout& layout, const char* name, int left, int top, int width, int height, bool visible = true)
{
    layout.controls.insert(QString::fromLatin1(name), Placement{QRect(left, top, width, height), visible});
}

void hide(MainWindowLayout& layout, const char* name, int width, int height)
{
    place(layout, name, kOutOfSight, kOutOfSight, width, height, false);
}

void line(MainWindowLayout& layout, const char* name, int y)
{
    layout.lines.insert(QString::fromLatin1(name), QLine(kMargin, y, kRight, y));
}

void placeDetailRows(MainWindowLayout& layout, int h)
{
    for (const DetailRow& row : kDetailRows) {
        const int top = h - row.fromBottom;
        place(layout, row.leftCaption, kLeftCaption, top, kCaptionWidth, kLabelHeight);
        place(layout, row.rightCaption, kRightCaption, top, kRightCaptionWidth, kLabelHeight);
        place(layout, row.leftValue, kLeftValue, top, kLeftValueWidth, kLabelHeight);
        place(layout, row.rightValue, kRightValue, top, kRightValueWidth, kLabelHeight);
    }
    for (int i = 0; i < int(std::size(kFileRow)); ++i) {
        const int left = kMargin + i * kFileColumn;
        place(layout, kFileRow[i][0], left, h - 255, kFileCaptionWidth, kLabelHeight);
        place(layout, kFileRow[i][1], left + kFileCaptionWidth, h - 255, kFileValueWidth, kLabelHeight);
    }
}

// The screenshot band above the buttons: picture, large name and legend.
void placeScreenshotBand(MainWindowLayout& layout, int h, bool screenshots)
{
    const int pictureTop = (h - 2700) / 2 - kScreenshotHeight / 2 + 300;
    place(layout, "imgScreenShot", kScreenshotLeft, pictureTop, kScreenshotWidth, kScreenshotHeight, screenshots);

    // With screenshots off the list covers this band, so the name and the legend go as well.
    const int titleTop = pictureTop - kTitleGap - kTitleHeight;
    if (screenshots && titleTop >= kTitleTopMargin)
        place(layout, "lblGN", kScreenshotLeft, titleTop, kScreenshotWidth, kTitleHeight);
    else
        hide(layout, "lblGN", kScreenshotWidth, kTitleHeight);

    const int pictureBottom = pictureTop + kScreenshotHeight;
    const int room = (h - 2580) - pictureBottom;
    if (screenshots && room >= kLegendHeight)
        place(layout, "picKey", kScreenshotLeft + kLegendIndent, pictureBottom + (room - kLegendHeight) / 2,
              kLegendWidth, kLegendHeight);
    else
        hide(layout, "picKey", kLegendWidth, kLegendHeight);
}

} // namespace

int twipsToPixels(int twips)
{
    return qRound(double(twips) / kTwipsPerPixel);
}

int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

QRect twipsToPixels(const QRect& twips)
{
    // Convert the edges, not the size, so neighbours that touch in twips still touch in pixels.
    const int left = twipsToPixels(twips.left());
    const int top = twipsToPixels(twips.top());
    const int right = twipsToPixels(twips.left() + twips.width());
    const int bottom = twipsToPixels(twips.top() + twips.height());
    return QRect(left, top, right - left, bottom - top);
}

QLine twipsToPixels(const QLine& twips)
{
    return QLine(twipsToPixels(twips.x1()), twipsToPixels(twips.y1()), twipsToPixels(twips.x2()),
                 twipsToPixels(twips.y2()));
}

QStringList buttonRowOrder()
{
    QStringList names;
    for (const char* name : kButtons)
        names << QString::fromLatin1(name);
    return names;
}

std::vector<std::pair<int, int>> buttonRowColumns(const std::vector<int>& wanted, int count)
{
    const int room = (kRight - kMargin) - kButtonGap * (count - 1);
    std::vector<int> widths(std::size_t(std::max(count, 0)), 0);
    if (int(wanted.size()) == count && std::all_of(wanted.begin(), wanted.end(), [](int w) { return w > 0; }))
        widths = wanted;
    // What the row has over (or lacks) is shared out equally, so a long caption keeps the room it asks
    // for when the row is tight; the edges come from running sums, so the last button ends at the margin.
    const qint64 spare = room - std::accumulate(widths.begin(), widths.end(), qint64(0));
    std::vector<std::pair<int, int>> columns;
    int left = kMargin;
    qint64 before = 0;
    for (int i = 0; i < count; ++i) {
        const int start = int(spare * i / count);
        const int end = int(spare * (i + 1) / count);
        const int width = widths[std::size_t(i)] + end - start;
        columns.emplace_back(left, width);
        left += width + kButtonGap;
        before += width;
    }
    return columns;
}

MainWindowSizes SizeMainWindow(int frameHeightTwips, int frameWidthTwips)
{
    // Setting the design height first and then correcting by the client height it gave leaves the
    // client area exactly kMinimumClientHeight high, whatever the frame adds; likewise the width.
    const int clientAtDesignHeight = kDesignWindowHeight - frameHeightTwips;
    const int clientAtDesignWidth = kDesignWindowWidth - frameWidthTwips;
    MainWindowSizes sizes;
    sizes.initialHeight = kDesignWindowHeight + (kMinimumClientHeight - clientAtDesignHeight);
    sizes.minimumClientHeight = kMinimumClientHeight;
    sizes.fixedWidth = kDesignWindowWidth + (kClientWidth - clientAtDesignWidth);
    return sizes;
}

ScreenshotView ApplyScreenshotView(bool screenshotsChecked)
{
    if (screenshotsChecked)
        return {kListWidthWithScreenshot, true};
    return {kListWidthWithoutScreenshot, false};
}

std::optional<MainWindowLayout> layoutMainWindow(int h, const MainWindowView& view)
{
    if (h < kMinimumClientHeight)
        return std::nullopt;
    MainWindowLayout layout;
    placeDetailRows(layout, h);

    line(layout, "linFiles", h - 320);
    place(layout, "lblComment", kMargin, h - 570, kRight - kMargin, kLabelHeight + 15, !view.scrollingComment);
    place(layout, "picScroller", kMargin, h - 570, kRight - kMargin, kLabelHeight + 15, view.scrollingComment);
    line(layout, "linComment", h - 615);

    const auto columns = buttonRowColumns(view.buttonWidths, int(std::size(kButtons)));
    for (int i = 0; i < int(std::size(kButtons)); ++i)
        place(layout, kButtons[i], columns[std::size_t(i)].first, h - 2460, columns[std::size_t(i)].second,
              kButtonHeight);
    line(layout, "linButtons", h - 2580);

    const ScreenshotView shots = ApplyScreenshotView(view.screenshots);
    place(layout, "lstGames", kMargin, kListTop, shots.listWidth, h - 3300);
    placeScreenshotBand(layout, h, shots.screenshotVisible);
    return layout;
}

ResizeOutcome Form_Resize(const ResizeInput& input)
{
    ResizeOutcome outcome;
    if (!input.loaded || input.minimised)
        return outcome;
    outcome.restoreWidth = input.windowWidth != input.sizes.fixedWidth;
    if (input.clientHeight >= input.sizes.minimumClientHeight)
        outcome.layout = layoutMainWindow(input.clientHeight, input.view);
    return outcome;
}

} // namespace browser
