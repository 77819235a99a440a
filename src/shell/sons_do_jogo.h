// What the cabinet plays for each thing the machine reports: one line per event, a file of the
// program folder's Som/ and how it plays. The sound generator's build reads the file names from
// the lines below, so a sound named here is a sound the build makes: keep one entry per line.
#pragma once

#include <QString>

#include "game/eventos.h"

namespace apresentacao {

enum class Toque {
    UmaVez,  // plays through once, replacing whatever played
    EmLaco,  // repeats until another sound or a stop
    Parar,   // silences whatever plays; no file
};

struct SomDoEvento {
    jogo::Evento evento;
    Toque toque;
    const char* arquivo;  // under Som/; empty for Parar
};

inline constexpr SomDoEvento kSonsDosEventos[] = {
    {jogo::Evento::MoedaInserida, Toque::UmaVez, "InserindoMoeda.wav"},
    {jogo::Evento::GiroComecou, Toque::UmaVez, "BobinaGirando.wav"},
    {jogo::Evento::BobinaParou, Toque::UmaVez, "BobinaParando.wav"},
    {jogo::Evento::Ganhou, Toque::UmaVez, "Ganhou.wav"},
    {jogo::Evento::PagamentoPequeno, Toque::EmLaco, "PagandoPouco.wav"},
    {jogo::Evento::PagamentoGrande, Toque::EmLaco, "PagandoMuito.wav"},
    {jogo::Evento::PagamentoTerminou, Toque::Parar, ""},
};

// Plays (or stops) what the table gives for `evento`, from `pastaDoPrograma` + "Som/", without
// waiting for its end. Each file is read the first time it is wanted and then played from
// memory. An event without an entry is silent.
void TocarSomDoEvento(const QString& pastaDoPrograma, jogo::Evento evento);

// Reads every sound of the table into memory and has the sound server's connection opened on
// the sound output's own thread, so that no event waits for either: called once the cabinet
// is on the screen. Nothing is opened while the sound is switched off.
void PrepararSonsDosEventos(const QString& pastaDoPrograma);

}  // namespace apresentacao
