// The eleven symbols of the reels, by number: the picture each one shows, what three of it in a
// row pay, whether one alone anywhere on the line pays, and the name a screen reader says. The
// pay rule, the window's pictures and reader names, the art generator and the build's list of
// reel picture files all read this one table.
#pragma once

#include <QString>
#include <QtGlobal>
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
    const char* leitura;       // the name a screen reader says, before translation

    constexpr double PremioDaTrinca(double aposta) const { return jogo::PremioDaTrinca(numero, aposta); }
};

// One symbol a line, in number order: tools/art/CMakeLists.txt reads the picture names from
// these lines when it lists the reel picture files, so keep the `{number, "name", paysAlone, ...}`
// form.
inline constexpr std::array<Simbolo, kSimbolos> kTabelaDeSimbolos = {{
    {1, "limao", false, QT_TRANSLATE_NOOP("Trevolino", "Limão")},
    {2, "morango", true, QT_TRANSLATE_NOOP("Trevolino", "Morango")},
    {3, "cereja", false, QT_TRANSLATE_NOOP("Trevolino", "Cereja")},
    {4, "melancia", false, QT_TRANSLATE_NOOP("Trevolino", "Melancia")},
    {5, "uva", false, QT_TRANSLATE_NOOP("Trevolino", "Uva")},
    {6, "sino", false, QT_TRANSLATE_NOOP("Trevolino", "Sino")},
    {7, "barra01", true, QT_TRANSLATE_NOOP("Trevolino", "Barra 1")},
    {8, "barra02", true, QT_TRANSLATE_NOOP("Trevolino", "Barra 2")},
    {9, "barra03", true, QT_TRANSLATE_NOOP("Trevolino", "Barra 3")},
    {10, "seteazul", false, QT_TRANSLATE_NOOP("Trevolino", "Sete Azul")},
    {11, "setevermelho", false, QT_TRANSLATE_NOOP("Trevolino", "Sete Vermelho")},
}};

// The table's entry for a symbol number; nullptr outside 1..11.
constexpr const Simbolo* ObterSimbolo(int numero) {
    return numero >= 1 && numero <= kSimbolos ? &kTabelaDeSimbolos[size_t(numero - 1)] : nullptr;
}

// Picture name of a symbol 1..11; empty outside that range.
std::string_view NomeDoDesenho(int simbolo);

// The name a screen reader says for a symbol 1..11, in the player's language; empty outside
// that range.
QString NomeParaLeitura(int simbolo);

}  // namespace jogo
