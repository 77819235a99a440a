// The main window's message dialogs and its exit confirmation.
#include <QCoreApplication>

#include "shell/dialogos.h"
#include "shell/rotinas_gerais.h"
#include "shell/uPrincipal.h"

using namespace apresentacao;

int TfrmPrincipal::CaixaDeDialogo(const QString& Texto, const QString& Titulo, const QString& TextoNao,
                                  const QString& TextoSim, bool Advertencia) {
    return uRotinasGerais::CaixaDeDialogo(this, Texto, Titulo, TextoNao, TextoSim, Advertencia);
}

int TfrmPrincipal::CaixaDeDialogoComIconesEspeciais(const QString& Texto, const QString& Titulo,
                                                    const QString& TextoNao, const QString& TextoSim,
                                                    unsigned char IconeNao, unsigned char IconeSim,
                                                    bool Advertencia, bool ComIconesDeBorda) {
    return uRotinasGerais::CaixaDeDialogoComIconesEspeciais(this, Texto, Titulo, TextoNao, TextoSim, IconeNao,
                                                            IconeSim, Advertencia, ComIconesDeBorda);
}

bool TfrmPrincipal::FormCloseQuery() {
    const int resposta =
        CaixaDeDialogo(TituloDoAplicativo + QuebrasDeLinha(2) +
                           QCoreApplication::translate("Trevolino", "Você Deseja Mesmo Sair?"),
                       QCoreApplication::translate("Trevolino", "Confirmação Para Saída"),
                       QCoreApplication::translate("Trevolino", "Não"),
                       QCoreApplication::translate("Trevolino", "Sim"), false);
    return resposta == RespostaSim;
}
