#include "game/dinheiro.h"

namespace jogo {

bool Apostar(double& credito, double& aposta, double quantia) {
    if (credito < quantia) return false;
    credito -= quantia;
    aposta += quantia;
    return true;
}

bool PagarUmCredito(double& premio, double& credito) {
    if (premio <= 0) return false;
    premio -= 1;
    credito += 1;
    return true;
}

double PremioDaLinhaDoMeio(const std::array<Bobina, 3>& b, double aposta) {
    return CalcularPremio(Bobina1[b[0].Posicao], Bobina2[b[1].Posicao], Bobina3[b[2].Posicao], aposta);
}

void DefinirLimites(std::array<Bobina, 3>& bobinas, int r, const std::array<int, 3>& acrescimos) {
    for (int k = 0; k < 3; ++k) bobinas[size_t(k)].Limite = r + acrescimos[size_t(k)];
}

}  // namespace jogo
