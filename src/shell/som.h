#pragma once

#include <QString>

namespace uRotinasGerais {

// Plays a WAV file: once or looping until stopped, returning at once or after the sound's end.
// One sound at a time: starting one stops the one playing. A missing or unplayable file, or no
// audio server, is silent, never an error and never a hang.
void TocarSom(const QString& Arquivo, bool UmaVez, bool EsperarTerminar);

// Stops any sound that TocarSom started, looping or not.
void PararSom();

}  // namespace uRotinasGerais
