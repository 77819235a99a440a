#pragma once

#include <QObject>

class TesteInicio : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void extrairNuncaSobrescreveENomeIgnoraCaixa();
    void verificacaoDaTela_data();
    void verificacaoDaTela();
    // The first start of the process: the font is not known yet.
    void inicioDesempacotaEFecharApaga();
    void pastaSemEscritaMostraOErroEAbreAJanela();
    // Unpacked after the first frame, a cursor that fails is told then, in the same error box.
    void cursorQueNaoSeDesempacotaAvisaDepoisDoPrimeiroQuadro();
    void fonteSoSeInstalaComOArquivo();
};
