// Fuzz target: the WAV reader that decides whether a sound can be played and for how long. Any
// file gives either "not playable" or a finite, non-negative length that the file's own bytes
// can hold, and the samples read are exactly the whole frames the header promises.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/leitor_wav.h"

namespace {
QString gArquivo;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static QTemporaryDir pasta(QStringLiteral("/dev/shm/trevolino-fuzz-wav-XXXXXX"));
    static QTemporaryDir reserva;
    gArquivo = (pasta.isValid() ? pasta.path() : reserva.path()) + QStringLiteral("/som.wav");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    {
        QFile f(gArquivo);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char*>(dados), qint64(tamanho));
    }
    const auto cabecalho = plataforma::LerCabecalhoWav(gArquivo);
    if (cabecalho) {
        const double d = cabecalho->segundos();
        if (std::isnan(d) || std::isinf(d) || d < 0) std::abort();
        // The slowest playable stream is 8-bit mono at 1,000 frames a second.
        if (d > double(tamanho) / 1000.0 + 1e-9) std::abort();
    }
    const auto som = plataforma::LerWav(gArquivo);
    // Both readers agree, but for samples over the size cap, which are refused.
    if (bool(som) != (cabecalho && cabecalho->bytes <= plataforma::kMaximoDeDadosWav)) std::abort();
    if (som) {
        const auto& f = som->formato;
        if (som->dados.size() != f.bytes || f.bytes % f.alinhamento != 0) std::abort();
        if (f.inicioDosDados + f.bytes > qint64(tamanho)) std::abort();
    }
    return 0;
}
