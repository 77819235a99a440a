// The machine's rules without a window: strips and steps, turns, targets, the pay rule and the
// pay table the cabinet shows, lamps and the marquee.
#include <QtTest>
#include <memory>
#include <set>
#include <tuple>

#include "game/bobinas.h"
#include "game/dinheiro.h"
#include "game/maquina.h"
#include "game/tabela_de_premios.h"

using namespace jogo;

namespace {
// Runs one turn of the three reels with the given step increments and draw, as the timers would
// (each reel ticks until it stops); returns the steps each reel made.
std::array<int, 3> executarVolta(std::array<Bobina, 3>& b, const std::array<int, 3>& acrescimo, int r) {
    std::array<int, 3> passos{};
    for (int k = 0; k < 3; ++k) {
        b[k].Limite = r + acrescimo[k];
        do ++passos[k];
        while (PassoDaBobina(b[k]) != ResultadoDoPasso::Parou && passos[k] < 1000);
    }
    return passos;
}
std::array<int, 3> linhaDoMeio(const std::array<Bobina, 3>& b) {
    return {Bobina1[b[0].Posicao], Bobina2[b[1].Posicao], Bobina3[b[2].Posicao]};
}
// Time moved by hand: Avancar fires every timer that falls due, in time order (creation order on
// a tie), each at its own interval from when it was started.
class RelogioDeTeste : public Relogio {
public:
    qint64 agora = 0;
    Temporizador* Criar(QObject*, const QString&, int ms, std::function<void()> aoDisparar) override {
        m_temporizadores.push_back(std::make_unique<T>(this, ms, std::move(aoDisparar)));
        return m_temporizadores.back().get();
    }
    void Avancar(qint64 ms) {
        const qint64 fim = agora + ms;
        for (;;) {
            T* proximo = nullptr;
            for (const auto& t : m_temporizadores)
                if (t->ativo && t->quando <= fim && (!proximo || t->quando < proximo->quando))
                    proximo = t.get();
            if (!proximo) break;
            agora = proximo->quando;
            proximo->quando += proximo->ms;
            proximo->aoDisparar();
        }
        agora = fim;
    }
    bool AlgumAtivo() const {
        for (const auto& t : m_temporizadores)
            if (t->ativo) return true;
        return false;
    }

private:
    struct T : Temporizador {
        T(RelogioDeTeste* r, int m, std::function<void()> f) : relogio(r), ms(m), aoDisparar(std::move(f)) {}
        void Iniciar() override {
            ativo = true;
            quando = relogio->agora + ms;
        }
        void Parar() override { ativo = false; }
        bool Ativo() const override { return ativo; }
        RelogioDeTeste* relogio;
        int ms;
        std::function<void()> aoDisparar;
        bool ativo = false;
        qint64 quando = 0;
    };
    std::vector<std::unique_ptr<T>> m_temporizadores;
};

}  // namespace

class TestRegras : public QObject {
    Q_OBJECT
private slots:
    void vizinhosDaFita() {
        QCOMPARE(Incrementar(16), 1);
        QCOMPARE(Incrementar(15), 16);
        QCOMPARE(Decrementar(1), 16);
        QCOMPARE(Decrementar(2), 1);
        // Every strip holds every symbol; reel 1 has symbol k first at k.
        for (const Fita* f : Fitas)
            for (int s = 1; s <= kSimbolos; ++s) QVERIFY(PrimeiraPosicao(*f, s) != 0);
        for (int s = 1; s <= kSimbolos; ++s) QCOMPARE(PrimeiraPosicao(Bobina1, s), s);
        QCOMPARE(NomeDoDesenho(1), std::string_view("limao"));
        QCOMPARE(NomeDoDesenho(11), std::string_view("setevermelho"));
        QVERIFY(NomeDoDesenho(0).empty());
        QVERIFY(NomeDoDesenho(12).empty());
    }

    void linhasNasPosicoesDeBorda() {
        // Reel 1 at 16: melancia on top, uva in the middle, limao below.
        QCOMPARE(Bobina1[Decrementar(16)], 4);
        QCOMPARE(Bobina1[16], 5);
        QCOMPARE(Bobina1[Incrementar(16)], 1);
        // Reel 3 at 11: the same symbol may stand in two rows.
        QCOMPARE(Bobina3[Decrementar(11)], 10);
        QCOMPARE(Bobina3[11], 11);
        QCOMPARE(Bobina3[Incrementar(11)], 11);
        // Symbol 2 stands on reel 3 only at 16.
        for (int p = 1; p <= 16; ++p) QCOMPARE(Bobina3[p] == 2, p == 16);
        // One step from 1: position 16, whose bottom row shows the symbol of position 1.
        Bobina b;
        b.Posicao = 1;
        Avancar(b);
        QCOMPARE(b.Posicao, 16);
        QCOMPARE(Incrementar(b.Posicao), 1);
    }

    void passosDeUmaVolta_data() {
        QTest::addColumn<bool>("abertura");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("p1");
        QTest::addColumn<int>("p2");
        QTest::addColumn<int>("p3");
        QTest::newRow("giro r=0") << false << 0 << 26 << 51 << 76;
        QTest::newRow("giro r=24") << false << 24 << 50 << 75 << 100;
        QTest::newRow("abertura r=0") << true << 0 << 6 << 16 << 26;
        QTest::newRow("abertura r=14") << true << 14 << 20 << 30 << 40;
    }
    void passosDeUmaVolta() {
        QFETCH(bool, abertura);
        QFETCH(int, r);
        std::array<Bobina, 3> b{};
        const auto passos = executarVolta(b, abertura ? kAcrescimoAbertura : kAcrescimoGiro, r);
        QFETCH(int, p1);
        QFETCH(int, p2);
        QFETCH(int, p3);
        QCOMPARE(passos, (std::array<int, 3>{p1, p2, p3}));
        for (const auto& x : b) QCOMPARE(x.Passos, 0);  // back to 0 once stopped
    }

    void giroDe16ComSorteioZero() {
        std::array<Bobina, 3> b{};
        executarVolta(b, kAcrescimoGiro, 0);
        QCOMPARE(b[0].Posicao, 6);
        QCOMPARE(b[1].Posicao, 13);
        QCOMPARE(b[2].Posicao, 4);
        QCOMPARE(linhaDoMeio(b), (std::array<int, 3>{6, 4, 5}));
        QCOMPARE(CalcularPremio(6, 4, 5, 10), 0.0);
    }

    void soTresTrinciasPodemSair() {
        // After the opening every reachable triple keeps reel 2 at reel 1 - 10 and reel 3 at
        // reel 1 - 20 (mod 16, shifted 25 and 50 more per spin): 256 combinations, and only three
        // 1, three 3 and three 4 among the equal middle rows.
        std::set<std::tuple<int, int, int>> vistos;
        std::set<int> trincas;
        for (int ra = 0; ra <= kMaiorSorteioAbertura; ++ra) {
            std::array<Bobina, 3> b{};
            executarVolta(b, kAcrescimoAbertura, ra);
            for (int giro = 0; giro < 40; ++giro) {
                executarVolta(b, kAcrescimoGiro, (giro * 7 + ra) % 25);
                vistos.insert({b[0].Posicao, b[1].Posicao, b[2].Posicao});
                const auto m = linhaDoMeio(b);
                if (m[0] == m[1] && m[1] == m[2]) trincas.insert(m[0]);
            }
        }
        QVERIFY(vistos.size() <= 256);
        QVERIFY(trincas.size() <= 3);
        for (int s : trincas) QVERIFY(s == 1 || s == 3 || s == 4);
    }

    void alvosDeParada() {
        QCOMPARE(PrimeiraPosicao(Bobina1, 7), 7);
        QCOMPARE(PrimeiraPosicao(Bobina2, 7), 10);
        QCOMPARE(PrimeiraPosicao(Bobina3, 7), 1);
        QCOMPARE(PrimeiraPosicao(Bobina3, 2), 16);
        QCOMPARE(PrimeiraPosicao(Bobina3, 12), 0);
        // A reel with a target keeps turning after its limit until it stands on the target.
        Bobina b;
        b.Posicao = 16;
        b.Limite = 0;
        b.Alvo = 5;
        int passos = 0;
        while (PassoDaBobina(b) != ResultadoDoPasso::Parou) ++passos;
        QCOMPARE(b.Posicao, 5);
        QCOMPARE(passos, 10);
        QCOMPARE(b.Passos, 0);
    }

    void regraDePagamento_data() {
        QTest::addColumn<int>("s1");
        QTest::addColumn<int>("s2");
        QTest::addColumn<int>("s3");
        QTest::addColumn<double>("aposta");
        QTest::addColumn<double>("premio");
        QTest::newRow("tres 11, aposta 10") << 11 << 11 << 11 << 10.0 << 120.0;
        QTest::newRow("tres 10, aposta 10") << 10 << 10 << 10 << 10.0 << 110.0;
        QTest::newRow("um morango, aposta 1") << 2 << 4 << 5 << 1.0 << 2.0;
        QTest::newRow("tres morangos, aposta 1") << 2 << 2 << 2 << 1.0 << 3.0;
        QTest::newRow("tres limoes, aposta 1") << 1 << 1 << 1 << 1.0 << 2.0;
        QTest::newRow("6 4 5 perde") << 6 << 4 << 5 << 10.0 << 0.0;
        QTest::newRow("barra no fim") << 1 << 3 << 9 << 5.0 << 10.0;
        QTest::newRow("setes misturados nao pagam") << 10 << 11 << 10 << 10.0 << 0.0;
        QTest::newRow("aposta zero") << 11 << 11 << 11 << 0.0 << 0.0;
    }
    void regraDePagamento() {
        QFETCH(int, s1);
        QFETCH(int, s2);
        QFETCH(int, s3);
        QFETCH(double, aposta);
        QFETCH(double, premio);
        QCOMPARE(CalcularPremio(s1, s2, s3, aposta), premio);
    }

    // Every middle row at every bet the buttons offer, against the rule written out here on its
    // own: three equal pay bet * (s + 1), else a strawberry or a bar (2, 7, 8, 9) anywhere pays
    // twice the bet, else nothing.
    void regraDePagamentoEmTodasAsLinhas() {
        const auto pagaSozinho = [](int s) { return s == 2 || s == 7 || s == 8 || s == 9; };
        for (double aposta : {1.0, 5.0, 10.0})
            for (int s1 = 1; s1 <= 11; ++s1)
                for (int s2 = 1; s2 <= 11; ++s2)
                    for (int s3 = 1; s3 <= 11; ++s3) {
                        double esperado = 0;
                        if (s1 == s2 && s2 == s3)
                            esperado = aposta * (s1 + 1);
                        else if (pagaSozinho(s1) || pagaSozinho(s2) || pagaSozinho(s3))
                            esperado = 2 * aposta;
                        if (CalcularPremio(s1, s2, s3, aposta) != esperado)
                            QFAIL(qPrintable(QStringLiteral("%1 %2 %3, aposta %4: %5 em vez de %6")
                                                 .arg(s1)
                                                 .arg(s2)
                                                 .arg(s3)
                                                 .arg(aposta)
                                                 .arg(CalcularPremio(s1, s2, s3, aposta))
                                                 .arg(esperado)));
                    }
    }

    // The cabinet's table as the picture has always shown it at bet 10; an "any" is never filled
    // so that it pays by itself or completes a row of three.
    void tabelaDePremios() {
        const std::array<double, 12> pintados = {20, 20, 20, 40, 50, 60, 70, 80, 90, 100, 110, 120};
        for (size_t i = 0; i < kLinhasDaTabelaDePremios.size(); ++i)
            QCOMPARE(ValorDaLinha(kLinhasDaTabelaDePremios[i], kApostaDaTabela), pintados[i]);
        QCOMPARE(kApostaDaTabela, 10);
        QCOMPARE(ValorDaLinha({2, kQualquer, kQualquer}, 5), 10.0);
        QCOMPARE(ValorDaLinha({1, kQualquer, kQualquer}, 10), 0.0);
        QCOMPARE(ValorDaLinha({3, 3, kQualquer}, 10), 0.0);
        QCOMPARE(ValorDaLinha({kQualquer, kQualquer, kQualquer}, 10), 0.0);
    }

    // The money steps the window leans on: a refused bet changes nothing, the count-up moves
    // the whole prize and stops, and the win check reads the middle row of each strip.
    void dinheiroDaRodada() {
        double credito = 9, aposta = 0;
        QVERIFY(!jogo::Apostar(credito, aposta, 10));
        QCOMPARE(credito, 9.0);
        QCOMPARE(aposta, 0.0);
        QVERIFY(jogo::Apostar(credito, aposta, 5) && jogo::Apostar(credito, aposta, 4));
        QCOMPARE(credito, 0.0);
        QCOMPARE(aposta, 9.0);
        double premio = 3;
        int passos = 0;
        while (jogo::PagarUmCredito(premio, credito)) ++passos;
        QCOMPARE(passos, 3);
        QCOMPARE(credito, 3.0);
        QCOMPARE(premio, 0.0);
        std::array<jogo::Bobina, 3> b{};
        b[0].Posicao = 11, b[1].Posicao = 6, b[2].Posicao = 2;  // 11, 11, 11: three red sevens
        QCOMPARE(jogo::PremioDaLinhaDoMeio(b, 10), 120.0);
        b[2].Posicao = 3;  // 11, 11, 3
        QCOMPARE(jogo::PremioDaLinhaDoMeio(b, 10), 0.0);
        jogo::DefinirLimites(b, 7, jogo::kAcrescimoGiro);
        QCOMPARE(b[2].Limite, 82);
    }

    void coresDasLampadas() {
        // First tick from phase 1: lamps 1..7 colours 1..7, lamps 8..12 colours 1..5; phase 7.
        int fase = 1;
        for (int n = 1; n <= 12; ++n) QCOMPARE(ObterCorDaLuz(fase + n - 1), CoresDasLuzes[(n - 1) % 7 + 1]);
        ObterCorDaLuz(fase - 1, &fase);
        QCOMPARE(fase, 7);
        // Second tick: 7, 1, 2, ..., lamp 8 (index 14) maroon.
        const int esperado[12] = {7, 1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 4};
        for (int n = 1; n <= 12; ++n) QCOMPARE(ObterCorDaLuz(fase + n - 1), CoresDasLuzes[esperado[n - 1]]);
        QCOMPARE(ObterCorDaLuz(14), 0x800000u);
        // The phase runs 1, 7, 6, ..., 2, 1, 7.
        fase = 1;
        QList<int> fases;
        for (int i = 0; i < 9; ++i) {
            fases << fase;
            ObterCorDaLuz(fase - 1, &fase);
        }
        QCOMPARE(fases, (QList<int>{1, 7, 6, 5, 4, 3, 2, 1, 7}));
        QCOMPARE(ObterCorDaLuz(15), CoresDasLuzes[1]);
        QCOMPARE(ObterCorDaLuz(-3), CoresDasLuzes[7]);
    }

    void letreiro() {
        const QString m = "Aposte e Ganhe";
        QCOMPARE(PedacoDoLetreiro(m, 0), QString("     Aposte "));
        QList<int> posicoes;
        int p = 0;
        for (int i = 0; i < 22; ++i) {
            posicoes << p;
            p = ProximaPosicaoDoLetreiro(m, p);
        }
        QCOMPARE(posicoes,
                 (QList<int>{0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 2, 4}));
        // "Parabens" is cut by 13: 12 goes to 14, which becomes 1.
        QCOMPARE(ProximaPosicaoDoLetreiro("Parabens", 12), 1);
        // An empty message scrolls ten blanks; a position past the end shows a short piece.
        QCOMPARE(PedacoDoLetreiro("", 1), QString(10, ' '));
        QCOMPARE(PedacoDoLetreiro("Boa Sorte", 25), QString("orte"));
        QCOMPARE(PedacoDoLetreiro("Boa Sorte", 40), QString());
        // No jump: the piece at position p + cycle equals the piece at p.
        for (int q = 1; q <= 8; ++q) QCOMPARE(PedacoDoLetreiro(m, q), PedacoDoLetreiro(m, q + 19));
    }

    void sorteioUniforme() {
        std::array<int, 25> contagem{};
        for (int i = 0; i < 5000; ++i) {
            const int r = Sortear(24);
            QVERIFY(r >= 0 && r <= 24);
            ++contagem[r];
        }
        for (int c : contagem) QVERIFY2(c > 100, "a value of the range is almost never drawn");
    }

    // The opening as one call: 100 credits and no bet, the lamps running from phase 1, the greeting,
    // and a short silent turn that ends where its draw says, with what the line shows and pays
    // asked of the machine.
    void aberturaNumaChamada() {
        RelogioDeTeste relogio;
        Maquina m(relogio, [](int maior) { return maior; });
        int eventos = 0, lampadas = 0, paradas = 0;
        QObject::connect(&m, &Maquina::Ocorreu, [&] { ++eventos; });
        QObject::connect(&m, &Maquina::LuzesAndaram, [&] { ++lampadas; });
        QObject::connect(&m, &Maquina::BobinaParou, [&] { ++paradas; });
        m.SetarOQueTemQueDar(3, 3, 3);  // the opening clears any target
        m.Abrir();
        QCOMPARE(m.Credito(), 100.0);
        QCOMPARE(m.Aposta(), 0.0);
        QCOMPARE(m.Mensagem(), QString("Aposte e Ganhe"));
        QCOMPARE(m.FaseDasLuzes(), 1);
        QCOMPARE(m.FaseAtual(), Maquina::Fase::Girando);
        for (const Bobina& b : m.Bobinas()) QCOMPARE(b.Alvo, 0);
        // The draw's largest value, 14: 20, 30 and 40 steps down from position 16.
        relogio.Avancar(500);
        QCOMPARE(paradas, 3);
        QCOMPARE(lampadas, 1);
        QCOMPARE(eventos, 3);  // the three stops; no coin, no lever
        QCOMPARE(m.Posicao(1), 12);
        QCOMPARE(m.Posicao(2), 2);
        QCOMPARE(m.Posicao(3), 8);
        QCOMPARE(m.SimbolosEmVista(1), (std::array<int, 3>{Bobina1[11], Bobina1[12], Bobina1[13]}));
        QCOMPARE(m.SimbolosEmVista(2), (std::array<int, 3>{Bobina2[1], Bobina2[2], Bobina2[3]}));
        QCOMPARE(m.SimbolosEmVista(3), (std::array<int, 3>{Bobina3[7], Bobina3[8], Bobina3[9]}));
        QCOMPARE(m.PremioDaLinha(), 0.0);  // no bet
        // Wrapped at both ends of the strip; the line's prize follows the bet.
        m.Posicionar(1, 16, 1);
        QCOMPARE(m.SimbolosEmVista(1), (std::array<int, 3>{Bobina1[16], Bobina1[1], Bobina1[2]}));
        QCOMPARE(m.SimbolosEmVista(2), (std::array<int, 3>{Bobina2[15], Bobina2[16], Bobina2[1]}));
        m.DefinirDinheiro(90, 10);
        QCOMPARE(m.PremioDaLinha(), CalcularPremio(Bobina1[1], Bobina2[16], Bobina3[1], 10));
        m.Posicionar(11, 6, 2);  // three red sevens
        QCOMPARE(m.PremioDaLinha(), 120.0);
        m.Parar();
    }

    // A won spin through the machine alone, on a clock moved by hand: when each reel stops, the
    // pause, the count-up one credit a tick, the end and the final second, in the order reported;
    // then a count-up stopped halfway (the program ending) moves nothing any more.
    void rodadaInteiraNoRelogioDeTeste() {
        RelogioDeTeste relogio;
        Maquina m(relogio, [](int) { return 0; });
        static const char* eventos[] = {"moeda", "giro", "parou", "ganhou", "pouco", "muito", "pago"};
        QStringList visto;
        const auto marcar = [&](const QString& o) { visto << QString("%1 %2").arg(relogio.agora).arg(o); };
        QObject::connect(&m, &Maquina::Ocorreu, [&](Evento e) { marcar(eventos[int(e)]); });
        QObject::connect(&m, &Maquina::MensagemMudou, marcar);
        QObject::connect(&m, &Maquina::RodadaTerminou, [&] { marcar("botoes"); });
        m.DefinirDinheiro(100, 0);
        QVERIFY(m.Apostar(10));
        // Three cherries (3, 3, 3) after a spin that draws 0: 26, 51 and 76 steps.
        const auto inicio = [](int fim, int passos) { return ((fim - 1 + passos) % 16) + 1; };
        m.Posicionar(inicio(3, 26), inicio(3, 51), inicio(3, 76));
        QVERIFY(m.Girar());
        relogio.Avancar(1260);
        QCOMPARE(m.Credito(), 91.0);  // 40 won, the first credit paid at once
        relogio.Avancar(250 * 39);
        QCOMPARE(m.Credito(), 130.0);
        QCOMPARE(m.Aposta(), 10.0);
        relogio.Avancar(1250);
        QCOMPARE(visto, (QStringList{"0 Boa Sorte", "0 moeda", "0 giro", "260 parou", "510 parou", "760 parou",
                                     "1260 ganhou", "1260 muito", "1260 Parabens", "11260 pago",
                                     "11260 Aposte e Ganhe", "12260 botoes"}));
        QCOMPARE(m.Aposta(), 0.0);

        m.DefinirDinheiro(0, 10);
        m.Posicionar(inicio(11, 26), inicio(6, 51), inicio(2, 76));  // three red sevens: 120
        QVERIFY(m.Girar());
        relogio.Avancar(1260 + 1000);
        QCOMPARE(m.Credito(), 5.0);
        m.Parar();
        relogio.Avancar(60000);
        QCOMPARE(m.Credito(), 5.0);
        QVERIFY(!relogio.AlgumAtivo());
    }
};

QTEST_APPLESS_MAIN(TestRegras)
#include "test_regras.moc"
