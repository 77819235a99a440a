// Fuzz target: the JPEG loader must turn any bytes into either a null image or a sane picture,
// without crashing, reading out of bounds, leaking or exiting (libjpeg's default error path).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/carregar_jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const QByteArray bytes(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const QImage img = plataforma::DecodificarJpeg(bytes);
    if (!img.isNull()) {
        if (img.format() != QImage::Format_RGB32) std::abort();
        if (img.width() <= 0 || img.height() <= 0) std::abort();
        if (static_cast<long long>(img.width()) * img.height() > plataforma::kMaiorAreaDeJpeg) std::abort();
        // Touch every row: a row the decoder never wrote must still be ours to read.
        volatile unsigned soma = 0;
        (void)soma;
        for (int y = 0; y < img.height(); ++y) soma += img.constScanLine(y)[img.bytesPerLine() - 1];
    }
    return 0;
}
