// Shell and file helpers: special folders, launchers, copies and removals, on freedesktop.
#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

class QWidget;

namespace plataforma {

// Stand-in: /usr/local/bin when writable, else ~/.local/bin (for root, empty: never a home).
QString PastaDoWindows();
// /opt when writable, else the user's data folder (for root, empty: never a home); never relative.
QString PastaDeProgramas();
// The XDG desktop folder; for root, only one inside a home root owns, as root's own files name it.
QString PastaDaAreaDeTrabalho();
QString PastaDoMenuIniciar();       // ~/.local/share/applications (XDG)
QString PastaDasFontes();           // the user's font folder, ~/.local/share/fonts
QString PastaEspecial(int numero);  // 0 desktop, 11 start menu, 20 fonts; empty for others

// Writes a freedesktop launcher `NomeDoAtalho`.desktop; Lugar 0 = desktop, 1 = group folder.
// True when the launcher was written; `Arquivo`, when given, receives the launcher's path (empty
// when no path could be built).
bool CriarAtalho(const QString& Alvo, const QString& Argumentos, const QString& PastaDeTrabalho,
                 const QString& NomeDoAtalho, const QString& NomeDoGrupo, unsigned char Lugar,
                 QString* Arquivo = nullptr);

// The launcher's text; empty for a target, arguments or folder a launcher cannot hold. A
// launcher with arguments starts an installer mode, not the game: it carries none of the game's
// search words.
QByteArray TextoDoAtalho(const QString& Alvo, const QString& Argumentos, const QString& PastaDeTrabalho,
                         const QString& NomeDoAtalho);

// Marks a desktop launcher as trusted for the file managers that ask (best effort).
void MarcarComoConfiavel(const QString& arquivo);

// A root installation is every user's: its launchers and icons go into the system's shared data
// folder under the uninstaller's prefix (/usr/local/share beside /usr/local/bin).
bool InstalacaoParaTodos();
QString PastaDeDadosDoSistema();
// Whether HOME is a folder the running user owns (as root with a user's HOME it is not: nothing
// may be made there).
bool PastaPessoalDoUsuario();

// Makes `pasta` and its missing parents, never inside a folder owned by another user than the
// running one or root (someone else's home). Each folder made is appended to `criadas`, parents
// first; `resolvida` receives the folder's path with every link resolved. False when a part is
// not a folder or may not be made.
bool CriarPastas(const QString& pasta, QStringList* criadas, QString* resolvida);
// Whether the running user may create things in `pasta`: it is a folder owned by them or root.
bool PodeCriarEm(const QString& pasta);

// With `ComoInstalado`, the copy gets the mode install(1) gives (0755 for a program, 0644 for
// anything else) less the user's umask, never the source's; and as root the source must be a
// file root owns that no one else may write.
bool CopiarArquivo(const QString& Origem, const QString& Destino, bool ComoInstalado = false);

// The user's file-creation mask (read without changing it).
mode_t MascaraDoUsuario();

// As root, what every user will run must come from what root alone controls: empty when
// `caminho` and every folder above it belong to root and no one else may write them (a sticky
// folder above excepted); else the first path that fails. Always empty for other users.
QString OrigemNaoConfiavel(const QString& caminho);

// Copies the names `Entradas` of the folder `Origem` (their folders and regular files, links
// left out) into the existing empty folder `Destino`, walking both from folder descriptors with
// no link followed, so that nothing swapped in during the copy is read or written. Modes as
// install(1) gives them. As root every folder and file read must be root's and writable by root
// alone: when one is not, `Recusado` receives its path and the copy stops. `Copiados` and
// `Feitas` receive the files and folders made, relative to `Destino`, as they are made.
bool CopiarParaInstalar(const QString& Origem, const QString& Destino, const QStringList& Entradas,
                        QStringList* Copiados, QStringList* Feitas, QString* Recusado);

// Makes `pasta` (and its missing parents) for the running user's own files, only inside the
// home the user owns and through folders and links the user owns; the resolved folder, or empty
// when that cannot be.
QString PastaPropria(const QString& pasta);
// True when the whole folder was copied; a copy that fails takes back what it made. With
// `Entradas`, only those names of the folder are copied, and only their folders and regular
// files (links are left out); `Copiados` receives the files copied and `Feitas` the folders made,
// relative to the destination. Folders get their source's mode, never a wider one.
bool CopiarPasta(QWidget* JanelaDona, const QString& Origem, const QString& Destino,
                 const QStringList& Entradas = {}, QStringList* Copiados = nullptr,
                 QStringList* Feitas = nullptr);
bool ApagarArquivo(const QString& Caminho, bool ParaLixeira);
bool ApagarPasta(const QString& Caminho, bool ParaLixeira);

}  // namespace plataforma

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using plataforma::ApagarArquivo;
using plataforma::ApagarPasta;
using plataforma::CopiarArquivo;
using plataforma::CopiarPasta;
using plataforma::CriarAtalho;
using plataforma::PastaDaAreaDeTrabalho;
using plataforma::PastaDeProgramas;
using plataforma::PastaDoMenuIniciar;
using plataforma::PastaDoWindows;
using plataforma::PastaEspecial;
}  // namespace uRotinasGerais
