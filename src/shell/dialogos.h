// The program's own message dialogs as a service for every caller: the cabinet window, the
// installer and the contract box ask here; none of them needs the window for it.
#pragma once

#include <QString>

#include "shell/dialogo_base.h"

class QWidget;

namespace apresentacao {

// A modal message with a "Sim" button and, when TextoNao is not blank, a "Não" button; a
// warning is drawn in its warning colours with the buttons swapped. The answer is RespostaSim,
// RespostaNao or RespostaFechado. `Dono` may be null.
int CaixaDeDialogo(QWidget* Dono, const QString& Texto, const QString& Titulo, const QString& TextoNao,
                   const QString& TextoSim, bool Advertencia);

// The button that answers a message which only informs. Portuguese answers it "Sim" as it
// answers a question; other languages may need another word ("OK", not "Yes").
QString TextoDeCiente();

// The same with a picture of IconesDosDialogos() on each button, and optionally the system
// menu and close button on the title bar.
int CaixaDeDialogoComIconesEspeciais(QWidget* Dono, const QString& Texto, const QString& Titulo,
                                     const QString& TextoNao, const QString& TextoSim, unsigned char IconeNao,
                                     unsigned char IconeSim, bool Advertencia, bool ComIconesDeBorda);

// "v" and the executable's major and minor version ("v3.5"; "vPadrão" without a version), and
// the display title that heads most messages: "Trevolino " followed by it.
QString VersaoDoAplicativo();
QString TituloDoAplicativo();

}  // namespace apresentacao

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using apresentacao::CaixaDeDialogo;
using apresentacao::CaixaDeDialogoComIconesEspeciais;
using apresentacao::TextoDeCiente;
using apresentacao::TituloDoAplicativo;
using apresentacao::VersaoDoAplicativo;
}  // namespace uRotinasGerais
