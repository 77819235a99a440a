#include "platform/cursor_animado.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace plataforma {
namespace {

bool falhar(QString* motivo, const char* texto) {
    if (motivo) *motivo = QString::fromLatin1(texto);
    return false;
}

// Little-endian reads with the bounds already checked by the caller.
uint16_t u16(const char* p) { return uint16_t(uint8_t(p[0]) | (uint8_t(p[1]) << 8)); }
uint32_t u32(const char* p) {
    return uint32_t(uint8_t(p[0])) | (uint32_t(uint8_t(p[1])) << 8) | (uint32_t(uint8_t(p[2])) << 16) |
           (uint32_t(uint8_t(p[3])) << 24);
}
int32_t s32(const char* p) { return int32_t(u32(p)); }

bool marcaIgual(const char* p, const char* marca) { return std::memcmp(p, marca, 4) == 0; }

struct Bloco {
    const char* marca;
    QByteArrayView corpo;
};

// Splits a RIFF chunk list into chunks; false when a chunk runs past the end of its container.
bool dividirBlocos(QByteArrayView area, std::vector<Bloco>& saida, QString* motivo) {
    qsizetype pos = 0;
    while (pos < area.size()) {
        if (area.size() - pos < 8) {
            // a lone pad byte (or a few) at the end is tolerated, a cut header is not
            if (area.size() - pos == 1) break;
            return falhar(motivo, "truncated chunk header");
        }
        const char* h = area.data() + pos;
        const uint32_t tamanho = u32(h + 4);
        if (tamanho > uint64_t(area.size() - pos - 8)) return falhar(motivo, "chunk runs past its end");
        saida.push_back({h, area.sliced(pos + 8, qsizetype(tamanho))});
        if (saida.size() > size_t(4 * kMaximoDeQuadros + 64)) return falhar(motivo, "too many chunks");
        pos += 8 + qsizetype(tamanho) + (tamanho & 1);
    }
    return true;
}

// The colour table of a bitmap of 8 bits or fewer a pixel, read from pos on; pos moves past it.
bool lerPaleta(QByteArrayView d, qsizetype& pos, uint16_t bitsPorPixel, uint32_t coresUsadas,
               std::vector<QRgb>& paleta, QString* motivo) {
    if (bitsPorPixel > 8) return true;
    const uint32_t cheia = 1u << bitsPorPixel;
    const uint32_t n = coresUsadas == 0 || coresUsadas > cheia ? cheia : coresUsadas;
    if (d.size() - pos < qsizetype(n) * 4) return falhar(motivo, "palette cut");
    for (uint32_t i = 0; i < n; ++i) {
        const char* p = d.data() + pos + i * 4;
        paleta.push_back(qRgb(uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0])));
    }
    pos += qsizetype(n) * 4;
    return true;
}

// Fills img from the colour rows; says whether any pixel carries alpha.
bool decodificarLinhasDeCor(QImage& img, const char* cores, qsizetype bytesPorLinhaDeCor,
                            uint16_t bitsPorPixel, const std::vector<QRgb>& paleta) {
    const int w = img.width(), h = img.height();
    bool algumAlfa = false;
    for (int y = 0; y < h; ++y) {
        const char* linha = cores + bytesPorLinhaDeCor * (h - 1 - y);  // rows are stored bottom-up
        auto* saida = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb c;
            if (bitsPorPixel == 32) {
                const char* p = linha + x * 4;
                c = qRgba(uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0]), uint8_t(p[3]));
                algumAlfa |= uint8_t(p[3]) != 0;
            } else if (bitsPorPixel == 24) {
                const char* p = linha + x * 3;
                c = qRgb(uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0]));
            } else {
                const int bit = x * bitsPorPixel;
                const uint8_t byte = uint8_t(linha[bit / 8]);
                const int deslocamento = 8 - bitsPorPixel - (bit % 8);
                const uint32_t indice = (byte >> deslocamento) & ((1u << bitsPorPixel) - 1);
                c = indice < paleta.size() ? paleta[indice] : qRgb(0, 0, 0);
            }
            saida[x] = c;
        }
    }
    return algumAlfa;
}

// Without alpha the AND mask decides: a set bit is a transparent pixel.
void aplicarMascaraE(QImage& img, const char* mascara, qsizetype bytesPorLinhaDaMascara, bool temMascara) {
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        const char* linha = mascara + bytesPorLinhaDaMascara * (h - 1 - y);
        auto* saida = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool transparente = temMascara && (uint8_t(linha[x / 8]) >> (7 - x % 8)) & 1;
            saida[x] = transparente ? qRgba(0, 0, 0, 0) : (saida[x] | 0xFF000000u);
        }
    }
}

// One device-independent bitmap of an icon/cursor entry: header, palette, colour rows, AND mask.
std::optional<QImage> decodificarDib(QByteArrayView d, QString* motivo) {
    if (d.size() < 40) return falhar(motivo, "bitmap header cut"), std::nullopt;
    const uint32_t tamanhoDoCabecalho = u32(d.data());
    if (tamanhoDoCabecalho < 40 || tamanhoDoCabecalho > uint32_t(d.size()))
        return falhar(motivo, "bad bitmap header size"), std::nullopt;
    const int32_t largura = s32(d.data() + 4);
    const int32_t alturaDupla = s32(d.data() + 8);
    const uint16_t bitsPorPixel = u16(d.data() + 14);
    const uint32_t compressao = u32(d.data() + 16);
    const uint32_t coresUsadas = u32(d.data() + 32);
    if (largura < 1 || largura > kMaiorLadoDeCursor || alturaDupla < 2 ||
        alturaDupla > 2 * kMaiorLadoDeCursor)
        return falhar(motivo, "bad bitmap size"), std::nullopt;
    if (compressao != 0 && !(compressao == 3 && bitsPorPixel == 32))
        return falhar(motivo, "compressed bitmap"), std::nullopt;
    if (bitsPorPixel != 1 && bitsPorPixel != 4 && bitsPorPixel != 8 && bitsPorPixel != 24 &&
        bitsPorPixel != 32)
        return falhar(motivo, "unsupported bit depth"), std::nullopt;
    const int w = largura, h = alturaDupla / 2;

    qsizetype pos = tamanhoDoCabecalho;
    if (compressao == 3 && tamanhoDoCabecalho == 40) pos += 12;  // the three masks follow a v1 header
    std::vector<QRgb> paleta;
    if (!lerPaleta(d, pos, bitsPorPixel, coresUsadas, paleta, motivo)) return std::nullopt;
    const qsizetype bytesPorLinhaDeCor = ((qsizetype(w) * bitsPorPixel + 31) / 32) * 4;
    const qsizetype bytesPorLinhaDaMascara = ((qsizetype(w) + 31) / 32) * 4;
    if (d.size() - pos < bytesPorLinhaDeCor * h) return falhar(motivo, "pixels cut"), std::nullopt;
    const char* cores = d.data() + pos;
    pos += bytesPorLinhaDeCor * h;
    // Some writers leave out the AND mask of 32-bit images; alpha then says everything.
    const bool temMascara = d.size() - pos >= bytesPorLinhaDaMascara * h;
    if (!temMascara && bitsPorPixel != 32) return falhar(motivo, "mask cut"), std::nullopt;

    QImage img(w, h, QImage::Format_ARGB32);
    if (img.isNull()) return falhar(motivo, "out of memory"), std::nullopt;
    if (!decodificarLinhasDeCor(img, cores, bytesPorLinhaDeCor, bitsPorPixel, paleta))
        aplicarMascaraE(img, cores + bytesPorLinhaDeCor * h, bytesPorLinhaDaMascara, temMascara);
    return img;
}

std::optional<QImage> decodificarPng(QByteArrayView d, QString* motivo) {
    QByteArray bytes = d.toByteArray();
    QBuffer dispositivo(&bytes);
    dispositivo.open(QIODevice::ReadOnly);
    QImageReader leitor(&dispositivo, "png");
    leitor.setAutoDetectImageFormat(false);  // never load every image plugin to read a PNG
    const QSize tamanho = leitor.size();     // from the header, before any pixel is decoded
    if (!tamanho.isValid() || tamanho.width() > kMaiorLadoDeCursor || tamanho.height() > kMaiorLadoDeCursor)
        return falhar(motivo, "bad PNG size"), std::nullopt;
    QImage img = leitor.read();
    if (img.isNull()) return falhar(motivo, "bad PNG data"), std::nullopt;
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

std::optional<QuadroDeCursor> InterpretarImagemDeCursor(QByteArrayView dados, QString* motivo) {
    if (dados.size() < 6 + 16) return falhar(motivo, "cursor directory cut"), std::nullopt;
    const char* p = dados.data();
    const uint16_t tipo = u16(p + 2);
    const uint16_t contagem = u16(p + 4);
    if (u16(p) != 0 || (tipo != 1 && tipo != 2) || contagem == 0)
        return falhar(motivo, "not a cursor or icon"), std::nullopt;
    if (dados.size() < 6 + qsizetype(contagem) * 16)
        return falhar(motivo, "cursor directory cut"), std::nullopt;

    // The entry nearest to the usual cursor size, the deeper one on a tie.
    int melhor = -1, melhorNota = 0;
    for (int i = 0; i < contagem; ++i) {
        const char* e = p + 6 + i * 16;
        const int lado = uint8_t(e[0]) == 0 ? 256 : uint8_t(e[0]);
        const int profundidade = tipo == 1 ? u16(e + 6) : 0;
        const int nota = std::abs(lado - 32) * 64 - profundidade;
        if (melhor < 0 || nota < melhorNota) melhor = i, melhorNota = nota;
    }
    const char* e = p + 6 + melhor * 16;
    const uint32_t bytes = u32(e + 8), inicio = u32(e + 12);
    if (inicio > uint64_t(dados.size()) || bytes > uint64_t(dados.size()) - inicio || bytes == 0)
        return falhar(motivo, "cursor image outside the file"), std::nullopt;
    const QByteArrayView corpo = dados.sliced(inicio, bytes);

    std::optional<QImage> img;
    if (corpo.size() >= 8 && std::memcmp(corpo.data(), "\x89PNG\r\n\x1a\n", 8) == 0)
        img = decodificarPng(corpo, motivo);
    else
        img = decodificarDib(corpo, motivo);
    if (!img) return std::nullopt;

    QuadroDeCursor quadro;
    quadro.imagem = *img;
    if (tipo == 2)
        quadro.pontoQuente = QPoint(u16(e + 4), u16(e + 6));
    else
        quadro.pontoQuente = QPoint(img->width() / 2, img->height() / 2);
    // A hot spot outside the picture is brought to its nearest edge.
    quadro.pontoQuente.setX(std::clamp(quadro.pontoQuente.x(), 0, img->width() - 1));
    quadro.pontoQuente.setY(std::clamp(quadro.pontoQuente.y(), 0, img->height() - 1));
    return quadro;
}

namespace {

// A plain .cur or .ico file: one frame shown for good.
std::optional<CursorAnimado> cursorParado(QByteArrayView dados, QString* motivo) {
    auto quadro = InterpretarImagemDeCursor(dados, motivo);
    if (!quadro) return std::nullopt;
    CursorAnimado parado;
    parado.quadros.push_back(*quadro);
    parado.passos.push_back({0, 1});
    return parado;
}

// The chunks of an animated cursor's RIFF body that the player reads.
struct BlocosAni {
    const Bloco* anih = nullptr;
    const Bloco* rate = nullptr;
    const Bloco* seq = nullptr;
    const Bloco* fram = nullptr;
};

BlocosAni acharBlocosAni(const std::vector<Bloco>& blocos) {
    BlocosAni achados;
    for (const Bloco& c : blocos) {
        if (marcaIgual(c.marca, "anih"))
            achados.anih = &c;
        else if (marcaIgual(c.marca, "rate"))
            achados.rate = &c;
        else if (marcaIgual(c.marca, "seq "))
            achados.seq = &c;
        else if (marcaIgual(c.marca, "LIST") && c.corpo.size() >= 4 && marcaIgual(c.corpo.data(), "fram"))
            achados.fram = &c;
    }
    return achados;
}

// The first nQuadros icons of the frame list.
bool lerQuadros(const Bloco& fram, uint32_t nQuadros, CursorAnimado& resultado, QString* motivo) {
    std::vector<Bloco> icones;
    if (!dividirBlocos(fram.corpo.sliced(4), icones, motivo)) return false;
    for (const Bloco& c : icones) {
        if (!marcaIgual(c.marca, "icon")) continue;
        if (resultado.quadros.size() == nQuadros) break;
        auto quadro = InterpretarImagemDeCursor(c.corpo, motivo);
        if (!quadro) return false;
        resultado.quadros.push_back(std::move(*quadro));
    }
    if (resultado.quadros.size() != nQuadros) return falhar(motivo, "fewer frames than announced");
    return true;
}

// The order of the frames and how long each is shown, from seq and rate or their defaults.
bool lerPassos(const BlocosAni& ch, uint32_t nQuadros, uint32_t nPassos, uint32_t taxaPadrao,
               CursorAnimado& resultado, QString* motivo) {
    const Bloco* seq = ch.seq;
    const Bloco* rate = ch.rate;
    if (seq && seq->corpo.size() < qsizetype(nPassos) * 4) return falhar(motivo, "seq chunk cut");
    if (rate && rate->corpo.size() < qsizetype(nPassos) * 4) return falhar(motivo, "rate chunk cut");
    if (!seq && nPassos > nQuadros) return falhar(motivo, "more steps than frames");
    resultado.passos.reserve(nPassos);
    for (uint32_t i = 0; i < nPassos; ++i) {
        PassoDeCursor passo;
        const uint32_t quadro = seq ? u32(seq->corpo.data() + i * 4) : i;
        if (quadro >= nQuadros) return falhar(motivo, "step names a missing frame");
        passo.quadro = int(quadro);
        const uint32_t j = rate ? u32(rate->corpo.data() + i * 4) : taxaPadrao;
        passo.sessentaAvos = int(std::clamp<uint32_t>(j, 1, 60 * 60));  // at most a minute a step
        resultado.passos.push_back(passo);
    }
    return true;
}

}  // namespace

std::optional<CursorAnimado> InterpretarArquivoDeCursor(QByteArrayView dados, QString* motivo) {
    if (dados.size() > kMaiorArquivoDeCursor) return falhar(motivo, "file too large"), std::nullopt;
    if (dados.size() >= 4 && !marcaIgual(dados.data(), "RIFF")) return cursorParado(dados, motivo);
    if (dados.size() < 12 || !marcaIgual(dados.data() + 8, "ACON"))
        return falhar(motivo, "not an animated cursor"), std::nullopt;
    // Writers often get the outer size slightly wrong; the chunks inside are what count.
    uint32_t tamanhoRiff = u32(dados.data() + 4);
    if (tamanhoRiff > uint64_t(dados.size() - 8)) tamanhoRiff = uint32_t(dados.size() - 8);
    if (tamanhoRiff < 4) return falhar(motivo, "empty RIFF"), std::nullopt;

    std::vector<Bloco> blocos;
    if (!dividirBlocos(dados.sliced(12, tamanhoRiff - 4), blocos, motivo)) return std::nullopt;
    const BlocosAni ch = acharBlocosAni(blocos);
    if (!ch.anih || ch.anih->corpo.size() < 36) return falhar(motivo, "missing or short anih"), std::nullopt;
    if (!ch.fram) return falhar(motivo, "missing frame list"), std::nullopt;

    const char* a = ch.anih->corpo.data();
    const uint32_t nQuadros = u32(a + 4);
    uint32_t nPassos = u32(a + 8);
    const uint32_t taxaPadrao = u32(a + 28);
    const uint32_t sinalizadores = u32(a + 32);
    if (nQuadros == 0) return falhar(motivo, "no frames"), std::nullopt;
    if (nQuadros > uint32_t(kMaximoDeQuadros)) return falhar(motivo, "too many frames"), std::nullopt;
    if (nPassos == 0) nPassos = nQuadros;
    if (nPassos > uint32_t(kMaximoDePassos)) return falhar(motivo, "too many steps"), std::nullopt;
    if (!(sinalizadores & 1)) return falhar(motivo, "raw bitmap frames are not supported"), std::nullopt;

    CursorAnimado resultado;
    if (!lerQuadros(*ch.fram, nQuadros, resultado, motivo)) return std::nullopt;
    if (!lerPassos(ch, nQuadros, nPassos, taxaPadrao, resultado, motivo)) return std::nullopt;
    return resultado;
}

std::optional<CursorAnimado> LerArquivoDeCursor(const QString& caminho, QString* motivo) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return falhar(motivo, "cannot open the file"), std::nullopt;
    if (f.size() > kMaiorArquivoDeCursor) return falhar(motivo, "file too large"), std::nullopt;
    // Sized by the file, not the limit: a read of the limit reserves all of it first.
    const QByteArray dados = f.read(std::min<qint64>(f.size(), kMaiorArquivoDeCursor) + 1);
    return InterpretarArquivoDeCursor(dados, motivo);
}

}  // namespace plataforma
