// Fuzz target: the WAV header reader that decides whether a sound can be played and for how
// long. Any file gives either "not playable" (negative) or a finite, non-negative length that
// the file's own bytes can hold.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "shell/som.h"

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
    const double d = uRotinasGerais::DuracaoDoSom(gArquivo);
    if (std::isnan(d) || std::isinf(d)) std::abort();
    if (d >= 0) {
        // The slowest playable stream is 8-bit mono at 1,000 frames a second.
        if (d > double(tamanho) / 1000.0 + 1e-9) std::abort();
    }
    return 0;
}
