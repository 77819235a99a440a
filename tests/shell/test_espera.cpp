// Aguardar: never returns early, processes pending events at least once, and keeps timers firing.
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include "shell/espera.h"

using uRotinasGerais::Aguardar;

class TestEspera : public QObject {
    Q_OBJECT
private slots:
    void nuncaVoltaAntesEComTemporizadoresAtivos() {
        int batidas = 0;
        QTimer t;
        t.setInterval(10);
        connect(&t, &QTimer::timeout, this, [&] { ++batidas; });
        t.start();
        QElapsedTimer relogio;
        relogio.start();
        Aguardar(false, 0.25);
        const qint64 ns = relogio.nsecsElapsed();
        QVERIFY2(ns >= 250'000'000, qPrintable(QString("returned after %1 ns").arg(ns)));
        QVERIFY2(batidas >= 15, qPrintable(QString("only %1 ticks during the wait").arg(batidas)));
    }

    void zeroSegundosProcessaUmaVez() {
        bool executado = false;
        QMetaObject::invokeMethod(
            this, [&] { executado = true; }, Qt::QueuedConnection);
        Aguardar(false, 0);
        QVERIFY(executado);
        bool negativo = false;
        QMetaObject::invokeMethod(
            this, [&] { negativo = true; }, Qt::QueuedConnection);
        Aguardar(false, -3);
        QVERIFY(negativo);
    }

    void esperaAninhadaDentroDeUmTemporizador() {
        // A wait inside a timer slot (as the payout runs inside the reel's tick) lets other
        // timers go on and still lasts its full time.
        int outras = 0;
        QTimer outro;
        outro.setInterval(5);
        connect(&outro, &QTimer::timeout, this, [&] { ++outras; });
        outro.start();
        qint64 duracao = 0;
        QTimer::singleShot(0, this, [&] {
            QElapsedTimer r;
            r.start();
            Aguardar(false, 0.1);
            duracao = r.nsecsElapsed();
        });
        QTRY_VERIFY(duracao > 0);
        QVERIFY(duracao >= 100'000'000);
        QVERIFY(outras >= 10);
    }

    void escalaDeTempoEncurtaAsEsperas() {
        apresentacao::DefinirEscalaDeTempo(0.1);
        QElapsedTimer r;
        r.start();
        Aguardar(false, 0.5);
        QVERIFY(r.nsecsElapsed() >= 50'000'000);
        QVERIFY(r.elapsed() < 400);
        apresentacao::DefinirEscalaDeTempo(0);  // invalid: back to real time
        QCOMPARE(apresentacao::EscalaDeTempo(), 1.0);
    }
};

QTEST_MAIN(TestEspera)
#include "test_espera.moc"
