#include "platform/imagem_embutida.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>

namespace plataforma {

namespace {

QImage ler(QIODevice* dispositivo, const char* formato) {
    QImageReader leitor(dispositivo, formato);
    leitor.setAutoDetectImageFormat(false);
    return leitor.read();
}

}  // namespace

QImage LerImagem(const QString& caminho, const char* formato) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) return QImage();
    return ler(&arquivo, formato);
}

QImage LerImagem(const QByteArray& dados, const char* formato) {
    QByteArray copia = dados;
    QBuffer memoria(&copia);
    if (!memoria.open(QIODevice::ReadOnly)) return QImage();
    return ler(&memoria, formato);
}

QImage LerBmpDe256Cores(const QByteArray& dados) {
    const auto* d = reinterpret_cast<const uchar*>(dados.constData());
    const qsizetype n = dados.size();
    // File header (14 bytes), then a 40-byte information header and the colour table.
    if (n < 54 || d[0] != 'B' || d[1] != 'M' || qFromLittleEndian<quint32>(d + 14) != 40) return {};
    const quint32 inicioDosPixeis = qFromLittleEndian<quint32>(d + 10);
    const qint32 largura = qFromLittleEndian<qint32>(d + 18),
                 alturaNoArquivo = qFromLittleEndian<qint32>(d + 22);
    const quint32 coresUsadas = qFromLittleEndian<quint32>(d + 46);
    if (qFromLittleEndian<quint16>(d + 26) != 1 || qFromLittleEndian<quint16>(d + 28) != 8 ||
        qFromLittleEndian<quint32>(d + 30) != 0 /* uncompressed */ || coresUsadas > 256 || largura <= 0 ||
        largura > 32767 || alturaNoArquivo == 0 || alturaNoArquivo < -32767 || alturaNoArquivo > 32767)
        return {};
    const int altura = std::abs(alturaNoArquivo);
    const int cores = coresUsadas ? int(coresUsadas) : 256;
    const qsizetype linha = ((qsizetype(largura) + 3) / 4) * 4;
    if (54 + qsizetype(cores) * 4 > n || inicioDosPixeis < 54 + quint32(cores) * 4 ||
        qsizetype(inicioDosPixeis) + linha * altura > n)
        return {};
    QRgb tabela[256];
    for (int i = 0; i < cores; ++i) tabela[i] = qRgb(d[54 + 4 * i + 2], d[54 + 4 * i + 1], d[54 + 4 * i]);
    QImage imagem(largura, altura, QImage::Format_RGB32);
    if (imagem.isNull()) return {};
    uchar* const pixeis = imagem.bits();
    const qsizetype passo = imagem.bytesPerLine();
    for (int y = 0; y < altura; ++y) {
        // Rows run from the bottom up unless the height is negative.
        const uchar* origem = d + inicioDosPixeis + linha * (alturaNoArquivo > 0 ? altura - 1 - y : y);
        auto* destino = reinterpret_cast<QRgb*>(pixeis + passo * y);
        if (cores == 256) {  // every index has its colour: nothing to check in the loop
            for (int x = 0; x < largura; ++x) destino[x] = tabela[origem[x]];
            continue;
        }
        for (int x = 0; x < largura; ++x) {
            if (origem[x] >= cores) return {};  // a colour the table lacks: left to Qt's reader
            destino[x] = tabela[origem[x]];
        }
    }
    const qint32 xpm = qFromLittleEndian<qint32>(d + 38), ypm = qFromLittleEndian<qint32>(d + 42);
    if (xpm > 0) imagem.setDotsPerMeterX(xpm);
    if (ypm > 0) imagem.setDotsPerMeterY(ypm);
    return imagem;
}

}  // namespace plataforma
