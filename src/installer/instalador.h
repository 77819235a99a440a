// The installer's steps. They are given the display title and find the program from the running
// executable; their messages go through the program's dialogs, never through the game's window.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace instalacao {

// The folder the program is installed into, under the programs folder.
inline const QString kPastaDoJogo = QStringLiteral("Trevolino");

void InstalarNaPastaDeProgramas(const QString& NomeDaPasta, const QString& Titulo);
bool ConcluirInstalacao(const QString& Executavel, const QString& Titulo);
void RemoverInstalacao(const QString& NomeDaPasta, const QString& Titulo);

// The installation folder: prefix + "/" + name, or empty when the prefix is empty, relative or
// the root, or the name is not one plain path component (a removal must stay inside).
QString PastaDeInstalacao(const QString& prefixo, const QString& NomeDaPasta);

// The uninstaller copy's file name: "_Desinstalar" before the extension, or at the end.
QString NomeDoDesinstalador(const QString& nomeDoExecutavel);

// The confirmation, completion and failure messages.
QString MensagemConfirmacaoInstalar(const QString& titulo);
QString MensagemConfirmacaoIcones(const QString& titulo);
// `naMesa`: a desktop launcher was made, and the message points at it.
QString MensagemInstalacaoConcluida(const QString& titulo, bool naMesa = true);
QString MensagemConfirmacaoDesinstalar(const QString& titulo);
QString MensagemDesinstalacaoConcluida(const QString& titulo);
// What could not be installed (`oQueFalhou` names the step, `caminho` where), and what a removal
// left behind.
QString MensagemFalhaNaInstalacao(const QString& titulo, const QString& oQueFalhou, const QString& caminho);
QString MensagemDesinstalacaoIncompleta(const QString& titulo, const QStringList& restantes);

// Where the launchers' group and the game's icon go: the running user's own menu and hicolor
// theme, or every user's under the uninstaller's prefix when root installs. Removal of the icon
// takes only the game's files, by their names.
QString PastaDoMenuDoInstalador();
QString PastaDosIconesDoInstalador();
void RemoverIconesDoJogo();

// What a record of the uninstaller copy `U` names (installations, folders, launchers and icons),
// when it is one the uninstaller believes: absolute paths in their one plain spelling reached
// through no link. And what the record inside an installation folder `pasta` lists, relative
// plain names. Nothing when the text is not such a record.
std::optional<QStringList> CaminhosDoRegistro(const QByteArray& texto, const QString& U);
std::optional<QStringList> ArquivosDoRegistroDaPasta(const QByteArray& texto, const QString& pasta);

// Whether this run showed an installation or removal that did not complete.
bool InstaladorFalhou();

}  // namespace instalacao

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using instalacao::ConcluirInstalacao;
using instalacao::InstalarNaPastaDeProgramas;
using instalacao::RemoverInstalacao;
}  // namespace uRotinasGerais
