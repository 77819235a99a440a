// The custom controls: one test program, the fancy button's cases in test_botao.cpp (and what a
// screen reader sees of it in test_botao_acessivel.cpp) and the shaped image's in test_imagem.cpp.
#pragma once

#include <QObject>

class TestControles : public QObject {
    Q_OBJECT
private slots:
    void botaoLimitesEAvisos();
    void botaoAneisDoDegrade();
    void botaoRedesenhadoComoNovo();
    void botaoContornoEToque();
    void botaoLegenda();
    void botaoGlifoPorEstado();
    void botaoSilhuetas();
    void botaoDesabilitadoEAtalho();
    void botaoCliqueAnimado();
    void botaoAnelDeFoco();
    void botaoAcessivel();

    void imagemRetanguloDaFigura();
    void imagemPintaPorPartes();
    void imagemRegiaoComFuros();
    void imagemMascaraDaJanela();
    void imagemArrastar();
    void imagemNoServidorX();
};
