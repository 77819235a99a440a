#include "game/estado.h"

namespace jogo {

EstadoDaUnidade& Estado() {
    static EstadoDaUnidade estado;
    return estado;
}

void ReiniciarEstado() { Estado() = EstadoDaUnidade{}; }

}  // namespace jogo
