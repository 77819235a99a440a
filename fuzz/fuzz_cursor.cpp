// Fuzz target: the animated-cursor reader (.ani, .cur, .ico). Any bytes give either no cursor
// or a cursor within the reader's own limits: frames of at most 256 x 256 with the hot spot
// inside, at most 256 frames and 1,024 steps, every step naming an existing frame.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/cursor_animado.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const auto cursor = plataforma::InterpretarArquivoDeCursor(bytes);
    if (cursor) {
        if (cursor->quadros.empty() || cursor->passos.empty()) std::abort();
        if (cursor->quadros.size() > size_t(plataforma::kMaximoDeQuadros)) std::abort();
        if (cursor->passos.size() > size_t(plataforma::kMaximoDePassos)) std::abort();
        for (const auto& q : cursor->quadros) {
            if (q.imagem.isNull() || q.imagem.width() > plataforma::kMaiorLadoDeCursor ||
                q.imagem.height() > plataforma::kMaiorLadoDeCursor)
                std::abort();
            if (!q.imagem.rect().contains(q.pontoQuente)) std::abort();
        }
        for (const auto& p : cursor->passos)
            if (p.quadro < 0 || size_t(p.quadro) >= cursor->quadros.size() || p.sessentaAvos < 1)
                std::abort();
    }
    const auto imagem = plataforma::InterpretarImagemDeCursor(bytes);
    if (imagem && (imagem->imagem.isNull() || !imagem->imagem.rect().contains(imagem->pontoQuente)))
        std::abort();
    return 0;
}
