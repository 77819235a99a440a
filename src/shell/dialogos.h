// The program's own message dialogs as a service for every caller: the cabinet window, the
// installer and the contract box ask here; none of them needs the window for it.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "shell/uDialogo.h"

class QWidget;

namespace apresentacao {

// A modal message with a "Sim" button and, when TextoNao is not blank, a "Não" button; a
// warning is drawn in its warning colours with the buttons swapped. The answer is RespostaSim,
// RespostaNao or RespostaFechado. `Dono` may be null.
int CaixaDeDialogo(QWidget* Dono, const QString& Texto, const QString& Titulo, const QString& TextoNao,
                   const QString& TextoSim, bool Advertencia);

// The same with a picture of IconesDosDialogos() on each button, and optionally the system
// menu and close button on the title bar.
int CaixaDeDialogoComIconesEspeciais(QWidget* Dono, const QString& Texto, const QString& Titulo,
                                     const QString& TextoNao, const QString& TextoSim, unsigned char IconeNao,
                                     unsigned char IconeSim, bool Advertencia, bool ComIconesDeBorda);

// The four 24 x 24 pictures of the dialogs' buttons, as the program carries them.
std::vector<QImage> IconesDosDialogos();
// Picture i (0..3) of that list, for the screen: its 2x version, with its ratio, when the
// application's screen is scaled 2x.
QImage IconeDosDialogos(int i);

// "v" and the executable's major and minor version ("v3.5"; "vPadrão" without a version), and
// the display title that heads most messages: "Trevolino " followed by it.
QString VersaoDoAplicativo();
QString TituloDoAplicativo();

}  // namespace apresentacao

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using apresentacao::CaixaDeDialogo;
using apresentacao::CaixaDeDialogoComIconesEspeciais;
using apresentacao::VersaoDoAplicativo;
using apresentacao::TituloDoAplicativo;
}  // namespace uRotinasGerais
