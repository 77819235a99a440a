// Where a run unpacks the files it needs only while it runs, and how they are tidied away.
#pragma once

#include <QString>
#include <QStringList>

namespace plataforma {

// The folder one run unpacks into.
//
// The preferred folder (the program's own) when it can be written and no other live run holds
// it: a single run keeps its files there, as it always did. Otherwise (an installation the user
// may only read, or a second run from the same folder) a folder of this process alone inside the
// user's private folder:
//   $XDG_RUNTIME_DIR/<nome>/<pid>-XXXXXX/     when the runtime folder is the user's own (0700),
//   ${TMPDIR:-/tmp}/<nome>-<uid>/<pid>-XXXXXX/  otherwise, only if that is a real folder of this
//                                               user that nobody else may enter.
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
    // can be made either, returns `preferida` without holding it: the caller's writes there then
    // fail (or succeed) as they always did. A second call returns the same folder.
    QString Reservar(const QString& preferida, const QString& nome);

    bool Particular() const { return !FBase.isEmpty(); }

    // Removes `arquivos` from the preferred folder, or this run's private folder with all it
    // holds (and the user's private folder once empty), then lets go. Nothing when not reserved.
    void Liberar(const QStringList& arquivos);

private:
    QString FPasta;
    QByteArray FBase;  // the user's private folder holding this run's own, when private
    int FTrava = -1;   // descriptor of the locked folder
};

}  // namespace plataforma
