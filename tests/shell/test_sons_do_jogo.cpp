// The table of event sounds against the built program folder: every file it names was made by
// the sound generator and is a WAV the reader accepts, and no event has two entries (the later
// one would never be played).
#include <QSet>
#include <QtTest>

#include "platform/leitor_wav.h"
#include "shell/sons_do_jogo.h"

class TestSonsDoJogo : public QObject {
    Q_OBJECT
private slots:
    void cadaEventoTemUmSomQueOLeitorAceita() {
        QSet<int> eventos;
        for (const apresentacao::SomDoEvento& s : apresentacao::kSonsDosEventos) {
            QVERIFY2(!eventos.contains(int(s.evento)),
                     qPrintable(QString("event %1 twice").arg(int(s.evento))));
            eventos.insert(int(s.evento));
            const QString nome = QString::fromLatin1(s.arquivo);
            QCOMPARE(nome.isEmpty(), s.toque == apresentacao::Toque::Parar);
            if (nome.isEmpty()) continue;
            const QString caminho = QStringLiteral(TREVOLINO_PROGRAM_DIR "/Som/") + nome;
            QVERIFY2(QFileInfo(caminho).isFile(), qPrintable(caminho + " was not made"));
            QVERIFY2(plataforma::LerWav(caminho), qPrintable(caminho + " is not a playable WAV"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSonsDoJogo)
#include "test_sons_do_jogo.moc"
