#pragma once

#include <QString>
#include <memory>

#include "platform/leitor_wav.h"

namespace apresentacao {

// Plays a WAV file, once or looping until stopped, and returns at once. One sound at a time:
// starting one stops the one playing. A missing or unplayable file, or no audio server, is
// silent, never an error and never a hang.
void TocarSom(const QString& Arquivo, bool UmaVez);

// The same for a sound already read into memory (`amostras`; null when the file was not a
// playable WAV, which stops what plays and plays nothing), reported as `Arquivo`.
void TocarSomLido(const QString& Arquivo, std::shared_ptr<const plataforma::SomWav> amostras, bool UmaVez);

// Stops any sound that TocarSom started, looping or not.
void PararSom();

// What the sound layer is playing now: the file (trimmed path) and whether it repeats. Empty
// when nothing plays: after PararSom, and once a single play's own length has gone by. It
// answers the same with or without an audio server, so tests can check which sound was asked for.
struct SomTocando {
    QString arquivo;
    bool emLaco = false;
    bool vazio() const { return arquivo.isEmpty(); }
};
SomTocando SomAtual();

// The player's sound switch, on unless switched off. While off the calls above open nothing on
// the sound server: TocarSom does nothing at all (not even its bookkeeping, so SomAtual stays
// empty). Switching off stops what plays.
void LigarSom(bool ligado);
bool SomLigado();

// Length in seconds of a WAV file the sound layer can play (PCM, 8 or 16 bits), read from its
// header; a negative value when the file is missing or not such a WAV.
double DuracaoDoSom(const QString& Arquivo);

}  // namespace apresentacao

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using apresentacao::PararSom;
using apresentacao::TocarSom;
}  // namespace uRotinasGerais
