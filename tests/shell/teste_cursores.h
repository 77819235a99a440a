#pragma once

#include <QObject>

class TesteCursores : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cursoresGeradosSaoAnimadosEComAlfa();
    void arquivosTruncadosSaoRecusados();
    void tamanhosEContagensErradosSaoRecusados();
    void cursorSimplesDeUmBitUsaAMascara();
    void quadrosSeguemAsDuracoesDoArquivo();
    void numeroNaoRegistradoMostraASeta();
    void cursorDaTelaAnimaEVolta();
    void controlesRecebemNumerosPeloCursorDeDesenho();

private:
    qint64 m_agora = 1000;
};
