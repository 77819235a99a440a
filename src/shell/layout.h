// The cabinet's one table of positions.
//
// The main window places its controls from this table and the art generator in tools/ paints the
// cabinet's features (lamp sockets, LCD windows, web strip, reel window, button column, mascot eye)
// under the very same rectangles, so the two can never drift apart. Plain constexpr data, no Qt:
// the generator and the tests include it too.
#pragma once

#include <array>

namespace layout {

struct Rect {
    int left, top, width, height;
    constexpr int right() const { return left + width; }   // exclusive
    constexpr int bottom() const { return top + height; }  // exclusive
};

inline constexpr int kCabinetWidth = 800;
inline constexpr int kCabinetHeight = 600;

// Reel grid: column A (reel 1) .. C (reel 3), rows 1 (top) .. 3 (bottom).
inline constexpr int kCellWidth = 140;
inline constexpr int kCellHeight = 92;
inline constexpr std::array<int, 3> kReelColumnLeft = {190, 330, 470};
inline constexpr std::array<int, 3> kReelRowTop = {292, 384, 476};
constexpr Rect reelCell(int reel /*1..3*/, int row /*1..3*/) {
    return {kReelColumnLeft[reel - 1], kReelRowTop[row - 1], kCellWidth, kCellHeight};
}
inline constexpr Rect kReelGrid = {190, 292, 420, 276};

// Frame bars drawn over the cell edges.
inline constexpr std::array<int, 4> kVerticalBarLeft = {181, 321, 461, 601};  // 01..04
inline constexpr int kVerticalBarTop = 292;
inline constexpr int kVerticalBarWidth = 18;
inline constexpr int kVerticalBarHeight = 276;
inline constexpr std::array<int, 2> kHorizontalBarTop = {277, 564};  // 01, 02
inline constexpr int kHorizontalBarLeft = 181;
inline constexpr int kHorizontalBarWidth = 438;
inline constexpr int kHorizontalBarHeight = 18;

// The pay line: a grey dotted rounded rectangle across the middle row.
inline constexpr Rect kPayLine = {199, 429, 402, 2};

// Buttons.
inline constexpr Rect kSair = {128, 229, 65, 30};
inline constexpr Rect kGirar = {621, 509, 156, 60};
inline constexpr Rect kApostar01 = {621, 293, 156, 60};
inline constexpr Rect kApostar05 = {621, 358, 156, 60};
inline constexpr Rect kApostar10 = {621, 423, 156, 60};

// LCD displays and labels.
inline constexpr Rect kCredito = {526, 200, 224, 28};
inline constexpr Rect kAposta = {526, 232, 224, 28};
inline constexpr Rect kMensagem = {526, 168, 159, 28};
inline constexpr Rect kWebSite = {148, 131, 177, 13};

// Pay table picture and the mascot's eye.
inline constexpr Rect kPainelPontuacao = {23, 279, 158, 302};
inline constexpr Rect kOlho = {368, 110, 21, 25};

// The twelve lamps, 24 x 24 circles, clockwise from lower left to lower right.
inline constexpr int kLampSize = 24;
struct Point {
    int x, y;
};
inline constexpr std::array<Point, 12> kLamps = {{
    {33, 237},
    {45, 201},
    {64, 169},
    {87, 139},
    {115, 113},
    {144, 91},
    {176, 73},
    {614, 80},
    {640, 98},
    {666, 120},
    {690, 144},
    {711, 171},
}};
constexpr Rect lamp(int n /*1..12*/) { return {kLamps[n - 1].x, kLamps[n - 1].y, kLampSize, kLampSize}; }
constexpr Rect verticalBar(int n /*1..4*/) {
    return {kVerticalBarLeft[n - 1], kVerticalBarTop, kVerticalBarWidth, kVerticalBarHeight};
}
constexpr Rect horizontalBar(int n /*1..2*/) {
    return {kHorizontalBarLeft, kHorizontalBarTop[n - 1], kHorizontalBarWidth, kHorizontalBarHeight};
}

}  // namespace layout
