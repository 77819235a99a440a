// Where a run unpacks the files it needs only while it runs, and how they are tidied away.
#pragma once

#include <QString>
#include <QStringList>

namespace plataforma {

// Who laid out a program folder: nobody (a build, a copy by hand, the self-installer), the
// install rules (`cmake --install`), or the install rules for the system's package manager.
// The install rules leave a marker file beside the executable saying which.
enum class Instalacao { Nenhuma, Regras, Pacote };
inline constexpr char kMarcaDeInstalacao[] = "instalado";
Instalacao InstalacaoDaPasta(const QString& pasta);

// The folder one run unpacks into.
//
// The preferred folder (the program's own) when this user alone may write it, no install rules
// laid it out and no other live run holds it: a single run keeps its files there, as it always
// did. Otherwise (an installed tree, a folder others may write such as /tmp, an installation the
// user may only read, a second run from the same folder) a folder of this process alone inside
// the user's private folder:
//   $XDG_RUNTIME_DIR/<nome>/<pid>-XXXXXX/     when the runtime folder is the user's own (0700),
//   ${TMPDIR:-/tmp}/<nome>-<uid>/<pid>-XXXXXX/  otherwise, if that is a real folder of this user
//                                               that nobody else may enter (or can be made),
//   ${TMPDIR:-/tmp}/<nome>-<uid>-XXXXXX/<pid>-XXXXXX/  a fresh one when another user took the
//                                               name above.
//
// A run holds its folder with flock() on the folder itself, on a descriptor closed at exec. The
// kernel drops the lock however the process ends (SIGKILL, a lost display), so the lock and not
// the pid tells a live run's folder from a dead one's: a reused pid keeps nothing alive. Each
// reservation first removes the private folders no live run holds.
class PastaDeDesempacotar {
public:
    PastaDeDesempacotar() = default;
    // Lets go of the folder; a private one goes with everything in it, the preferred folder's
    // files stay unless Liberar removed them.
    ~PastaDeDesempacotar();
    PastaDeDesempacotar(const PastaDeDesempacotar&) = delete;
    PastaDeDesempacotar& operator=(const PastaDeDesempacotar&) = delete;

    // Takes the folder for this run and returns it with a trailing '/'. When no private folder
    // can be made either, returns `preferida` without holding it if this user alone may write
    // it, so the caller's writes there fail (or succeed) as the folder allows, and an empty text
    // when it is an installed tree or others may write it. A second call returns the same folder.
    QString Reservar(const QString& preferida, const QString& nome);

    bool Particular() const { return !m_base.isEmpty(); }

    // Removes `arquivos` from the preferred folder, or this run's private folder with all it
    // holds (and the user's private folder once empty), then lets go. Nothing when not reserved.
    void Liberar(const QStringList& arquivos);

    // Should the process end through exit() before Liberar (the toolkit ends so when the display
    // connection breaks, with no window closed and no destructor run), `arquivos` are removed
    // from the folder all the same, and a private folder left empty goes with them.
    void LiberarTambemAoSair(const QStringList& arquivos);

private:
    QString m_pasta;
    QByteArray m_base;  // the user's private folder holding this run's own, when private
    int m_trava = -1;   // descriptor of the locked folder
};

}  // namespace plataforma
