#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace apresentacao {

// Copies the embedded resource (name matched without regard to case) into a new file; an
// existing file is never overwritten. A missing resource or a file that cannot be created
// throws std::runtime_error with a readable text.
void ExtrairRecursoParaArquivo(const QString& NomeDoRecurso, const QString& NomeDoArquivo);

// True when the family is among the available font families (case ignored).
bool FonteEstaInstalada(const QString& NomeDaFonte);

// Copies NomeDoArquivo from Pasta, the folder the start-up unpacked into, into the user's font
// folder and makes it available at once; false only when the source file is missing.
bool InstalarFonte(const QString& Pasta, const QString& NomeDoArquivo);
// Its two halves, for a start-up that shows its first frame before copying: this process gets
// the font at once (false only when the source file is missing), and other programs get the
// copy in the user's font folder.
bool CarregarFonte(const QString& Pasta, const QString& NomeDoArquivo);
void CopiarFonteParaOUsuario(const QString& NomeDoArquivo);

// The screen-size check of the start-up, its messages headed by Titulo over Dono. False when the
// screen is too small for the game: the program has been asked to end.
bool VerificarResolucaoDaTela(QWidget* Dono, const QString& Titulo);

// The size VerificarResolucaoDaTela checks: the primary screen's, unless a test set another one
// with DefinirTamanhoDaTela (an invalid size goes back to the real screen).
QSize TamanhoDaTela();
void DefinirTamanhoDaTela(const QSize& tamanho);

}  // namespace apresentacao

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using apresentacao::ExtrairRecursoParaArquivo;
using apresentacao::FonteEstaInstalada;
using apresentacao::InstalarFonte;
using apresentacao::VerificarResolucaoDaTela;
}  // namespace uRotinasGerais
