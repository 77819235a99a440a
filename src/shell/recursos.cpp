// Unpacked resources and fonts: the embedded cursors and LCD font written beside the
// executable, the font made available, and the screen-size check.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScreen>
#include <stdexcept>

#include "platform/arquivos.h"
#include "platform/registro.h"
#include "shell/dialogo_rotinas.h"
#include "shell/dialogos.h"
#include "shell/recursos.h"

namespace apresentacao {

namespace {

QSize gTamanhoDeTeste;

// A folder with its trailing separator; the executable's folder when none is given.
QString comSeparador(QString pasta) {
    if (pasta.isEmpty()) pasta = QCoreApplication::applicationDirPath();
    if (!pasta.endsWith('/')) pasta += '/';
    return pasta;
}

// The embedded resource whose name matches without regard to case.
QString caminhoDoRecurso(const QString& nome) {
    const QString exato = QStringLiteral(":/recursos/") + nome;
    if (QFileInfo(exato).isFile()) return exato;
    const QDir pasta(QStringLiteral(":/recursos"));
    for (const QString& entrada : pasta.entryList(QDir::Files))
        if (entrada.compare(nome, Qt::CaseInsensitive) == 0) return pasta.filePath(entrada);
    return {};
}

[[noreturn]] void erro(const QString& texto) { throw std::runtime_error(texto.toStdString()); }

}  // namespace

void ExtrairRecursoParaArquivo(const QString& NomeDoRecurso, const QString& NomeDoArquivo) {
    // An existing file is never overwritten (a dangling link counts as existing: writing
    // through it would create a file somewhere else).
    const QFileInfo alvo(NomeDoArquivo);
    if ((alvo.exists() || alvo.isSymLink()) && !alvo.isDir()) return;

    const QString origem = caminhoDoRecurso(NomeDoRecurso);
    QFile recurso(origem);
    if (origem.isEmpty() || !recurso.open(QIODevice::ReadOnly))
        erro(QCoreApplication::translate("Trevolino", "Recurso \"%1\" não encontrado.").arg(NomeDoRecurso));

    QFile arquivo(NomeDoArquivo);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        // Made by someone else since the check above: that file stays as it is.
        if (QFileInfo(NomeDoArquivo).isFile()) return;
        erro(QCoreApplication::translate("Trevolino", "Não é possível criar o arquivo \"%1\". %2")
                 .arg(QDir::toNativeSeparators(NomeDoArquivo), arquivo.errorString()));
    }
    const QByteArray dados = recurso.readAll();
    const bool gravou = arquivo.write(dados) == dados.size() && arquivo.flush();
    arquivo.close();
    recurso.close();
    if (!gravou) {
        // A half-written cursor or font would only fail later in a more confusing way; the
        // file is ours (made just now), so it goes.
        const QString motivo = arquivo.errorString();
        arquivo.remove();
        erro(QCoreApplication::translate("Trevolino", "Erro ao gravar o arquivo \"%1\". %2")
                 .arg(QDir::toNativeSeparators(NomeDoArquivo), motivo));
    }
}

bool FonteEstaInstalada(const QString& NomeDaFonte) {
    return QFontDatabase::families().contains(NomeDaFonte, Qt::CaseInsensitive);
}

bool InstalarFonte(const QString& Pasta, const QString& NomeDoArquivo) {
    if (!CarregarFonte(Pasta, NomeDoArquivo)) return false;
    CopiarFonteParaOUsuario(NomeDoArquivo);
    return true;
}

// The bytes are the embedded font's, never the unpacked file's: in a folder others may write, a
// file put in its place would otherwise become a font of the user's for good.
static QByteArray fonteEmbutida() {
    QFile recurso(caminhoDoRecurso(QStringLiteral("FonteLCD")));
    return recurso.open(QIODevice::ReadOnly) ? recurso.readAll() : QByteArray();
}

bool CarregarFonte(const QString& Pasta, const QString& NomeDoArquivo) {
    const QString origem = comSeparador(Pasta) + NomeDoArquivo;
    if (NomeDoArquivo.isEmpty() || !QFileInfo(origem).isFile()) return false;
    const QByteArray dados = fonteEmbutida();
    if (!dados.isEmpty()) QFontDatabase::addApplicationFontFromData(dados);
    return true;
}

void CopiarFonteParaOUsuario(const QString& NomeDoArquivo) {
    const QByteArray dados = fonteEmbutida();
    if (dados.isEmpty() || NomeDoArquivo.isEmpty()) return;
    // Only into the running user's own font folder: root with a user's HOME writes nothing there
    // (the font then serves this run only). Other programs find the copy through fontconfig,
    // which lists a new file there without a cache rebuild.
    const QString pastaDeFontes = plataforma::PastaPropria(plataforma::PastaDasFontes());
    if (pastaDeFontes.isEmpty()) return;
    const QString alvo = pastaDeFontes + '/' + QFileInfo(NomeDoArquivo).fileName();
    QSaveFile arquivo(alvo);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(dados) != dados.size() || !arquivo.commit())
        plataforma::AvisarUmaVez(alvo, "font not copied into the user's font folder: " + alvo);
}

QSize TamanhoDaTela() {
    if (gTamanhoDeTeste.isValid()) return gTamanhoDeTeste;
    const QScreen* tela = QGuiApplication::primaryScreen();
    return tela ? tela->size() : QSize();
}

void DefinirTamanhoDaTela(const QSize& tamanho) { gTamanhoDeTeste = tamanho; }

bool VerificarResolucaoDaTela(QWidget* Dono, const QString& Titulo) {
    const QSize tela = TamanhoDaTela();
    if (!tela.isValid()) return true;  // no screen to measure: nothing to say
    const int W = tela.width(), H = tela.height();
    if (W >= 1024 && H >= 768) return true;

    const QString& titulo = Titulo;
    const QString q1 = QuebrasDeLinha(1), q2 = QuebrasDeLinha(2);
    if (W < 800 || H < 600) {
        const QString texto =
            titulo + q1 +
            QCoreApplication::translate("Trevolino", "Tela Abaixo Da Dimensão Mínima Permitida") + q2 +
            QCoreApplication::translate("Trevolino", "Para Adequado Funcionamento Deste Aplicativo") + q1 +
            QCoreApplication::translate("Trevolino", "As Dimensões Mínimas Da Tela Deverão Ser") + q1 +
            QCoreApplication::translate("Trevolino", "800 x 600 Pixels.") + q2 +
            QCoreApplication::translate("Trevolino", "Na Verdade, Para Utilização Mais Adequada,") + q1 +
            QCoreApplication::translate("Trevolino", "O Ideal é Trabalhar Com Dimensão") + q1 +
            QCoreApplication::translate("Trevolino", "1024 x 768 Ou Superior.") + q2 +
            QCoreApplication::translate("Trevolino", "A Execução Não Pode Prosseguir!");
        CaixaDeDialogo(
            Dono, texto,
            QCoreApplication::translate("Trevolino", "Notificando Tela Abaixo Das Dimensões Mínimas"),
            QString(), TextoDeCiente(), false);
        // quit() before the loop runs is lost, so the caller is told as well.
        QCoreApplication::quit();
        return false;
    }
    const QString texto =
        titulo + q1 + QCoreApplication::translate("Trevolino", "Resolução de Tela Inadequada") + q2 +
        QCoreApplication::translate("Trevolino", "Para Adequado Funcionamento Deste Aplicativo") + q1 +
        QCoreApplication::translate("Trevolino", "As Dimensões Mínimas Recomendáveis Da Tela") + q1 +
        QCoreApplication::translate("Trevolino", "Devem Ser 1024 x 768 Pixels.") + q2 +
        QCoreApplication::translate("Trevolino", "A Execução Será Possível Nas Atuais Condições,") + q1 +
        QCoreApplication::translate("Trevolino", "Mas Recomenda-se Aumentar a Resolução Da") + q1 +
        QCoreApplication::translate("Trevolino", "Tela Para Utilização Com Maior Conforto.");
    CaixaDeDialogo(Dono, texto,
                   QCoreApplication::translate("Trevolino", "Sugerindo Uso De Tela Com Maior Dimensão"),
                   QString(), TextoDeCiente(), false);
    return true;
}

}  // namespace apresentacao
