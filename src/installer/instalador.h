// The installer's modes and steps, and the seams that let tests drive them without a real
// command line or a real executable.
#pragma once

#include <QString>
#include <QStringList>

namespace uRotinasGerais {

bool ModoInstalar();
bool ModoIcones();
bool ModoDesinstalar();

void InstalarNaPastaDeProgramas(const QString& NomeDaPasta, const QString& Titulo);
// False when a launcher could not be written: what the run wrote is gone again, and it said so.
bool ConcluirInstalacao(const QString& Executavel, const QString& Titulo);
void RemoverInstalacao(const QString& NomeDaPasta, const QString& Titulo);

// The raw command line as a Windows shell passes it: the program path in double quotes, then
// the arguments joined by blanks. Quotes inside the program path are left out (such a path
// cannot exist there, and the token is found after the first quote followed by a blank).
QString LinhaDeComandoReconstruida(const QStringList& argumentos);

// The installation folder: prefix + "/" + name, or empty when the prefix is empty, relative or
// the root, or the name is not one plain path component (a removal must stay inside).
QString PastaDeInstalacao(const QString& prefixo, const QString& NomeDaPasta);

// The uninstaller copy's file name: "_Desinstalar" before the extension, or at the end.
QString NomeDoDesinstalador(const QString& nomeDoExecutavel);

// The confirmation and completion messages.
QString MensagemConfirmacaoInstalar(const QString& titulo);  // M1
QString MensagemConfirmacaoIcones(const QString& titulo);    // M2
QString MensagemInstalacaoConcluida(const QString& titulo);  // M3
QString MensagemConfirmacaoDesinstalar(const QString& titulo);  // M4
QString MensagemDesinstalacaoConcluida(const QString& titulo);  // M5
// An installation that failed: what failed, and the path it failed on.
QString MensagemFalhaNaInstalacao(const QString& titulo, const QString& oQueFalhou, const QString& caminho);
// A removal that left things behind, one path a line.
QString MensagemDesinstalacaoIncompleta(const QString& titulo, const QStringList& restantes);

// Test seams. A raw command line with its argument count replaces the process's own; an
// executable path replaces the running executable's. Empty values restore the real ones.
void DefinirLinhaDeComandoParaTeste(const QString& linhaBruta, int numeroDeArgumentos);
void DefinirExecutavelParaTeste(const QString& caminho);

}  // namespace uRotinasGerais

namespace uRotinasGerais {

// The game's icon in the user's hicolor theme (the launchers say Icon=trevolino); pictures the
// program does not carry are skipped. Removal takes only those files, by those names.
void InstalarIconesDoJogo();
void RemoverIconesDoJogo();

}  // namespace uRotinasGerais
