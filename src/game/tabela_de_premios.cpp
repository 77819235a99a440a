#include "game/tabela_de_premios.h"

#include <algorithm>

#include "game/bobinas.h"

namespace jogo {

double ValorDaLinha(const LinhaDaTabela& linha, double aposta) {
    LinhaDaTabela cheia = linha;
    auto proximo = kTabelaDeSimbolos.begin();
    for (int& s : cheia) {
        if (s != kQualquer) continue;
        proximo = std::find_if(proximo, kTabelaDeSimbolos.end(), [&](const Simbolo& c) {
            return !c.pagaSozinho && std::find(cheia.begin(), cheia.end(), c.numero) == cheia.end();
        });
        // Seven symbols pay nothing alone: more than a row of three can use up.
        s = proximo->numero;
    }
    return CalcularPremio(cheia[0], cheia[1], cheia[2], aposta);
}

}  // namespace jogo
