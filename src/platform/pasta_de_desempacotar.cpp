#include "platform/pasta_de_desempacotar.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

namespace plataforma {

namespace {

// A descriptor of `caminho` when it is a real folder (not a link) of this user that nobody else
// may enter; -1 otherwise. `criar` makes it (0700) when it is missing.
int abrirPastaPropria(const QByteArray& caminho, bool criar) {
    if (criar && ::mkdir(caminho.constData(), 0700) != 0 && errno != EEXIST) return -1;
    const int fd = ::open(caminho.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The folder for files of this user's runs: TMPDIR when it is a full path, /tmp otherwise.
QByteArray pastaTemporaria() {
    const QByteArray t = qgetenv("TMPDIR");
    return t.startsWith('/') ? t : QByteArray("/tmp");
}

// The user's private folders, in order of preference.
QList<QByteArray> pastasParticulares(const QString& nome) {
    QList<QByteArray> r;
    const QByteArray n = QFile::encodeName(nome);
    const QByteArray execucao = qgetenv("XDG_RUNTIME_DIR");
    if (execucao.startsWith('/')) {
        const int fd = abrirPastaPropria(execucao, false);
        if (fd >= 0) {
            ::close(fd);
            r << execucao + '/' + n;
        }
    }
    r << pastaTemporaria() + '/' + n + '-' + QByteArray::number(::geteuid());
    return r;
}

// Fresh private folders made when another user holds the fixed name in the temporary folder:
// "<nome>-<uid>-XXXXXX". Those earlier runs left are found again by that prefix.
QList<QByteArray> pastasNovasDeixadas(const QString& nome) {
    QList<QByteArray> r;
    const QByteArray base = pastaTemporaria();
    const QByteArray prefixo = QFile::encodeName(nome) + '-' + QByteArray::number(::geteuid()) + '-';
    DIR* pasta = ::opendir(base.constData());
    if (!pasta) return r;
    while (const dirent* e = ::readdir(pasta)) {
        const QByteArray n(e->d_name);
        if (n.size() == prefixo.size() + 6 && n.startsWith(prefixo)) r << base + '/' + n;
    }
    ::closedir(pasta);
    return r;
}

// Runs hold a private folder's lock only for a moment. One held longer is held by something
// else (a program that inherited the descriptor, a run stopped in a debugger), and a start-up
// must not wait for it: after two seconds the caller goes on without that place.
bool travarPorUmMomento(int fd) {
    for (int i = 0; i < 40; ++i) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        ::usleep(50 * 1000);
    }
    return false;
}

// The private folder, locked: while one run holds this lock no other makes, judges or removes a
// folder in it. A run that removed the folder between our open and our lock leaves us a
// descriptor of a deleted folder, so the path is checked against the descriptor and tried again.
// -1 when the folder is missing or not ours alone, kOcupada when its lock was not had in time.
constexpr int kOcupada = -2;
int travarPastaParticular(const QByteArray& caminho, bool criar) {
    for (int tentativa = 0; tentativa < 5; ++tentativa) {
        const int fd = abrirPastaPropria(caminho, criar);
        if (fd < 0) return -1;
        struct stat aberta {
        }, agora{};
        if (!travarPorUmMomento(fd)) {
            ::close(fd);
            return kOcupada;
        }
        if (::fstat(fd, &aberta) == 0 && ::lstat(caminho.constData(), &agora) == 0 &&
            aberta.st_dev == agora.st_dev && aberta.st_ino == agora.st_ino)
            return fd;
        ::close(fd);
        if (!criar) return -1;
    }
    return -1;
}

// Removes every folder in the locked private folder that no live run holds, then the private
// folder itself when that leaves it empty.
void limparSobras(int base, const QByteArray& caminho) {
    // Closed at exec like the original: a program started meanwhile by another thread would
    // otherwise keep the folder's lock for as long as it runs, and every later start would wait.
    const int copia = ::fcntl(base, F_DUPFD_CLOEXEC, 0);
    DIR* pasta = copia >= 0 ? ::fdopendir(copia) : nullptr;
    if (!pasta) {
        if (copia >= 0) ::close(copia);
        return;
    }
    while (const dirent* e = ::readdir(pasta)) {
        const QByteArray nome(e->d_name);
        if (nome == "." || nome == "..") continue;
        const int fd = ::openat(base, e->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            QDir(QFile::decodeName(caminho + '/' + nome)).removeRecursively();
        ::close(fd);
    }
    ::closedir(pasta);
    ::rmdir(caminho.constData());  // only when empty
}

// True when the open folder is this user's alone to write: owned by the running user and
// writable by neither its group nor others. Another user may swap the files in any other folder
// this run can write (a 1777 /tmp, a 0775 shared folder, a user's folder written by root) between
// their writing and their reading.
bool soDesteUsuario(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// What an exit() must still remove, as plain paths: by the time the exit handlers run, the
// toolkit's own statics may be gone, so only system calls are used.
struct RemoverAoSair {
    const PastaDeDesempacotar* dono = nullptr;
    std::vector<std::string> arquivos;
    std::string pasta;  // removed when left empty; a private folder only
};
RemoverAoSair& removerAoSair() {
    static RemoverAoSair r;  // made before the handler is registered, so destroyed after it runs
    return r;
}
void removerNaSaida() {
    const RemoverAoSair& r = removerAoSair();
    if (!r.dono) return;
    for (const std::string& a : r.arquivos) ::unlink(a.c_str());
    if (!r.pasta.empty()) ::rmdir(r.pasta.c_str());
}
void esquecerAoSair(const PastaDeDesempacotar* dono) {
    RemoverAoSair& r = removerAoSair();
    if (r.dono != dono) return;
    r.dono = nullptr;
    r.arquivos.clear();
    r.pasta.clear();
}

}  // namespace

Instalacao InstalacaoDaPasta(const QString& pasta) {
    QFile marca(QDir(pasta).filePath(QString::fromLatin1(kMarcaDeInstalacao)));
    // A regular file only: opening a pipe planted at its name would wait for a writer.
    if (!QFileInfo(marca).isFile() || !marca.open(QIODevice::ReadOnly)) return Instalacao::Nenhuma;
    return marca.readLine(64).trimmed() == "pacote" ? Instalacao::Pacote : Instalacao::Regras;
}

PastaDeDesempacotar::~PastaDeDesempacotar() {
    esquecerAoSair(this);
    if (Particular())
        Liberar({});
    else if (m_trava >= 0)
        ::close(m_trava);
}

QString PastaDeDesempacotar::Reservar(const QString& preferida, const QString& nome) {
    if (!m_pasta.isEmpty()) return m_pasta;
    QList<QByteArray> particulares = pastasParticulares(nome);
    // Leftovers of runs that ended without tidying up, whichever place this run takes. A place
    // whose lock another program keeps is not waited for twice.
    QList<QByteArray> ocupadas;
    for (const QByteArray& p : particulares + pastasNovasDeixadas(nome)) {
        const int fd = travarPastaParticular(p, false);
        if (fd == kOcupada) ocupadas << p;
        if (fd < 0) continue;
        limparSobras(fd, p);
        ::close(fd);
    }

    QString pasta = preferida;
    if (!pasta.endsWith('/')) pasta += '/';
    const QByteArray p = QFile::encodeName(pasta);
    // An installed tree is never written, whoever runs it: a package manager removes only the
    // files it put there.
    const bool instalada = InstalacaoDaPasta(pasta) != Instalacao::Nenhuma;
    const int fd = ::open(p.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool gravavel = fd >= 0 && ::access(p.constData(), W_OK | X_OK) == 0;
    const bool propria = fd >= 0 && soDesteUsuario(fd);
    if (gravavel && propria && !instalada) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_trava = fd;
            return m_pasta = pasta;
        }
        // A file system without locks cannot tell another run's files: the folder is used
        // anyway, since no other place would be safer.
        if (errno != EWOULDBLOCK) {
            ::close(fd);
            return m_pasta = pasta;
        }
    }
    if (fd >= 0) ::close(fd);

    // Three tries at a fresh folder, each under a new random name, when the fixed ones fail.
    for (int i = 0; i < 3; ++i)
        particulares << pastaTemporaria() + '/' + QFile::encodeName(nome) + '-' +
                            QByteArray::number(::geteuid()) + "-XXXXXX";
    for (QByteArray base : particulares) {
        const bool nova = base.endsWith("-XXXXXX");
        if (ocupadas.contains(base) || (nova && !::mkdtemp(base.data()))) continue;
        const int trava = travarPastaParticular(base, true);
        if (trava < 0) continue;
        QByteArray propria = base + '/' + QByteArray::number(::getpid()) + "-XXXXXX";
        int minha = -1;
        if (::mkdtemp(propria.data())) {
            minha = ::open(propria.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (minha >= 0 && ::flock(minha, LOCK_EX | LOCK_NB) != 0) {
                ::close(minha);
                minha = -1;
            }
            if (minha < 0) ::rmdir(propria.constData());
        }
        ::close(trava);
        if (minha < 0) {
            if (nova) ::rmdir(base.constData());
            continue;
        }
        m_trava = minha;
        m_base = base;
        return m_pasta = QFile::decodeName(propria) + '/';
    }
    // Nowhere private: the program folder's writes fail or succeed as the folder allows, unless
    // another user could plant files there or it is an installed tree.
    if (instalada || (gravavel && !propria)) return QString();
    return m_pasta = pasta;
}

void PastaDeDesempacotar::LiberarTambemAoSair(const QStringList& arquivos) {
    if (m_pasta.isEmpty()) return;
    RemoverAoSair& r = removerAoSair();
    static const bool registrado = (std::atexit(removerNaSaida), true);
    (void)registrado;
    r.dono = this;
    r.arquivos.clear();
    for (const QString& a : arquivos) r.arquivos.push_back(QFile::encodeName(m_pasta + a).toStdString());
    r.pasta = Particular() ? QFile::encodeName(m_pasta).toStdString() : std::string();
}

void PastaDeDesempacotar::Liberar(const QStringList& arquivos) {
    esquecerAoSair(this);
    if (m_pasta.isEmpty()) return;
    if (Particular()) {
        QDir(m_pasta).removeRecursively();
        // What ended runs left goes too, and the private folder itself once no run has a folder in it.
        const int trava = travarPastaParticular(m_base, false);
        if (trava >= 0) {
            limparSobras(trava, m_base);
            ::close(trava);
        }
    } else {
        for (const QString& a : arquivos) QFile::remove(m_pasta + a);
    }
    if (m_trava >= 0) ::close(m_trava);
    m_trava = -1;
    m_base.clear();
    m_pasta.clear();
}

}  // namespace plataforma
