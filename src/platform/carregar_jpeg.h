// JPEG decoding with libjpeg's decompression API. Never exits, never throws: damaged input
// (empty, truncated, garbage, another format) gives a null image.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

namespace plataforma {

// Decodes a JPEG held in memory into a QImage (RGB32). Null on any error, and on a truncated
// stream, which libjpeg would otherwise fill with grey.
QImage DecodificarJpeg(const QByteArray& dados);

// Reads the file at that moment and decodes it; null when it cannot be read or decoded.
QImage CarregarJpeg(const QString& caminho);

// Largest picture we agree to decode (width x height); larger ones are refused before any
// pixel memory is allocated.
inline constexpr long long kMaiorAreaDeJpeg = 40LL * 1000 * 1000;

}  // namespace plataforma

namespace plataforma {

// Decoded pictures kept between loads. Each load still looks at the file's size and modification
// time, so a picture replaced on disk is read again at once; a file gone or unreadable gives null
// and is forgotten.
class JpegsGuardados {
public:
    QImage Carregar(const QString& caminho);

private:
    struct Guardado {
        long long tamanho = -1, modificadoNs = -1;
        QImage imagem;
    };
    QHash<QString, Guardado> m_guardados;
};

}  // namespace plataforma
