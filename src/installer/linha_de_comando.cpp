// The installer modes: "<INSTALAR>", "<ICONES>" and "<DESINSTALAR>" on the command line run an
// installation, a launcher-only installation or a removal instead of the game.
#include "installer/linha_de_comando.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include "installer/arquivos.h"
#include "installer/arquivos_detalhe.h"
#include "installer/instalador.h"
#include "installer/uDialogoContrato.h"
#include "shell/dialogo_rotinas.h"
#include "shell/uPrincipal.h"

namespace uRotinasGerais {

namespace {

const QString kPasta = QStringLiteral("Trevolino");
const QString kTokenInstalar = QStringLiteral("<INSTALAR>");
const QString kTokenIcones = QStringLiteral("<ICONES>");
const QString kTokenDesinstalar = QStringLiteral("<DESINSTALAR>");
const int kTamanhosDeIcone[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool gLinhaDeTeste = false;
QString gLinhaBruta;
int gNumeroDeArgumentos = 0;
QString gExecutavelDeTeste;
QStringList gArgumentosDoProcesso;

// Removes every character with a code of 32 or below from both ends.
QString Aparar(const QString& s) {
    qsizetype i = 0, j = s.size();
    while (i < j && s[i].unicode() <= 32) ++i;
    while (j > i && s[j - 1].unicode() <= 32) --j;
    return s.mid(i, j - i);
}

QString ExecutavelEmExecucao() {
    return gExecutavelDeTeste.isEmpty() ? QCoreApplication::applicationFilePath() : gExecutavelDeTeste;
}

QString Titulo() { return frmPrincipal ? frmPrincipal->TituloDoAplicativo : QString(); }

bool TokenEh(const QString& token) {
    return Aparar(ParametroDaLinhaDeComando()).toUpper() == token;
}

// Shrink and hide the main window, ask for the end, let pending messages through once.
void Terminar() {
    if (frmPrincipal) {
        frmPrincipal->ReduzTamanhoFormularioPrincipal();
        frmPrincipal->SolicitarTermino();
    }
    QCoreApplication::processEvents();
}

// Confirmation, then the contract; true when both were accepted.
bool ConfirmarEAceitarContrato(const QString& mensagem) {
    const int resposta = frmPrincipal->CaixaDeDialogoComIconesEspeciais(
        mensagem, QString::fromUtf8("Confirmação de Instalação"), QString::fromUtf8("Não"),
        QStringLiteral("Sim"), 3, 2, false, false);
    if (resposta != 6) return false;
    auto* contrato = new TfrmDialogoContrato(frmPrincipal);
    contrato->exec();
    const bool aceito = contrato->Resposta == 6;
    contrato->deleteLater();
    return aceito;
}

QString PastaDosIcones() {
    const QString dados = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dados.isEmpty() || !QDir::isAbsolutePath(dados)) return QString();
    return QDir::cleanPath(dados) + QStringLiteral("/icons/hicolor");
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
// Command line

void DefinirLinhaDeComandoParaTeste(const QString& linhaBruta, int numeroDeArgumentos) {
    gLinhaDeTeste = !linhaBruta.isEmpty() || numeroDeArgumentos != 0;
    gLinhaBruta = linhaBruta;
    gNumeroDeArgumentos = numeroDeArgumentos;
}

void DefinirExecutavelParaTeste(const QString& caminho) { gExecutavelDeTeste = caminho; }

void DefinirArgumentosDoProcesso(int argc, char** argv) {
    gArgumentosDoProcesso.clear();
    for (int i = 0; i < argc && argv && argv[i]; ++i) gArgumentosDoProcesso << QFile::decodeName(argv[i]);
}

QString LinhaDeComandoReconstruida(const QStringList& argumentos) {
    if (argumentos.isEmpty()) return QString();
    QString programa = argumentos.first();
    programa.remove(QLatin1Char('"'));
    QString linha = QLatin1Char('"') + programa + QLatin1Char('"');
    for (qsizetype i = 1; i < argumentos.size(); ++i) linha += QLatin1Char(' ') + argumentos[i];
    return linha;
}

QString ParametroDaLinhaDeComando() {
    QString linha;
    int contagem;
    if (gLinhaDeTeste) {
        linha = gLinhaBruta;
        contagem = gNumeroDeArgumentos;
    } else {
        // The arguments as the process got them: the toolkit's list lacks the options it took
        // for itself, and "<DESINSTALAR> -reverse" would look like the token alone.
        const QStringList args =
            gArgumentosDoProcesso.isEmpty() ? QCoreApplication::arguments() : gArgumentosDoProcesso;
        contagem = int(args.size()) - 1;
        linha = LinhaDeComandoReconstruida(args);
    }
    if (contagem <= 0) return QString();
    linha = Aparar(linha);
    // The quoted program path ends at the first double quote followed by a blank, after the
    // opening one (a Linux program path may itself begin with a blank).
    const qsizetype fim = linha.indexOf(QStringLiteral("\" "), 1);
    QString resto = fim >= 0 ? linha.mid(fim + 2) : linha.mid(1);
    resto = Aparar(resto);
    while (resto.startsWith(QLatin1Char('"'))) resto.remove(0, 1);
    while (resto.endsWith(QLatin1Char('"'))) resto.chop(1);
    return resto;
}

bool ProcessarLinhaDeComando() {
    if (ModoInstalar()) return true;
    if (ModoIcones()) return true;
    return ModoDesinstalar();
}

// ---------------------------------------------------------------------------------------------
// Messages

QString MensagemConfirmacaoInstalar(const QString& titulo) {
    const auto q = [](int n) { return QuebrasDeLinha(n); };
    return QString::fromUtf8("Instalação") + q(2) +
           QString::fromUtf8("Este Software Destina-Se a") + q(1) +
           QString::fromUtf8("Simular Um Jogo Trevolino.") + q(2) +
           QString::fromUtf8("O Programa Está Pronto Para Ser") + q(1) +
           QString::fromUtf8("Instalado Em Seu Computador!") + q(2) +
           QString::fromUtf8("O Processo de Instalação Não Irá Interferir") + q(1) +
           QString::fromUtf8("Nas Configurações do Seu Equipamento Ou") + q(1) +
           QString::fromUtf8("Nos Outros Programas Já Instalados.") + q(2) +
           QString::fromUtf8("Além Disto, Ele Poderá Ser Removido") + q(1) +
           QString::fromUtf8("Quando Você Quiser Pois Também") + q(1) +
           QString::fromUtf8("Contém Desinstalador Automático.") + q(2) +
           QString::fromUtf8("A Instalação Requer Privilégios De Acesso") + q(1) +
           QString::fromUtf8("Com Perfil De Usuário Administrador.") + q(2) +
           QString::fromUtf8("Você Autoriza a Instalação do") + q(1) + titulo + QStringLiteral("?");
}

QString MensagemConfirmacaoIcones(const QString& titulo) {
    return titulo + QuebrasDeLinha(1) + MensagemConfirmacaoInstalar(titulo);
}

QString MensagemInstalacaoConcluida(const QString& titulo) {
    const auto q = [](int n) { return QuebrasDeLinha(n); };
    return titulo + q(1) + QString::fromUtf8("Instalação Concluída") + q(2) +
           QString::fromUtf8("O Aplicativo Poderá Ser Utilizado Através") + q(1) +
           QString::fromUtf8("Do Menu de Aplicativos ou Então") + q(1) +
           QString::fromUtf8("Disparado Pelo Ícone Que Foi Preparado") + q(1) +
           QString::fromUtf8("Na Sua Área de Trabalho.") + q(2) +
           QString::fromUtf8("Você Deseja Executa-lo Imediatamente?");
}

QString MensagemConfirmacaoDesinstalar(const QString& titulo) {
    const auto q = [](int n) { return QuebrasDeLinha(n); };
    return titulo + q(1) + QString::fromUtf8("Desinstalação") + q(2) +
           QString::fromUtf8("Você Está Certo de Que Deseja Remover") + q(1) +
           QString::fromUtf8("Este Aplicativo Do Seu Computador?") + q(2) +
           QString::fromUtf8("Você Autoriza a Desinstalação do") + q(1) + titulo + QStringLiteral("?");
}

QString MensagemDesinstalacaoConcluida(const QString& titulo) {
    return titulo + QuebrasDeLinha(1) + QString::fromUtf8("Desinstalação") + QuebrasDeLinha(2) +
           QString::fromUtf8("O Aplicativo Foi Desinstalado Com Sucesso.");
}

// ---------------------------------------------------------------------------------------------
// Modes

bool ModoInstalar() {
    if (!TokenEh(kTokenInstalar)) return false;
    if (frmPrincipal && ConfirmarEAceitarContrato(MensagemConfirmacaoInstalar(Titulo())))
        InstalarNaPastaDeProgramas(kPasta, Titulo());
    Terminar();
    return true;
}

bool ModoIcones() {
    if (!TokenEh(kTokenIcones)) return false;
    if (frmPrincipal && ConfirmarEAceitarContrato(MensagemConfirmacaoIcones(Titulo())))
        ConcluirInstalacao(Aparar(QFileInfo(ExecutavelEmExecucao()).absoluteFilePath()), Titulo());
    Terminar();
    return true;
}

bool ModoDesinstalar() {
    if (!TokenEh(kTokenDesinstalar)) return false;
    if (frmPrincipal) {
        const int resposta = frmPrincipal->CaixaDeDialogoComIconesEspeciais(
            MensagemConfirmacaoDesinstalar(Titulo()), QString::fromUtf8("Confirmação de Desinstalação"),
            QString::fromUtf8("Não"), QStringLiteral("Sim"), 3, 2, false, false);
        if (resposta == 6) RemoverInstalacao(kPasta, Titulo());
    }
    Terminar();
    return true;
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
    if (pasta.isEmpty()) return;  // no safe place to install to
    const QFileInfo exe(ExecutavelEmExecucao());
    const QString origem = Aparar(exe.absolutePath());
    // Linux file names are case-sensitive: the installed executable keeps its spelling.
    const QString instalado = pasta + QLatin1Char('/') + exe.fileName();
    CopiarPasta(frmPrincipal, origem, pasta);
    ConcluirInstalacao(instalado, Titulo);
}

void ConcluirInstalacao(const QString& Executavel, const QString& Titulo) {
    const QString E = Aparar(QFileInfo(Aparar(Executavel)).absoluteFilePath());
    const QString pastaDeE = QFileInfo(E).absolutePath() + QLatin1Char('/');
    const QString grupo = frmPrincipal ? frmPrincipal->TituloDoAplicativo : Titulo;

    InstalarIconesDoJogo();
    CriarAtalho(E, QString(), pastaDeE, Titulo, QString(), 0);
    CriarAtalho(E, QString(), pastaDeE, QStringLiteral("01 - Executar ") + Titulo, grupo, 1);

    const QString windows = PastaDoWindows();
    QDir().mkpath(windows);  // ~/.local/bin may not exist yet on a fresh account
    QString U = windows + QLatin1Char('/') + NomeDoDesinstalador(QFileInfo(E).fileName());
    CopiarArquivo(E, U);
    CriarAtalho(U, kTokenDesinstalar, windows + QLatin1Char('/'),
                QStringLiteral("02 - Desinstalar ") + Titulo, grupo, 1);

    const QString biblioteca = Aparar(QFileInfo(ExecutavelEmExecucao()).absolutePath()) +
                               QStringLiteral("/gds32.dll");
    if (QFileInfo(biblioteca).isFile()) {
        U = windows + QStringLiteral("/gds32.dll");
        CopiarArquivo(biblioteca, U);
    }

    if (QFileInfo::exists(U) && frmPrincipal) {
        const int resposta = frmPrincipal->CaixaDeDialogo(
            MensagemInstalacaoConcluida(Titulo), QString::fromUtf8("Instalação Concluída"),
            QString::fromUtf8("Não"), QStringLiteral("Sim"), false);
        // Started in its own folder, where its launchers start it: the reels are read from there.
        if (resposta == 6) QProcess::startDetached(E, {}, pastaDeE);
    }
    if (frmPrincipal) frmPrincipal->ReduzTamanhoFormularioPrincipal();
}

void RemoverInstalacao(const QString& NomeDaPasta, const QString& Titulo) {
    const QString pasta = PastaDeInstalacao(PastaDeProgramas(), NomeDaPasta);
    if (!pasta.isEmpty()) ApagarPasta(pasta, false);

    const QString nome = detalhe::NomeSeguro(Titulo);
    if (!nome.isEmpty()) {
        const QString mesa = PastaDaAreaDeTrabalho();
        if (!mesa.isEmpty()) ApagarArquivo(mesa + QLatin1Char('/') + nome + QStringLiteral(".desktop"), false);
        const QString menu = PastaDoMenuIniciar();
        if (!menu.isEmpty()) ApagarPasta(menu + QLatin1Char('/') + nome, false);
    }
    RemoverIconesDoJogo();

    if (frmPrincipal)
        frmPrincipal->CaixaDeDialogo(MensagemDesinstalacaoConcluida(Titulo),
                                     QString::fromUtf8("Desinstalação Concluída"), QString(),
                                     QStringLiteral("Sim"), false);
}

void InstalarIconesDoJogo() {
    const QString base = PastaDosIcones();
    if (base.isEmpty()) return;
    for (int n : kTamanhosDeIcone) {
        const QString tamanho = QStringLiteral("%1x%1").arg(n);
        GravarRecurso(QStringLiteral(":/icone/hicolor/") + tamanho + QStringLiteral("/apps/trevolino.png"),
                      base + QLatin1Char('/') + tamanho + QStringLiteral("/apps/trevolino.png"));
    }
    GravarRecurso(QStringLiteral(":/icone/trevolino.svg"), base + QStringLiteral("/scalable/apps/trevolino.svg"));
}

void RemoverIconesDoJogo() {
    const QString base = PastaDosIcones();
    if (base.isEmpty()) return;
    for (int n : kTamanhosDeIcone)
        ApagarArquivo(base + QStringLiteral("/%1x%1/apps/trevolino.png").arg(n), false);
    ApagarArquivo(base + QStringLiteral("/scalable/apps/trevolino.svg"), false);
}

}  // namespace uRotinasGerais
