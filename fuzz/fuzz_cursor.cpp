// Fuzz target: the animated-cursor reader (.ani, .cur, .ico). Any bytes give either no cursor
// or a cursor within the reader's own limits: frames of at most 256 x 256 with the hot spot
// inside, at most 256 frames and 1,024 steps, every step naming an existing frame.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/animated_cursor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const auto cursor = plataforma::parseCursorFile(bytes);
    if (cursor) {
        if (cursor->frames.empty() || cursor->steps.empty()) std::abort();
        if (cursor->frames.size() > size_t(plataforma::kMaxCursorFrames)) std::abort();
        if (cursor->steps.size() > size_t(plataforma::kMaxCursorSteps)) std::abort();
        for (const auto& q : cursor->frames) {
            if (q.image.isNull() || q.image.width() > plataforma::kMaxCursorSide ||
                q.image.height() > plataforma::kMaxCursorSide)
                std::abort();
            if (!q.image.rect().contains(q.hotSpot)) std::abort();
        }
        for (const auto& p : cursor->steps)
            if (p.frame < 0 || size_t(p.frame) >= cursor->frames.size() || p.jiffies < 1) std::abort();
    }
    const auto imagem = plataforma::parseCursorImage(bytes);
    if (imagem && (imagem->image.isNull() || !imagem->image.rect().contains(imagem->hotSpot))) std::abort();
    return 0;
}
