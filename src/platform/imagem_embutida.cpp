#include "platform/imagem_embutida.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace plataforma {

namespace {

QImage ler(QIODevice* dispositivo, const char* formato) {
    QImageReader leitor(dispositivo, formato);
    leitor.setAutoDetectImageFormat(false);
    return leitor.read();
}

constexpr size_t kPaginaGrande = size_t(2) << 20;

struct Mapeamento {
    void* inicio;
    size_t tamanho;
};

void desmapear(void* info) {
    auto* m = static_cast<Mapeamento*>(info);
    munmap(m->inicio, m->tamanho);
    delete m;
}

}  // namespace

QImage ImagemEmPaginasGrandes(int largura, int altura, QImage::Format formato) {
    const int bits = formato == QImage::Format_Invalid ? 0 : QImage::toPixelFormat(formato).bitsPerPixel();
    const qsizetype porLinha = ((qsizetype(largura) * bits + 31) / 32) * 4;
    if (largura <= 0 || altura <= 0 || bits == 0 || porLinha > (qsizetype(1) << 30) / altura)
        return QImage(largura, altura, formato);
    // A picture of less than half a large page gains little from one, and would hold all of it.
    if (size_t(porLinha) * size_t(altura) < kPaginaGrande / 2) return QImage(largura, altura, formato);
    const size_t tamanho =
        (size_t(porLinha) * size_t(altura) + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
    // Mapped a large page wider, then trimmed to a large page's boundary on both sides.
    void* bruto =
        mmap(nullptr, tamanho + kPaginaGrande, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (bruto == MAP_FAILED) return QImage(largura, altura, formato);
    const auto endereco = reinterpret_cast<std::uintptr_t>(bruto);
    const std::uintptr_t alinhado = (endereco + kPaginaGrande - 1) & ~std::uintptr_t(kPaginaGrande - 1);
    if (alinhado > endereco) munmap(bruto, alinhado - endereco);
    if (const std::uintptr_t fim = alinhado + tamanho; fim < endereco + tamanho + kPaginaGrande)
        munmap(reinterpret_cast<void*>(fim), endereco + tamanho + kPaginaGrande - fim);
    void* inicio = reinterpret_cast<void*>(alinhado);
    madvise(inicio, tamanho, MADV_HUGEPAGE);  // a refusal leaves ordinary pages: nothing lost
    auto* mapeamento = new Mapeamento{inicio, tamanho};
    QImage imagem(static_cast<uchar*>(inicio), largura, altura, porLinha, formato, desmapear, mapeamento);
    if (imagem.isNull()) {  // refused before it took the memory over
        desmapear(mapeamento);
        return QImage(largura, altura, formato);
    }
    return imagem;
}

void DevolverPaginasLidas(const void* inicio, qsizetype tamanho) {
    const long pagina = sysconf(_SC_PAGESIZE);
    if (!inicio || tamanho <= 0 || pagina <= 0) return;
    // Only bytes of a loaded program file: elsewhere (memory of the heap, say) the kernel would
    // hand the pages back empty.
    Dl_info origem{};
    if (dladdr(inicio, &origem) == 0 || !origem.dli_fname) return;
    const auto comeco = reinterpret_cast<std::uintptr_t>(inicio);
    // Only whole pages inside the bytes: a page shared with other data stays.
    const std::uintptr_t primeira = (comeco + pagina - 1) & ~std::uintptr_t(pagina - 1);
    const std::uintptr_t fim = (comeco + std::uintptr_t(tamanho)) & ~std::uintptr_t(pagina - 1);
    if (fim > primeira) madvise(reinterpret_cast<void*>(primeira), fim - primeira, MADV_DONTNEED);
}

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
    QImage imagem = ImagemEmPaginasGrandes(largura, altura, QImage::Format_RGB32);
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
