// Fuzz target: the 256-colour BMP reader the cabinet is decoded with. Any bytes give either a
// null image (left to Qt's reader) or exactly the full-colour picture Qt's own BMP reader makes
// of them: never a crash, a read past the bytes, or other colours.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/imagem_embutida.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const QImage nossa = plataforma::LerBmpDe256Cores(bytes);
    if (nossa.isNull()) return 0;
    if (nossa.format() != QImage::Format_RGB32) std::abort();
    const QImage doQt = plataforma::LerImagem(bytes, "bmp");
    if (doQt.isNull() || doQt.convertToFormat(QImage::Format_RGB32) != nossa) std::abort();
    return 0;
}
