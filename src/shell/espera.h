#pragma once

namespace apresentacao {

// Waits `Segundos` while the window stays alive: pending events are processed at least once,
// it never returns early, timers and repaints go on. It blocks for the next event or the deadline
// instead of spinning a processor.
void Aguardar(bool ComCursorDeEspera, double Segundos);

// Test seam: every wait of the game (Aguardar) is multiplied by this factor. 1.0 by default.
void DefinirEscalaDeTempo(double fator);
double EscalaDeTempo();

}  // namespace apresentacao

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using apresentacao::Aguardar;
}  // namespace uRotinasGerais
