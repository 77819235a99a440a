// The eleven symbols of the reels, by number: the picture each one shows, what three of it in a
// row pay and whether one alone anywhere on the line pays. The pay rule, the window's pictures,
// the art generator and the build's list of reel picture files all read this one table.
#pragma once

#include <array>
#include <string_view>

namespace jogo {

inline constexpr int kSimbolos = 11;

// Three of a symbol in a row pay the bet times (number + 1).
constexpr double PremioDaTrinca(int numero, double aposta) { return aposta + numero * aposta; }

struct Simbolo {
    int numero;                // 1..11, the value the strips hold
    std::string_view desenho;  // picture file name in Bobinas/, without ".jpg"
    bool pagaSozinho;          // one anywhere on the line pays twice the bet

    constexpr double PremioDaTrinca(double aposta) const { return jogo::PremioDaTrinca(numero, aposta); }
};

// One symbol a line, in number order: tools/art/CMakeLists.txt reads the picture names from
// these lines when it lists the reel picture files, so keep the `{number, "name", ...}` form.
inline constexpr std::array<Simbolo, kSimbolos> kTabelaDeSimbolos = {{
    {1, "limao", false},
    {2, "morango", true},
    {3, "cereja", false},
    {4, "melancia", false},
    {5, "uva", false},
    {6, "sino", false},
    {7, "barra01", true},
    {8, "barra02", true},
    {9, "barra03", true},
    {10, "seteazul", false},
    {11, "setevermelho", false},
}};

// The table's entry for a symbol number; nullptr outside 1..11.
constexpr const Simbolo* ObterSimbolo(int numero) {
    return numero >= 1 && numero <= kSimbolos ? &kTabelaDeSimbolos[size_t(numero - 1)] : nullptr;
}

// Picture name of a symbol 1..11; empty outside that range.
std::string_view NomeDoDesenho(int simbolo);

}  // namespace jogo
