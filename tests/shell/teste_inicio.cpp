// Unpacking, the LCD font, the screen-size check and a whole start and close of the window.
#include "teste_inicio.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>

#include "apoio.h"
#include "shell/cursores.h"
#include "shell/rotinas_gerais.h"
#include "shell/uPrincipal.h"

using namespace uRotinasGerais;
using namespace apresentacao;

namespace {

const QStringList kDesempacotados = {"c_esperar.ani", "c_executar.ani", "c_normal.ani", "c_tocar.ani",
                                     "LCDMono2.ttf"};
const QStringList kRecursos = {"Cursor_Esperar", "Cursor_Executar", "Cursor_Normal", "Cursor_Tocar",
                               "FonteLCD"};

QByteArray ler(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray recursoGerado(const QString& nome) {
    return ler(QStringLiteral(TREVOLINO_GEN_DIR "/recursos/") + nome);
}

QString pastaDeFontes() { return plataforma::PastaDasFontes(); }

// The text of a message as the dialog shows it.
QString comoNoRotulo(const QString& texto) { return QuebrasDeLinha(1) + texto + QuebrasDeLinha(1); }

}  // namespace

void TesteInicio::cleanup() {
    DefinirTamanhoDaTela(QSize());
    TfrmPrincipal::PastaDoProgramaDeTeste.clear();
}

void TesteInicio::extrairNuncaSobrescreveENomeIgnoraCaixa() {
    QTemporaryDir pasta;
    // Name in any case; the bytes are the embedded resource's.
    const QString alvo = pasta.filePath("c_normal.ani");
    ExtrairRecursoParaArquivo("cursor_NORMAL", alvo);
    QCOMPARE(ler(alvo), recursoGerado("Cursor_Normal"));
    ExtrairRecursoParaArquivo("fontelcd", pasta.filePath("LCDMono2.ttf"));
    QCOMPARE(ler(pasta.filePath("LCDMono2.ttf")), recursoGerado("FonteLCD"));

    // An existing file stays as it is: content, size and time.
    const QString velho = pasta.filePath("c_tocar.ani");
    {
        QFile f(velho);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a cursor");
        f.close();
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC),
                              QFileDevice::FileModificationTime));
    }
    ExtrairRecursoParaArquivo("Cursor_Tocar", velho);
    QCOMPARE(ler(velho), QByteArray("not a cursor"));
    QCOMPARE(QFileInfo(velho).size(), qint64(12));
    QCOMPARE(QFileInfo(velho).lastModified().toUTC(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC));

    // A missing resource raises an error that names it, and creates nothing.
    try {
        ExtrairRecursoParaArquivo("Cursor_Inexistente", pasta.filePath("x.ani"));
        QFAIL("no error for a missing resource");
    } catch (const std::runtime_error& e) {
        QVERIFY(QString::fromUtf8(e.what()).contains("Cursor_Inexistente"));
    }
    QVERIFY(!QFile::exists(pasta.filePath("x.ani")));

    // A file that cannot be created (its folder is a plain file) raises an error with the path.
    QFile arquivoNoLugarDaPasta(pasta.filePath("naoEPasta"));
    QVERIFY(arquivoNoLugarDaPasta.open(QIODevice::WriteOnly));
    arquivoNoLugarDaPasta.close();
    try {
        ExtrairRecursoParaArquivo("Cursor_Normal", pasta.filePath("naoEPasta/c_normal.ani"));
        QFAIL("no error for a file that cannot be created");
    } catch (const std::runtime_error& e) {
        QVERIFY(QString::fromUtf8(e.what()).contains("naoEPasta/c_normal.ani"));
    }
}

void TesteInicio::fonteSoSeInstalaComOArquivo() {
    QTemporaryDir pasta;
    TfrmPrincipal w(nullptr, false);
    w.PastaDoPrograma = pasta.path() + "/";
    QDir(pastaDeFontes()).removeRecursively();

    // A missing file: false, nothing copied.
    QVERIFY(!InstalarFonte(w.PastaDoPrograma, "LCDMono2.ttf"));
    QVERIFY(!QDir(pastaDeFontes()).exists() || QDir(pastaDeFontes()).isEmpty());

    // With the file: copied into the user's font folder, usable at once, found in any case.
    ExtrairRecursoParaArquivo("FonteLCD", pasta.filePath("LCDMono2.ttf"));
    QVERIFY(InstalarFonte(w.PastaDoPrograma, "LCDMono2.ttf"));
    QCOMPARE(ler(pastaDeFontes() + "/LCDMono2.ttf"), recursoGerado("FonteLCD"));
    QVERIFY(FonteEstaInstalada("lcdmono2"));
    QVERIFY(FonteEstaInstalada("LCDMONO2"));
    QVERIFY(!FonteEstaInstalada("LCDMono"));
    QFont f("LCDMono2");
    f.setPixelSize(24);
    f.setBold(true);
    QCOMPARE(QFontInfo(f).family(), QStringLiteral("LCDMono2"));
    QVERIFY(QFontInfo(f).fixedPitch());
    QVERIFY(QFontInfo(f).bold());

    // Other programs see it through fontconfig (same HOME as this process).
    QProcess fc;
    fc.start("fc-list", {":family=LCDMono2", "family", "style", "spacing"});
    QVERIFY(fc.waitForFinished(20000));
    const QString lista = QString::fromUtf8(fc.readAllStandardOutput());
    QVERIFY2(lista.contains("LCDMono2") && lista.contains("Bold"), qPrintable(lista));
}

void TesteInicio::verificacaoDaTela_data() {
    QTest::addColumn<QSize>("tela");
    QTest::addColumn<int>("mensagem");  // 0 none, 1 advice, 2 the minimum (and the end)
    QTest::newRow("1024x768") << QSize(1024, 768) << 0;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 0;
    QTest::newRow("1024x767") << QSize(1024, 767) << 1;
    QTest::newRow("1023x768") << QSize(1023, 768) << 1;
    QTest::newRow("800x600") << QSize(800, 600) << 1;
    QTest::newRow("1280x700") << QSize(1280, 700) << 1;
    QTest::newRow("799x600") << QSize(799, 600) << 2;
    QTest::newRow("800x599") << QSize(800, 599) << 2;
    QTest::newRow("640x480") << QSize(640, 480) << 2;
}

void TesteInicio::verificacaoDaTela() {
    QFETCH(QSize, tela);
    QFETCH(int, mensagem);
    const QString q1 = QuebrasDeLinha(1), q2 = QuebrasDeLinha(2);
    const QString titulo = "Trevolino v3.5";
    const QString minima = titulo + q1 + "Tela Abaixo Da Dimensão Mínima Permitida" + q2 +
                           "Para Adequado Funcionamento Deste Aplicativo" + q1 +
                           "As Dimensões Mínimas Da Tela Deverão Ser" + q1 + "800 x 600 Pixels." + q2 +
                           "Na Verdade, Para Utilização Mais Adequada," + q1 +
                           "O Ideal é Trabalhar Com Dimensão" + q1 + "1024 x 768 Ou Superior." + q2 +
                           "A Execução Não Pode Prosseguir!";
    const QString conselho =
        titulo + q1 + "Resolução de Tela Inadequada" + q2 + "Para Adequado Funcionamento Deste Aplicativo" +
        q1 + "As Dimensões Mínimas Recomendáveis Da Tela" + q1 + "Devem Ser 1024 x 768 Pixels." + q2 +
        "A Execução Será Possível Nas Atuais Condições," + q1 + "Mas Recomenda-se Aumentar a Resolução Da" +
        q1 + "Tela Para Utilização Com Maior Conforto.";

    TfrmPrincipal w(nullptr, false);
    w.TituloDoAplicativo = titulo;
    DefinirTamanhoDaTela(tela);
    QCOMPARE(TamanhoDaTela(), tela);

    int dialogos = 0;
    QString tituloVisto, textoVisto, botoes;
    // The poller may outlive this case when no dialog comes; it then must not touch our locals.
    auto ativo = std::make_shared<bool>(true);
    std::function<void(QWidget*)> responder = [&, ativo](QWidget* d) {
        if (!*ativo) return;
        ++dialogos;
        tituloVisto = d->windowTitle();
        textoVisto = d->findChild<QLabel*>("lblDialogo")->text();
        for (auto* b : d->findChildren<QAbstractButton*>())
            if (b->isVisibleTo(d)) botoes += b->text() + ";";
        QTest::keyPress(d, Qt::Key_Return);
        QTest::keyRelease(d, Qt::Key_Return);
    };
    apoio::quandoAbrirDialogo(responder, 40);
    const bool segue = VerificarResolucaoDaTela(&w, titulo);
    QTest::qWait(250);  // a dialog that should not come would have come by now
    *ativo = false;

    switch (mensagem) {
        case 0:
            QCOMPARE(dialogos, 0);
            QVERIFY(segue);
            break;
        case 1:
            QCOMPARE(dialogos, 1);
            QCOMPARE(tituloVisto, QStringLiteral("Sugerindo Uso De Tela Com Maior Dimensão"));
            QCOMPARE(textoVisto, comoNoRotulo(conselho));
            QCOMPARE(botoes, QStringLiteral("Sim;"));
            QVERIFY(segue);
            break;
        case 2:
            QCOMPARE(dialogos, 1);
            QCOMPARE(tituloVisto, QStringLiteral("Notificando Tela Abaixo Das Dimensões Mínimas"));
            QCOMPARE(textoVisto, comoNoRotulo(minima));
            QCOMPARE(botoes, QStringLiteral("Sim;"));
            QVERIFY(!segue);
            break;
    }
}

void TesteInicio::inicioDesempacotaEFecharApaga() {
    QTemporaryDir pasta;
    TfrmPrincipal::PastaDoProgramaDeTeste = pasta.path() + "/";
    DefinirTamanhoDaTela(QSize(1280, 1024));
    // A stale copy from an earlier run is replaced by a fresh one.
    {
        QFile velho(pasta.filePath("c_normal.ani"));
        QVERIFY(velho.open(QIODevice::WriteOnly));
        velho.write("stale");
    }
    QDir(pastaDeFontes()).removeRecursively();

    // This is the process's first start: the font is known neither to it nor to fontconfig.
    QVERIFY(!FonteEstaInstalada("LCDMono2"));
    auto& tabela = TabelaDeCursores::instancia();
    tabela.Limpar();
    TfrmPrincipal w;
    QVERIFY(!w.TerminoSolicitado());
    // Before the first frame: the font, but neither the cursors nor the font's copy for others.
    QCOMPARE(ler(pasta.filePath("LCDMono2.ttf")), recursoGerado("FonteLCD"));
    QCOMPARE(ler(pasta.filePath("c_normal.ani")), QByteArray("stale"));
    QVERIFY(!QFile::exists(pasta.filePath("c_tocar.ani")) && !QFile::exists(pastaDeFontes() + "/LCDMono2.ttf"));

    // The LCD displays use the generated font on this very first run.
    QCOMPARE(QFontInfo(apoio::controle<QLabel>(&w, "lblCredito")->font()).family(),
             QStringLiteral("LCDMono2"));
    QCOMPARE(QFontInfo(apoio::controle<QLabel>(&w, "lblMensagem")->font()).family(),
             QStringLiteral("LCDMono2"));
    // From its first text on, the marquee's twelve cells fit its label: no letter is cut at the edges.
    QVERIFY(apoio::esperarAte([&] { return !apoio::controle<QLabel>(&w, "lblMensagem")->text().isEmpty(); }));
    const QFontMetricsF medida(apoio::controle<QLabel>(&w, "lblMensagem")->font());
    for (const QString& pedaco : {QString(12, QLatin1Char('W')), QString("     Aposte ")}) {
        const qreal largura = medida.horizontalAdvance(pedaco);
        QVERIFY2(largura <= apoio::controle<QLabel>(&w, "lblMensagem")->contentsRect().width(),
                 qPrintable(QString::number(largura)));
    }

    // Cursors: the web label (given the up-arrow) touches, a picture is normal, and the
    // window itself is normal. The unpacked files are read when the pointer first enters the
    // window, and then all four numbers are registered from them.
    QCOMPARE(TabelaDeCursores::NumeroDoControle(apoio::controle<QLabel>(&w, "lblWebSite")), crTocar);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(apoio::controle<Figura>(&w, "imgOlho")), crNormal);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(apoio::controle<Figura>(&w, "imgA2")), crNormal);
    QCOMPARE(TabelaDeCursores::NumeroDoControle(&w), crNormal);
    for (int n : {crEsperar, crExecutar, crNormal, crTocar}) QVERIFY(!tabela.Registrado(n));
    QEnterEvent entrada(QPointF(400, 300), QPointF(400, 300), QPointF(400, 300));
    QCoreApplication::sendEvent(&w, &entrada);
    for (int n : {crEsperar, crExecutar, crNormal, crTocar}) QVERIFY(tabela.Registrado(n));
    for (int i = 0; i < kDesempacotados.size(); ++i)  // unpacked, fresh, for that pointer
        QCOMPARE(ler(pasta.filePath(kDesempacotados[i])), recursoGerado(kRecursos[i]));
    QCOMPARE(apoio::controle<QLabel>(&w, "lblWebSite")->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(w.cursor().shape(), Qt::BitmapCursor);
    apoio::controle<QLabel>(&w, "lblWebSite")
        ->setAttribute(Qt::WA_UnderMouse);  // the pointer over the web address
    tabela.Atualizar();
    QVERIFY(tabela.AnimacaoAtiva());

    // A normal close ("Sim") removes the five unpacked files and nothing else.
    w.show();
    // (The first frame has brought the font's copy for other programs.)
    QVERIFY(apoio::esperarAte([&] { return QFile::exists(pastaDeFontes() + "/LCDMono2.ttf"); }));
    apoio::responderComTecla(Qt::Key_Return);
    QVERIFY(w.close());
    for (const QString& n : kDesempacotados) QVERIFY2(!QFile::exists(pasta.filePath(n)), qPrintable(n));
    // The installed copy of the font stays.
    QVERIFY(QFile::exists(pastaDeFontes() + "/LCDMono2.ttf"));
    tabela.Limpar();

    // A second start finds the font among the families and does not copy it again.
    QVERIFY(QFile::remove(pastaDeFontes() + "/LCDMono2.ttf"));
    {
        TfrmPrincipal segunda;
        QVERIFY(QFile::exists(pasta.filePath("LCDMono2.ttf")));
        segunda.show();  // with no pointer, its first frame brings the cursors
        QVERIFY(apoio::esperarAte([&] { return QFile::exists(pasta.filePath("c_tocar.ani")); }));
        QVERIFY(!QFile::exists(pastaDeFontes() + "/LCDMono2.ttf"));
        segunda.FormClose();
    }
    {  // closed before its first frame: nothing is unpacked when that frame comes
        TfrmPrincipal terceira;
        terceira.FormClose();
        terceira.show();
        QVERIFY(QTest::qWaitForWindowExposed(&terceira));
        QTest::qWait(50);
        QVERIFY(!QFile::exists(pasta.filePath("c_tocar.ani")));
    }
    tabela.Limpar();
}

void TesteInicio::pastaSemEscritaMostraOErroEAbreAJanela() {
    // Root may write anywhere, so the places are made unusable instead: the program folder is a
    // file, and so are the user's runtime folder and the temporary folder the private one would
    // go in.
    QTemporaryDir base;
    const QString arquivo = base.filePath("Trevolino");
    {
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QByteArray execucao = qgetenv("XDG_RUNTIME_DIR"), temporaria = qgetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(arquivo));
    qputenv("TMPDIR", QFile::encodeName(arquivo));
    const auto restaurar = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", execucao);
        if (temporaria.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", temporaria);
    });
    TfrmPrincipal::PastaDoProgramaDeTeste = arquivo + "/";
    DefinirTamanhoDaTela(QSize(1280, 1024));
    TabelaDeCursores::instancia().Limpar();

    QString textoDoErro;
    bool eraCaixaDeErro = false;
    auto ativo = std::make_shared<bool>(true);
    apoio::quandoAbrirDialogo([&, ativo](QWidget* d) {
        if (!*ativo) return;
        if (auto* caixa = qobject_cast<QMessageBox*>(d)) {
            eraCaixaDeErro = caixa->icon() == QMessageBox::Critical;
            textoDoErro = caixa->text();
            caixa->accept();
        }
    });
    TfrmPrincipal w;
    *ativo = false;
    QVERIFY(eraCaixaDeErro);
    QVERIFY2(textoDoErro.contains("LCDMono2.ttf"), qPrintable(textoDoErro));  // the first unpacked
    // The error is reported, yet the game still opens playable: no cursor files, so no
    // animated cursors, but the credit, the lamps and the opening turn are there.
    QEnterEvent entrada(QPointF(400, 300), QPointF(400, 300), QPointF(400, 300));
    QCoreApplication::sendEvent(&w, &entrada);
    QVERIFY(!TabelaDeCursores::instancia().Registrado(crNormal));
    QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(w.Credito(), 100.0);
    QVERIFY(apoio::controle<QTimer>(&w, "timLuzesMensagem")->isActive());
    QVERIFY(!w.TerminoSolicitado());
    w.show();
    QVERIFY(w.isVisible());
    w.FormClose();  // nothing to delete: harmless
}
