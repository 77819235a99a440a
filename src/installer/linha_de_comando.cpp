// The command line: the installer's tokens "<INSTALAR>", "<ICONES>" and "<DESINSTALAR>" run an
// installation, a launcher-only installation or a removal instead of the game.
#include "installer/linha_de_comando.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "installer/instalador.h"
#include "installer/uDialogoContrato.h"
#include "platform/texto.h"
#include "shell/dialogo_rotinas.h"
#include "shell/dialogos.h"

namespace uRotinasGerais {

namespace {

bool gLinhaDeTeste = false;
QString gLinhaBruta;
int gNumeroDeArgumentos = 0;
QString gExecutavelDeTeste;
QStringList gArgumentosDoProcesso;

bool TokenEh(const QString& token) { return Aparar(ParametroDaLinhaDeComando()).toUpper() == token; }

// No window was made for a mode: pending messages go through once before the program ends.
void Terminar() { QCoreApplication::processEvents(); }

// Confirmation, then the contract; true when both were accepted.
bool ConfirmarEAceitarContrato(const QString& mensagem) {
    const int resposta =
        CaixaDeDialogoComIconesEspeciais(nullptr, mensagem, QString::fromUtf8("Confirmação de Instalação"),
                                         QString::fromUtf8("Não"), QStringLiteral("Sim"), 3, 2, false, false);
    if (resposta != RespostaSim) return false;
    auto* contrato = new TfrmDialogoContrato(nullptr);
    contrato->exec();
    const bool aceito = contrato->Resposta == RespostaSim;
    contrato->deleteLater();
    return aceito;
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

QString ExecutavelEmExecucao() {
    return gExecutavelDeTeste.isEmpty() ? QCoreApplication::applicationFilePath() : gExecutavelDeTeste;
}

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

ModoDoPrograma ModoDaLinhaDeComando() {
    if (TokenEh(kTokenInstalar)) return ModoDoPrograma::Instalar;
    if (TokenEh(kTokenIcones)) return ModoDoPrograma::Icones;
    if (TokenEh(kTokenDesinstalar)) return ModoDoPrograma::Desinstalar;
    return ModoDoPrograma::Jogo;
}

bool ProcessarLinhaDeComando(const QString& TituloDoAplicativo) {
    if (ModoInstalar(TituloDoAplicativo)) return true;
    if (ModoIcones(TituloDoAplicativo)) return true;
    return ModoDesinstalar(TituloDoAplicativo);
}

// ---------------------------------------------------------------------------------------------
// Modes

bool ModoInstalar(const QString& Titulo) {
    if (!TokenEh(kTokenInstalar)) return false;
    if (ConfirmarEAceitarContrato(MensagemConfirmacaoInstalar(Titulo)))
        InstalarNaPastaDeProgramas(kPastaDoJogo, Titulo);
    Terminar();
    return true;
}

bool ModoIcones(const QString& Titulo) {
    if (!TokenEh(kTokenIcones)) return false;
    if (ConfirmarEAceitarContrato(MensagemConfirmacaoIcones(Titulo)))
        ConcluirInstalacao(Aparar(QFileInfo(ExecutavelEmExecucao()).absoluteFilePath()), Titulo);
    Terminar();
    return true;
}

bool ModoDesinstalar(const QString& Titulo) {
    if (!TokenEh(kTokenDesinstalar)) return false;
    const int resposta = CaixaDeDialogoComIconesEspeciais(
        nullptr, MensagemConfirmacaoDesinstalar(Titulo), QString::fromUtf8("Confirmação de Desinstalação"),
        QString::fromUtf8("Não"), QStringLiteral("Sim"), 3, 2, false, false);
    if (resposta == RespostaSim) RemoverInstalacao(kPastaDoJogo, Titulo);
    Terminar();
    return true;
}

}  // namespace uRotinasGerais
