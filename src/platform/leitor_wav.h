// The WAV files the sound output plays: plain PCM (format tag 1) of 8 or 16 bits, read by their
// chunks rather than at fixed offsets. Never throws: a file that is missing, damaged or of
// another kind is simply not a playable WAV.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

namespace plataforma {

// What a playable WAV's header says, and where its samples are.
struct FormatoWav {
    quint16 canais = 0, bits = 0, alinhamento = 0;
    quint32 taxa = 0;
    qint64 inicioDosDados = 0, bytes = 0;  // whole frames only
    double segundos() const { return double(bytes) / (double(taxa) * alinhamento); }
};

// A playable WAV held in memory: its format and its sample bytes as the file stores them
// (8-bit unsigned or 16-bit signed little-endian, channels interleaved).
struct SomWav {
    FormatoWav formato;
    QByteArray dados;
};

// Sample data read into memory at most; a larger file is taken as unplayable.
inline constexpr qint64 kMaximoDeDadosWav = 64ll * 1024 * 1024;

// The header of the file, when it is a playable WAV. A data size larger than the file (a stream
// written without its final size) is taken as running to the end of the file.
std::optional<FormatoWav> LerCabecalhoWav(const QString& arquivo);

// The whole file, when it is a playable WAV of at most kMaximoDeDadosWav of samples.
std::shared_ptr<const SomWav> LerWav(const QString& arquivo);

}  // namespace plataforma
