#include "platform/leitor_wav.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace plataforma {

namespace {

quint32 lerU32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 lerU16(const char* p) { return qFromLittleEndian<quint16>(p); }

std::optional<FormatoWav> lerFormato(QFile& f) {
    char cab[12];
    if (f.read(cab, 12) != 12 || memcmp(cab, "RIFF", 4) != 0 || memcmp(cab + 8, "WAVE", 4) != 0)
        return std::nullopt;
    FormatoWav w;
    bool formatoOk = false;
    // Walk the chunks: "fmt " must say plain PCM with 8 or 16 bits, and "data" gives the samples.
    while (!f.atEnd()) {
        char ch[8];
        if (f.read(ch, 8) != 8) return std::nullopt;
        const quint32 tamanho = lerU32(ch + 4);
        if (memcmp(ch, "fmt ", 4) == 0) {
            if (tamanho < 16) return std::nullopt;
            char fmt[16];
            if (f.read(fmt, 16) != 16) return std::nullopt;
            const quint16 tag = lerU16(fmt);
            w.canais = lerU16(fmt + 2);
            w.taxa = lerU32(fmt + 4);
            w.alinhamento = lerU16(fmt + 12);
            w.bits = lerU16(fmt + 14);
            formatoOk = tag == 1 && (w.bits == 8 || w.bits == 16) && w.canais >= 1 && w.canais <= 8 &&
                        w.taxa >= 1000 && w.taxa <= 192000 && w.alinhamento == w.canais * w.bits / 8;
            if (!formatoOk) return std::nullopt;
            if (!f.seek(f.pos() + (tamanho - 16) + (tamanho & 1))) return std::nullopt;
        } else if (memcmp(ch, "data", 4) == 0) {
            if (!formatoOk) return std::nullopt;
            const qint64 resto = f.size() - f.pos();
            const qint64 bytes = std::min<qint64>(tamanho, resto);
            if (bytes < w.alinhamento) return std::nullopt;
            w.inicioDosDados = f.pos();
            w.bytes = bytes / w.alinhamento * w.alinhamento;
            return w;
        } else if (!f.seek(f.pos() + tamanho + (tamanho & 1))) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<FormatoWav> LerCabecalhoWav(const QString& arquivo) {
    QFile f(arquivo);
    if (!QFileInfo(arquivo).isFile() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return lerFormato(f);
}

std::shared_ptr<const SomWav> LerWav(const QString& arquivo) {
    QFile f(arquivo);
    if (!QFileInfo(arquivo).isFile() || !f.open(QIODevice::ReadOnly)) return nullptr;
    const std::optional<FormatoWav> w = lerFormato(f);
    if (!w || w->bytes > kMaximoDeDadosWav || !f.seek(w->inicioDosDados)) return nullptr;
    auto a = std::make_shared<SomWav>();
    a->formato = *w;
    a->dados = f.read(w->bytes);
    if (a->dados.size() != w->bytes) return nullptr;  // the file shrank since its header was read
    return a;
}

}  // namespace plataforma
