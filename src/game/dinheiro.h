// Credit, bet and prize as plain steps on the machine's money (whole credits held in doubles),
// and the turn's set-up from a draw: jogo::Maquina takes its steps through these.
#pragma once

#include <array>

#include "game/bobinas.h"

namespace jogo {

// Takes a bet of `quantia` when the credit covers it (credit down, bet up); false, with nothing
// changed, when it does not.
bool Apostar(double& credito, double& aposta, double quantia);

// One step of the count-up: one credit moves from the prize into the credit. False, with
// nothing changed, once the prize is paid out.
bool PagarUmCredito(double& premio, double& credito);

// What the middle row of the three reels pays for the bet.
double PremioDaLinhaDoMeio(const std::array<Bobina, 3>& bobinas, double aposta);

// Step limits of the three reels for draw r: r plus each reel's increment.
void DefinirLimites(std::array<Bobina, 3>& bobinas, int r, const std::array<int, 3>& acrescimos);

}  // namespace jogo
