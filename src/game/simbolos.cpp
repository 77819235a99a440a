#include "game/simbolos.h"

#include <QCoreApplication>

namespace jogo {

// The table is indexed by number - 1: a row out of place would give a reel the wrong picture.
static_assert([] {
    for (int n = 1; n <= kSimbolos; ++n)
        if (kTabelaDeSimbolos[size_t(n - 1)].numero != n) return false;
    return true;
}());

std::string_view NomeDoDesenho(int simbolo) {
    const Simbolo* s = ObterSimbolo(simbolo);
    return s ? s->desenho : std::string_view();
}

QString NomeParaLeitura(int simbolo) {
    const Simbolo* s = ObterSimbolo(simbolo);
    return s ? QCoreApplication::translate("Trevolino", s->leitura) : QString();
}

}  // namespace jogo
