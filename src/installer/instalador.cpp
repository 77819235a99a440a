// The installer's steps: copying the game's files, the launchers, icons and uninstaller copy,
// the records of what was installed, and the removal of exactly that.
#include "installer/instalador.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <utility>
#include <vector>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "installer/linha_de_comando.h"
#include "platform/arquivos.h"
#include "platform/arquivos_detalhe.h"
#include "platform/texto.h"
#include "platform/versao.h"
#include "shell/dialogo_rotinas.h"
#include "shell/dialogos.h"

namespace instalacao {

namespace {

const int kTamanhosDeIcone[] = {16, 22, 24, 32, 48, 64, 128, 256};
const QString kRegistroNaPasta = QStringLiteral("/.instalacao-trevolino");
const QString kRegistroDoDesinstalador = QStringLiteral(".instalacao");

bool gFalhou = false;

QByteArray Nativo(const QString& caminho) { return QFile::encodeName(caminho); }

bool EhDoTipo(const QString& caminho, mode_t tipo) {
    struct stat st;
    return ::lstat(Nativo(caminho).constData(), &st) == 0 && (st.st_mode & S_IFMT) == tipo;
}

bool Existe(const QString& caminho) {
    struct stat st;
    return ::lstat(Nativo(caminho).constData(), &st) == 0;
}

bool PastaVazia(const QString& pasta) {
    return QDir(pasta).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// The path with every link followed, where it exists; as given otherwise.
QString Resolvido(const QString& caminho) {
    char real[PATH_MAX];
    return ::realpath(Nativo(caminho).constData(), real) ? QFile::decodeName(real) : QDir::cleanPath(caminho);
}

// A path a record may name: absolute, in its one plain spelling (no ".", "..", doubled or final
// slash) and reached through no symbolic link. That spelling is the path checked and the path
// deleted.
bool CaminhoResolvido(const QString& caminho) {
    if (!caminho.startsWith(QLatin1Char('/')) || caminho.size() < 2 || caminho.endsWith(QLatin1Char('/')) ||
        caminho.contains(QChar(0)))
        return false;
    const QStringList partes = caminho.mid(1).split(QLatin1Char('/'));
    for (const QString& parte : partes)  // the whole spelling, also below a part that is missing
        if (parte.isEmpty() || parte == QLatin1String(".") || parte == QLatin1String("..")) return false;
    QString atual;
    for (const QString& parte : partes) {
        atual += QLatin1Char('/') + parte;
        struct stat st;
        if (::lstat(Nativo(atual).constData(), &st) != 0) return errno == ENOENT;  // nothing below it either
        if (S_ISLNK(st.st_mode)) return false;
    }
    return true;
}

// A path inside an installation folder: plain names only.
bool RelativoSeguro(const QString& r) {
    if (r.isEmpty() || r.contains(QChar(0))) return false;
    for (const QString& parte : r.split(QLatin1Char('/')))
        if (parte.isEmpty() || parte == QLatin1String(".") || parte == QLatin1String("..")) return false;
    return true;
}

QStringList Lista(const QJsonValue& v) {
    QStringList r;
    for (const QJsonValue& e : v.toArray()) r << e.toString();
    return r;
}

void Juntar(QStringList& a, const QStringList& b) {
    for (const QString& e : b)
        if (!a.contains(e)) a << e;
}

// A record is believed only when it is a plain file of the running user or root that no one else
// may write.
std::optional<QJsonObject> LerJson(const QString& arquivo) {
    struct stat st;
    if (::lstat(Nativo(arquivo).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
        (st.st_uid != ::geteuid() && st.st_uid != 0) || (st.st_mode & 022))
        return std::nullopt;
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonObject o = QJsonDocument::fromJson(f.read(1024 * 1024)).object();
    if (o.isEmpty()) return std::nullopt;
    return o;
}

// What an installation folder holds of ours: the record inside it names the folder, whether the
// installer made it, and the files and folders it copied there.
struct RegistroDaPasta {
    QString pasta;
    bool criada = false;
    QStringList arquivos, pastas;
    bool provisoria = false;  // a run's new installation still being copied
};

// What the uninstaller copy removes: the record beside it names the copy (with its size and
// content hash), the installation folders and every folder the installer made for them.
struct RegistroDoDesinstalador {
    QString desinstalador;
    qint64 tamanho = -1;
    QByteArray resumo;
    QStringList instalacoes, pastas;
    QStringList atalhos;      // every launcher and icon written
    bool comAtalhos = false;  // a record of an installer that did not list them names none
};

std::optional<RegistroDaPasta> InterpretarRegistroDaPasta(const std::optional<QJsonObject>& o,
                                                          const QString& pasta);

// `lugar` is where the folder is now: the installation folder itself, or the new or old
// installation beside it that a run was swapping.
std::optional<RegistroDaPasta> LerRegistroDaPasta(const QString& pasta, const QString& lugar = QString()) {
    const QString onde = lugar.isEmpty() ? pasta : lugar;
    if (!CaminhoResolvido(onde) || !plataforma::CaminhoRemovivel(onde) || !EhDoTipo(onde, S_IFDIR))
        return std::nullopt;
    return InterpretarRegistroDaPasta(LerJson(onde + kRegistroNaPasta), pasta);
}

std::optional<RegistroDaPasta> InterpretarRegistroDaPasta(const std::optional<QJsonObject>& o,
                                                          const QString& pasta) {
    if (!o) return std::nullopt;
    // A record without the mark is an older installer's, which always made the folder itself.
    RegistroDaPasta r{o->value(QStringLiteral("pasta")).toString(),
                      o->value(QStringLiteral("criada")).toBool(true),
                      Lista(o->value(QStringLiteral("arquivos"))), Lista(o->value(QStringLiteral("pastas"))),
                      o->value(QStringLiteral("provisoria")).toBool()};
    if (r.pasta != pasta) return std::nullopt;  // a copy of someone else's folder is not ours
    for (const QString& a : r.arquivos + r.pastas)
        if (!RelativoSeguro(a)) return std::nullopt;
    return r;
}

QByteArray JsonDaPasta(const RegistroDaPasta& r) {
    QJsonObject o{{QStringLiteral("pasta"), r.pasta},
                  {QStringLiteral("criada"), r.criada},
                  {QStringLiteral("arquivos"), QJsonArray::fromStringList(r.arquivos)},
                  {QStringLiteral("pastas"), QJsonArray::fromStringList(r.pastas)}};
    if (r.provisoria) o.insert(QStringLiteral("provisoria"), true);
    return QJsonDocument(o).toJson();
}

std::optional<RegistroDoDesinstalador> InterpretarRegistroDoDesinstalador(const std::optional<QJsonObject>& o,
                                                                          const QString& U) {
    if (!o) return std::nullopt;
    RegistroDoDesinstalador r{o->value(QStringLiteral("desinstalador")).toString(),
                              o->value(QStringLiteral("tamanho")).toInteger(-1),
                              QByteArray::fromHex(o->value(QStringLiteral("sha256")).toString().toLatin1()),
                              Lista(o->value(QStringLiteral("instalacoes"))),
                              Lista(o->value(QStringLiteral("pastas"))),
                              Lista(o->value(QStringLiteral("atalhos"))),
                              o->contains(QStringLiteral("atalhos"))};
    if (r.desinstalador != U) return std::nullopt;  // it describes the copy beside it, no other file
    for (const QString& p : r.instalacoes + r.pastas + r.atalhos)
        if (!CaminhoResolvido(p)) return std::nullopt;
    return r;
}

std::optional<RegistroDoDesinstalador> LerRegistroDoDesinstalador(const QString& U) {
    if (!CaminhoResolvido(U)) return std::nullopt;
    return InterpretarRegistroDoDesinstalador(LerJson(U + kRegistroDoDesinstalador), U);
}

QByteArray JsonDoDesinstalador(const RegistroDoDesinstalador& r) {
    return QJsonDocument(
               QJsonObject{{QStringLiteral("desinstalador"), r.desinstalador},
                           {QStringLiteral("tamanho"), double(r.tamanho)},
                           {QStringLiteral("sha256"), QString::fromLatin1(r.resumo.toHex())},
                           {QStringLiteral("instalacoes"), QJsonArray::fromStringList(r.instalacoes)},
                           {QStringLiteral("pastas"), QJsonArray::fromStringList(r.pastas)},
                           {QStringLiteral("atalhos"), QJsonArray::fromStringList(r.atalhos)}})
        .toJson();
}

// SHA-256 of a plain file (never read through a link), and its size.
QByteArray Resumo(const QString& arquivo, qint64* tamanho) {
    if (!EhDoTipo(arquivo, S_IFREG)) return QByteArray();
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (!h.addData(&f)) return QByteArray();
    *tamanho = f.size();
    return h.result();
}

// The name a run's file or folder has beside `destino` until it takes its place.
QString NomeProvisorio(const QString& destino) {
    const QFileInfo fi(destino);
    return fi.path() + QStringLiteral("/.") + fi.fileName() + QStringLiteral(".novo-") +
           QString::number(QRandomGenerator::global()->generate(), 36);
}

// The entries beside `destino` under its provisional names (".name.novo-…") that are of the
// running user and of the kind `tipo` (S_IFREG, S_IFDIR), with what lstat found of each.
std::vector<std::pair<QString, struct stat>> Provisorios(const QString& destino, mode_t tipo) {
    std::vector<std::pair<QString, struct stat>> achados;
    const QFileInfo fi(destino);
    const QString inicio = QStringLiteral(".") + fi.fileName() + QStringLiteral(".novo-");
    for (const QString& n : QDir(fi.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System)) {
        if (!n.startsWith(inicio)) continue;
        const QString lugar = fi.path() + QLatin1Char('/') + n;
        struct stat st;
        if (::lstat(Nativo(lugar).constData(), &st) == 0 && (st.st_mode & S_IFMT) == tipo &&
            st.st_uid == ::geteuid())
            achados.emplace_back(lugar, st);
    }
    return achados;
}

// What a killed run left beside `destino`: its files under the provisional names, the running
// user's own. Nothing else is touched.
void LimparTemporarios(const QString& destino) {
    for (const auto& [f, st] : Provisorios(destino, S_IFREG)) ::unlink(Nativo(f).constData());
}

// The files of one run, each written beside its final name and put in place only when every one
// was written: a run that fails leaves the files of the installation before it as they were.
class Gravacao {
public:
    QStringList criadas;  // folders this run made, parents first

    bool pasta(const QString& p, QString* resolvida) {
        return plataforma::CriarPastas(p, &criadas, resolvida);
    }

    bool gravar(const QString& destino, const QByteArray& dados, mode_t modo) {
        LimparTemporarios(destino);
        const QString t = temporario(destino);
        if (t.isEmpty()) return false;
        const int fd =
            ::open(Nativo(t).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) return false;
        bool ok = ::write(fd, dados.constData(), size_t(dados.size())) == dados.size() &&
                  ::fchmod(fd, modo & ~plataforma::MascaraDoUsuario()) == 0;
        ok = ::close(fd) == 0 && ok;
        if (!ok) ::unlink(Nativo(t).constData());
        if (ok) m_pendentes.append({t, destino});
        return ok;
    }

    bool copiar(const QString& origem, const QString& destino) {
        LimparTemporarios(destino);
        const QString t = temporario(destino);
        if (t.isEmpty() || !uRotinasGerais::CopiarArquivo(origem, t, true)) return false;
        m_pendentes.append({t, destino});
        return true;
    }

    bool concluir() {
        bool ok = true;
        for (const auto& [t, destino] : m_pendentes)
            if (!ok || ::rename(Nativo(t).constData(), Nativo(destino).constData()) != 0) {
                ::unlink(Nativo(t).constData());
                ok = false;
            }
        m_pendentes.clear();
        return ok;
    }

    QStringList destinos() const {
        QStringList r;
        for (const auto& p : m_pendentes) r << p.second;
        return r;
    }

    // The files not yet in place go, and the folders this run made when they are empty.
    void desfazer() {
        for (const auto& p : m_pendentes) ::unlink(Nativo(p.first).constData());
        m_pendentes.clear();
        for (auto it = criadas.crbegin(); it != criadas.crend(); ++it) ::rmdir(Nativo(*it).constData());
    }

private:
    // A fresh name beside `destino`, in a folder the running user may write into, where nothing
    // but a file (or a link, replaced itself) stands at `destino`.
    static QString temporario(const QString& destino) {
        const QFileInfo fi(destino);
        if (!plataforma::PodeCriarEm(fi.path()) || EhDoTipo(destino, S_IFDIR)) return QString();
        return NomeProvisorio(destino);
    }

    QList<QPair<QString, QString>> m_pendentes;
};

// The files a build puts in the program folder: the executable and the reel and sound folders.
// Nothing else of the folder the program sits in is ever copied.
QStringList ArquivosDoJogo(const QString& origem, const QString& nomeDoExecutavel) {
    if (!EhDoTipo(origem + QLatin1Char('/') + nomeDoExecutavel, S_IFREG) ||
        !EhDoTipo(origem + QStringLiteral("/Bobinas"), S_IFDIR) ||
        !EhDoTipo(origem + QStringLiteral("/Som"), S_IFDIR))
        return {};
    return {nomeDoExecutavel, QStringLiteral("Bobinas"), QStringLiteral("Som")};
}

// Removes what the record lists, then the folder when the installer made it and nothing else is
// left in it; the folder is named in `restantes` when something of ours stayed or it did.
// `lugar`, when given, is where that folder now is (a run's new or old installation beside it),
// and goes whoever made the folder it replaced.
void RemoverPastaInstalada(const RegistroDaPasta& r, QStringList* restantes,
                           const QString& lugar = QString()) {
    const QString base = lugar.isEmpty() ? r.pasta : lugar;
    bool ficou = false;
    for (const QString& a : r.arquivos) {
        const QString f = base + QLatin1Char('/') + a;
        if (!CaminhoResolvido(f) || !uRotinasGerais::ApagarArquivo(f, false)) ficou = true;
    }
    QStringList pastas = r.pastas;
    std::sort(pastas.begin(), pastas.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& p : pastas)
        if (CaminhoResolvido(base + QLatin1Char('/') + p))
            ::rmdir(Nativo(base + QLatin1Char('/') + p).constData());
    if (!ficou) ::unlink(Nativo(base + kRegistroNaPasta).constData());
    const bool nossa = r.criada || !lugar.isEmpty();
    if (nossa) ::rmdir(Nativo(base).constData());
    if (restantes && (ficou || (nossa && Existe(base)))) *restantes << base;
}

// A new file written in place, in a folder only this run writes into.
bool GravarNovo(const QString& arquivo, const QByteArray& dados) {
    const int fd =
        ::open(Nativo(arquivo).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool ok = ::write(fd, dados.constData(), size_t(dados.size())) == dados.size();
    return ::close(fd) == 0 && ok;
}

// The new or old installations a killed run left beside `pasta`: a folder of the running user
// under a provisional name whose record names `pasta`. One still being copied is wholly the
// run's (made empty, private); of an old one only what its record lists goes.
void LimparPastasProvisorias(const QString& pasta) {
    for (const auto& [lugar, st] : Provisorios(pasta, S_IFDIR)) {
        const auto r = LerRegistroDaPasta(pasta, lugar);
        if (!r) {
            // Killed before its record was whole: nothing but that record can be in it yet.
            const QStringList dentro =
                QDir(lugar).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            if (dentro.size() <= 1 && (st.st_mode & 077) == 0 &&
                (dentro.isEmpty() || dentro.first() == kRegistroNaPasta.mid(1))) {
                ::unlink(Nativo(lugar + kRegistroNaPasta).constData());
                ::rmdir(Nativo(lugar).constData());
            }
            continue;
        }
        if (r->provisoria) {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::path(Nativo(lugar).toStdString()), ec);
        } else {
            RemoverPastaInstalada(*r, nullptr, lugar);
        }
    }
}

// An error in the game's own warning dialog, with its one button; the run then ends with status 1.
void Advertir(const QString& texto, const QString& titulo) {
    gFalhou = true;
    uRotinasGerais::CaixaDeDialogo(nullptr, texto, titulo, QString(), uRotinasGerais::TextoDeCiente(), true);
}

// A program whose path is no valid UTF-8 cannot be named in a launcher: refused, with the
// path shown as it is (each such byte as \xNN).
bool NomeInvalido(const QString& titulo) {
    const QByteArray arquivo = plataforma::ArquivoDoExecutavelNativo();
    if (plataforma::NomeRepresentavel(arquivo)) return false;
    Advertir(
        MensagemFalhaNaInstalacao(
            titulo, QCoreApplication::translate("Trevolino", "O Nome da Pasta do Programa Não É Válido:"),
            plataforma::CaminhoLegivel(arquivo.left(arquivo.lastIndexOf('/')))),
        QCoreApplication::translate("Trevolino", "Instalação Não Concluída"));
    return true;
}

QByteArray LerRecurso(const QString& recurso) {
    QFile f(recurso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A new installation folder made beside `pasta`, put in its place when the rest of the run is
// written.
struct Troca {
    QString provisoria, pasta;
    bool existia = false;
};

bool Concluir(const QString& Executavel, const QString& Titulo, Gravacao& g, const QString& instalacao,
              const Troca* troca = nullptr);

}  // namespace

bool InstaladorFalhou() { return gFalhou; }

std::optional<QStringList> CaminhosDoRegistro(const QByteArray& texto, const QString& U) {
    const QJsonObject o = QJsonDocument::fromJson(texto).object();
    const auto r = InterpretarRegistroDoDesinstalador(o.isEmpty() ? std::nullopt : std::optional(o), U);
    if (!r) return std::nullopt;
    return r->instalacoes + r->pastas + r->atalhos;
}

std::optional<QStringList> ArquivosDoRegistroDaPasta(const QByteArray& texto, const QString& pasta) {
    const QJsonObject o = QJsonDocument::fromJson(texto).object();
    const auto r = InterpretarRegistroDaPasta(o.isEmpty() ? std::nullopt : std::optional(o), pasta);
    if (!r) return std::nullopt;
    return r->arquivos + r->pastas;
}

QString PastaDoMenuDoInstalador() {
    return plataforma::InstalacaoParaTodos()
               ? plataforma::PastaDeDadosDoSistema() + QStringLiteral("/applications")
               : uRotinasGerais::PastaDoMenuIniciar();
}

QString PastaDosIconesDoInstalador() {
    if (plataforma::InstalacaoParaTodos())
        return plataforma::PastaDeDadosDoSistema() + QStringLiteral("/icons/hicolor");
    const QString dados = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dados.isEmpty() || !QDir::isAbsolutePath(dados)) return QString();
    return QDir::cleanPath(dados) + QStringLiteral("/icons/hicolor");
}

// ---------------------------------------------------------------------------------------------
// Messages

QString MensagemConfirmacaoInstalar(const QString& titulo) {
    const auto q = [](int n) { return uRotinasGerais::QuebrasDeLinha(n); };
    return QCoreApplication::translate("Trevolino", "Instalação") + q(2) +
           QCoreApplication::translate("Trevolino", "Este Software Destina-Se a") + q(1) +
           QCoreApplication::translate("Trevolino", "Simular Um Jogo Trevolino.") + q(2) +
           QCoreApplication::translate("Trevolino", "O Programa Está Pronto Para Ser") + q(1) +
           QCoreApplication::translate("Trevolino", "Instalado Em Seu Computador!") + q(2) +
           QCoreApplication::translate("Trevolino", "O Processo de Instalação Não Irá Interferir") + q(1) +
           QCoreApplication::translate("Trevolino", "Nas Configurações do Seu Equipamento Ou") + q(1) +
           QCoreApplication::translate("Trevolino", "Nos Outros Programas Já Instalados.") + q(2) +
           QCoreApplication::translate("Trevolino", "Além Disto, Ele Poderá Ser Removido") + q(1) +
           QCoreApplication::translate("Trevolino", "Quando Você Quiser Pois Também") + q(1) +
           QCoreApplication::translate("Trevolino", "Contém Desinstalador Automático.") + q(2) +
           QCoreApplication::translate("Trevolino", "A Instalação Requer Privilégios De Acesso") + q(1) +
           QCoreApplication::translate("Trevolino", "Com Perfil De Usuário Administrador.") + q(2) +
           QCoreApplication::translate("Trevolino", "Você Autoriza a Instalação do") + q(1) + titulo +
           QStringLiteral("?");
}

QString MensagemConfirmacaoIcones(const QString& titulo) {
    return titulo + uRotinasGerais::QuebrasDeLinha(1) + MensagemConfirmacaoInstalar(titulo);
}

QString MensagemInstalacaoConcluida(const QString& titulo, bool naMesa) {
    const auto q = [](int n) { return uRotinasGerais::QuebrasDeLinha(n); };
    if (!naMesa)  // no desktop launcher was made (root's installation for every user)
        return titulo + q(1) + QCoreApplication::translate("Trevolino", "Instalação Concluída") + q(2) +
               QCoreApplication::translate("Trevolino", "O Aplicativo Poderá Ser Utilizado Através") + q(1) +
               QCoreApplication::translate("Trevolino", "Do Menu de Aplicativos.") + q(2) +
               QCoreApplication::translate("Trevolino", "Você Deseja Executa-lo Imediatamente?");
    return titulo + q(1) + QCoreApplication::translate("Trevolino", "Instalação Concluída") + q(2) +
           QCoreApplication::translate("Trevolino", "O Aplicativo Poderá Ser Utilizado Através") + q(1) +
           QCoreApplication::translate("Trevolino", "Do Menu de Aplicativos ou Então") + q(1) +
           QCoreApplication::translate("Trevolino", "Disparado Pelo Ícone Que Foi Preparado") + q(1) +
           QCoreApplication::translate("Trevolino", "Na Sua Área de Trabalho.") + q(2) +
           QCoreApplication::translate("Trevolino", "Você Deseja Executa-lo Imediatamente?");
}

QString MensagemConfirmacaoDesinstalar(const QString& titulo) {
    const auto q = [](int n) { return uRotinasGerais::QuebrasDeLinha(n); };
    return titulo + q(1) + QCoreApplication::translate("Trevolino", "Desinstalação") + q(2) +
           QCoreApplication::translate("Trevolino", "Você Está Certo de Que Deseja Remover") + q(1) +
           QCoreApplication::translate("Trevolino", "Este Aplicativo Do Seu Computador?") + q(2) +
           QCoreApplication::translate("Trevolino", "Você Autoriza a Desinstalação do") + q(1) + titulo +
           QStringLiteral("?");
}

QString MensagemDesinstalacaoConcluida(const QString& titulo) {
    return titulo + uRotinasGerais::QuebrasDeLinha(1) +
           QCoreApplication::translate("Trevolino", "Desinstalação") + uRotinasGerais::QuebrasDeLinha(2) +
           QCoreApplication::translate("Trevolino", "O Aplicativo Foi Desinstalado Com Sucesso.");
}

QString MensagemFalhaNaInstalacao(const QString& titulo, const QString& oQueFalhou, const QString& caminho) {
    const auto q = [](int n) { return uRotinasGerais::QuebrasDeLinha(n); };
    return titulo + q(1) + QCoreApplication::translate("Trevolino", "Não Foi Possível Instalar") + q(2) +
           oQueFalhou + q(1) + caminho + q(2) +
           QCoreApplication::translate("Trevolino", "Nada Foi Instalado.");
}

QString MensagemDesinstalacaoIncompleta(const QString& titulo, const QStringList& restantes) {
    const auto q = [](int n) { return uRotinasGerais::QuebrasDeLinha(n); };
    return titulo + q(1) + QCoreApplication::translate("Trevolino", "Desinstalação") + q(2) +
           QCoreApplication::translate("Trevolino", "Não Foi Possível Remover:") + q(1) +
           restantes.join(q(1)) + q(2) +
           QCoreApplication::translate("Trevolino", "Estes Itens Permaneceram Em Seu Computador.");
}

// ---------------------------------------------------------------------------------------------
// Steps

QString PastaDeInstalacao(const QString& prefixo, const QString& NomeDaPasta) {
    const QString p = plataforma::Aparar(prefixo);
    const QString nome = plataforma::NomeSeguro(NomeDaPasta);
    if (nome.isEmpty() || p.isEmpty() || !QDir::isAbsolutePath(p) || QDir::cleanPath(p) == QLatin1String("/"))
        return QString();
    return QDir::cleanPath(p) + QLatin1Char('/') + nome;
}

QString NomeDoDesinstalador(const QString& nomeDoExecutavel) {
    const QString nome = plataforma::Aparar(nomeDoExecutavel);
    const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
    if (ponto > 0) return nome.left(ponto) + QStringLiteral("_Desinstalar") + nome.mid(ponto);
    return nome + QStringLiteral("_Desinstalar");
}

void InstalarNaPastaDeProgramas(const QString& NomeDaPasta, const QString& Titulo) {
    const QFileInfo executavel(ExecutavelEmExecucao());
    const QString origem = plataforma::Aparar(executavel.absolutePath());
    const auto recusar = [&](const QString& oQueFalhou, const QString& onde) {
        Advertir(MensagemFalhaNaInstalacao(Titulo, oQueFalhou, onde),
                 QCoreApplication::translate("Trevolino", "Instalação Não Concluída"));
    };
    const QString naoCopiou =
        QCoreApplication::translate("Trevolino", "Não Foi Possível Copiar o Programa Para:");
    const QString alheia = QCoreApplication::translate(
        "Trevolino", "O Programa Não Pertence ao Administrador ou Outros Podem Alterá-lo:");
    if (NomeInvalido(Titulo)) return;
    const QStringList doJogo = ArquivosDoJogo(origem, executavel.fileName());
    if (doJogo.isEmpty()) {
        recusar(QCoreApplication::translate("Trevolino", "A Pasta Não Contém os Arquivos do Jogo:"), origem);
        return;
    }
    // What root installs for every user comes only from what root alone may change.
    if (const QString c = plataforma::OrigemNaoConfiavel(executavel.absoluteFilePath()); !c.isEmpty()) {
        recusar(alheia, c);
        return;
    }
    Gravacao g;
    QString prefixo;
    const QString programas = uRotinasGerais::PastaDeProgramas();
    const QString pasta =
        !programas.isEmpty() && g.pasta(programas, &prefixo) && plataforma::PodeCriarEm(prefixo)
            ? PastaDeInstalacao(prefixo, NomeDaPasta)
            : QString();
    if (pasta.isEmpty()) {
        g.desfazer();
        recusar(naoCopiou, programas.isEmpty() ? QStringLiteral("/opt") : programas);
        return;
    }
    LimparPastasProvisorias(pasta);
    // A folder already there is taken only when it is the running user's own and an
    // installation of ours, or empty.
    const auto anterior = LerRegistroDaPasta(pasta);
    const bool nova = !Existe(pasta);
    struct stat st;
    const bool propria =
        ::lstat(Nativo(pasta).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (!nova && (!propria || (!anterior && !PastaVazia(pasta)))) {
        g.desfazer();
        recusar(propria ? QCoreApplication::translate("Trevolino",
                                                      "A Pasta de Instalação Já Contém Outros Arquivos:")
                        : naoCopiou,
                pasta);
        return;
    }
    // The new installation is made whole beside the old one (private while it is copied), and
    // takes its place only when the rest of the run is written too.
    const QString provisoria = NomeProvisorio(pasta);
    const std::filesystem::path caminhoProvisorio(Nativo(provisoria).toStdString());
    const auto descartar = [&] {
        std::error_code ec;
        std::filesystem::remove_all(caminhoProvisorio, ec);
        g.desfazer();
    };
    RegistroDaPasta r{pasta, anterior ? anterior->criada : nova, {}, {}, true};
    Gravacao registro;
    if (::mkdir(Nativo(provisoria).constData(), 0700) != 0 ||
        !GravarNovo(provisoria + kRegistroNaPasta, JsonDaPasta(r))) {
        descartar();
        recusar(naoCopiou, pasta);
        return;
    }
    QString recusado;
    if (!plataforma::CopiarParaInstalar(origem, provisoria, doJogo, &r.arquivos, &r.pastas, &recusado)) {
        descartar();
        if (recusado.isEmpty())
            recusar(naoCopiou, pasta);
        else
            recusar(alheia, recusado);
        return;
    }
    // The record marks the folder as this installer's: only then will a removal take it.
    r.provisoria = false;
    if (!registro.gravar(provisoria + kRegistroNaPasta, JsonDaPasta(r), 0644) || !registro.concluir() ||
        ::chmod(Nativo(provisoria).constData(), 0755 & ~plataforma::MascaraDoUsuario()) != 0) {
        descartar();
        recusar(naoCopiou, pasta);
        return;
    }
    const Troca troca{provisoria, pasta, !nova};
    if (!Concluir(pasta + QLatin1Char('/') + executavel.fileName(), Titulo, g, pasta, &troca)) {
        descartar();
        return;
    }
    // The old installation (or the empty folder it replaced), now beside the new one, goes.
    if (anterior)
        RemoverPastaInstalada(*anterior, nullptr, provisoria);
    else
        ::rmdir(Nativo(provisoria).constData());
}

bool ConcluirInstalacao(const QString& Executavel, const QString& Titulo) {
    Gravacao g;
    // The program run from an installation folder of ours names it; one left where it lay names
    // none, and its folder is never removed.
    if (NomeInvalido(Titulo)) return false;
    const QString pasta = Resolvido(QFileInfo(plataforma::Aparar(Executavel)).absolutePath());
    // Root's launchers for every user point only at a program root alone may change.
    if (const QString c = plataforma::OrigemNaoConfiavel(Resolvido(plataforma::Aparar(Executavel)));
        !c.isEmpty()) {
        Advertir(MensagemFalhaNaInstalacao(
                     Titulo,
                     QCoreApplication::translate(
                         "Trevolino", "O Programa Não Pertence ao Administrador ou Outros Podem Alterá-lo:"),
                     c),
                 QCoreApplication::translate("Trevolino", "Instalação Não Concluída"));
        return false;
    }
    return Concluir(Executavel, Titulo, g, LerRegistroDaPasta(pasta) ? pasta : QString());
}

namespace {

// The game's icon in the hicolor theme (the launchers say Icon=trevolino); pictures the program
// does not carry are skipped. Says where it failed, or nothing.
std::optional<QString> InstalarIcones(Gravacao& g) {
    const QString icones = PastaDosIconesDoInstalador();
    if (icones.isEmpty()) return QStringLiteral("icons/hicolor");
    QList<QPair<QString, QString>> figuras;
    for (int n : kTamanhosDeIcone) {
        const QString t = QStringLiteral("%1x%1/apps/trevolino.png").arg(n);
        figuras.append({QStringLiteral(":/icone/hicolor/") + t, t});
    }
    figuras.append({QStringLiteral(":/icone/trevolino.svg"), QStringLiteral("scalable/apps/trevolino.svg")});
    for (const auto& [recurso, relativo] : figuras) {
        const QByteArray dados = LerRecurso(recurso);
        if (dados.isEmpty()) continue;
        const QString destino = icones + QLatin1Char('/') + relativo;
        QString pasta;
        if (!g.pasta(QFileInfo(destino).path(), &pasta) ||
            !g.gravar(pasta + QLatin1Char('/') + QFileInfo(destino).fileName(), dados, 0644))
            return destino;
    }
    return std::nullopt;
}

// One launcher written through the installation's record; empty when written, else the file it
// would have been.
QString GravarAtalhoInstalado(Gravacao& g, bool semNome, const QString& pasta, const QString& nomeDoAtalho,
                              const QString& alvo, const QString& argumentos, const QString& trabalho,
                              mode_t modo, QString* feito) {
    const QString arquivo =
        pasta + QLatin1Char('/') + plataforma::NomeSeguro(nomeDoAtalho) + QStringLiteral(".desktop");
    const QByteArray texto = plataforma::TextoDoAtalho(alvo, argumentos, trabalho, nomeDoAtalho);
    QString real;
    if (semNome || pasta.isEmpty() || texto.isEmpty() || !g.pasta(pasta, &real)) return arquivo;
    const QString destino =
        real + QLatin1Char('/') + plataforma::NomeSeguro(nomeDoAtalho) + QStringLiteral(".desktop");
    if (!g.gravar(destino, texto, modo)) return arquivo;
    if (feito) *feito = destino;
    return QString();
}

// The desktop launcher and the menu group's two; says the file that failed, or nothing.
struct Atalhos {
    QString mesa;   // the desktop launcher, when one was written
    QString grupo;  // the menu group's folder
};
std::optional<QString> CriarAtalhosInstalados(Gravacao& g, const QString& Titulo, const QString& E,
                                              const QString& U, const QString& pastaDoWindows,
                                              Atalhos& feitos) {
    const QString nome = plataforma::NomeSeguro(Titulo);  // the menu group is named by the display title
    const QString pastaDeE = QFileInfo(E).absolutePath() + QLatin1Char('/');
    // Only on the desktop of a home the running user owns (root with a user's HOME has none).
    if (plataforma::PastaPessoalDoUsuario() && !uRotinasGerais::PastaDaAreaDeTrabalho().isEmpty()) {
        const QString f = GravarAtalhoInstalado(g, nome.isEmpty(), uRotinasGerais::PastaDaAreaDeTrabalho(),
                                                Titulo, E, QString(), pastaDeE, 0755, &feitos.mesa);
        if (!f.isEmpty()) return f;
    }
    feitos.grupo =
        PastaDoMenuDoInstalador().isEmpty() ? QString() : PastaDoMenuDoInstalador() + QLatin1Char('/') + nome;
    for (const QString& f :
         {GravarAtalhoInstalado(g, nome.isEmpty(), feitos.grupo, QStringLiteral("01 - Executar ") + Titulo, E,
                                QString(), pastaDeE, 0644, nullptr),
          GravarAtalhoInstalado(g, nome.isEmpty(), feitos.grupo, QStringLiteral("02 - Desinstalar ") + Titulo,
                                U, kTokenDesinstalar, pastaDoWindows + QLatin1Char('/'), 0644, nullptr)})
        if (!f.isEmpty()) return f;
    return std::nullopt;
}

// The record beside the uninstaller copy keeps every installation an earlier run named.
RegistroDoDesinstalador NovoRegistroDoDesinstalador(const QString& U, const QString& E,
                                                    const QString& instalacao, const Gravacao& g) {
    RegistroDoDesinstalador r;
    r.desinstalador = U;
    r.resumo = Resumo(E, &r.tamanho);
    if (const auto antes = LerRegistroDoDesinstalador(U)) {
        for (const QString& p : antes->instalacoes)
            if (LerRegistroDaPasta(p)) r.instalacoes << p;
        r.pastas = antes->pastas;
        // Launchers an earlier run wrote elsewhere (another desktop folder) stay named.
        for (const QString& a : antes->atalhos)
            if (Existe(a)) r.atalhos << a;
    }
    if (!instalacao.isEmpty()) Juntar(r.instalacoes, {instalacao});
    Juntar(r.pastas, g.criadas);
    for (const QString& d : g.destinos())
        if (d != U) Juntar(r.atalhos, {d});
    r.comAtalhos = true;
    return r;
}

// The closing question, asked while the uninstaller copy is in place: when answered "Sim" the
// installed game starts.
void OferecerExecutar(const QString& E, const QString& U, const QString& Titulo, bool naMesa) {
    if (QFileInfo::exists(U)) {
        const int resposta =
            uRotinasGerais::CaixaDeDialogo(nullptr, MensagemInstalacaoConcluida(Titulo, naMesa),
                                           QCoreApplication::translate("Trevolino", "Instalação Concluída"),
                                           QCoreApplication::translate("Trevolino", "Não"),
                                           QCoreApplication::translate("Trevolino", "Sim"), false);
        // Started in its own folder, where its launchers start it: the reels are read from there.
        if (resposta == apresentacao::RespostaSim)
            QProcess::startDetached(E, {}, QFileInfo(E).absolutePath() + QLatin1Char('/'));
    }
}

bool Concluir(const QString& Executavel, const QString& Titulo, Gravacao& g, const QString& instalacao,
              const Troca* troca) {
    const QString E = plataforma::Aparar(QFileInfo(plataforma::Aparar(Executavel)).absoluteFilePath());
    // The program as it is now: in the new installation still beside its final place.
    const QString arquivoDeE = troca ? troca->provisoria + QLatin1Char('/') + QFileInfo(E).fileName() : E;

    const auto falhou = [&](const QString& oQueFalhou, const QString& onde) {
        g.desfazer();
        Advertir(MensagemFalhaNaInstalacao(Titulo, oQueFalhou, onde),
                 QCoreApplication::translate("Trevolino", "Instalação Não Concluída"));
        return false;
    };

    // The uninstaller copy comes first: without it no launcher may point at it.
    const QString nomeU = NomeDoDesinstalador(QFileInfo(E).fileName());
    const QString naoCopiouU =
        QCoreApplication::translate("Trevolino", "Não Foi Possível Copiar o Desinstalador Para:");
    QString pastaDoWindows;
    if (!g.pasta(uRotinasGerais::PastaDoWindows(), &pastaDoWindows))
        return falhou(naoCopiouU, uRotinasGerais::PastaDoWindows() + QLatin1Char('/') + nomeU);
    const QString U = pastaDoWindows + QLatin1Char('/') + nomeU;
    if (!g.copiar(arquivoDeE, U)) return falhou(naoCopiouU, U);

    const QString naoCriouIcone = QCoreApplication::translate("Trevolino", "Não Foi Possível Criar o Ícone:");
    if (const auto onde = InstalarIcones(g)) return falhou(naoCriouIcone, *onde);

    const QString naoCriouAtalho =
        QCoreApplication::translate("Trevolino", "Não Foi Possível Criar o Atalho:");
    Atalhos atalhos;
    if (const auto f = CriarAtalhosInstalados(g, Titulo, E, U, pastaDoWindows, atalhos))
        return falhou(naoCriouAtalho, *f);

    RegistroDoDesinstalador r = NovoRegistroDoDesinstalador(U, arquivoDeE, instalacao, g);
    if (!atalhos.grupo.isEmpty()) Juntar(r.pastas, {atalhos.grupo});
    if (r.resumo.isEmpty() || !g.gravar(U + kRegistroDoDesinstalador, JsonDoDesinstalador(r), 0644))
        return falhou(naoCopiouU, U);
    // Everything is written: the new installation takes the old one's place in one step, then
    // each file takes its own.
    if (troca) {
        const unsigned modo = troca->existia ? RENAME_EXCHANGE : RENAME_NOREPLACE;
        if (::syscall(SYS_renameat2, AT_FDCWD, Nativo(troca->provisoria).constData(), AT_FDCWD,
                      Nativo(troca->pasta).constData(), modo) != 0)
            return falhou(
                QCoreApplication::translate("Trevolino", "Não Foi Possível Copiar o Programa Para:"),
                troca->pasta);
    }
    if (!g.concluir()) {
        if (troca && troca->existia)  // the old installation back where its launchers point
            ::syscall(SYS_renameat2, AT_FDCWD, Nativo(troca->provisoria).constData(), AT_FDCWD,
                      Nativo(troca->pasta).constData(), RENAME_EXCHANGE);
        else if (troca)
            ::rename(Nativo(troca->pasta).constData(), Nativo(troca->provisoria).constData());
        return falhou(naoCriouAtalho, atalhos.grupo);
    }
    if (!atalhos.mesa.isEmpty()) plataforma::MarcarComoConfiavel(atalhos.mesa);

    OferecerExecutar(E, U, Titulo, !atalhos.mesa.isEmpty());
    return true;
}

}  // namespace

void RemoverInstalacao(const QString& NomeDaPasta, const QString& Titulo) {
    // What could not be removed is named in the end message, never passed off as success.
    QStringList restantes, instalacoes, criadas, atalhos;
    bool registrados = false;  // a record names the launchers and icons: only those go
    const QFileInfo executavel(ExecutavelEmExecucao());
    // The uninstaller copy that runs (started from its launcher), or the one this program's
    // installation would have made.
    QStringList copias{Resolvido(executavel.absoluteFilePath())};
    if (!uRotinasGerais::PastaDoWindows().isEmpty())
        copias << Resolvido(uRotinasGerais::PastaDoWindows()) + QLatin1Char('/') +
                      NomeDoDesinstalador(executavel.fileName());
    copias.removeDuplicates();
    QList<QPair<QString, RegistroDoDesinstalador>> registros;
    for (const QString& U : copias) {
        const QString registro = U + kRegistroDoDesinstalador;
        if (!Existe(registro)) continue;
        const auto r = LerRegistroDoDesinstalador(U);
        if (!r) {  // not believed: nothing it names is touched
            restantes << registro;
            continue;
        }
        Juntar(instalacoes, r->instalacoes);
        Juntar(criadas, r->pastas);
        Juntar(atalhos, r->atalhos);
        registrados = registrados || r->comAtalhos;
        registros.append({U, *r});
    }
    // The program's own folder and the usual one, when they hold an installation of ours.
    const QString usual = uRotinasGerais::PastaDeProgramas().isEmpty()
                              ? QString()
                              : PastaDeInstalacao(Resolvido(uRotinasGerais::PastaDeProgramas()), NomeDaPasta);
    for (const QString& p : {Resolvido(executavel.absolutePath()), usual})
        if (!p.isEmpty() && LerRegistroDaPasta(p)) Juntar(instalacoes, {p});
    if (!usual.isEmpty()) LimparPastasProvisorias(usual);
    for (const QString& p : instalacoes) {
        LimparPastasProvisorias(p);
        if (const auto r = LerRegistroDaPasta(p))
            RemoverPastaInstalada(*r, &restantes);
        else if (Existe(p) && !(EhDoTipo(p, S_IFDIR) && PastaVazia(p)))
            restantes << p;  // named by our record, yet no longer ours: left as it is
    }

    // The launchers and icons: those the record names, checked as its other paths are; with no
    // such record, the ones this user's installation would have made.
    const QString nome = plataforma::NomeSeguro(Titulo);
    QStringList procurados;
    if (!registrados && !nome.isEmpty()) {
        const QString mesa = uRotinasGerais::PastaDaAreaDeTrabalho();
        if (!mesa.isEmpty() && plataforma::PastaPessoalDoUsuario())
            procurados << mesa + QLatin1Char('/') + nome + QStringLiteral(".desktop");
        const QString menu = PastaDoMenuDoInstalador();
        if (!menu.isEmpty()) {
            const QString grupo = menu + QLatin1Char('/') + nome;
            for (const QString& a : {QStringLiteral("01 - Executar "), QStringLiteral("02 - Desinstalar ")})
                procurados << grupo + QLatin1Char('/') + plataforma::NomeSeguro(a + Titulo) +
                                  QStringLiteral(".desktop");
            Juntar(criadas, {grupo});
        }
        const QString base = PastaDosIconesDoInstalador();
        if (!base.isEmpty()) {
            for (int n : kTamanhosDeIcone)
                procurados << base + QStringLiteral("/%1x%1/apps/trevolino.png").arg(n);
            procurados << base + QStringLiteral("/scalable/apps/trevolino.svg");
        }
    }
    for (const QString& a : procurados) {
        LimparTemporarios(a);
        uRotinasGerais::ApagarArquivo(a, false);
        if (procurados.first() == a && Existe(a)) restantes << a;  // the desktop launcher
    }
    bool atalhoFicou = false;
    for (const QString& a : atalhos) {
        LimparTemporarios(a);
        if (!CaminhoResolvido(a) || !uRotinasGerais::ApagarArquivo(a, false)) {
            restantes << a;
            atalhoFicou = true;
        }
    }
    // The uninstaller copies and their records go last: until then a killed run is taken up
    // again from them. The copy goes only when it is the one the record describes (a running
    // program's file can be removed); another file of that name is not ours.
    // A launcher or icon that stayed (a folder it may not write) keeps them too, so that the
    // same removal finishes once that is mended.
    for (const auto& [U, r] : registros) {
        if (atalhoFicou) {
            restantes << U;
            continue;
        }
        LimparTemporarios(U);
        LimparTemporarios(U + kRegistroDoDesinstalador);
        qint64 tamanho = -1;
        if (Resumo(U, &tamanho) == r.resumo && tamanho == r.tamanho) uRotinasGerais::ApagarArquivo(U, false);
        if (Existe(U)) restantes << U;
        uRotinasGerais::ApagarArquivo(U + kRegistroDoDesinstalador, false);
    }
    // The folders the installer made for all this, deepest first, when they are empty.
    std::sort(criadas.begin(), criadas.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& p : criadas) ::rmdir(Nativo(p).constData());
    if (!registrados && !nome.isEmpty() && !PastaDoMenuDoInstalador().isEmpty() &&
        EhDoTipo(PastaDoMenuDoInstalador() + QLatin1Char('/') + nome, S_IFDIR))
        restantes << PastaDoMenuDoInstalador() + QLatin1Char('/') + nome;

    if (!restantes.isEmpty())
        Advertir(MensagemDesinstalacaoIncompleta(Titulo, restantes),
                 QCoreApplication::translate("Trevolino", "Desinstalação Incompleta"));
    else
        uRotinasGerais::CaixaDeDialogo(nullptr, MensagemDesinstalacaoConcluida(Titulo),
                                       QCoreApplication::translate("Trevolino", "Desinstalação Concluída"),
                                       QString(), uRotinasGerais::TextoDeCiente(), false);
}

void RemoverIconesDoJogo() {
    const QString base = PastaDosIconesDoInstalador();
    if (base.isEmpty()) return;
    for (int n : kTamanhosDeIcone)
        uRotinasGerais::ApagarArquivo(base + QStringLiteral("/%1x%1/apps/trevolino.png").arg(n), false);
    uRotinasGerais::ApagarArquivo(base + QStringLiteral("/scalable/apps/trevolino.svg"), false);
}

}  // namespace instalacao
