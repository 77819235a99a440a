// trevolino-analise: the machine's par sheet, computed exactly from the game's own rules (strips,
// step limits, pay rule and draw come from game/bobinas.h, symbol names from game/simbolos.h;
// nothing is copied here).
//
//   trevolino-analise               the par sheet
//   trevolino-analise --simular N   plays N spins with the game's own draw, bet 1 each
//
// After the opening turn the three reels keep fixed distances that move by the same amount on
// every spin, so only the position of reel 1 is random; its distribution after n spins is an
// exact convolution of uniform draws, and the expected return is an exact fraction.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "game/bobinas.h"
#include "game/simbolos.h"

using namespace jogo;
using i128 = __int128;

namespace {

constexpr int N = kPosicoes;
constexpr int kCiclo = 16;

std::string texto(i128 v) {
    if (v == 0) return "0";
    const bool negativo = v < 0;
    if (negativo) v = -v;
    std::string s;
    while (v > 0) {
        s.insert(s.begin(), char('0' + int(v % 10)));
        v /= 10;
    }
    return negativo ? "-" + s : s;
}

i128 mdc(i128 a, i128 b) {
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b != 0) {
        const i128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

struct Fracao {
    i128 num = 0, den = 1;
    void reduzir() {
        const i128 g = mdc(num, den);
        if (g > 1) num /= g, den /= g;
    }
    double valor() const { return double(num) / double(den); }
};

int mod(int a) { return ((a % N) + N) % N; }
int posicao(int zeroBased) { return zeroBased + 1; }

// Moves a reel by a number of single steps the way a turn does (Decrementar each step).
int andar(int p, int passos) {
    for (int i = 0; i < passos; ++i) p = Decrementar(p);
    return p;
}

// Pay (in bets) of a middle row at the given positions, from the game's own rule with bet 1.
double pagamento(int p1, int p2, int p3) {
    return CalcularPremio(Bobina1[p1], Bobina2[p2], Bobina3[p3], 1.0);
}

// Steps a reel makes in a turn with draw r: the limit + 1 (the step comes before the test).
int passosDoGiro(int k, int r) { return r + kAcrescimoGiro[k] + 1; }
int passosDaAbertura(int k, int r) { return r + kAcrescimoAbertura[k] + 1; }

// Distribution of the three positions as counts over equally likely draws: exact, because
// reel 2 and 3 are fixed functions of reel 1 for every history of the same length.
struct Distribuicao {
    // contagem[p1-1] of the 16 positions of reel 1, with reel 2 and 3 offsets (same for all).
    std::array<i128, N> contagem{};
    i128 total = 0;
    int deslocamento2 = 0, deslocamento3 = 0;  // p2 = p1 + d2, p3 = p1 + d3 (mod 16)
};

Distribuicao depoisDaAbertura() {
    Distribuicao d;
    bool primeiro = true;
    for (int r = 0; r <= kMaiorSorteioAbertura; ++r) {
        const int p1 = andar(kPosicoes, passosDaAbertura(0, r));
        const int p2 = andar(kPosicoes, passosDaAbertura(1, r));
        const int p3 = andar(kPosicoes, passosDaAbertura(2, r));
        const int d2 = mod(p2 - p1), d3 = mod(p3 - p1);
        if (primeiro) d.deslocamento2 = d2, d.deslocamento3 = d3, primeiro = false;
        if (d2 != d.deslocamento2 || d3 != d.deslocamento3) {
            std::fprintf(stderr, "the reels do not keep fixed distances; the analysis does not apply\n");
            std::exit(2);
        }
        d.contagem[p1 - 1] += 1;
        d.total += 1;
    }
    return d;
}

Distribuicao umGiro(const Distribuicao& antes) {
    Distribuicao d;
    bool primeiro = true;
    for (int r = 0; r <= kMaiorSorteioGiro; ++r) {
        for (int p = 1; p <= N; ++p) {
            if (antes.contagem[p - 1] == 0) continue;
            const int p1 = andar(p, passosDoGiro(0, r));
            const int p2 = andar(posicao(mod(p - 1 + antes.deslocamento2)), passosDoGiro(1, r));
            const int p3 = andar(posicao(mod(p - 1 + antes.deslocamento3)), passosDoGiro(2, r));
            const int d2 = mod(p2 - p1), d3 = mod(p3 - p1);
            if (primeiro) d.deslocamento2 = d2, d.deslocamento3 = d3, primeiro = false;
            if (d2 != d.deslocamento2 || d3 != d.deslocamento3) {
                std::fprintf(stderr, "the reels do not keep fixed distances; the analysis does not apply\n");
                std::exit(2);
            }
            d.contagem[p1 - 1] += antes.contagem[p - 1];
        }
    }
    d.total = antes.total * (kMaiorSorteioGiro + 1);
    return d;
}

std::string nome(int s) { return std::string(NomeDoDesenho(s)); }

void tabela() {
    Distribuicao d = depoisDaAbertura();
    std::printf("Trevolino par sheet (bet 1; prizes in credits per credit bet)\n\n");
    std::printf(
        "After the opening turn reel 2 stands %d and reel 3 %d positions from reel 1;\n"
        "every spin moves those distances by the same amount, so the spins repeat a cycle of %d.\n\n",
        d.deslocamento2, d.deslocamento3, kCiclo);

    // Reachable combinations over the cycle and what each pays.
    std::map<double, int> porPremio;
    std::map<std::string, int> trincas;
    std::vector<Fracao> retorno;
    Fracao soma{0, 1};
    std::vector<Distribuicao> ciclo;
    for (int n = 1; n <= kCiclo; ++n) {
        d = umGiro(d);
        ciclo.push_back(d);
    }
    std::printf(
        "Combinations that can occur after the opening (reel 1 position x the cycle's distances): %d\n",
        N * kCiclo);
    for (const auto& c : ciclo)
        for (int p = 1; p <= N; ++p) {
            const int p2 = posicao(mod(p - 1 + c.deslocamento2)), p3 = posicao(mod(p - 1 + c.deslocamento3));
            const double x = pagamento(p, p2, p3);
            porPremio[x] += 1;
            if (Bobina1[p] == Bobina2[p2] && Bobina2[p2] == Bobina3[p3])
                trincas[std::string("three ") + nome(Bobina1[p]) + " at " + std::to_string(p) + ", " +
                        std::to_string(p2) + ", " + std::to_string(p3)] += 1;
        }
    std::printf("  %-12s %s\n", "prize/bet", "combinations");
    for (const auto& [x, n] : porPremio) std::printf("  %-12g %d\n", x, n);
    std::printf("  equal middle rows that can come up:\n");
    for (const auto& [t, n] : trincas) std::printf("    %s\n", t.c_str());

    std::printf("\nExact expected return per credit bet, spin n after the opening:\n");
    std::printf("  %-3s %-14s %-48s %s\n", "n", "decimal", "fraction", "P(win)");
    for (int n = 1; n <= kCiclo; ++n) {
        const auto& c = ciclo[n - 1];
        // Prizes are multiples of 1/1 bet; the expectation is sum(count * prize) / total.
        i128 num = 0, ganhos = 0;
        for (int p = 1; p <= N; ++p) {
            const int p2 = posicao(mod(p - 1 + c.deslocamento2)), p3 = posicao(mod(p - 1 + c.deslocamento3));
            const double x = pagamento(p, p2, p3);
            num += c.contagem[p - 1] * i128(std::llround(x));
            if (x > 0) ganhos += c.contagem[p - 1];
        }
        Fracao f{num, c.total};
        f.reduzir();
        retorno.push_back(f);
        std::printf("  %-3d %-14.10f %-48s %.6f\n", n, f.valor(), (texto(f.num) + "/" + texto(f.den)).c_str(),
                    double(ganhos) / double(c.total));
        // Sum of fractions with a common denominator kept small by reduction.
        const i128 g = mdc(soma.den, f.den);
        soma = {soma.num * (f.den / g) + f.num * (soma.den / g), soma.den / g * f.den};
        soma.reduzir();
    }
    Fracao media{soma.num, soma.den * kCiclo};
    media.reduzir();
    std::printf("\nAverage over the cycle: %.10f = %s/%s\n", media.valor(), texto(media.num).c_str(),
                texto(media.den).c_str());
}

int simular(long long giros) {
    // The game's own draw and reel steps: opening turn, then spins of bet 1.
    std::array<Bobina, 3> b{};
    const auto volta = [&](const std::array<int, 3>& acrescimo, int maior) {
        const int r = Sortear(maior);
        for (int k = 0; k < 3; ++k) {
            b[k].Limite = r + acrescimo[k];
            while (PassoDaBobina(b[k]) != ResultadoDoPasso::Parou) {}
        }
    };
    volta(kAcrescimoAbertura, kMaiorSorteioAbertura);
    double soma = 0, soma2 = 0;
    for (long long i = 0; i < giros; ++i) {
        volta(kAcrescimoGiro, kMaiorSorteioGiro);
        const double x =
            CalcularPremio(Bobina1[b[0].Posicao], Bobina2[b[1].Posicao], Bobina3[b[2].Posicao], 1.0);
        soma += x;
        soma2 += x * x;
    }
    const double media = soma / double(giros);
    const double variancia = giros > 1 ? (soma2 - soma * soma / double(giros)) / double(giros - 1) : 0;
    const double meia = 1.96 * std::sqrt(variancia / double(giros));
    std::printf("Simulated %lld spins of bet 1 with the game's draw:\n", giros);
    std::printf("  observed return %.6f per credit bet, 95%% confidence interval [%.6f, %.6f]\n", media,
                media - meia, media + meia);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--simular") == 0) {
        char* fim = nullptr;
        const long long n = std::strtoll(argv[2], &fim, 10);
        if (!fim || *fim != '\0' || n <= 0 || n > 1'000'000'000LL) {
            std::fprintf(stderr, "usage: %s [--simular N]  (N from 1 to 1000000000)\n", argv[0]);
            return 2;
        }
        return simular(n);
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--simular N]\n", argv[0]);
        return 2;
    }
    tabela();
    return 0;
}
