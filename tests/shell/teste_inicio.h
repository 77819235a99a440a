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
    void fonteSoSeInstalaComOArquivo();
};
