// What the machine reports as it runs: a coin in, the reels set going, a reel stopped, a win, the
// payout and its end. The cabinet decides what each one sounds like; the machine knows no sound.
#pragma once

#include "game/bobinas.h"

namespace jogo {

enum class Evento {
    MoedaInserida,      // a bet was taken from the credit
    GiroComecou,        // the lever was pulled and the three reels set going
    BobinaParou,        // one reel came to rest
    Ganhou,             // the middle row pays a prize
    PagamentoPequeno,   // the prize is being counted into the credit, a small one
    PagamentoGrande,    // the same, for a prize above kLimitePagandoPouco
    PagamentoTerminou,  // the whole prize is in the credit
};

// Which payout a prize gets.
inline constexpr Evento EventoDoPagamento(double premio) {
    return premio > kLimitePagandoPouco ? Evento::PagamentoGrande : Evento::PagamentoPequeno;
}

}  // namespace jogo
