// The rows the cabinet's pay table picture lists, top to bottom, and what each pays. A row names
// three symbols, "any" marked; its value comes from the pay rule itself, so the picture cannot
// promise what the machine does not pay.
#pragma once

#include <array>

namespace jogo {

// Stands in a row for "any symbol".
inline constexpr int kQualquer = 0;

using LinhaDaTabela = std::array<int, 3>;

// The bet the cabinet's table is painted for.
inline constexpr int kApostaDaTabela = 10;

// A strawberry or a bar anywhere pays twice the bet (the bar row shows bar 1 for all three
// bars); then three in a row of each symbol but the strawberry, which its own row covers.
inline constexpr std::array<LinhaDaTabela, 12> kLinhasDaTabelaDePremios = {{
    {2, kQualquer, kQualquer},
    {7, kQualquer, kQualquer},
    {1, 1, 1},
    {3, 3, 3},
    {4, 4, 4},
    {5, 5, 5},
    {6, 6, 6},
    {7, 7, 7},
    {8, 8, 8},
    {9, 9, 9},
    {10, 10, 10},
    {11, 11, 11},
}};

// What the pay rule gives for the row at the bet. Each "any" is filled with a symbol that pays
// nothing alone and appears nowhere else on the line, so only the row's named symbols count.
double ValorDaLinha(const LinhaDaTabela& linha, double aposta);

}  // namespace jogo
