// The slot machine's rules as small value types: reel strips and positions, neighbour steps,
// stop targets, the pay rule, the lamp colours and the marquee. No widget code (QtCore only): the
// machine, the tests and the pay analysis all use these same definitions.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include <QString>

#include "game/simbolos.h"

namespace jogo {

inline constexpr int kPosicoes = 16;

// Strips indexed 1..16 (index 0 unused), reel 1 is the left reel.
using Fita = std::array<int, kPosicoes + 1>;
inline constexpr Fita Bobina1 = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1, 2, 3, 4, 5};
inline constexpr Fita Bobina2 = {0, 5, 4, 3, 2, 1, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
inline constexpr Fita Bobina3 = {0, 7, 11, 3, 5, 4, 6, 1, 8, 9, 10, 11, 11, 9, 7, 1, 2};
inline constexpr std::array<const Fita*, 3> Fitas = {&Bobina1, &Bobina2, &Bobina3};

// 16 -> 1, otherwise + 1; and 1 -> 16, otherwise - 1.
constexpr int Incrementar(int p) { return p >= kPosicoes ? 1 : p + 1; }
constexpr int Decrementar(int p) { return p <= 1 ? kPosicoes : p - 1; }

// First position i (searching upward from 1) where the strip holds the symbol; 0 when none.
int PrimeiraPosicao(const Fita& fita, int simbolo);

// Step limits of a spin (r in 0..24) and of the opening turn (r in 0..14).
inline constexpr std::array<int, 3> kAcrescimoGiro = {25, 50, 75};
inline constexpr std::array<int, 3> kAcrescimoAbertura = {5, 15, 25};
inline constexpr int kMaiorSorteioGiro = 24;
inline constexpr int kMaiorSorteioAbertura = 14;

// The pay rule on the middle row, from the symbol table: three equal pay bet * (s + 1);
// otherwise a symbol that pays alone (strawberry, bars) anywhere pays twice the bet; otherwise
// nothing. A number outside 1..11 is no symbol and pays nothing.
double CalcularPremio(int s1, int s2, int s3, double aposta);
// A prize above this plays the rich payout loop.
inline constexpr double kLimitePagandoPouco = 2;

// Uniform integer in 0..maior, the generator re-seeded from a high-resolution clock before the
// draw: the machine's draw unless it is given another.
int Sortear(int maior);

// The state of one reel during a turn.
struct Bobina {
    int Posicao = kPosicoes;  // 1..16, the strip index in the middle row
    int Passos = 0;
    int Limite = 0;
    int Alvo = 0;  // 0: no stop target
};

enum class ResultadoDoPasso { Girando, Parou };

// One tick of a reel is a step (Avancar), the drawing, then the count and the stop test with
// the target (ContarPasso). PassoDaBobina does both for callers that draw nothing.
void Avancar(Bobina& b);
ResultadoDoPasso ContarPasso(Bobina& b);
ResultadoDoPasso PassoDaBobina(Bobina& b);

// Lamps: seven colours as 0xRRGGBB, index 1..7.
inline constexpr std::array<std::uint32_t, 8> CoresDasLuzes = {0,        0xFF0000, 0x0000FF, 0x008000,
                                                               0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000};
// The lookup with the index wrapped into 1..7 (below 1 gives 7); the wrapped index is returned
// through `indice` so the caller may store it as the new phase.
std::uint32_t ObterCorDaLuz(int i, int* indice = nullptr);

// Marquee: the twelve-character piece shown at a position, and the next position.
inline constexpr int kCaracteresDoLetreiro = 12;
QString PedacoDoLetreiro(const QString& mensagem, int posicao);
int ProximaPosicaoDoLetreiro(const QString& mensagem, int posicao);

}  // namespace jogo
