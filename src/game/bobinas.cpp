#include "game/bobinas.h"

#include <chrono>
#include <random>

namespace jogo {

int PrimeiraPosicao(const Fita& fita, int simbolo) {
    for (int i = 1; i <= kPosicoes; ++i)
        if (fita[i] == simbolo) return i;
    return 0;
}

double CalcularPremio(int s1, int s2, int s3, double aposta) {
    // Any three equal numbers pay as a set (the strips hold only 1..11).
    if (s1 == s2 && s2 == s3) return PremioDaTrinca(s1, aposta);
    const auto pagaSozinho = [](int n) {
        const Simbolo* s = ObterSimbolo(n);
        return s && s->pagaSozinho;
    };
    if (pagaSozinho(s1) || pagaSozinho(s2) || pagaSozinho(s3)) return 2 * aposta;
    return 0;
}

int Sortear(int maior) {
    // A fresh generator for every draw, seeded from a high-resolution clock.
    const auto agora = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::mt19937 gerador(static_cast<std::uint32_t>(agora ^ (agora >> 32)));
    return std::uniform_int_distribution<int>(0, maior)(gerador);
}

void Avancar(Bobina& b) { b.Posicao = Decrementar(b.Posicao); }

ResultadoDoPasso PassoDaBobina(Bobina& b) {
    Avancar(b);
    return ContarPasso(b);
}

ResultadoDoPasso ContarPasso(Bobina& b) {
    if (b.Passos < b.Limite) {
        ++b.Passos;
        return ResultadoDoPasso::Girando;
    }
    if (b.Passos == b.Limite && (b.Alvo == 0 || b.Alvo == b.Posicao)) {
        b.Passos = 0;
        return ResultadoDoPasso::Parou;
    }
    return ResultadoDoPasso::Girando;  // a target not yet reached: keep stepping
}

std::uint32_t ObterCorDaLuz(int i, int* indice) {
    if (i < 1) i = 7;
    if (i > 7) i = ((i - 1) % 7) + 1;
    if (indice) *indice = i;
    return CoresDasLuzes[i];
}

QString PedacoDoLetreiro(const QString& mensagem, int posicao) {
    const QString rolo = QString(5, ' ') + mensagem + QString(5, ' ') + mensagem;
    const int inicio = posicao < 1 ? 1 : posicao;
    if (inicio > rolo.size()) return QString();
    return rolo.mid(inicio - 1, kCaracteresDoLetreiro);
}

int ProximaPosicaoDoLetreiro(const QString& mensagem, int posicao) {
    posicao += 2;
    const int ciclo = int(mensagem.size()) + 5;
    if (posicao > ciclo) posicao %= ciclo;
    return posicao;
}

}  // namespace jogo
