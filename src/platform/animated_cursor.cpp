#include "platform/animated_cursor.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace plataforma {
namespace {

bool fail(QString* why, const char* text) {
    if (why) *why = QString::fromLatin1(text);
    return false;
}

// Little-endian reads with the bounds already checked by the caller.
uint16_t u16(const char* p) { return uint16_t(uint8_t(p[0]) | (uint8_t(p[1]) << 8)); }
uint32_t u32(const char* p) {
    return uint32_t(uint8_t(p[0])) | (uint32_t(uint8_t(p[1])) << 8) | (uint32_t(uint8_t(p[2])) << 16) |
           (uint32_t(uint8_t(p[3])) << 24);
}
int32_t s32(const char* p) { return int32_t(u32(p)); }

bool tagIs(const char* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

struct Chunk {
    const char* id;
    QByteArrayView body;
};

// Splits a RIFF chunk list into chunks; false when a chunk runs past the end of its container.
bool splitChunks(QByteArrayView area, std::vector<Chunk>& out, QString* why) {
    qsizetype pos = 0;
    while (pos < area.size()) {
        if (area.size() - pos < 8) {
            // a lone pad byte (or a few) at the end is tolerated, a cut header is not
            if (area.size() - pos == 1) break;
            return fail(why, "truncated chunk header");
        }
        const char* h = area.data() + pos;
        const uint32_t size = u32(h + 4);
        if (size > uint64_t(area.size() - pos - 8)) return fail(why, "chunk runs past its end");
        out.push_back({h, area.sliced(pos + 8, qsizetype(size))});
        if (out.size() > size_t(4 * kMaxCursorFrames + 64)) return fail(why, "too many chunks");
        pos += 8 + qsizetype(size) + (size & 1);
    }
    return true;
}

// The colour table of a bitmap of 8 bits or fewer a pixel, read from pos on; pos moves past it.
bool readPalette(QByteArrayView d, qsizetype& pos, uint16_t bpp, uint32_t colorsUsed,
                 std::vector<QRgb>& palette, QString* why) {
    if (bpp > 8) return true;
    const uint32_t full = 1u << bpp;
    const uint32_t n = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
    if (d.size() - pos < qsizetype(n) * 4) return fail(why, "palette cut");
    for (uint32_t i = 0; i < n; ++i) {
        const char* p = d.data() + pos + i * 4;
        palette.push_back(qRgb(uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0])));
    }
    pos += qsizetype(n) * 4;
    return true;
}

// Fills img from the colour rows; says whether any pixel carries alpha.
bool decodeColorRows(QImage& img, const char* colors, qsizetype colorStride, uint16_t bpp,
                     const std::vector<QRgb>& palette) {
    const int w = img.width(), h = img.height();
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const char* row = colors + colorStride * (h - 1 - y);  // rows are stored bottom-up
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb c;
            if (bpp == 32) {
                const char* p = row + x * 4;
                c = qRgba(uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0]), uint8_t(p[3]));
                anyAlpha |= uint8_t(p[3]) != 0;
            } else if (bpp == 24) {
                const char* p = row + x * 3;
                c = qRgb(uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0]));
            } else {
                const int bit = x * bpp;
                const uint8_t byte = uint8_t(row[bit / 8]);
                const int shift = 8 - bpp - (bit % 8);
                const uint32_t index = (byte >> shift) & ((1u << bpp) - 1);
                c = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
            }
            out[x] = c;
        }
    }
    return anyAlpha;
}

// Without alpha the AND mask decides: a set bit is a transparent pixel.
void applyAndMask(QImage& img, const char* mask, qsizetype maskStride, bool hasMask) {
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        const char* row = mask + maskStride * (h - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool transparent = hasMask && (uint8_t(row[x / 8]) >> (7 - x % 8)) & 1;
            out[x] = transparent ? qRgba(0, 0, 0, 0) : (out[x] | 0xFF000000u);
        }
    }
}

// One device-independent bitmap of an icon/cursor entry: header, palette, colour rows, AND mask.
std::optional<QImage> decodeDib(QByteArrayView d, QString* why) {
    if (d.size() < 40) return fail(why, "bitmap header cut"), std::nullopt;
    const uint32_t headerSize = u32(d.data());
    if (headerSize < 40 || headerSize > uint32_t(d.size()))
        return fail(why, "bad bitmap header size"), std::nullopt;
    const int32_t width = s32(d.data() + 4);
    const int32_t doubleHeight = s32(d.data() + 8);
    const uint16_t bpp = u16(d.data() + 14);
    const uint32_t compression = u32(d.data() + 16);
    const uint32_t colorsUsed = u32(d.data() + 32);
    if (width < 1 || width > kMaxCursorSide || doubleHeight < 2 || doubleHeight > 2 * kMaxCursorSide)
        return fail(why, "bad bitmap size"), std::nullopt;
    if (compression != 0 && !(compression == 3 && bpp == 32))
        return fail(why, "compressed bitmap"), std::nullopt;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return fail(why, "unsupported bit depth"), std::nullopt;
    const int w = width, h = doubleHeight / 2;

    qsizetype pos = headerSize;
    if (compression == 3 && headerSize == 40) pos += 12;  // the three masks follow a v1 header
    std::vector<QRgb> palette;
    if (!readPalette(d, pos, bpp, colorsUsed, palette, why)) return std::nullopt;
    const qsizetype colorStride = ((qsizetype(w) * bpp + 31) / 32) * 4;
    const qsizetype maskStride = ((qsizetype(w) + 31) / 32) * 4;
    if (d.size() - pos < colorStride * h) return fail(why, "pixels cut"), std::nullopt;
    const char* colors = d.data() + pos;
    pos += colorStride * h;
    // Some writers leave out the AND mask of 32-bit images; alpha then says everything.
    const bool hasMask = d.size() - pos >= maskStride * h;
    if (!hasMask && bpp != 32) return fail(why, "mask cut"), std::nullopt;

    QImage img(w, h, QImage::Format_ARGB32);
    if (img.isNull()) return fail(why, "out of memory"), std::nullopt;
    if (!decodeColorRows(img, colors, colorStride, bpp, palette))
        applyAndMask(img, colors + colorStride * h, maskStride, hasMask);
    return img;
}

std::optional<QImage> decodePng(QByteArrayView d, QString* why) {
    QByteArray bytes = d.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);  // never load every image plugin to read a PNG
    const QSize size = reader.size();        // from the header, before any pixel is decoded
    if (!size.isValid() || size.width() > kMaxCursorSide || size.height() > kMaxCursorSide)
        return fail(why, "bad PNG size"), std::nullopt;
    QImage img = reader.read();
    if (img.isNull()) return fail(why, "bad PNG data"), std::nullopt;
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

std::optional<CursorFrame> parseCursorImage(QByteArrayView data, QString* why) {
    if (data.size() < 6 + 16) return fail(why, "cursor directory cut"), std::nullopt;
    const char* p = data.data();
    const uint16_t type = u16(p + 2);
    const uint16_t count = u16(p + 4);
    if (u16(p) != 0 || (type != 1 && type != 2) || count == 0)
        return fail(why, "not a cursor or icon"), std::nullopt;
    if (data.size() < 6 + qsizetype(count) * 16) return fail(why, "cursor directory cut"), std::nullopt;

    // The entry nearest to the usual cursor size, the deeper one on a tie.
    int best = -1, bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const char* e = p + 6 + i * 16;
        const int side = uint8_t(e[0]) == 0 ? 256 : uint8_t(e[0]);
        const int depth = type == 1 ? u16(e + 6) : 0;
        const int score = std::abs(side - 32) * 64 - depth;
        if (best < 0 || score < bestScore) best = i, bestScore = score;
    }
    const char* e = p + 6 + best * 16;
    const uint32_t bytes = u32(e + 8), offset = u32(e + 12);
    if (offset > uint64_t(data.size()) || bytes > uint64_t(data.size()) - offset || bytes == 0)
        return fail(why, "cursor image outside the file"), std::nullopt;
    const QByteArrayView body = data.sliced(offset, bytes);

    std::optional<QImage> img;
    if (body.size() >= 8 && std::memcmp(body.data(), "\x89PNG\r\n\x1a\n", 8) == 0)
        img = decodePng(body, why);
    else
        img = decodeDib(body, why);
    if (!img) return std::nullopt;

    CursorFrame frame;
    frame.image = *img;
    if (type == 2)
        frame.hotSpot = QPoint(u16(e + 4), u16(e + 6));
    else
        frame.hotSpot = QPoint(img->width() / 2, img->height() / 2);
    // A hot spot outside the picture is brought to its nearest edge.
    frame.hotSpot.setX(std::clamp(frame.hotSpot.x(), 0, img->width() - 1));
    frame.hotSpot.setY(std::clamp(frame.hotSpot.y(), 0, img->height() - 1));
    return frame;
}

namespace {

// A plain .cur or .ico file: one frame shown for good.
std::optional<AnimatedCursor> stillCursor(QByteArrayView data, QString* why) {
    auto frame = parseCursorImage(data, why);
    if (!frame) return std::nullopt;
    AnimatedCursor still;
    still.frames.push_back(*frame);
    still.steps.push_back({0, 1});
    return still;
}

// The chunks of an animated cursor's RIFF body that the player reads.
struct AniChunks {
    const Chunk* anih = nullptr;
    const Chunk* rate = nullptr;
    const Chunk* seq = nullptr;
    const Chunk* fram = nullptr;
};

AniChunks findAniChunks(const std::vector<Chunk>& top) {
    AniChunks found;
    for (const Chunk& c : top) {
        if (tagIs(c.id, "anih"))
            found.anih = &c;
        else if (tagIs(c.id, "rate"))
            found.rate = &c;
        else if (tagIs(c.id, "seq "))
            found.seq = &c;
        else if (tagIs(c.id, "LIST") && c.body.size() >= 4 && tagIs(c.body.data(), "fram"))
            found.fram = &c;
    }
    return found;
}

// The first nFrames icons of the frame list.
bool readFrames(const Chunk& fram, uint32_t nFrames, AnimatedCursor& result, QString* why) {
    std::vector<Chunk> icons;
    if (!splitChunks(fram.body.sliced(4), icons, why)) return false;
    for (const Chunk& c : icons) {
        if (!tagIs(c.id, "icon")) continue;
        if (result.frames.size() == nFrames) break;
        auto frame = parseCursorImage(c.body, why);
        if (!frame) return false;
        result.frames.push_back(std::move(*frame));
    }
    if (result.frames.size() != nFrames) return fail(why, "fewer frames than announced");
    return true;
}

// The order of the frames and how long each is shown, from seq and rate or their defaults.
bool readSteps(const AniChunks& ch, uint32_t nFrames, uint32_t nSteps, uint32_t defaultRate,
               AnimatedCursor& result, QString* why) {
    const Chunk* seq = ch.seq;
    const Chunk* rate = ch.rate;
    if (seq && seq->body.size() < qsizetype(nSteps) * 4) return fail(why, "seq chunk cut");
    if (rate && rate->body.size() < qsizetype(nSteps) * 4) return fail(why, "rate chunk cut");
    if (!seq && nSteps > nFrames) return fail(why, "more steps than frames");
    result.steps.reserve(nSteps);
    for (uint32_t i = 0; i < nSteps; ++i) {
        CursorStep step;
        const uint32_t frame = seq ? u32(seq->body.data() + i * 4) : i;
        if (frame >= nFrames) return fail(why, "step names a missing frame");
        step.frame = int(frame);
        const uint32_t j = rate ? u32(rate->body.data() + i * 4) : defaultRate;
        step.jiffies = int(std::clamp<uint32_t>(j, 1, 60 * 60));  // at most a minute a step
        result.steps.push_back(step);
    }
    return true;
}

}  // namespace

std::optional<AnimatedCursor> parseCursorFile(QByteArrayView data, QString* why) {
    if (data.size() > kMaxCursorFileBytes) return fail(why, "file too large"), std::nullopt;
    if (data.size() >= 4 && !tagIs(data.data(), "RIFF")) return stillCursor(data, why);
    if (data.size() < 12 || !tagIs(data.data() + 8, "ACON"))
        return fail(why, "not an animated cursor"), std::nullopt;
    // Writers often get the outer size slightly wrong; the chunks inside are what count.
    uint32_t riffSize = u32(data.data() + 4);
    if (riffSize > uint64_t(data.size() - 8)) riffSize = uint32_t(data.size() - 8);
    if (riffSize < 4) return fail(why, "empty RIFF"), std::nullopt;

    std::vector<Chunk> top;
    if (!splitChunks(data.sliced(12, riffSize - 4), top, why)) return std::nullopt;
    const AniChunks ch = findAniChunks(top);
    if (!ch.anih || ch.anih->body.size() < 36) return fail(why, "missing or short anih"), std::nullopt;
    if (!ch.fram) return fail(why, "missing frame list"), std::nullopt;

    const char* a = ch.anih->body.data();
    const uint32_t nFrames = u32(a + 4);
    uint32_t nSteps = u32(a + 8);
    const uint32_t defaultRate = u32(a + 28);
    const uint32_t flags = u32(a + 32);
    if (nFrames == 0) return fail(why, "no frames"), std::nullopt;
    if (nFrames > uint32_t(kMaxCursorFrames)) return fail(why, "too many frames"), std::nullopt;
    if (nSteps == 0) nSteps = nFrames;
    if (nSteps > uint32_t(kMaxCursorSteps)) return fail(why, "too many steps"), std::nullopt;
    if (!(flags & 1)) return fail(why, "raw bitmap frames are not supported"), std::nullopt;

    AnimatedCursor result;
    if (!readFrames(*ch.fram, nFrames, result, why)) return std::nullopt;
    if (!readSteps(ch, nFrames, nSteps, defaultRate, result, why)) return std::nullopt;
    return result;
}

std::optional<AnimatedCursor> loadCursorFile(const QString& path, QString* why) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return fail(why, "cannot open the file"), std::nullopt;
    if (f.size() > kMaxCursorFileBytes) return fail(why, "file too large"), std::nullopt;
    // Sized by the file, not the limit: a read of the limit reserves all of it first.
    const QByteArray data = f.read(std::min<qint64>(f.size(), kMaxCursorFileBytes) + 1);
    return parseCursorFile(data, why);
}

}  // namespace plataforma
