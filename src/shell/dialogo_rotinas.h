#pragma once

#include <QString>

class QWidget;

namespace apresentacao {

// n line breaks; empty for n <= 0.
QString QuebrasDeLinha(int n);

// "%*.*n": the value with the user's regional thousands and decimal separators, right-aligned
// in a field of `largura` characters (a longer text is not cut).
QString FormatarValor(int largura, int decimais, double valor);

// Asks the desktop to open a web address or document; shows the wait cursor meanwhile.
void AbrirEnderecoWeb(const QString& Endereco);

// Gives every control of the form one of the program's cursor numbers (5376..5379) according to
// its current cursor, and makes the form double-buffered.
void AplicarCursorNosControles(QWidget* Formulario);

}  // namespace apresentacao

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using apresentacao::AbrirEnderecoWeb;
using apresentacao::AplicarCursorNosControles;
using apresentacao::FormatarValor;
using apresentacao::QuebrasDeLinha;
}  // namespace uRotinasGerais
