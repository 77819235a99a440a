// The cabinet's one table of positions.
//
// The main window places its controls from this table and the art generator in tools/ paints the
// cabinet's features (lamp sockets, LCD windows, web strip, reel window, button column, mascot eye)
// under the very same rectangles, so the two can never drift apart. Plain constexpr data, no Qt:
// the generator and the tests include it too.
#pragma once

#include <array>

namespace apresentacao {

struct Retangulo {
    int esquerda, topo, largura, altura;
    constexpr int direita() const { return esquerda + largura; }  // exclusive
    constexpr int base() const { return topo + altura; }          // exclusive
};

inline constexpr int kLarguraDoGabinete = 800;
inline constexpr int kAlturaDoGabinete = 600;

// Reel grid: column A (reel 1) .. C (reel 3), rows 1 (top) .. 3 (bottom).
inline constexpr int kLarguraDaCelula = 140;
inline constexpr int kAlturaDaCelula = 92;
inline constexpr std::array<int, 3> kEsquerdaDasBobinas = {190, 330, 470};
inline constexpr std::array<int, 3> kTopoDasLinhas = {292, 384, 476};
constexpr Retangulo CelulaDaBobina(int bobina /*1..3*/, int linha /*1..3*/) {
    return {kEsquerdaDasBobinas[bobina - 1], kTopoDasLinhas[linha - 1], kLarguraDaCelula, kAlturaDaCelula};
}
inline constexpr Retangulo kGradeDasBobinas = {190, 292, 420, 276};

// Frame bars drawn over the cell edges.
inline constexpr std::array<int, 4> kEsquerdaDasBarrasVerticais = {181, 321, 461, 601};  // 01..04
inline constexpr int kTopoDasBarrasVerticais = 292;
inline constexpr int kLarguraDaBarraVertical = 18;
inline constexpr int kAlturaDaBarraVertical = 276;
inline constexpr std::array<int, 2> kTopoDasBarrasHorizontais = {277, 564};  // 01, 02
inline constexpr int kEsquerdaDasBarrasHorizontais = 181;
inline constexpr int kLarguraDaBarraHorizontal = 438;
inline constexpr int kAlturaDaBarraHorizontal = 18;

// The pay line: a grey dotted rounded rectangle across the middle row.
inline constexpr Retangulo kLinhaDePagamento = {199, 429, 402, 2};

// Buttons.
inline constexpr Retangulo kSair = {128, 229, 65, 30};
inline constexpr Retangulo kGirar = {621, 509, 156, 60};
inline constexpr Retangulo kApostar01 = {621, 293, 156, 60};
inline constexpr Retangulo kApostar05 = {621, 358, 156, 60};
inline constexpr Retangulo kApostar10 = {621, 423, 156, 60};

// LCD displays and labels.
inline constexpr Retangulo kCredito = {526, 200, 224, 28};
inline constexpr Retangulo kAposta = {526, 232, 224, 28};
inline constexpr Retangulo kMensagem = {526, 168, 159, 28};
inline constexpr Retangulo kWebSite = {148, 131, 177, 13};

// Pay table picture and the mascot's eye.
inline constexpr Retangulo kPainelPontuacao = {23, 279, 158, 302};
inline constexpr Retangulo kOlho = {368, 110, 21, 25};

// The twelve lamps, 24 x 24 circles, clockwise from lower left to lower right.
inline constexpr int kLadoDaLampada = 24;
struct Ponto {
    int x, y;
};
inline constexpr std::array<Ponto, 12> kLampadas = {{
    {33, 237},
    {45, 201},
    {64, 169},
    {87, 139},
    {115, 113},
    {144, 91},
    {176, 73},
    {614, 80},
    {640, 98},
    {666, 120},
    {690, 144},
    {711, 171},
}};
constexpr Retangulo Lampada(int n /*1..12*/) {
    return {kLampadas[n - 1].x, kLampadas[n - 1].y, kLadoDaLampada, kLadoDaLampada};
}
constexpr Retangulo BarraVertical(int n /*1..4*/) {
    return {kEsquerdaDasBarrasVerticais[n - 1], kTopoDasBarrasVerticais, kLarguraDaBarraVertical,
            kAlturaDaBarraVertical};
}
constexpr Retangulo BarraHorizontal(int n /*1..2*/) {
    return {kEsquerdaDasBarrasHorizontais, kTopoDasBarrasHorizontais[n - 1], kLarguraDaBarraHorizontal,
            kAlturaDaBarraHorizontal};
}

}  // namespace apresentacao
