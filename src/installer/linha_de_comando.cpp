// The command line: the installer's tokens "<INSTALAR>", "<ICONES>" and "<DESINSTALAR>" run an
// installation, a launcher-only installation or a removal instead of the game.
#include "installer/linha_de_comando.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "installer/instalador.h"
#include "installer/uDialogoContrato.h"
#include "platform/pasta_de_desempacotar.h"
#include "platform/texto.h"
#include "platform/versao.h"
#include "shell/dialogo_rotinas.h"
#include "shell/dialogos.h"

namespace instalacao {

namespace {

bool gLinhaDeTeste = false;
QString gLinhaBruta;
int gNumeroDeArgumentos = 0;
QString gExecutavelDeTeste;
QStringList gArgumentosDoProcesso;

bool TokenEh(const QString& token) {
    return plataforma::Aparar(ParametroDaLinhaDeComando()).toUpper() == token;
}

// No window was made for a mode: pending messages go through once before the program ends.
void Terminar() { QCoreApplication::processEvents(); }

// Confirmation, then the contract; true when both were accepted.
bool ConfirmarEAceitarContrato(const QString& mensagem) {
    const int resposta = uRotinasGerais::CaixaDeDialogoComIconesEspeciais(
        nullptr, mensagem, QCoreApplication::translate("Trevolino", "Confirmação de Instalação"),
        QCoreApplication::translate("Trevolino", "Não"), QCoreApplication::translate("Trevolino", "Sim"), 3,
        2, false, false);
    if (resposta != apresentacao::RespostaSim) return false;
    auto* contrato = new TfrmDialogoContrato(nullptr);
    contrato->exec();
    const bool aceito = contrato->Resposta == apresentacao::RespostaSim;
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
    return gExecutavelDeTeste.isEmpty() ? plataforma::ArquivoDoExecutavel() : gExecutavelDeTeste;
}

void DefinirArgumentosDoProcesso(int argc, char** argv) {
    gArgumentosDoProcesso.clear();
    for (int i = 0; i < argc && argv && argv[i]; ++i) gArgumentosDoProcesso << QFile::decodeName(argv[i]);
}

bool PedidoDeTerminal(int argc, char** argv) {
    if (argc != 2 || !argv || !argv[1]) return false;
    const QByteArray opcao(argv[1]);
    return opcao == "--help" || opcao == "--version";
}

QString RespostaDeTerminal(const QString& opcao) {
    if (opcao == QLatin1String("--version"))
        return QStringLiteral("Trevolino ") + uRotinasGerais::ObterVersaoDoExecutavel() + QLatin1Char('\n');
    return QCoreApplication::translate(
        "Trevolino",
        "Uso: trevolino [\"<INSTALAR>\" | \"<ICONES>\" | \"<DESINSTALAR>\" | --help | --version]\n"
        "\n"
        "Trevolino, uma pequena máquina caça-níqueis. Sem argumentos, abre o jogo.\n"
        "\n"
        "  \"<INSTALAR>\"     pede confirmação e o aceite do contrato de uso, copia a pasta do\n"
        "                   programa para a pasta de instalação e cria os atalhos e o desinstalador\n"
        "  \"<ICONES>\"       as mesmas perguntas, e só cria os atalhos para o programa onde está\n"
        "  \"<DESINSTALAR>\"  pede confirmação e remove a instalação, os atalhos e o grupo do menu\n"
        "  --help           mostra esta ajuda e sai\n"
        "  --version        mostra a versão e sai\n"
        "\n"
        "Teclas no jogo:\n"
        "  Tab, Shift+Tab   levam o foco pelos botões\n"
        "  Espaço, Enter    Girar, ou o botão com o foco\n"
        "  1, 5, 0          Apostar 1, Apostar 5, Apostar 10\n"
        "  Esc              Sair (pergunta se deseja mesmo sair)\n"
        "  M                liga e desliga o som (também no menu do botão direito, \"Som ligado\";\n"
        "                   a escolha fica em ~/.config/Trevolino/Trevolino.conf)\n"
        "Cada tecla só age quando o botão dela está habilitado.\n"
        "\n"
        "Maiúsculas e minúsculas valem o mesmo nas fichas; ponha-as entre aspas no shell,\n"
        "pois < e > são redirecionamentos.\n"
        "\n"
        "Página do jogo: https://www.trevolino.example/\n");
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
        const QStringList lista =
            gArgumentosDoProcesso.isEmpty() ? QCoreApplication::arguments() : gArgumentosDoProcesso;
        contagem = int(lista.size()) - 1;
        linha = LinhaDeComandoReconstruida(lista);
    }
    if (contagem <= 0) return QString();
    linha = plataforma::Aparar(linha);
    // The quoted program path ends at the first double quote followed by a blank, after the
    // opening one (a Linux program path may itself begin with a blank).
    const qsizetype fim = linha.indexOf(QStringLiteral("\" "), 1);
    QString resto = fim >= 0 ? linha.mid(fim + 2) : linha.mid(1);
    resto = plataforma::Aparar(resto);
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

bool RecusarNaCopiaDoSistema(const QString& Titulo) {
    if (ModoDaLinhaDeComando() == ModoDoPrograma::Jogo) return false;
    const QString pasta = QFileInfo(ExecutavelEmExecucao()).absolutePath();
    if (plataforma::InstalacaoDaPasta(pasta) != plataforma::Instalacao::Pacote) return false;
    const QString texto =
        Titulo + uRotinasGerais::QuebrasDeLinha(1) +
        QCoreApplication::translate("Trevolino", "Instalação Gerenciada Pelo Sistema") +
        uRotinasGerais::QuebrasDeLinha(2) +
        QCoreApplication::translate("Trevolino", "Esta Cópia Do Aplicativo Foi Instalada") +
        uRotinasGerais::QuebrasDeLinha(1) +
        QCoreApplication::translate("Trevolino", "Pelo Gerenciador De Pacotes Do Sistema.") +
        uRotinasGerais::QuebrasDeLinha(2) +
        QCoreApplication::translate("Trevolino", "Instale Ou Remova-a Somente Por Ele.");
    uRotinasGerais::CaixaDeDialogo(
        nullptr, texto, QCoreApplication::translate("Trevolino", "Instalação Gerenciada Pelo Sistema"),
        QString(), uRotinasGerais::TextoDeCiente(), true);
    Terminar();
    return true;
}

int CodigoDeSaidaDoModo() { return InstaladorFalhou() ? 1 : 0; }

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
        ConcluirInstalacao(plataforma::Aparar(QFileInfo(ExecutavelEmExecucao()).absoluteFilePath()), Titulo);
    Terminar();
    return true;
}

bool ModoDesinstalar(const QString& Titulo) {
    if (!TokenEh(kTokenDesinstalar)) return false;
    const int resposta = uRotinasGerais::CaixaDeDialogoComIconesEspeciais(
        nullptr, MensagemConfirmacaoDesinstalar(Titulo),
        QCoreApplication::translate("Trevolino", "Confirmação de Desinstalação"),
        QCoreApplication::translate("Trevolino", "Não"), QCoreApplication::translate("Trevolino", "Sim"), 3,
        2, false, false);
    if (resposta == apresentacao::RespostaSim) RemoverInstalacao(kPastaDoJogo, Titulo);
    Terminar();
    return true;
}

}  // namespace instalacao
