// Special folders, launchers, copies and removals on a freedesktop system.
//
// The installer builds every path it touches from these folders plus fixed names, so the
// folder routines never hand back an empty or relative prefix, and the removal routines refuse
// anything that could reach outside what the installer itself made (symbolic links, the root,
// the home folder or one of its ancestors).
#include "platform/arquivos.h"

#include "platform/arquivos_detalhe.h"
#include "platform/identidade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace plataforma {

namespace {
GanchoDeCopia gGanchoDeCopia;
}

void DefinirGanchoDeCopiaParaTeste(GanchoDeCopia gancho) { gGanchoDeCopia = std::move(gancho); }

QString NomeSeguro(const QString& nome) {
    QString r = nome.trimmed();
    r.replace(QLatin1Char('/'), QLatin1Char('_'));
    r.replace(QChar(0), QLatin1Char('_'));
    if (r.isEmpty() || r == QLatin1String(".") || r == QLatin1String("..")) return QString();
    return r;
}

bool CaminhoRemovivel(const QString& caminho) {
    if (caminho.isEmpty() || !QDir::isAbsolutePath(caminho)) return false;
    const QString limpo = QDir::cleanPath(caminho);
    if (limpo == QLatin1String("/")) return false;
    // The home folder and every folder above it are never ours to remove.
    const QString pessoal = QDir::cleanPath(QDir::homePath());
    if (pessoal == limpo || pessoal.startsWith(limpo + QLatin1Char('/'))) return false;
    return true;
}

QString ArgumentoDoExec(const QString& argumento) {
    // Desktop Entry: an argument holding a reserved character goes in double quotes, and inside
    // them '"', '`', '$' and '\' take a backslash.
    static const QString reservados = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool precisa = argumento.isEmpty();
    for (QChar c : argumento)
        if (reservados.contains(c)) {
            precisa = true;
            break;
        }
    QString r;
    if (!precisa) {
        r = argumento;
    } else {
        r = QStringLiteral("\"");
        for (QChar c : argumento) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                r += QLatin1Char('\\');
            r += c;
        }
        r += QLatin1Char('"');
    }
    // Field codes start with '%': a literal one is doubled.
    r.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return r;
}

QString ValorDeTexto(const QString& valor) {
    // The string escapes of a Desktop Entry value; applied after the Exec quoting.
    QString r;
    r.reserve(valor.size());
    for (QChar c : valor) {
        switch (c.unicode()) {
            case '\\': r += QStringLiteral("\\\\"); break;
            case '\n': r += QStringLiteral("\\n"); break;
            case '\t': r += QStringLiteral("\\t"); break;
            case '\r': r += QStringLiteral("\\r"); break;
            default: r += c;
        }
    }
    if (r.startsWith(QLatin1Char(' '))) r = QStringLiteral("\\s") + r.mid(1);
    return r;
}

namespace {

QString SemBarraFinal(QString p) {
    while (p.size() > 1 && p.endsWith(QLatin1Char('/'))) p.chop(1);
    return p;
}

bool PastaGravavel(const QString& pasta) {
    const QByteArray c = QFile::encodeName(pasta);
    struct stat st;
    return ::stat(c.constData(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(c.constData(), W_OK) == 0;
}

QString PastaDeDadosDoUsuario() {
    QString p = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (p.isEmpty() || !QDir::isAbsolutePath(p)) p = QDir::homePath() + QStringLiteral("/.local/share");
    return SemBarraFinal(QDir::cleanPath(p));
}

// A folder given by an environment variable (the installer's test seam, also usable to pick
// another prefix); only absolute paths count.
QString PastaDoAmbiente(const char* variavel) {
    const QString v = QString::fromLocal8Bit(qgetenv(variavel)).trimmed();
    if (v.isEmpty() || !QDir::isAbsolutePath(v)) return QString();
    return SemBarraFinal(QDir::cleanPath(v));
}

bool Existe(const QString& caminho, struct stat* st) {
    return ::lstat(QFile::encodeName(caminho).constData(), st) == 0;
}

// Freedesktop trash; Qt's moveToTrash can "succeed" into ./files/ of the current folder when
// the trash folders are missing, so they are made first and the result is checked.
bool ParaALixeira(const QString& caminho) {
    const QString lixeira = PastaDeDadosDoUsuario() + QStringLiteral("/Trash");
    QDir().mkpath(lixeira + QStringLiteral("/files"));
    QDir().mkpath(lixeira + QStringLiteral("/info"));
    QString destino;
    if (!QFile::moveToTrash(caminho, &destino)) return false;
    if (!QDir::isAbsolutePath(destino)) return false;
    struct stat st;
    return !Existe(caminho, &st);
}

}  // namespace

void MarcarComoConfiavel(const QString& arquivo) {
    // Some file managers run a desktop launcher only when it is marked trusted. Best effort.
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty()) return;
    QProcess p;
    p.setProgram(gio);
    p.setArguments(
        {QStringLiteral("set"), arquivo, QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start();
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(1000);
    }
}

namespace {

// Copies one folder's contents into another without ever writing through a symbolic link of
// the destination; `evitar` (a folder inside the source) is not descended into. Every path the
// copy makes is added to `criados`, parents before children, so that a copy that breaks off can
// take back what it made; false at the first entry that could not be copied. With `entradas`,
// only those names of the top folder are taken, and links nowhere. `relativo` is the path of
// `destino` below the top destination, for `copiados` and `feitas`.
struct Copia {
    const QStringList* entradas = nullptr;
    QStringList* copiados = nullptr;
    QStringList* feitas = nullptr;
    std::vector<fs::path> criados;
};

QString Relativo(const QString& base, const fs::path& nome) {
    const QString n = QFile::decodeName(nome.c_str());
    return base.isEmpty() ? n : base + QLatin1Char('/') + n;
}

bool CopiarConteudo(const fs::path& origem, const fs::path& destino, const fs::path& evitar, Copia& c,
                    const QString& relativo) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(destino, ec))) {
        if (!fs::create_directory(destino, ec)) return false;
        c.criados.push_back(destino);
        // Never wider than the source folder's: a private folder stays private.
        struct stat st;
        if (::stat(origem.c_str(), &st) == 0) ::chmod(destino.c_str(), st.st_mode & 0777);
        if (c.feitas && !relativo.isEmpty()) *c.feitas << relativo;
    }
    if (!fs::is_directory(fs::symlink_status(destino, ec))) return false;  // a link or a file in the way
    fs::directory_iterator it(origem, ec), fim;
    for (; !ec && it != fim; it.increment(ec)) {
        const fs::path de = it->path();
        const fs::path para = destino / de.filename();
        std::error_code e2;
        if (!evitar.empty() && fs::equivalent(de, evitar, e2)) continue;
        const bool escolhidas = c.entradas != nullptr;
        if (escolhidas && relativo.isEmpty() &&
            !c.entradas->contains(QFile::decodeName(de.filename().c_str())))
            continue;
        const QString rel = Relativo(relativo, de.filename());
        const fs::file_status sDe = fs::symlink_status(de, e2);
        if (escolhidas && fs::is_symlink(sDe)) continue;
        const fs::file_status sPara = fs::symlink_status(para, e2);
        if (fs::is_symlink(sPara) || (fs::exists(sPara) && fs::is_directory(sPara) != fs::is_directory(sDe)))
            fs::remove_all(para, e2);
        if (fs::is_symlink(sDe)) {
            fs::copy_symlink(de, para, e2);
            if (e2) return false;
            c.criados.push_back(para);
        } else if (fs::is_directory(sDe)) {
            if (!CopiarConteudo(de, para, evitar, c, rel)) return false;
        } else if (fs::is_regular_file(sDe)) {
            const bool novo = !fs::exists(fs::symlink_status(para, e2));
            if (!CopiarArquivo(QFile::decodeName(de.c_str()), QFile::decodeName(para.c_str()))) return false;
            if (novo) c.criados.push_back(para);
            if (c.copiados) *c.copiados << rel;
        }
    }
    return !ec;
}

}  // namespace

QString PastaDoWindows() {
    const QString doAmbiente = PastaDoAmbiente("TREVOLINO_PASTA_DO_WINDOWS");
    if (!doAmbiente.isEmpty()) return doAmbiente;
    if (PastaGravavel(QStringLiteral("/usr/local/bin"))) return QStringLiteral("/usr/local/bin");
    // Root's uninstaller and the system launchers beside it never go into a home.
    if (InstalacaoParaTodos()) return QString();
    return SemBarraFinal(QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/bin")));
}

QString PastaDeProgramas() {
    const QString doAmbiente = PastaDoAmbiente("TREVOLINO_PASTA_DE_PROGRAMAS");
    if (!doAmbiente.isEmpty()) return doAmbiente;
    if (PastaGravavel(QStringLiteral("/opt"))) return QStringLiteral("/opt");
    if (InstalacaoParaTodos()) return QString();  // every user's program never lives in root's home
    return PastaDeDadosDoUsuario();
}

namespace {

// Root's desktop: only inside the home root owns, as root's own user-dirs.dirs names it (a
// file root owns that no one else may write), never from a configuration folder the
// environment points elsewhere.
QString AreaDeTrabalhoDoAdministrador() {
    if (!PastaPessoalDoUsuario()) return QString();
    const QString casa = SemBarraFinal(QDir::cleanPath(QDir::homePath()));
    QString mesa = casa + QStringLiteral("/Desktop");
    const QString config = casa + QStringLiteral("/.config/user-dirs.dirs");
    struct stat st;
    QFile f(config);
    if (::lstat(QFile::encodeName(config).constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == 0 &&
        !(st.st_mode & 022) && f.open(QIODevice::ReadOnly)) {
        for (const QByteArray& bruta : f.read(64 * 1024).split('\n')) {
            const QByteArray linha = bruta.trimmed();
            if (!linha.startsWith("XDG_DESKTOP_DIR=")) continue;
            QString v = QString::fromUtf8(linha.mid(16));
            if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
                v = v.mid(1, v.size() - 2);
            if (v.startsWith(QLatin1String("$HOME/"))) v = casa + v.mid(5);
            const QString limpo = QDir::cleanPath(v);
            mesa = limpo.startsWith(casa + QLatin1Char('/')) ? limpo : QString();
        }
    }
    return mesa;
}

}  // namespace

QString PastaDaAreaDeTrabalho() {
    return InstalacaoParaTodos() ? AreaDeTrabalhoDoAdministrador() : PastaEspecial(0);
}

QString PastaDoMenuIniciar() { return PastaEspecial(11); }

QString PastaDasFontes() { return PastaEspecial(20); }

QString PastaEspecial(int numero) {
    QStandardPaths::StandardLocation onde;
    switch (numero) {
        case 0: onde = QStandardPaths::DesktopLocation; break;
        case 11: onde = QStandardPaths::ApplicationsLocation; break;
        case 20: onde = QStandardPaths::FontsLocation; break;
        default: return QString();
    }
    const QString p = QStandardPaths::writableLocation(onde);
    if (p.isEmpty() || !QDir::isAbsolutePath(p)) return QString();
    return SemBarraFinal(QDir::cleanPath(p));
}

namespace {

// The folder a launcher goes in, made if missing: the desktop (Lugar 0) or the menu group.
// Empty when there is none or the group's name is taken by something that is not a folder.
// Arquivo is told the launcher's file even when the folder then fails.
QString PastaDoAtalho(const QString& nome, const QString& NomeDoGrupo, unsigned char Lugar,
                      QString* Arquivo) {
    QString pasta;
    if (Lugar == 0) {
        pasta = PastaDaAreaDeTrabalho();
        if (pasta.isEmpty()) return {};
        if (Arquivo && !nome.isEmpty())
            *Arquivo = pasta + QLatin1Char('/') + nome + QStringLiteral(".desktop");
        // A fresh account may have no desktop folder yet: it is made where the user's XDG
        // settings put it, as xdg-user-dirs would.
        QDir().mkpath(pasta);
        return pasta;
    }
    const QString menu = PastaDoMenuIniciar();
    const QString grupo = NomeSeguro(NomeDoGrupo);
    if (menu.isEmpty() || grupo.isEmpty()) return {};
    pasta = menu + QLatin1Char('/') + grupo;
    if (Arquivo && !nome.isEmpty()) *Arquivo = pasta + QLatin1Char('/') + nome + QStringLiteral(".desktop");
    QDir().mkpath(menu);  // a fresh account may not have it yet; menus read it
    struct stat st;
    if (Existe(pasta, &st) && !S_ISDIR(st.st_mode)) return {};  // a link or a file: not ours
    QDir().mkdir(pasta);
    return pasta;
}

// Writes the launcher whole or not at all.
bool GravarAtalho(const QString& arquivo, const QByteArray& bytes) {
    // Replace whatever the name held, but never write through a link placed there.
    struct stat st;
    if (Existe(arquivo, &st)) {
        if (S_ISDIR(st.st_mode)) return false;
        ::unlink(QFile::encodeName(arquivo).constData());
    }
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::NewOnly)) return false;
    const bool gravado = f.write(bytes) == bytes.size() && f.flush();
    f.close();
    if (!gravado || f.error() != QFileDevice::NoError) {  // a full disk: no half launcher
        f.remove();
        return false;
    }
    return true;
}

}  // namespace

bool CriarAtalho(const QString& Alvo, const QString& Argumentos, const QString& PastaDeTrabalho,
                 const QString& NomeDoAtalho, const QString& NomeDoGrupo, unsigned char Lugar,
                 QString* Arquivo) {
    if (Arquivo) Arquivo->clear();
    const QString nome = NomeSeguro(NomeDoAtalho);
    const QString pasta = PastaDoAtalho(nome, NomeDoGrupo, Lugar, Arquivo);
    if (pasta.isEmpty() || nome.isEmpty()) return false;
    const QString arquivo = pasta + QLatin1Char('/') + nome + QStringLiteral(".desktop");
    const QByteArray bytes = TextoDoAtalho(Alvo, Argumentos, PastaDeTrabalho, NomeDoAtalho);
    if (bytes.isEmpty() || !GravarAtalho(arquivo, bytes)) return false;
    if (Lugar == 0) {
        QFile f(arquivo);
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser |
                         QFileDevice::ExeGroup | QFileDevice::ExeOther);
        MarcarComoConfiavel(arquivo);
    }
    return true;
}

QByteArray TextoDoAtalho(const QString& Alvo, const QString& Argumentos, const QString& PastaDeTrabalho,
                         const QString& NomeDoAtalho) {
    // A Desktop Entry has no way to write other control characters: a launcher for such a
    // program, its arguments or its folder would be invalid, and menus would run something else.
    const auto representavel = [](const QString& t) {
        for (QChar c : t)
            if ((c.unicode() < 32 && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
                 c != QLatin1Char('\r')) ||
                c.unicode() == 127)
                return false;
        return true;
    };
    if (!representavel(Alvo) || !representavel(Argumentos) || !representavel(PastaDeTrabalho))
        return QByteArray();
    QString linhaExec = ArgumentoDoExec(Alvo.trimmed());
    for (const QString& a : QProcess::splitCommand(Argumentos))
        linhaExec += QLatin1Char(' ') + ArgumentoDoExec(a);

    QString texto;
    texto += QStringLiteral("[Desktop Entry]\n");
    texto += QStringLiteral("Type=Application\n");
    // The menu group's entries are named in English, and in Portuguese on a Brazilian desktop;
    // the file keeps the Portuguese name, the one the uninstaller looks for.
    const QString nome = NomeDoAtalho.trimmed();
    QString nomeEmIngles = nome;
    for (const auto& [pt, en] :
         {std::pair{"01 - Executar ", "01 - Play "}, std::pair{"02 - Desinstalar ", "02 - Uninstall "}})
        if (nome.startsWith(QLatin1String(pt)) && nome.size() > qsizetype(std::strlen(pt)))
            nomeEmIngles = QLatin1String(en) + nome.mid(qsizetype(std::strlen(pt)));
    texto += QStringLiteral("Name=") + ValorDeTexto(nomeEmIngles) + QLatin1Char('\n');
    if (nomeEmIngles != nome)
        texto += QStringLiteral("Name[pt_BR]=") + ValorDeTexto(nome) + QLatin1Char('\n');
    texto += QStringLiteral("Exec=") + ValorDeTexto(linhaExec) + QLatin1Char('\n');
    if (!PastaDeTrabalho.trimmed().isEmpty())
        texto += QStringLiteral("Path=") + ValorDeTexto(PastaDeTrabalho.trimmed()) + QLatin1Char('\n');
    texto += QStringLiteral("Icon=trevolino\n");
    if (Argumentos.trimmed().isEmpty()) {
        // What a desktop search reads besides the name, in both of the game's languages, and the
        // window's class, so the running game is shown under its launcher and not as a stranger.
        texto += QString::fromUtf8(
            "GenericName=Slot Machine\n"
            "GenericName[pt_BR]=Caça-Níqueis\n"
            "Comment=A three-reel slot machine played for pretend credits\n"
            "Comment[pt_BR]=Máquina caça-níqueis de três bobinas, jogada com créditos de brincadeira\n"
            "Keywords=slot machine;slots;fruit machine;casino;jackpot;reels;\n"
            "Keywords[pt_BR]=caça-níqueis;caça-níquel;cassino;bobinas;frutas;\n");
        texto += QStringLiteral("StartupWMClass=") + QLatin1String(plataforma::kIdDoAplicativo) +
                 QLatin1Char('\n');
    } else if (Argumentos.trimmed().compare(QLatin1String("<DESINSTALAR>"), Qt::CaseInsensitive) == 0) {
        texto += QString::fromUtf8(
            "Comment=Removes the game and its launchers from this computer\n"
            "Comment[pt_BR]=Remove o jogo e seus atalhos deste computador\n");
    }
    texto += QStringLiteral("Categories=Game;\n");
    return texto.toUtf8();
}

bool InstalacaoParaTodos() { return ::geteuid() == 0; }

QString PastaDeDadosDoSistema() {
    const QString bin = PastaDoWindows();
    if (bin.isEmpty()) return QString();
    const QString prefixo = QFileInfo(bin).path();
    return QDir::cleanPath(prefixo) == QLatin1String("/")
               ? QStringLiteral("/usr/share")
               : QDir::cleanPath(prefixo) + QStringLiteral("/share");
}

bool PodeCriarEm(const QString& pasta) {
    struct stat st;
    return ::stat(QFile::encodeName(pasta).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           (st.st_uid == ::geteuid() || st.st_uid == 0);
}

bool PastaPessoalDoUsuario() {
    struct stat st;
    return ::stat(QFile::encodeName(QDir::homePath()).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid();
}

bool CriarPastas(const QString& pasta, QStringList* criadas, QString* resolvida) {
    if (!QDir::isAbsolutePath(pasta)) return false;
    QString atual = QStringLiteral("/");
    for (const QString& parte : QDir::cleanPath(pasta).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QString prox = atual == QLatin1String("/") ? atual + parte : atual + QLatin1Char('/') + parte;
        struct stat st;
        const QByteArray c = QFile::encodeName(prox);
        if (::lstat(c.constData(), &st) != 0) {
            if (errno != ENOENT || !PodeCriarEm(atual)) return false;
            if (::mkdir(c.constData(), 0755) != 0) return false;
            if (criadas) *criadas << prox;
        } else if (S_ISLNK(st.st_mode)) {
            // Followed to where it leads, so that every path built from here is the one used.
            char real[PATH_MAX];
            if (!::realpath(c.constData(), real) || ::stat(real, &st) != 0 || !S_ISDIR(st.st_mode))
                return false;
            prox = QFile::decodeName(real);
        } else if (!S_ISDIR(st.st_mode)) {
            return false;
        }
        atual = prox;
    }
    if (resolvida) *resolvida = atual;
    return true;
}

namespace {

// What install(1) gives: 0755 to folders and programs, 0644 to other files, less the umask.
mode_t ModoInstalado(mode_t origem, bool pasta) {
    return ((pasta || (origem & 0111)) ? mode_t(0755) : mode_t(0644)) & ~MascaraDoUsuario();
}

// Root's and writable by root alone.
bool DoAdministrador(const struct stat& st) { return st.st_uid == 0 && !(st.st_mode & 022); }

// The source opened for reading, its size known; -1 when it cannot be read or is a folder.
int AbrirOrigemDaCopia(const QByteArray& de, struct stat& stDe, off_t& tamanho, int opcoes) {
    const int fd = ::open(de.constData(), O_RDONLY | O_CLOEXEC | opcoes);
    if (fd < 0) return -1;
    if (::fstat(fd, &stDe) != 0 || S_ISDIR(stDe.st_mode)) {
        ::close(fd);
        return -1;
    }
    tamanho = ::lseek(fd, 0, SEEK_END);
    if (tamanho < 0 || ::lseek(fd, 0, SEEK_SET) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The destination created anew, or -1 when it may not be replaced.
int CriarDestinoDaCopia(const QByteArray& para, const struct stat& stDe) {
    // The same file under another spelling would be emptied before it is read: refuse.
    // A read-only destination is not replaced, even for a user (root) who could; nor is a
    // symbolic link (a copy never writes through one) or a folder.
    struct stat stPara;
    if (::lstat(para.constData(), &stPara) == 0) {
        if ((stPara.st_dev == stDe.st_dev && stPara.st_ino == stDe.st_ino) || !S_ISREG(stPara.st_mode) ||
            (stPara.st_mode & 0222) == 0)
            return -1;
        // Replaced by a new file rather than truncated in place: an executable that is running
        // (a second installation over the first) cannot be opened for writing.
        if (::unlink(para.constData()) != 0) return -1;
    }
    return ::open(para.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

// Copies tamanho bytes; false when the file shrank, could not be read or the disk is full.
bool CopiarConteudo(int fdDe, int fdPara, off_t tamanho) {
    char trecho[2048];
    off_t restante = tamanho;
    qint64 copiado = 0;
    while (restante > 0) {
        ssize_t lidos = ::read(fdDe, trecho, sizeof trecho);
        if (lidos < 0 && errno == EINTR) continue;
        if (lidos <= 0) return false;  // the file shrank or could not be read
        ssize_t escritos = 0;
        while (escritos < lidos) {
            const ssize_t w = ::write(fdPara, trecho + escritos, size_t(lidos - escritos));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) break;
            escritos += w;
        }
        if (escritos < lidos) return false;  // disk full: not a copy
        restante -= lidos;
        copiado += lidos;
        if (gGanchoDeCopia) gGanchoDeCopia(copiado);
    }
    return true;
}

}  // namespace

bool CopiarArquivo(const QString& Origem, const QString& Destino, bool ComoInstalado) {
    if (Origem == Destino) return false;
    const QByteArray de = QFile::encodeName(Origem);
    const QByteArray para = QFile::encodeName(Destino);

    struct stat stDe;
    off_t tamanho = 0;
    const int fdDe = AbrirOrigemDaCopia(de, stDe, tamanho, ComoInstalado ? O_NOFOLLOW : 0);
    if (fdDe < 0) return false;
    if (ComoInstalado && InstalacaoParaTodos() && !DoAdministrador(stDe)) {
        ::close(fdDe);
        return false;
    }
    const int fdPara = CriarDestinoDaCopia(para, stDe);
    if (fdPara < 0) {
        ::close(fdDe);
        return false;
    }
    if (!CopiarConteudo(fdDe, fdPara, tamanho)) {
        // A partial file must not pass for the copy.
        ::close(fdPara);
        ::unlink(para.constData());
        ::close(fdDe);
        return false;
    }
    const struct timespec tempos[2] = {stDe.st_atim, stDe.st_mtim};
    ::futimens(fdPara, tempos);
    ::fchmod(fdPara, ComoInstalado ? ModoInstalado(stDe.st_mode, false)
                                   : stDe.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID));
    ::close(fdPara);
    ::close(fdDe);
    return true;
}

mode_t MascaraDoUsuario() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& linha : f.readAll().split('\n'))
            if (linha.startsWith("Umask:")) {
                bool ok = false;
                const uint m = linha.mid(6).trimmed().toUInt(&ok, 8);
                if (ok) return mode_t(m & 0777);
            }
    return 022;
}

QString OrigemNaoConfiavel(const QString& caminho) {
    if (!InstalacaoParaTodos()) return QString();
    if (!QDir::isAbsolutePath(caminho)) return caminho;
    QString p = QDir::cleanPath(caminho);
    for (int nivel = 0;; ++nivel) {
        struct stat st;
        if (::lstat(QFile::encodeName(p).constData(), &st) != 0 || st.st_uid != 0) return p;
        // The file and its own folder are root's alone; a folder further up may be a shared
        // sticky one (no one else can rename what root made in it).
        const bool compartilhavel = nivel >= 2 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX);
        if (!S_ISLNK(st.st_mode) && (st.st_mode & 022) && !compartilhavel) return p;
        if (p == QLatin1String("/")) return QString();
        p = QFileInfo(p).path();
    }
}

namespace {

struct CopiaParaInstalar {
    const QStringList& entradas;
    QStringList* copiados;
    QStringList* feitas;
    QString* recusado;
    QString origem;
};

// The names in a folder, read from its own descriptor.
std::vector<QByteArray> NomesDaPasta(int fd) {
    std::vector<QByteArray> nomes;
    const int copia = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copia < 0) return nomes;
    DIR* d = ::fdopendir(copia);
    if (!d) {
        ::close(copia);
        return nomes;
    }
    ::rewinddir(d);
    while (const dirent* e = ::readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            nomes.emplace_back(e->d_name);
    ::closedir(d);
    return nomes;
}

bool CopiarPastaAberta(int dirDe, int dirPara, const QString& relativo, CopiaParaInstalar& c) {
    for (const QByteArray& nome : NomesDaPasta(dirDe)) {
        const QString n = QFile::decodeName(nome);
        if (relativo.isEmpty() && !c.entradas.contains(n)) continue;
        const QString rel = relativo.isEmpty() ? n : relativo + QLatin1Char('/') + n;
        struct stat st;
        if (::fstatat(dirDe, nome.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
        if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode)) continue;  // links and devices are no part of it
        // Opened without following a link; what is read is what the descriptor holds, whatever
        // is put at that name afterwards. O_NONBLOCK: a pipe swapped in does not hang the open.
        const int fd = ::openat(
            dirDe, nome.constData(),
            O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | (S_ISDIR(st.st_mode) ? O_DIRECTORY : 0));
        if (fd < 0 || ::fstat(fd, &st) != 0 || !(S_ISDIR(st.st_mode) || S_ISREG(st.st_mode))) {
            if (fd >= 0) ::close(fd);
            return false;
        }
        if (InstalacaoParaTodos() && !DoAdministrador(st)) {
            ::close(fd);
            if (c.recusado) *c.recusado = c.origem + QLatin1Char('/') + rel;
            return false;
        }
        bool ok;
        if (S_ISDIR(st.st_mode)) {
            int para = -1;
            ok = ::mkdirat(dirPara, nome.constData(), 0700) == 0 &&
                 (para = ::openat(dirPara, nome.constData(),
                                  O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) >= 0;
            if (ok && c.feitas) *c.feitas << rel;
            ok = ok && CopiarPastaAberta(fd, para, rel, c) &&
                 ::fchmod(para, ModoInstalado(st.st_mode, true)) == 0;
            if (para >= 0) ::close(para);
        } else {
            const int para = ::openat(dirPara, nome.constData(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            ok = para >= 0;
            if (ok && c.copiados) *c.copiados << rel;
            ok = ok && CopiarConteudo(fd, para, st.st_size) &&
                 ::fchmod(para, ModoInstalado(st.st_mode, false)) == 0;
            if (ok) {
                const struct timespec tempos[2] = {st.st_atim, st.st_mtim};
                ::futimens(para, tempos);
            }
            if (para >= 0) ok = ::close(para) == 0 && ok;
        }
        ::close(fd);
        if (!ok) return false;
    }
    return true;
}

}  // namespace

bool CopiarParaInstalar(const QString& Origem, const QString& Destino, const QStringList& Entradas,
                        QStringList* Copiados, QStringList* Feitas, QString* Recusado) {
    const int de =
        ::open(QFile::encodeName(Origem).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int para =
        ::open(QFile::encodeName(Destino).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    bool ok = de >= 0 && para >= 0 && ::fstat(de, &st) == 0;
    if (ok && InstalacaoParaTodos() && !DoAdministrador(st)) {
        if (Recusado) *Recusado = Origem;
        ok = false;
    }
    CopiaParaInstalar c{Entradas, Copiados, Feitas, Recusado, Origem};
    ok = ok && CopiarPastaAberta(de, para, QString(), c);
    if (de >= 0) ::close(de);
    if (para >= 0) ::close(para);
    return ok;
}

QString PastaPropria(const QString& pasta) {
    if (!PastaPessoalDoUsuario() || !QDir::isAbsolutePath(pasta)) return QString();
    const QString casa = QDir::cleanPath(QDir::homePath());
    const QString limpo = QDir::cleanPath(pasta);
    if (!limpo.startsWith(casa + QLatin1Char('/'))) return QString();
    QString atual = casa;
    for (const QString& parte : limpo.mid(casa.size() + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString prox = atual + QLatin1Char('/') + parte;
        const QByteArray c = QFile::encodeName(prox);
        struct stat st;
        if (::lstat(c.constData(), &st) != 0) {
            if (errno != ENOENT || ::mkdir(c.constData(), 0755) != 0) return QString();
            atual = prox;
            continue;
        }
        if (st.st_uid != ::geteuid()) return QString();  // someone else's folder or link
        if (S_ISLNK(st.st_mode)) {
            char real[PATH_MAX];
            if (!::realpath(c.constData(), real) || ::stat(real, &st) != 0 || !S_ISDIR(st.st_mode) ||
                st.st_uid != ::geteuid())
                return QString();
            atual = QFile::decodeName(real);
        } else if (!S_ISDIR(st.st_mode)) {
            return QString();
        } else {
            atual = prox;
        }
    }
    return atual;
}

bool CopiarPasta(QWidget* JanelaDona, const QString& Origem, const QString& Destino,
                 const QStringList& Entradas, QStringList* Copiados, QStringList* Feitas) {
    Q_UNUSED(JanelaDona);  // the copy is silent; nothing is shown
    if (Origem.isEmpty() || Destino.isEmpty() || !QDir::isAbsolutePath(Destino)) return false;
    const fs::path de(QFile::encodeName(QDir::cleanPath(Origem)).toStdString());
    const fs::path para(QFile::encodeName(QDir::cleanPath(Destino)).toStdString());
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(de, ec))) return false;
    // An installation folder that is a link points somewhere we did not make: leave it.
    if (fs::is_symlink(fs::symlink_status(para, ec))) return false;
    if (fs::exists(para, ec) && fs::equivalent(de, para, ec)) return true;  // already in place
    fs::create_directories(para.parent_path(), ec);
    // The destination is made before the source is read, so that a destination inside the
    // source is recognised and the copy does not chase itself.
    Copia c{Entradas.isEmpty() ? nullptr : &Entradas, Copiados, Feitas, {}};
    if (CopiarConteudo(de, para, para, c, QString())) return true;
    // Half a program is no installation: what this copy made goes again (links not followed).
    for (auto it = c.criados.rbegin(); it != c.criados.rend(); ++it) fs::remove_all(*it, ec);
    return false;
}

bool ApagarArquivo(const QString& Caminho, bool ParaLixeira) {
    struct stat st;
    if (!Existe(Caminho, &st)) return true;
    if (S_ISDIR(st.st_mode)) return true;  // a folder is not a file: left alone
    if (QDir::isAbsolutePath(Caminho)) {
        // A symbolic link is removed itself; what it points at is never touched.
        if (ParaLixeira && !S_ISLNK(st.st_mode)) {
            ParaALixeira(Caminho);  // a trash that refuses leaves the file where it is
        } else {
            ::unlink(QFile::encodeName(Caminho).constData());
        }
    }
    return !Existe(Caminho, &st);
}

bool ApagarPasta(const QString& Caminho, bool ParaLixeira) {
    if (!plataforma::CaminhoRemovivel(Caminho)) return false;
    const QString limpo = QDir::cleanPath(Caminho);
    struct stat st;
    if (!Existe(limpo, &st)) return false;
    if (!S_ISDIR(st.st_mode)) return false;  // a link or a file is not a folder of ours
    if (ParaLixeira) return ParaALixeira(limpo);
    std::error_code ec;
    fs::remove_all(fs::path(QFile::encodeName(limpo).toStdString()), ec);  // links inside are not followed
    return !ec && !Existe(limpo, &st);
}

}  // namespace plataforma
