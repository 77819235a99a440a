// The command-line modes and the contract dialog, driven through their real dialogs in a
// temporary HOME, with the install prefixes pointed at temporary folders.
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/arquivos.h"
#include "platform/arquivos_detalhe.h"
#include "installer/instalador.h"
#include "installer/linha_de_comando.h"
#include "installer/uDialogoContrato.h"
#include "respondedor.h"
#include "shell/dialogo_rotinas.h"
#include "shell/uPrincipal.h"
#include "registro_de_testes.h"

using namespace uRotinasGerais;
using namespace instalacao;
using R = Respondedor;

namespace {

const QString kTitulo = "Trevolino v3.5";

QByteArray ler(const QString& p) {
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

void escrever(const QString& p, const QByteArray& dados) {
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(dados);
}

// Ticks the contract's box with a click on its indicator, as a user would.
R::Acao marcarEAceitar(bool porTeclado) {
    return [porTeclado](QWidget* w) {
        auto* cbx = w->findChild<QCheckBox*>("cbxContrato");
        QStyleOptionButton op;
        op.initFrom(cbx);
        const QRect ind = cbx->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &op, cbx);
        QTest::mouseClick(cbx, Qt::LeftButton, {}, ind.center());
        if (porTeclado)
            QTest::keyClick(w->findChild<QWidget*>("memContrato"), Qt::Key_Return);
        else
            QTest::mouseClick(w->findChild<QWidget*>("SpeedButton2"), Qt::LeftButton);
    };
}

// Answers of a whole accepted installation: confirmation, contract, completion question.
std::vector<R::Acao> aceitarTudo(R::Acao completar) {
    return {R::sim(), marcarEAceitar(true), std::move(completar)};
}

bool validar(const QString& arquivo, QString* saida) {
    QProcess p;
    p.start("desktop-file-validate", {arquivo});
    if (!p.waitForFinished(10000)) return false;
    *saida = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
    return p.exitCode() == 0 && saida->isEmpty();
}

QStringList arquivosDe(const QString& pasta) {
    QStringList r;
    QDir d(pasta);
    for (const QFileInfo& fi :
         d.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        r << fi.fileName();
    return r;
}

}  // namespace

class TesteModos : public QObject {
    Q_OBJECT
    QTemporaryDir* tmp = nullptr;
    QString titulo;  // the display title the entry point hands the installer
    QString programa, exe, programas, windows, mesa, menu;

    // Runs the dispatch with `argumento` after the quoted program path, answering `acoes`.
    bool rodar(const QString& argumento, std::vector<R::Acao> acoes,
               std::vector<DialogoVisto>* vistos = nullptr) {
        // As the process would see it: rebuilt from its arguments.
        DefinirLinhaDeComandoParaTeste(LinhaDeComandoReconstruida({exe, argumento}), 1);
        Respondedor r(std::move(acoes));
        const bool resultado = ProcessarLinhaDeComando(titulo);
        if (vistos) *vistos = r.vistos;
        return resultado;
    }

    bool nadaInstalado() {
        return arquivosDe(programas).isEmpty() && !QFileInfo::exists(windows) && arquivosDe(mesa).isEmpty() &&
               arquivosDe(menu).isEmpty();
    }

private slots:
    void init() {
        tmp = new QTemporaryDir;
        QVERIFY(tmp->isValid());
        // A program folder whose path holds blanks, quotes and accents; the executable has a
        // capital, which the installed copy keeps.
        programa = tmp->path() + "/Meus \"Jogos\" de Ação/Trevolino";
        exe = programa + "/Trevolino";
        // Written whole, then renamed: the test reads it as soon as the name is there.
        escrever(exe, "#!/bin/sh\npwd > \"$HOME/iniciado.novo\" && mv \"$HOME/iniciado.novo\" \"$HOME/iniciado\"\n");
        QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        escrever(programa + "/Bobinas/Cereja.jpg", "jpg");
        escrever(programa + "/Som/Moeda.wav", "wav");
        DefinirExecutavelParaTeste(exe);
        programas = tmp->path() + "/Programas";
        windows = tmp->path() + "/Windows";
        QDir().mkpath(programas);
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", programas.toUtf8());
        qputenv("TREVOLINO_PASTA_DO_WINDOWS", windows.toUtf8());
        mesa = PastaDaAreaDeTrabalho();
        menu = PastaDoMenuDoInstalador();  // root's: every user's, under the uninstaller's prefix
        QVERIFY(mesa.startsWith(QDir::homePath() + "/"));
        QVERIFY(menu.startsWith((plataforma::InstalacaoParaTodos() ? tmp->path() : QDir::homePath()) + "/"));
        QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));  // never a real HOME
        for (const QString& p : {mesa, menu}) {                  // a clean desktop and menu for every case
            QDir(p).removeRecursively();
            QDir().mkpath(p);
        }
        titulo = kTitulo;
        QFile::remove(QDir::homePath() + "/iniciado");
    }
    void cleanup() {
        DefinirLinhaDeComandoParaTeste({}, 0);
        DefinirExecutavelParaTeste({});
        // The launchers live in the shared temporary HOME: clear them for the next case.
        QDir(menu + "/" + kTitulo).removeRecursively();
        QFile::remove(mesa + "/" + kTitulo + ".desktop");
        QDir(PastaDosIconesDoInstalador()).removeRecursively();
        delete tmp;
    }

    void tabelaDeTokens_data() {
        QTest::addColumn<QString>("linha");
        QTest::addColumn<int>("argumentos");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("primeiroDialogo");
        const QString p = "\"/usr/games/Trevolino/trevolino\"";
        QTest::newRow("só o programa") << p << 0 << ""
                                       << "";
        QTest::newRow("instalar") << p + " <INSTALAR>" << 1 << "<INSTALAR>"
                                  << "Confirmação de Instalação";
        QTest::newRow("minúsculas") << p + " <instalar>" << 1 << "<instalar>"
                                    << "Confirmação de Instalação";
        QTest::newRow("entre aspas") << p + " \"<ICONES>\"" << 1 << "<ICONES>"
                                     << "Confirmação de Instalação";
        QTest::newRow("brancos em volta") << "  " + p + "   <Desinstalar>  " << 1 << "<Desinstalar>"
                                          << "Confirmação de Desinstalação";
        QTest::newRow("segunda palavra") << p + " <DESINSTALAR> agora" << 2 << "<DESINSTALAR> agora"
                                         << "";
        QTest::newRow("sem aspa e branco")
            << "/usr/games/trevolino <INSTALAR>" << 1 << "usr/games/trevolino <INSTALAR>"
            << "";
        QTest::newRow("outro argumento") << p + " --ajuda" << 1 << "--ajuda"
                                         << "";
    }
    void tabelaDeTokens() {
        QFETCH(QString, linha);
        QFETCH(int, argumentos);
        QFETCH(QString, token);
        QFETCH(QString, primeiroDialogo);
        DefinirLinhaDeComandoParaTeste(linha, argumentos);
        QCOMPARE(ParametroDaLinhaDeComando(), token);
        Respondedor r({R::nao()});
        QCOMPARE(ProcessarLinhaDeComando(titulo), !primeiroDialogo.isEmpty());
        QCOMPARE(r.titulos(), primeiroDialogo.isEmpty() ? QStringList() : QStringList{primeiroDialogo});
        QVERIFY(nadaInstalado());
    }

    void linhaReconstruidaDeArgv() {
        // A program path with blanks and quotes still yields the token after it.
        const QString linha = LinhaDeComandoReconstruida({"/home/zé/Meus \"Jogos\" /trevolino", "<ICONES>"});
        QCOMPARE(linha, QString("\"/home/zé/Meus Jogos /trevolino\" <ICONES>"));
        DefinirLinhaDeComandoParaTeste(linha, 1);
        QCOMPARE(ParametroDaLinhaDeComando(), QString("<ICONES>"));
        QCOMPARE(LinhaDeComandoReconstruida({"/a/trevolino", "<DESINSTALAR>", "x"}),
                 QString("\"/a/trevolino\" <DESINSTALAR> x"));
    }

    void mensagens() {
        const QString m1 = MensagemConfirmacaoInstalar(kTitulo);
        QVERIFY(m1.startsWith(
            "Instalação\n\nEste Software Destina-Se a\nSimular Um Jogo Trevolino.\n\n"));
        QVERIFY(m1.endsWith(
            "Com Perfil De Usuário Administrador.\n\nVocê Autoriza a Instalação do\nTrevolino v3.5?"));
        QCOMPARE(m1.count("\n"), 20);
        QCOMPARE(MensagemConfirmacaoIcones(kTitulo), kTitulo + "\n" + m1);
        QCOMPARE(
            MensagemInstalacaoConcluida(kTitulo),
            QString(
                "Trevolino v3.5\nInstalação Concluída\n\nO Aplicativo Poderá Ser Utilizado Através\n"
                "Do Menu de Aplicativos ou Então\nDisparado Pelo Ícone Que Foi Preparado\n"
                "Na Sua Área de Trabalho.\n\nVocê Deseja Executa-lo Imediatamente?"));
        QCOMPARE(MensagemConfirmacaoDesinstalar(kTitulo),
                 QString("Trevolino v3.5\nDesinstalação\n\nVocê Está Certo de Que Deseja Remover\n"
                         "Este Aplicativo Do Seu Computador?\n\nVocê Autoriza a Desinstalação "
                         "do\nTrevolino v3.5?"));
        QCOMPARE(
            MensagemDesinstalacaoConcluida(kTitulo),
            QString("Trevolino v3.5\nDesinstalação\n\nO Aplicativo Foi Desinstalado Com Sucesso."));
        QCOMPARE(NomeDoDesinstalador("trevolino"), QString("trevolino_Desinstalar"));
        QCOMPARE(NomeDoDesinstalador("Trevolino.exe"), QString("Trevolino_Desinstalar.exe"));
        QCOMPARE(NomeDoDesinstalador(".oculto"), QString(".oculto_Desinstalar"));
    }

    void instalarCompletoEDesinstalar() {
        std::vector<DialogoVisto> vistos;
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::clicar("spdSim")), &vistos));
        QCOMPARE(vistos.size(), size_t(3));
        QCOMPARE(vistos[0].titulo, QString("Confirmação de Instalação"));
        QVERIFY(vistos[0].texto.contains("Você Autoriza a Instalação do\nTrevolino v3.5?"));
        QCOMPARE(vistos[1].titulo, QString("Contrato de Uso de Software"));
        QCOMPARE(vistos[2].titulo, QString("Instalação Concluída"));

        // The program folder's copy, with the executable's own spelling and permissions.
        const QString instalado = programas + "/Trevolino/Trevolino";
        QCOMPARE(ler(instalado), ler(exe));
        QVERIFY(QFileInfo(instalado).isExecutable());
        QCOMPARE(ler(programas + "/Trevolino/Bobinas/Cereja.jpg"), QByteArray("jpg"));
        QCOMPARE(ler(programas + "/Trevolino/Som/Moeda.wav"), QByteArray("wav"));
        // The uninstaller copy.
        const QString desinstalador = windows + "/Trevolino_Desinstalar";
        QCOMPARE(ler(desinstalador), ler(exe));
        QVERIFY(QFileInfo(desinstalador).isExecutable());
        // Launchers.
        const QString lancador = mesa + "/Trevolino v3.5.desktop";
        const QString grupo = menu + "/Trevolino v3.5";
        QVERIFY(QFileInfo(lancador).isExecutable());
        QCOMPARE(arquivosDe(grupo), QStringList({"01 - Executar Trevolino v3.5.desktop",
                                                 "02 - Desinstalar Trevolino v3.5.desktop"}));
        QVERIFY(ler(lancador).contains("\nExec=" + instalado.toUtf8() + "\n"));
        QVERIFY(ler(lancador).contains("\nPath=" + programas.toUtf8() + "/Trevolino/\n"));
        QVERIFY(ler(grupo + "/02 - Desinstalar Trevolino v3.5.desktop")
                    .contains("\nExec=" + desinstalador.toUtf8() + " \"<DESINSTALAR>\"\n"));
        if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
            for (const QString& f : {lancador, grupo + "/01 - Executar Trevolino v3.5.desktop",
                                     grupo + "/02 - Desinstalar Trevolino v3.5.desktop"}) {
                QString saida;
                QVERIFY2(validar(f, &saida), qPrintable(f + ": " + saida));
            }
        }
        // The icon the launchers name, for every picture the program carries.
        const QString icones = PastaDosIconesDoInstalador();
        for (int n : {16, 48, 256}) {
            const QString rec = QString(":/icone/hicolor/%1x%1/apps/trevolino.png").arg(n);
            QCOMPARE(QFile::exists(icones + QString("/%1x%1/apps/trevolino.png").arg(n)), QFile::exists(rec));
        }
        // "Sim" to the completion question started the installed game in its own folder.
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(QDir::homePath() + "/iniciado") && t.elapsed() < 10000) QTest::qWait(20);
        QCOMPARE(ler(QDir::homePath() + "/iniciado").trimmed(), (programas + "/Trevolino").toUtf8());

        // A second run overwrites everything without a further question.
        escrever(exe, "#!/bin/sh\n# versão nova\n");
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::nao()), &vistos));
        QCOMPARE(vistos.size(), size_t(3));
        QCOMPARE(ler(instalado), QByteArray("#!/bin/sh\n# versão nova\n"));
        QCOMPARE(ler(desinstalador), QByteArray("#!/bin/sh\n# versão nova\n"));

        // Uninstall: folder, launcher, group and the uninstaller copy gone.
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos.size(), size_t(2));
        QCOMPARE(vistos[0].titulo, QString("Confirmação de Desinstalação"));
        QCOMPARE(vistos[1].titulo, QString("Desinstalação Concluída"));
        QVERIFY(vistos[1].texto.contains("O Aplicativo Foi Desinstalado Com Sucesso."));
        QVERIFY(!QFileInfo::exists(programas + "/Trevolino"));
        QVERIFY(!QFileInfo::exists(lancador));
        QVERIFY(!QFileInfo::exists(grupo));
        QCOMPARE(arquivosDe(windows), QStringList());
        QVERIFY(!QFileInfo::exists(icones + "/48x48/apps/trevolino.png"));
        QVERIFY(QFileInfo::exists(exe));  // the program where it lay is not touched
    }

    void recusasNaoDeixamNada() {
        std::vector<DialogoVisto> vistos;
        // "Não" to the confirmation.
        QVERIFY(rodar("<INSTALAR>", {R::clicar("spdNao")}, &vistos));
        QCOMPARE(vistos.size(), size_t(1));
        QVERIFY(nadaInstalado());
        // Esc in the contract, with the box ticked.
        QVERIFY(rodar("<ICONES>",
                      {R::sim(),
                       [](QWidget* w) {
                           w->findChild<QCheckBox*>("cbxContrato")->setChecked(true);
                           QTest::keyClick(w, Qt::Key_Escape);
                       }},
                      &vistos));
        QCOMPARE(vistos.size(), size_t(2));
        QVERIFY(nadaInstalado());
        // "Não" in the contract.
        QVERIFY(rodar("<INSTALAR>", {R::sim(), R::clicar("SpeedButton1")}, &vistos));
        QVERIFY(nadaInstalado());
        // "Não" to the uninstall confirmation: nothing removed, no message.
        QVERIFY(rodar("<DESINSTALAR>", {R::nao()}, &vistos));
        QCOMPARE(vistos.size(), size_t(1));
    }

    void iconesApontamParaOProgramaOndeEsta() {
        std::vector<DialogoVisto> vistos;
        QVERIFY(rodar("<icones>", aceitarTudo(R::nao()), &vistos));
        QCOMPARE(vistos.size(), size_t(3));
        QVERIFY(vistos[0].texto.startsWith("\nTrevolino v3.5\nInstalação\n"));
        QVERIFY(arquivosDe(programas).isEmpty());                 // nothing copied
        QVERIFY(!QFile::exists(QDir::homePath() + "/iniciado"));  // "Não": not started
        const QString lancador = mesa + "/Trevolino v3.5.desktop";
        // The path with blanks and quotes is quoted, its quotes escaped (twice: quoting, then
        // the string escape of the value).
        QString esperado = "\"" + exe + "\"";
        esperado.replace("\"Jogos\"", "\\\\\"Jogos\\\\\"");
        QVERIFY2(ler(lancador).contains(("\nExec=" + esperado + "\n").toUtf8()), ler(lancador).constData());
        QVERIFY(QFileInfo(windows + "/Trevolino_Desinstalar").isExecutable());
        QString saida;
        if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
            QVERIFY2(validar(lancador, &saida), qPrintable(saida));

        // Uninstalling removes the launchers and the group, never the program where it lies.
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QVERIFY(!QFileInfo::exists(lancador));
        QVERIFY(!QFileInfo::exists(menu + "/Trevolino v3.5"));
        QCOMPARE(ler(programa + "/Bobinas/Cereja.jpg"), QByteArray("jpg"));
        QVERIFY(QFileInfo::exists(exe));
    }

    void linkNoLugarDoDesinstaladorESubstituido() {
        // A dangling link at the uninstaller copy's name is replaced, never written through,
        // and the completion question comes.
        QDir().mkpath(windows);
        QVERIFY(QFile::link(tmp->path() + "/nada", windows + "/Trevolino_Desinstalar"));
        std::vector<DialogoVisto> vistos;
        QVERIFY(rodar("<ICONES>", aceitarTudo(R::nao()), &vistos));
        QCOMPARE(vistos.size(), size_t(3));
        QCOMPARE(vistos[2].titulo, QString("Instalação Concluída"));
        QCOMPARE(ler(windows + "/Trevolino_Desinstalar"), ler(exe));
        QVERIFY(!QFileInfo::exists(tmp->path() + "/nada"));
    }

    void pastasQueNaoSaoDoJogoNaoSaoTocadas() {
        std::vector<DialogoVisto> vistos;
        const auto recusado = [&](const QString& motivo) {
            return vistos.size() == 3 && vistos[2].titulo == "Instalação Não Concluída" &&
                   vistos[2].texto.contains(motivo) && arquivosDe(mesa).isEmpty() &&
                   !QFileInfo::exists(windows);
        };
        // A folder without the game's reels and sounds (a program copied alone into a home).
        QVERIFY(QDir(programa + "/Som").removeRecursively());
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::sim()), &vistos));
        QVERIFY(recusado("A Pasta Não Contém os Arquivos do Jogo:\n" + programa + "\n"));
        escrever(programa + "/Som/Moeda.wav", "wav");
        // An installation folder holding someone's files.
        escrever(programas + "/Trevolino/notas.txt", "notas");
        QDir().mkpath(programas + "/Trevolino/saves");
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::sim()), &vistos));
        QVERIFY(recusado("A Pasta de Instalação Já Contém Outros Arquivos:\n" + programas + "/Trevolino\n"));
        QCOMPARE(arquivosDe(programas + "/Trevolino"), QStringList({"notas.txt", "saves"}));
        // An empty folder is used; only the game's files go in, with the modes install(1) gives
        // whatever the source's (a private source folder too).
        QVERIFY(QDir(programas + "/Trevolino").removeRecursively() &&
                QDir().mkpath(programas + "/Trevolino"));
        escrever(programa + "/.ssh/id", "segredo");
        QVERIFY(QFile::setPermissions(programa + "/Bobinas", QFileDevice::Permissions(0x7700)));  // rwx------
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::nao())));
        QCOMPARE(arquivosDe(programas + "/Trevolino"),
                 QStringList({".instalacao-trevolino", "Bobinas", "Som", "Trevolino"}));
        const auto modo = [](const QString& p) {
            struct stat st {};
            return ::lstat(QFile::encodeName(p).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
        };
        const int mascara = int(plataforma::MascaraDoUsuario());
        QCOMPARE(modo(programas + "/Trevolino/Bobinas"), 0755 & ~mascara);
        QCOMPARE(modo(programas + "/Trevolino/Bobinas/Cereja.jpg"), 0644 & ~mascara);
        QCOMPARE(modo(programas + "/Trevolino/Trevolino"), 0755 & ~mascara);
        QCOMPARE(modo(windows + "/Trevolino_Desinstalar"), 0755 & ~mascara);
        // The folder was there before: it stays, with what the user put in it since.
        escrever(programas + "/Trevolino/Som/minha.wav", "minha");
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos[1].titulo, QString("Desinstalação Concluída"));
        QCOMPARE(arquivosDe(programas + "/Trevolino"), QStringList({"Som"}));
        QCOMPARE(arquivosDe(programas + "/Trevolino/Som"), QStringList({"minha.wav"}));
    }

    void registrosQueNaoSeSustentamSaoRecusados() {
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::nao())));
        const QString pasta = programas + "/Trevolino", U = windows + "/Trevolino_Desinstalar";
        const QString home = QDir::homePath(), torto = home + "/lnk/../Trevolino";
        escrever(home + "/Trevolino/precioso.txt", "meu");
        QDir().mkpath(programas + "/sub");
        QVERIFY(QFile::link(programas + "/sub", home + "/lnk"));
        // Both records name the installation through a link and "..", lexically ~/Trevolino.
        for (const QString& r : {pasta + "/.instalacao-trevolino", U + ".instalacao"})
            escrever(r, ler(r).replace(pasta.toUtf8(), torto.toUtf8()));
        std::vector<DialogoVisto> vistos;
        DefinirExecutavelParaTeste(U);
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos[1].titulo, QString("Desinstalação Incompleta"));
        QVERIFY(vistos[1].texto.contains(U + ".instalacao\n"));
        QCOMPARE(ler(home + "/Trevolino/precioso.txt"), QByteArray("meu"));
        QVERIFY(QFileInfo::exists(pasta + "/Bobinas/Cereja.jpg") && QFileInfo::exists(U));

        // A record naming another file than the copy beside it, then the copy replaced: both stay.
        escrever(tmp->path() + "/vitima", "vitima");
        escrever(tmp->path() + "/vitima.instalacao", "{}");
        const QByteArray original = ler(U + ".instalacao").replace(torto.toUtf8(), pasta.toUtf8());
        escrever(U + ".instalacao",
                 QByteArray(original).replace(U.toUtf8(), (tmp->path() + "/vitima").toUtf8()));
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(ler(tmp->path() + "/vitima"), QByteArray("vitima"));
        escrever(U + ".instalacao", original);
        escrever(U, "outro programa");
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos[1].titulo, QString("Desinstalação Incompleta"));
        QVERIFY(vistos[1].texto.contains("\n" + U + "\n"));
        QCOMPARE(ler(U), QByteArray("outro programa"));
    }

    void todasAsInstalacoesDosRegistrosSaoRemovidas() {
        // Installed, launchers again from the same folder, then the uninstaller run from elsewhere.
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::nao())));
        QVERIFY(rodar("<ICONES>", aceitarTudo(R::nao())));
        const QString desinstalar = menu + "/Trevolino v3.5/02 - Desinstalar Trevolino v3.5.desktop";
        QVERIFY(!ler(desinstalar).contains("Keywords") && !ler(desinstalar).contains("Slot"));
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", (tmp->path() + "/Outros").toUtf8());
        DefinirExecutavelParaTeste(windows + "/Trevolino_Desinstalar");
        std::vector<DialogoVisto> vistos;
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos[1].titulo, QString("Desinstalação Concluída"));
        QCOMPARE(arquivosDe(programas), QStringList());
        // The icon folders the installer made went with the icons.
        QVERIFY(!QFileInfo::exists(QFileInfo(PastaDosIconesDoInstalador()).path()));
        QVERIFY(!QFileInfo::exists(windows));
    }

    void desinstalarSemNadaInstaladoAindaInforma() {
        std::vector<DialogoVisto> vistos;
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos.size(), size_t(2));
        QVERIFY(vistos[1].texto.contains("O Aplicativo Foi Desinstalado Com Sucesso."));
    }

    void remocaoNuncaSaiDoQueFoiCriado() {
        // The installation folder is a link to HOME: nothing of HOME goes.
        const QString home = QDir::homePath();
        escrever(home + "/documento-precioso.txt", "meu");
        QVERIFY(QFile::link(home, programas + "/Trevolino"));
        // A title that climbs: its launcher and group stay inside their folders.
        titulo = "../../..";
        std::vector<DialogoVisto> vistos;
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos.size(), size_t(2));
        QCOMPARE(ler(home + "/documento-precioso.txt"), QByteArray("meu"));
        QVERIFY(QFileInfo(programas + "/Trevolino").isSymLink());
        QVERIFY(QFileInfo(menu).isDir());
        QVERIFY(QFileInfo(home + "/.local").isDir());

        // Installing with that title writes inside the desktop and menu folders only.
        QFile::remove(programas + "/Trevolino");
        QVERIFY(rodar("<ICONES>", aceitarTudo(R::nao()), &vistos));
        QVERIFY(QFile::exists(mesa + "/.._.._...desktop"));
        QVERIFY(QFile::exists(menu + "/.._.._../01 - Executar .._.._...desktop"));
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QVERIFY(!QFileInfo::exists(menu + "/.._.._.."));
        QCOMPARE(ler(home + "/documento-precioso.txt"), QByteArray("meu"));

        // Prefixes that would put "Trevolino" at the root, or elsewhere, are refused outright.
        QCOMPARE(PastaDeInstalacao("", "Trevolino"), QString());
        QCOMPARE(PastaDeInstalacao("opt", "Trevolino"), QString());
        QCOMPARE(PastaDeInstalacao("/", "Trevolino"), QString());
        QCOMPARE(PastaDeInstalacao("/opt", ".."), QString());
        QCOMPARE(PastaDeInstalacao("/opt", "../etc"), QString("/opt/.._etc"));
        QCOMPARE(PastaDeInstalacao(" /opt/ ", "Trevolino"), QString("/opt/Trevolino"));
    }

    void falhaNaInstalacaoNaoDeixaNada() {
        QColor fundo;
        // Answers the error with Enter, noting the dialog's colour (a warning is reddish).
        const R::Acao notarCor = [&fundo](QWidget* w) {
            fundo = w->palette().color(QPalette::Window);
            QTest::keyClick(w, Qt::Key_Return);
        };
        const auto semRastros = [&] {
            return arquivosDe(mesa).isEmpty() && arquivosDe(menu).isEmpty() &&
                   arquivosDe(windows).isEmpty() &&
                   !QFileInfo::exists(PastaDosIconesDoInstalador() + "/scalable/apps/trevolino.svg");
        };
        std::vector<DialogoVisto> vistos;

        // A file where the installation folder should be made.
        escrever(programas + "/Trevolino", "meu");
        QVERIFY(rodar("<INSTALAR>", {R::sim(), marcarEAceitar(true), notarCor}, &vistos));
        QCOMPARE(vistos.size(), size_t(3));
        QCOMPARE(vistos[2].titulo, QString("Instalação Não Concluída"));
        QCOMPARE(vistos[2].texto,
                 "\nTrevolino v3.5\nNão Foi Possível Instalar\n\nNão Foi Possível Copiar o Programa Para:\n" +
                     programas + "/Trevolino\n\nNada Foi Instalado.\n");
        QCOMPARE(fundo, QColor(255, 128, 128));
        QCOMPARE(ler(programas + "/Trevolino"), QByteArray("meu"));
        QVERIFY(semRastros());

        // The copy breaks off half-way (the source shrinks under it): what was copied goes.
        QFile::remove(programas + "/Trevolino");
        escrever(programa + "/Som/Moeda.wav", QByteArray(6000, 'w'));
        plataforma::DefinirGanchoDeCopiaParaTeste([this](qint64 copiados) {
            if (copiados == 2048) QFile::resize(programa + "/Som/Moeda.wav", 0);
        });
        const bool rodou = rodar("<INSTALAR>", {R::sim(), marcarEAceitar(true), R::sim()}, &vistos);
        plataforma::DefinirGanchoDeCopiaParaTeste({});
        QVERIFY(rodou);
        QCOMPARE(vistos.size(), size_t(3));
        QCOMPARE(vistos[2].titulo, QString("Instalação Não Concluída"));
        QCOMPARE(arquivosDe(programas), QStringList());
        QVERIFY(semRastros());

        // "<ICONES>" with a file where the menu group should be: no launcher, no uninstaller.
        escrever(menu + "/Trevolino v3.5", "meu");
        QVERIFY(rodar("<ICONES>", {R::sim(), marcarEAceitar(true), notarCor}, &vistos));
        QCOMPARE(vistos.size(), size_t(3));
        QCOMPARE(vistos[2].titulo, QString("Instalação Não Concluída"));
        QVERIFY2(vistos[2].texto.contains("\nNão Foi Possível Criar o Atalho:\n" + menu +
                                          "/Trevolino v3.5/01 - Executar "
                                          "Trevolino v3.5.desktop\n\nNada Foi Instalado.\n"),
                 qPrintable(vistos[2].texto));
        QCOMPARE(ler(menu + "/Trevolino v3.5"), QByteArray("meu"));
        QFile::remove(menu + "/Trevolino v3.5");
        QVERIFY(semRastros());
    }

    void pastaDaAreaDeTrabalhoECriada() {
        QVERIFY(QDir(mesa).removeRecursively());
        QVERIFY(rodar("<ICONES>", aceitarTudo(R::nao())));
        QVERIFY(QFileInfo(mesa + "/Trevolino v3.5.desktop").isExecutable());
    }

    void desinstalarRemoveSoOQueOInstaladorFez() {
        // Installed where this user could write then (a root installation, say); the uninstaller
        // copy is run later by someone whose own prefix holds a folder of the same name.
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::nao())));
        const QString outros = tmp->path() + "/Outros";
        escrever(outros + "/Trevolino/meu.txt", "meu");
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", outros.toUtf8());
        DefinirExecutavelParaTeste(windows + "/Trevolino_Desinstalar");
        std::vector<DialogoVisto> vistos;
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos.size(), size_t(2));
        QCOMPARE(vistos[1].titulo, QString("Desinstalação Concluída"));
        QVERIFY(!QFileInfo::exists(programas + "/Trevolino"));
        QCOMPARE(ler(outros + "/Trevolino/meu.txt"), QByteArray("meu"));
        QCOMPARE(arquivosDe(windows), QStringList());  // the uninstaller copy went too
        QVERIFY(arquivosDe(mesa).isEmpty() && arquivosDe(menu).isEmpty());

        // Installed again, then the installation folder is replaced by one the installer did not
        // make: it stays, and the end message says so instead of success.
        qputenv("TREVOLINO_PASTA_DE_PROGRAMAS", programas.toUtf8());
        DefinirExecutavelParaTeste(exe);
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::nao())));
        QVERIFY(QDir().rename(programas + "/Trevolino", programas + "/Antiga"));
        escrever(programas + "/Trevolino/meu.txt", "meu");
        DefinirExecutavelParaTeste(windows + "/Trevolino_Desinstalar");
        QColor fundo;
        QVERIFY(rodar("<DESINSTALAR>",
                      {R::sim(),
                       [&fundo](QWidget* w) {
                           fundo = w->palette().color(QPalette::Window);
                           QTest::keyClick(w, Qt::Key_Return);
                       }},
                      &vistos));
        QCOMPARE(vistos.size(), size_t(2));
        QCOMPARE(vistos[1].titulo, QString("Desinstalação Incompleta"));
        QCOMPARE(vistos[1].texto, "\nTrevolino v3.5\nDesinstalação\n\nNão Foi Possível Remover:\n" +
                                      programas +
                                      "/Trevolino\n\nEstes Itens Permaneceram Em Seu Computador.\n");
        QCOMPARE(fundo, QColor(255, 128, 128));
        QCOMPARE(ler(programas + "/Trevolino/meu.txt"), QByteArray("meu"));
        QVERIFY(arquivosDe(mesa).isEmpty() && arquivosDe(menu).isEmpty());
        QCOMPARE(arquivosDe(windows), QStringList());
    }

    void reinstalacaoQueFalhaGuardaAAnterior() {
        // A read-only build installs, and installs again over its own copies.
        QVERIFY(QFile::setPermissions(exe, QFileDevice::Permissions(0x5555)));                   // r-xr-xr-x
        QVERIFY(QFile::setPermissions(programa + "/Som/Moeda.wav", QFileDevice::Permissions(0x4444)));  // r--r--r--
        std::vector<DialogoVisto> vistos;
        for (int vez = 0; vez < 2; ++vez) {
            QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::nao()), &vistos));
            QCOMPARE(vistos.back().titulo, QString("Instalação Concluída"));
        }
        const QString pasta = programas + "/Trevolino";
        const QByteArray antigo = ler(pasta + "/Trevolino");
        const QStringList instalados = arquivosDe(pasta), lancadores = arquivosDe(menu + "/" + kTitulo);
        QCOMPARE(lancadores.size(), 2);
        // A newer build whose desktop launcher cannot be written: nothing of it stays, the
        // installation before it is whole and its launchers still point at it.
        QVERIFY(QFile::setPermissions(exe, QFileDevice::Permissions(0x7755)));
        escrever(exe, "#!/bin/sh\n# versão nova\n");
        QVERIFY(QFile::remove(mesa + "/" + kTitulo + ".desktop"));
        QVERIFY(QDir().mkpath(mesa + "/" + kTitulo + ".desktop/dentro"));
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::sim()), &vistos));
        QCOMPARE(vistos.back().titulo, QString("Instalação Não Concluída"));
        QCOMPARE(ler(pasta + "/Trevolino"), antigo);
        QCOMPARE(ler(windows + "/Trevolino_Desinstalar"), antigo);
        QCOMPARE(arquivosDe(pasta), instalados);
        QCOMPARE(arquivosDe(programas), QStringList({"Trevolino"}));  // no new installation beside it
        QCOMPARE(arquivosDe(windows), QStringList({"Trevolino_Desinstalar", "Trevolino_Desinstalar.instalacao"}));
        QCOMPARE(arquivosDe(menu + "/" + kTitulo), lancadores);
        QVERIFY(QDir(mesa + "/" + kTitulo + ".desktop").removeRecursively());

        // An empty installation folder another user made is not taken.
        QVERIFY(rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos));
        QCOMPARE(vistos.back().titulo, QString("Desinstalação Concluída"));
        QVERIFY(QDir().mkpath(pasta));
        QCOMPARE(::chown(QFile::encodeName(pasta).constData(), 65534, 65534), 0);
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::sim()), &vistos));
        QCOMPARE(vistos.back().titulo, QString("Instalação Não Concluída"));
        QVERIFY(vistos.back().texto.contains("Não Foi Possível Copiar o Programa Para:\n" + pasta + "\n"));
        QCOMPARE(arquivosDe(pasta), QStringList());
        QVERIFY(nadaInstalado() || arquivosDe(programas) == QStringList({"Trevolino"}));
        QVERIFY(!QFileInfo::exists(windows));
    }

    void desinstalarTiraOsAtalhosDoRegistro() {
        // Installed with one HOME, removed with another (root with a user's HOME): the launchers
        // and icons the record names go, wherever they are.
        QVERIFY(rodar("<INSTALAR>", aceitarTudo(R::nao())));
        const QString lancador = mesa + "/" + kTitulo + ".desktop";
        const QString icone = PastaDosIconesDoInstalador() + "/scalable/apps/trevolino.svg";
        QVERIFY(QFileInfo::exists(lancador));
        // The folder's record as an older installer wrote it, with no word on who made the
        // folder: that installer always did, and the folder goes too.
        const QString registroDaPasta = programas + "/Trevolino/.instalacao-trevolino";
        escrever(registroDaPasta, ler(registroDaPasta).replace("\"criada\": true,", ""));
        QVERIFY(!ler(registroDaPasta).contains("criada"));
        const QByteArray casa = qgetenv("HOME"), dados = qgetenv("XDG_DATA_HOME");
        const QString outra = tmp->path() + "/outra-casa";
        QVERIFY(QDir().mkpath(outra + "/Desktop"));
        qputenv("HOME", outra.toUtf8());
        qputenv("XDG_DATA_HOME", (outra + "/.local/share").toUtf8());
        std::vector<DialogoVisto> vistos;
        DefinirExecutavelParaTeste(windows + "/Trevolino_Desinstalar");
        const bool rodou = rodar("<DESINSTALAR>", {R::sim(), R::sim()}, &vistos);
        qputenv("HOME", casa);
        if (dados.isNull()) qunsetenv("XDG_DATA_HOME"); else qputenv("XDG_DATA_HOME", dados);
        QVERIFY(rodou);
        QCOMPARE(vistos.back().titulo, QString("Desinstalação Concluída"));
        QVERIFY(!QFileInfo::exists(lancador));
        QCOMPARE(QFileInfo::exists(icone), false);
        QCOMPARE(arquivosDe(menu), QStringList());
        QCOMPARE(arquivosDe(outra + "/Desktop"), QStringList());
        QCOMPARE(arquivosDe(programas), QStringList());
    }

    // --- the contract dialog ------------------------------------------------------------------

    void contratoComposicao() {
        TfrmDialogoContrato d(nullptr);
        QCOMPARE(d.Resposta, 2);
        QCOMPARE(d.size(), QSize(623, 375));
        QCOMPARE(d.windowTitle(), QString("Contrato de Uso de Software"));
        QVERIFY(!(d.windowFlags() &
                  (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint)));
        QVERIFY(!d.cbxContrato->isChecked());
        QCOMPARE(d.cbxContrato->layoutDirection(), Qt::RightToLeft);  // caption left of the box

        // The contract: a heading, a notice in capitals, eighteen clauses "n.<tab>text".
        const QString texto = d.memContrato->toPlainText();
        QCOMPARE(texto, TfrmDialogoContrato::TextoDoContrato());
        const QStringList linhas = texto.split('\n');
        QVERIFY2(linhas.size() >= 170 && linhas.size() <= 230, qPrintable(QString::number(linhas.size())));
        QVERIFY(linhas.first().startsWith("CONTRATO"));
        QVERIFY(texto.contains("O TREVOLINO É UM JOGO DE ENTRETENIMENTO"));
        int clausula = 0;
        for (const QString& l : linhas) {
            const auto m = QRegularExpression("^(\\d+)\\.\\t\\S").match(l);
            if (m.hasMatch()) QCOMPARE(m.captured(1).toInt(), ++clausula);
        }
        QCOMPARE(clausula, 18);

        // Read-only, but it scrolls.
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.memContrato->setFocus();
        QTest::keyClicks(d.memContrato, "xyz");
        QCOMPARE(d.memContrato->toPlainText(), texto);
        QScrollBar* barra = d.memContrato->verticalScrollBar();
        QVERIFY(barra->maximum() > 0);
        QTest::keyClick(d.memContrato, Qt::Key_PageDown);
        QVERIFY(barra->value() > 0);
        QCOMPARE(d.Resposta, 2);
    }

    void contratoLembreteEAceite() {
        // Enter with the box unticked: the reminder, the contract stays open with answer 2;
        // "Sim" clicked unticked: the reminder again; then ticked, Enter in the text box: 6.
        TfrmDialogoContrato d(nullptr);
        int respostaDuranteOLembrete = -1;
        Respondedor r(
            {[](QWidget* w) { QTest::keyClick(w->findChild<QWidget*>("memContrato"), Qt::Key_Return); },
             [&](QWidget* w) {
                 respostaDuranteOLembrete = d.Resposta;
                 QTest::keyClick(w, Qt::Key_Return);
             },
             R::clicar("SpeedButton2"), R::sim(), marcarEAceitar(true)});
        d.exec();
        QCOMPARE(r.titulos(), QStringList({"Contrato de Uso de Software", "Por Favor, Assine o Contrato!",
                                           "Contrato de Uso de Software", "Por Favor, Assine o Contrato!",
                                           "Contrato de Uso de Software"}));
        QCOMPARE(respostaDuranteOLembrete, 2);
        QCOMPARE(
            r.vistos[1].texto,
            QString(
                "\nPara Prosseguir é Necessário Que Você Esteja de\nAcordo Com o Contrato de Utilização.\n\n"
                "Para Fazer Isto, Assinale a Opção Adequada,\nLogo Abaixo do Texto do Contrato, Marque:\n\n"
                "\"Eu Li e Concordo Com o Contrato Acima\"\n"));
        QCOMPARE(d.Resposta, 6);
    }

    void contratoTeclasNaSoltura() {
        // The press of Enter or Esc alone does nothing; the release answers.
        {
            TfrmDialogoContrato d(nullptr);
            d.cbxContrato->setChecked(true);
            bool abertoAposPressionar = false;
            Respondedor r({[&](QWidget* w) {
                QTest::keyPress(w, Qt::Key_Escape);
                QTest::keyPress(w->findChild<QWidget*>("memContrato"), Qt::Key_Return);
                abertoAposPressionar = w->isVisible();
                QTest::keyRelease(w->findChild<QWidget*>("memContrato"), Qt::Key_Escape);
            }});
            d.exec();
            QVERIFY(abertoAposPressionar);
            QCOMPARE(d.Resposta, 7);
        }
        {
            TfrmDialogoContrato d(nullptr);
            Respondedor r({marcarEAceitar(false)});
            d.exec();
            QCOMPARE(d.Resposta, 6);
            QVERIFY(d.cbxContrato->isChecked());
        }
        {
            TfrmDialogoContrato d(nullptr);
            Respondedor r({R::clicar("SpeedButton1")});
            d.exec();
            QCOMPARE(d.Resposta, 7);
        }
    }
};

REGISTRAR_TESTE(TesteModos);
#include "teste_modos.moc"
