// Shared by the controls: a copy of a picture whose pixels of one colour are transparent.
#pragma once

#include <QImage>

namespace controles {

inline QImage SemCorChave(const QImage& img, QRgb chave) {
    QImage saida = img.convertToFormat(QImage::Format_ARGB32);
    chave &= 0xFFFFFF;
    for (int y = 0; y < saida.height(); ++y) {
        auto* linha = reinterpret_cast<QRgb*>(saida.scanLine(y));
        for (int x = 0; x < saida.width(); ++x)
            if ((linha[x] & 0xFFFFFF) == chave) linha[x] = 0;
    }
    return saida;
}

}  // namespace controles
