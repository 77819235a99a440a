// What the pay-table picture lists, row by row, for a bet of ten credits. The generator paints
// these rows and the tests hold them against the game's own pay rule.
#pragma once

#include <array>

namespace arte {

// Symbols of a row, by symbol number; kQualquer stands for "any symbol".
inline constexpr int kQualquer = 0;

struct LinhaDePremio {
    std::array<int, 3> simbolos;
    int valor;  // credits paid for a bet of kApostaDaTabela
};

inline constexpr int kApostaDaTabela = 10;

// A strawberry or a bar anywhere pays twice the bet; three equal symbols pay bet x (number + 1).
inline constexpr std::array<LinhaDePremio, 12> kTabelaDePremios = {{
    {{2, kQualquer, kQualquer}, 20},  // any strawberry
    {{7, kQualquer, kQualquer}, 20},  // any bar
    {{1, 1, 1}, 20},
    {{3, 3, 3}, 40},
    {{4, 4, 4}, 50},
    {{5, 5, 5}, 60},
    {{6, 6, 6}, 70},
    {{7, 7, 7}, 80},
    {{8, 8, 8}, 90},
    {{9, 9, 9}, 100},
    {{10, 10, 10}, 110},
    {{11, 11, 11}, 120},
}};

}  // namespace arte
