// The unit-level state of the cabinet: reels, lamp phase and marquee. One instance per process,
// as the game was designed; tests reset it.
#pragma once

#include <QString>
#include <array>

#include "game/bobinas.h"

namespace jogo {

struct EstadoDaUnidade {
    std::array<Bobina, 3> Bobinas{};  // PosicaoBobinaK, PassosBobinaK, LimitePassosBobinaK, AlvoBobinaK
    int FaseDasLuzes = 255;
    QString MensagemAtual;
    int PosicaoDaMensagem = 0;
};

EstadoDaUnidade& Estado();
void ReiniciarEstado();

}  // namespace jogo
