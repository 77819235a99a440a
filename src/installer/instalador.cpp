// The installer's steps: copying the program folder, the launchers, icons and uninstaller copy,
// the record of what was installed, and the removal of exactly that.
#include "installer/instalador.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <optional>
#include <sys/stat.h>

#include "installer/linha_de_comando.h"
#include "platform/arquivos.h"
#include "platform/arquivos_detalhe.h"
#include "platform/texto.h"
#include "shell/dialogo_rotinas.h"
#include "shell/dialogos.h"

namespace uRotinasGerais {

namespace {

const int kTamanhosDeIcone[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString PastaDosIcones() {
    const QString dados = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dados.isEmpty() || !QDir::isAbsolutePath(dados)) return QString();
    return QDir::cleanPath(dados) + QStringLiteral("/icons/hicolor");
}

// What the installer leaves behind so that the removal finds its installation whoever runs it,
// and takes nothing it did not make: one record inside the installation folder, one beside the
// uninstaller copy. Both name the installation folder (empty when the program was left where it
// lay) and the uninstaller copy.
struct Registro {
    QString pasta;
    QString desinstalador;
};

QString RegistroNaPasta(const QString& pasta) { return pasta + QStringLiteral("/.instalacao-trevolino"); }
QString RegistroDoDesinstalador(const QString& U) { return U + QStringLiteral(".instalacao"); }

bool EhDoTipo(const QString& caminho, mode_t tipo) {
    struct stat st;
    return ::lstat(QFile::encodeName(caminho).constData(), &st) == 0 && (st.st_mode & S_IFMT) == tipo;
}

bool Existe(const QString& caminho) {
    struct stat st;
    return ::lstat(QFile::encodeName(caminho).constData(), &st) == 0;
}

std::optional<Registro> LerRegistro(const QString& arquivo) {
    if (!EhDoTipo(arquivo, S_IFREG)) return std::nullopt;  // never read through a link
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonObject o = QJsonDocument::fromJson(f.read(64 * 1024)).object();
    if (o.isEmpty()) return std::nullopt;
    return Registro{o.value(QStringLiteral("pasta")).toString(),
                    o.value(QStringLiteral("desinstalador")).toString()};
}

bool GravarRegistro(const QString& arquivo, const Registro& r) {
    ApagarArquivo(arquivo, false);  // a link left there is removed, never written through
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    const QByteArray dados = QJsonDocument(QJsonObject{{QStringLiteral("pasta"), r.pasta},
                                                       {QStringLiteral("desinstalador"), r.desinstalador}})
                                 .toJson();
    const bool ok = f.write(dados) == dados.size() && f.flush();
    f.close();
    if (!ok) f.remove();
    return ok;
}

// An installation folder this installer made: a real folder with the name it gives, holding
// its record, and the record names this very folder (a copy of it elsewhere is not ours).
bool PastaFeitaPeloInstalador(const QString& pasta, const QString& NomeDaPasta) {
    if (!detalhe::CaminhoRemovivel(pasta) || QFileInfo(pasta).fileName() != detalhe::NomeSeguro(NomeDaPasta))
        return false;
    if (!EhDoTipo(pasta, S_IFDIR)) return false;
    const auto r = LerRegistro(RegistroNaPasta(pasta));
    return r && QDir::cleanPath(r->pasta) == QDir::cleanPath(pasta);
}

// The installation to remove, found from the program that runs: the uninstaller copy (started
// from its launcher), the installed program itself, or else the places an installation by this
// program would have used.
std::optional<Registro> EncontrarInstalacao(const QString& NomeDaPasta) {
    const QFileInfo exe(ExecutavelEmExecucao());
    if (auto r = LerRegistro(RegistroDoDesinstalador(exe.absoluteFilePath()))) return r;
    if (PastaFeitaPeloInstalador(exe.absolutePath(), NomeDaPasta))
        return LerRegistro(RegistroNaPasta(exe.absolutePath()));
    const QString U = PastaDoWindows() + QLatin1Char('/') + NomeDoDesinstalador(exe.fileName());
    if (auto r = LerRegistro(RegistroDoDesinstalador(U))) return r;
    const QString pasta = PastaDeInstalacao(PastaDeProgramas(), NomeDaPasta);
    if (!pasta.isEmpty() && PastaFeitaPeloInstalador(pasta, NomeDaPasta))
        return LerRegistro(RegistroNaPasta(pasta));
    return std::nullopt;
}

// An error in the game's own warning dialog, with its one button.
void Advertir(const QString& texto, const QString& titulo) {
    CaixaDeDialogo(nullptr, texto, titulo, QString(), QCoreApplication::translate("Trevolino", "Sim"), true);
}

bool GravarRecurso(const QString& recurso, const QString& destino) {
    QFile de(recurso);
    if (!de.open(QIODevice::ReadOnly)) return false;
    const QByteArray dados = de.readAll();
    if (!QDir().mkpath(QFileInfo(destino).path())) return false;
    ApagarArquivo(destino, false);  // a link left there is removed, never written through
    QFile para(destino);
    if (!para.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    return para.write(dados) == dados.size();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Messages

QString MensagemConfirmacaoInstalar(const QString& titulo) {
    const auto q = [](int n) { return QuebrasDeLinha(n); };
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
    return titulo + QuebrasDeLinha(1) + MensagemConfirmacaoInstalar(titulo);
}

QString MensagemInstalacaoConcluida(const QString& titulo) {
    const auto q = [](int n) { return QuebrasDeLinha(n); };
    return titulo + q(1) + QCoreApplication::translate("Trevolino", "Instalação Concluída") + q(2) +
           QCoreApplication::translate("Trevolino", "O Aplicativo Poderá Ser Utilizado Através") + q(1) +
           QCoreApplication::translate("Trevolino", "Do Menu de Aplicativos ou Então") + q(1) +
           QCoreApplication::translate("Trevolino", "Disparado Pelo Ícone Que Foi Preparado") + q(1) +
           QCoreApplication::translate("Trevolino", "Na Sua Área de Trabalho.") + q(2) +
           QCoreApplication::translate("Trevolino", "Você Deseja Executa-lo Imediatamente?");
}

QString MensagemConfirmacaoDesinstalar(const QString& titulo) {
    const auto q = [](int n) { return QuebrasDeLinha(n); };
    return titulo + q(1) + QCoreApplication::translate("Trevolino", "Desinstalação") + q(2) +
           QCoreApplication::translate("Trevolino", "Você Está Certo de Que Deseja Remover") + q(1) +
           QCoreApplication::translate("Trevolino", "Este Aplicativo Do Seu Computador?") + q(2) +
           QCoreApplication::translate("Trevolino", "Você Autoriza a Desinstalação do") + q(1) + titulo +
           QStringLiteral("?");
}

QString MensagemDesinstalacaoConcluida(const QString& titulo) {
    return titulo + QuebrasDeLinha(1) + QCoreApplication::translate("Trevolino", "Desinstalação") +
           QuebrasDeLinha(2) +
           QCoreApplication::translate("Trevolino", "O Aplicativo Foi Desinstalado Com Sucesso.");
}

QString MensagemFalhaNaInstalacao(const QString& titulo, const QString& oQueFalhou, const QString& caminho) {
    const auto q = [](int n) { return QuebrasDeLinha(n); };
    return titulo + q(1) + QCoreApplication::translate("Trevolino", "Não Foi Possível Instalar") + q(2) +
           oQueFalhou + q(1) + caminho + q(2) +
           QCoreApplication::translate("Trevolino", "Nada Foi Instalado.");
}

QString MensagemDesinstalacaoIncompleta(const QString& titulo, const QStringList& restantes) {
    const auto q = [](int n) { return QuebrasDeLinha(n); };
    return titulo + q(1) + QCoreApplication::translate("Trevolino", "Desinstalação") + q(2) +
           QCoreApplication::translate("Trevolino", "Não Foi Possível Remover:") + q(1) +
           restantes.join(q(1)) + q(2) +
           QCoreApplication::translate("Trevolino", "Estes Itens Permaneceram Em Seu Computador.");
}

// ---------------------------------------------------------------------------------------------
// Steps

QString PastaDeInstalacao(const QString& prefixo, const QString& NomeDaPasta) {
    const QString p = Aparar(prefixo);
    const QString nome = detalhe::NomeSeguro(NomeDaPasta);
    if (nome.isEmpty() || p.isEmpty() || !QDir::isAbsolutePath(p) || QDir::cleanPath(p) == QLatin1String("/"))
        return QString();
    return QDir::cleanPath(p) + QLatin1Char('/') + nome;
}

QString NomeDoDesinstalador(const QString& nomeDoExecutavel) {
    const QString nome = Aparar(nomeDoExecutavel);
    const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
    if (ponto > 0) return nome.left(ponto) + QStringLiteral("_Desinstalar") + nome.mid(ponto);
    return nome + QStringLiteral("_Desinstalar");
}

void InstalarNaPastaDeProgramas(const QString& NomeDaPasta, const QString& Titulo) {
    const QString pasta = PastaDeInstalacao(PastaDeProgramas(), NomeDaPasta);
    const QFileInfo exe(ExecutavelEmExecucao());
    const QString origem = Aparar(exe.absolutePath());
    // Linux file names are case-sensitive: the installed executable keeps its spelling.
    const QString instalado = pasta + QLatin1Char('/') + exe.fileName();
    const bool novo = !pasta.isEmpty() && !Existe(pasta);
    // The record marks the folder as this installer's: only then will a removal take it.
    if (pasta.isEmpty() || !CopiarPasta(nullptr, origem, pasta) ||
        !GravarRegistro(RegistroNaPasta(pasta), {pasta, QString()})) {
        if (novo) ApagarPasta(pasta, false);  // a copy that failed takes back its files itself
        Advertir(
            MensagemFalhaNaInstalacao(
                Titulo, QCoreApplication::translate("Trevolino", "Não Foi Possível Copiar o Programa Para:"),
                pasta.isEmpty() ? PastaDeProgramas() : pasta),
            QCoreApplication::translate("Trevolino", "Instalação Não Concluída"));
        return;
    }
    if (!ConcluirInstalacao(instalado, Titulo) && novo) ApagarPasta(pasta, false);
}

bool ConcluirInstalacao(const QString& Executavel, const QString& Titulo) {
    const QString E = Aparar(QFileInfo(Aparar(Executavel)).absoluteFilePath());
    const QString pastaDeE = QFileInfo(E).absolutePath() + QLatin1Char('/');
    const QString grupo = Titulo;  // the menu group is named by the display title
    const QString windows = PastaDoWindows();
    QString U = windows + QLatin1Char('/') + NomeDoDesinstalador(QFileInfo(E).fileName());

    // A launcher that cannot be written leaves no installation: what this run wrote goes again.
    QStringList feitos;
    const auto falhou = [&](const QString& atalho) {
        for (const QString& f : feitos) ApagarArquivo(f, false);
        const QString nomeDoGrupo = detalhe::NomeSeguro(grupo);
        if (!nomeDoGrupo.isEmpty() && !PastaDoMenuIniciar().isEmpty())
            QDir().rmdir(PastaDoMenuIniciar() + QLatin1Char('/') + nomeDoGrupo);  // only when empty
        RemoverIconesDoJogo();
        Advertir(
            MensagemFalhaNaInstalacao(
                Titulo, QCoreApplication::translate("Trevolino", "Não Foi Possível Criar o Atalho:"), atalho),
            QCoreApplication::translate("Trevolino", "Instalação Não Concluída"));
        return false;
    };
    const auto criar = [&](const QString& alvo, const QString& argumentos, const QString& pastaDeTrabalho,
                           const QString& nome, unsigned char lugar) {
        QString arquivo;
        const bool ok =
            CriarAtalho(alvo, argumentos, pastaDeTrabalho, nome, lugar ? grupo : QString(), lugar, &arquivo);
        if (ok) feitos << arquivo;
        if (arquivo.isEmpty()) arquivo = nome + QStringLiteral(".desktop");
        return ok ? QString() : arquivo;
    };

    InstalarIconesDoJogo();
    QString falha = criar(E, QString(), pastaDeE, Titulo, 0);
    if (falha.isEmpty()) falha = criar(E, QString(), pastaDeE, QStringLiteral("01 - Executar ") + Titulo, 1);
    if (!falha.isEmpty()) return falhou(falha);

    QDir().mkpath(windows);  // ~/.local/bin may not exist yet on a fresh account
    const bool desinstalador = CopiarArquivo(E, U);
    falha = criar(U, kTokenDesinstalar, windows + QLatin1Char('/'),
                  QStringLiteral("02 - Desinstalar ") + Titulo, 1);
    if (!falha.isEmpty()) {
        if (desinstalador) ApagarArquivo(U, false);
        return falhou(falha);
    }
    if (desinstalador) {
        // The program run from its installation folder names that folder; one left where it
        // lay ("<ICONES>") names none, and its folder is never removed.
        const QString pasta = QFileInfo(E).absolutePath();
        const Registro r{PastaFeitaPeloInstalador(pasta, kPastaDoJogo) ? pasta : QString(), U};
        GravarRegistro(RegistroDoDesinstalador(U), r);
        if (!r.pasta.isEmpty()) GravarRegistro(RegistroNaPasta(r.pasta), r);
    }

    const QString biblioteca =
        Aparar(QFileInfo(ExecutavelEmExecucao()).absolutePath()) + QStringLiteral("/gds32.dll");
    if (QFileInfo(biblioteca).isFile()) {
        U = windows + QStringLiteral("/gds32.dll");
        CopiarArquivo(biblioteca, U);
    }

    if (QFileInfo::exists(U)) {
        const int resposta = CaixaDeDialogo(nullptr, MensagemInstalacaoConcluida(Titulo),
                                            QCoreApplication::translate("Trevolino", "Instalação Concluída"),
                                            QCoreApplication::translate("Trevolino", "Não"),
                                            QCoreApplication::translate("Trevolino", "Sim"), false);
        // Started in its own folder, where its launchers start it: the reels are read from there.
        if (resposta == RespostaSim) QProcess::startDetached(E, {}, pastaDeE);
    }
    return true;
}

void RemoverInstalacao(const QString& NomeDaPasta, const QString& Titulo) {
    // What could not be removed is named in the end message, never passed off as success.
    QStringList restantes;
    // Only the installation the installer recorded; no record, no folder taken.
    if (const auto r = EncontrarInstalacao(NomeDaPasta)) {
        if (!r->pasta.isEmpty()) {
            if (PastaFeitaPeloInstalador(r->pasta, NomeDaPasta)) ApagarPasta(r->pasta, false);
            if (EhDoTipo(r->pasta, S_IFDIR)) restantes << r->pasta;
        }
        // The uninstaller copy goes with its record (a running program's file can be removed);
        // a file of that name without the record is not ours.
        const QString U = r->desinstalador;
        if (QDir::isAbsolutePath(U) && QFileInfo(U).fileName().contains(QStringLiteral("_Desinstalar")) &&
            LerRegistro(RegistroDoDesinstalador(U))) {
            ApagarArquivo(U, false);
            ApagarArquivo(RegistroDoDesinstalador(U), false);
            for (const QString& f : {U, RegistroDoDesinstalador(U)})
                if (Existe(f)) restantes << f;
        }
    }

    const QString nome = detalhe::NomeSeguro(Titulo);
    if (!nome.isEmpty()) {
        const QString mesa = PastaDaAreaDeTrabalho();
        if (!mesa.isEmpty()) {
            const QString atalho = mesa + QLatin1Char('/') + nome + QStringLiteral(".desktop");
            if (!ApagarArquivo(atalho, false)) restantes << atalho;
        }
        const QString menu = PastaDoMenuIniciar();
        if (!menu.isEmpty()) {
            const QString grupo = menu + QLatin1Char('/') + nome;
            ApagarPasta(grupo, false);
            if (EhDoTipo(grupo, S_IFDIR)) restantes << grupo;
        }
    }
    RemoverIconesDoJogo();

    if (!restantes.isEmpty())
        Advertir(MensagemDesinstalacaoIncompleta(Titulo, restantes),
                 QCoreApplication::translate("Trevolino", "Desinstalação Incompleta"));
    else
        CaixaDeDialogo(nullptr, MensagemDesinstalacaoConcluida(Titulo),
                       QCoreApplication::translate("Trevolino", "Desinstalação Concluída"), QString(),
                       QCoreApplication::translate("Trevolino", "Sim"), false);
}

void InstalarIconesDoJogo() {
    const QString base = PastaDosIcones();
    if (base.isEmpty()) return;
    for (int n : kTamanhosDeIcone) {
        const QString tamanho = QStringLiteral("%1x%1").arg(n);
        GravarRecurso(QStringLiteral(":/icone/hicolor/") + tamanho + QStringLiteral("/apps/trevolino.png"),
                      base + QLatin1Char('/') + tamanho + QStringLiteral("/apps/trevolino.png"));
    }
    GravarRecurso(QStringLiteral(":/icone/trevolino.svg"),
                  base + QStringLiteral("/scalable/apps/trevolino.svg"));
}

void RemoverIconesDoJogo() {
    const QString base = PastaDosIcones();
    if (base.isEmpty()) return;
    for (int n : kTamanhosDeIcone)
        ApagarArquivo(base + QStringLiteral("/%1x%1/apps/trevolino.png").arg(n), false);
    ApagarArquivo(base + QStringLiteral("/scalable/apps/trevolino.svg"), false);
}

}  // namespace uRotinasGerais
