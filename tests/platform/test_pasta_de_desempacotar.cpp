// The private folder a run unpacks into when the program folder is out of reach: only a real
// folder of this user that nobody else may enter is used, never one planted at its name.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/pasta_de_desempacotar.h"
#include "registro_de_testes.h"

class TestePastaDeDesempacotar : public QObject {
    Q_OBJECT
private slots:
    void soUsaUmaPastaParticularPropria() {
        QTemporaryDir tmp;
        QFile(tmp.filePath("arquivo")).open(QIODevice::WriteOnly);
        const QString semEscrita = tmp.filePath("arquivo/Trevolino/");  // its parent is a file
        const QString base = tmp.filePath("jogo-" + QString::number(::geteuid()));
        const QByteArray execucao = qgetenv("XDG_RUNTIME_DIR"), temporaria = qgetenv("TMPDIR");
        const auto restaurar = qScopeGuard([&] {
            qputenv("XDG_RUNTIME_DIR", execucao);
            qputenv("TMPDIR", temporaria);
        });
        QVERIFY(QDir().mkpath(tmp.filePath("run")));  // 0755: others may enter, so not used
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(tmp.filePath("run")));
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        const auto reservar = [&] { return plataforma::PastaDeDesempacotar().Reservar(semEscrita, "jogo"); };

        // Another user's folder, or a link to a folder of ours, at the private folder's name:
        // never used, a fresh folder of random name instead, gone when let go.
        QVERIFY(QDir().mkdir(base));
        QCOMPARE(::chmod(QFile::encodeName(base).constData(), 0777), 0);
        QCOMPARE(::chown(QFile::encodeName(base).constData(), 65534, 65534), 0);
        QVERIFY(reservar().startsWith(base + "-"));
        QVERIFY(QDir(base).isEmpty());
        QVERIFY(QDir().rmdir(base));
        QVERIFY(QDir().mkdir(tmp.filePath("nossa")));
        QVERIFY(QFile::setPermissions(tmp.filePath("nossa"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QFile::link(tmp.filePath("nossa"), base));
        QVERIFY(reservar().startsWith(base + "-"));
        QVERIFY(QDir(tmp.filePath("nossa")).isEmpty());
        QVERIFY(QFile::remove(base));
        QCOMPARE(QDir(tmp.path()).entryList({"jogo-*"}, QDir::AllEntries | QDir::System), QStringList());

        // Made by the run: 0700, a folder of its own inside, all gone when the run lets go.
        {
            plataforma::PastaDeDesempacotar p;
            const QString pasta = p.Reservar(semEscrita, "jogo");
            QVERIFY2(pasta.startsWith(base + "/" + QString::number(::getpid()) + "-"), qPrintable(pasta));
            struct stat st {};
            QCOMPARE(::lstat(QFile::encodeName(base).constData(), &st), 0);
            QCOMPARE(st.st_mode & 07777, mode_t(0700));
        }
        QVERIFY(!QFileInfo::exists(base));
    }
};

REGISTRAR_TESTE(TestePastaDeDesempacotar);
#include "test_pasta_de_desempacotar.moc"
