// Reader of Windows cursor files: animated cursors (RIFF "ACON", .ani) and single cursor or icon
// files (.cur, .ico). It stands in for the system's LoadCursorFromFile: the result is plain
// images, hot spots and display steps, which the shell turns into cursors and animates.
//
// Every size and count read from a file is checked against the bytes actually present and
// against fixed limits before anything is allocated, so a damaged or hostile file gives "no
// cursor", never a crash or a large allocation.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

namespace plataforma {

struct CursorFrame {
    QImage image;    // ARGB32, at most kMaxCursorSide on each side
    QPoint hotSpot;  // inside the image
};

struct CursorStep {
    int frame = 0;    // index into AnimatedCursor::frames
    int jiffies = 1;  // how long the step shows, in 1/60 s (at least 1)
};

struct AnimatedCursor {
    std::vector<CursorFrame> frames;
    std::vector<CursorStep> steps;  // the display order; a still cursor has one step
    bool isAnimated() const { return steps.size() > 1; }
};

inline constexpr qsizetype kMaxCursorFileBytes = 4 * 1024 * 1024;
inline constexpr int kMaxCursorFrames = 256;
inline constexpr int kMaxCursorSteps = 1024;
inline constexpr int kMaxCursorSide = 256;

// Parses a whole .ani, .cur or .ico file held in memory. On failure returns nothing and, when
// `why` is given, a short English reason (for tests and debugging; the game reports nothing).
std::optional<AnimatedCursor> parseCursorFile(QByteArrayView data, QString* why = nullptr);

// Reads and parses a file; files above kMaxCursorFileBytes are refused unread.
std::optional<AnimatedCursor> loadCursorFile(const QString& path, QString* why = nullptr);

// One cursor/icon image of an ICONDIR container (.cur/.ico), the entry nearest to 32 x 32.
std::optional<CursorFrame> parseCursorImage(QByteArrayView data, QString* why = nullptr);

}  // namespace plataforma
