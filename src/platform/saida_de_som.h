// The sound output: one PulseAudio playback stream at a time, fed from samples in memory, played
// once or looping until replaced or stopped.
//
// Every call comes from the application's own thread (the one of the QCoreApplication object),
// and so does every notice. The PulseAudio thread is started with the first sound, or ahead of
// it by PrepararSaida, and ended, with its stream and connection, while the application object
// is being destroyed.
//
// With no audio server the calls still return at once and nothing is heard; no server is ever
// started on the game's behalf. A connection that failed or went away is tried anew with the
// next sound.
#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

#include "platform/leitor_wav.h"

namespace plataforma {

// What the output tells its user, on the application's thread.
struct AvisosDaSaida {
    // The stream of `geracao` started to be heard (terminou false) or has played out (true).
    // News of a generation already replaced may still arrive: compare with the latest one.
    std::function<void(quint64 geracao, bool terminou)> aoAvisar;
    // The output was closed with the application object; nothing plays any more.
    std::function<void()> aoEncerrar;
};

// Replaces the notices; set before the first sound.
void DefinirAvisosDaSaida(AvisosDaSaida avisos);

// Ends what plays, at once, and plays `som` from its start — once, or over and over when
// `repetir` — or nothing when `som` is null. Each call is a new generation, whose number is
// returned; 0 when nothing was ever played and nothing is asked now, or when the output cannot
// run at all.
quint64 TocarNaSaida(std::shared_ptr<const SomWav> som, bool repetir);

// Loads the sound library, starts the PulseAudio thread and connects to the server, all on a
// thread of its own, so that the first sound finds them ready; a sound asked for meanwhile waits
// for the library at most. Once per run; later calls do nothing.
void PrepararSaida();

}  // namespace plataforma
