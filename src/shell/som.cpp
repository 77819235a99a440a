// The cabinet's sound layer: one QSoundEffect plays one WAV at a time, once or looping.
//
// Qt loads a sound asynchronously, so a play that is asked for while the file is still loading
// is remembered and started when the effect becomes Ready — unless another TocarSom or a
// PararSom came in between. With no audio server Qt still reaches Ready and then reports the
// sound as playing until stop(), so nothing here ever waits on Qt alone: a wait for the end is
// bounded by the file's own length, read from its header.
#include "shell/som.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

namespace {

// A margin over the file's length for a wait: the output's own latency and start-up.
constexpr int kMargemEsperaMs = 250;
// How long a wait allows for the file to load before it plays.
constexpr int kEsperaCarregarMs = 2000;

struct Estado {
    QPointer<QSoundEffect> efeito;
    QUrl desejado;             // the file the next Ready status must start; empty = nothing
    bool tocarQuandoPronto = false;
    QString arquivo;           // what SomAtual reports
    bool emLaco = false;
    double duracao = 0;        // seconds, for a single play
    QElapsedTimer inicio;
    QList<QEventLoop*> esperas;  // waits for an end that a new sound or a stop must release
};

Estado& estado() {
    static Estado e;
    return e;
}

void encerrarEsperas() {
    for (QEventLoop* loop : estado().esperas)
        loop->quit();
}

// Runs while the application object is being destroyed, before its children go: the effect
// is stopped and deleted while Qt Multimedia is still fully alive. Qt 6.4's sample cache
// deadlocks at process exit when a file is still being loaded by its loader thread (seen as a
// hang when the program ends right after a TocarSom), so a load in progress is let finish first:
// its completion arrives as posted events, delivered here, bounded in time.
void destruirEfeito() {
    Estado& e = estado();
    e.tocarQuandoPronto = false;
    e.desejado.clear();
    e.arquivo.clear();
    if (!e.efeito)
        return;
    QElapsedTimer t;
    t.start();
    while (e.efeito && e.efeito->status() == QSoundEffect::Loading && t.elapsed() < 2000) {
        QCoreApplication::sendPostedEvents();
        QThread::msleep(2);
    }
    if (e.efeito) {
        e.efeito->stop();
        // Qt 6.4's sample cache deadlocks at process exit when its loader thread is still
        // decoding a file (the cache's destructor waits for the thread while holding the lock
        // the thread needs): let a pending load finish first, for at most a second.
        QElapsedTimer limite;
        limite.start();
        while (e.efeito && e.efeito->status() == QSoundEffect::Loading && limite.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(1);
        }
        delete e.efeito.data();
    }
}

void aoMudarStatus() {
    Estado& e = estado();
    QSoundEffect* ef = e.efeito;
    if (!ef || !e.tocarQuandoPronto)
        return;
    if (ef->status() == QSoundEffect::Ready && ef->source() == e.desejado) {
        e.tocarQuandoPronto = false;
        e.inicio.start();
        ef->play();
    } else if (ef->status() == QSoundEffect::Error && ef->source() == e.desejado) {
        e.tocarQuandoPronto = false;  // unplayable after all: silence, as for a missing file
    }
}

QSoundEffect* efeito() {
    Estado& e = estado();
    if (!e.efeito) {
        auto* ef = new QSoundEffect(QCoreApplication::instance());
        QObject::connect(ef, &QSoundEffect::statusChanged, ef, &aoMudarStatus);
        e.efeito = ef;
        qAddPostRoutine(&destruirEfeito);
    }
    return e.efeito;
}

bool ehBrancoOuControle(QChar c) {
    return c.unicode() <= 0x20 || c.isSpace() || c.category() == QChar::Other_Control;
}

QString aparar(const QString& s) {
    qsizetype a = 0, b = s.size();
    while (a < b && ehBrancoOuControle(s[a]))
        ++a;
    while (b > a && ehBrancoOuControle(s[b - 1]))
        --b;
    return s.mid(a, b - a);
}

bool noThreadDaInterface() {
    auto* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void tocar(const QString& arquivo, bool umaVez, bool esperar) {
    const double duracao = uRotinasGerais::DuracaoDoSom(arquivo);
    Estado& e = estado();
    QSoundEffect* ef = efeito();

    // Starting a sound stops the one playing, even when the new one turns out unplayable.
    ef->stop();
    encerrarEsperas();
    e.tocarQuandoPronto = false;
    e.desejado.clear();
    e.arquivo.clear();
    if (duracao < 0)
        return;

    const QUrl url = QUrl::fromLocalFile(QFileInfo(arquivo).absoluteFilePath());
    e.desejado = url;
    e.arquivo = arquivo;
    e.emLaco = !umaVez;
    e.duracao = duracao;
    e.inicio.start();
    ef->setLoopCount(umaVez ? 1 : QSoundEffect::Infinite);
    ef->setSource(url);  // no-op when it is the same file, which is then Ready already
    e.tocarQuandoPronto = true;
    aoMudarStatus();

    // A loop never ends by itself, so it is never waited for.
    if (!esperar || !umaVez)
        return;
    // The wait ends when Qt says the sound is over, or at the latest the file's length after
    // it started playing; a load that never completes is given a few seconds at most.
    const int tempoDoSom = static_cast<int>(duracao * 1000) + kMargemEsperaMs;
    QEventLoop loop;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(ef, &QSoundEffect::playingChanged, &loop, [&loop, &limite, ef, tempoDoSom] {
        if (ef->isPlaying())
            limite.start(tempoDoSom);
        else if (!estado().tocarQuandoPronto)
            loop.quit();
    });
    limite.start(ef->isPlaying() ? tempoDoSom : tempoDoSom + kEsperaCarregarMs);
    e.esperas.append(&loop);
    loop.exec();
    e.esperas.removeOne(&loop);
}

quint32 lerU32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 lerU16(const char* p) { return qFromLittleEndian<quint16>(p); }

}  // namespace

namespace uRotinasGerais {

double DuracaoDoSom(const QString& Arquivo) {
    QFile f(Arquivo);
    if (!QFileInfo(Arquivo).isFile() || !f.open(QIODevice::ReadOnly))
        return -1;
    char cab[12];
    if (f.read(cab, 12) != 12 || memcmp(cab, "RIFF", 4) != 0 || memcmp(cab + 8, "WAVE", 4) != 0)
        return -1;
    quint32 bytesPorSegundo = 0;
    quint16 alinhamento = 0;
    bool formatoOk = false;
    // Walk the chunks: "fmt " must say plain PCM (tag 1) with 8 or 16 bits — Qt plays nothing
    // else correctly — and "data" gives the length.
    while (!f.atEnd()) {
        char ch[8];
        if (f.read(ch, 8) != 8)
            return -1;
        const quint32 tamanho = lerU32(ch + 4);
        if (memcmp(ch, "fmt ", 4) == 0) {
            if (tamanho < 16)
                return -1;
            char fmt[16];
            if (f.read(fmt, 16) != 16)
                return -1;
            const quint16 tag = lerU16(fmt), canais = lerU16(fmt + 2), bits = lerU16(fmt + 14);
            const quint32 taxa = lerU32(fmt + 4);
            alinhamento = lerU16(fmt + 12);
            bytesPorSegundo = taxa * alinhamento;
            formatoOk = tag == 1 && (bits == 8 || bits == 16) && canais >= 1 && canais <= 8 &&
                        taxa >= 1000 && taxa <= 192000 && alinhamento == canais * bits / 8;
            if (!formatoOk)
                return -1;
            if (!f.seek(f.pos() + (tamanho - 16) + (tamanho & 1)))
                return -1;
        } else if (memcmp(ch, "data", 4) == 0) {
            if (!formatoOk)
                return -1;
            // A data size larger than the file (a stream written without its final size) is
            // taken as running to the end of the file.
            const qint64 resto = f.size() - f.pos();
            const qint64 bytes = std::min<qint64>(tamanho, resto);
            if (bytes < alinhamento)
                return -1;
            return double(bytes / alinhamento * alinhamento) / bytesPorSegundo;
        } else if (!f.seek(f.pos() + tamanho + (tamanho & 1))) {
            return -1;
        }
    }
    return -1;
}

void TocarSom(const QString& Arquivo, bool UmaVez, bool EsperarTerminar) {
    const QString arquivo = aparar(Arquivo);
    if (arquivo.isEmpty() || !QFileInfo(arquivo).isFile())
        return;
    if (!QCoreApplication::instance())
        return;
    if (!noThreadDaInterface()) {
        // The effect lives on the interface thread; from elsewhere the sound is started there
        // and this call returns at once.
        QMetaObject::invokeMethod(QCoreApplication::instance(),
                                  [arquivo, UmaVez] { tocar(arquivo, UmaVez, false); },
                                  Qt::QueuedConnection);
        return;
    }
    tocar(arquivo, UmaVez, EsperarTerminar);
}

void PararSom() {
    if (!QCoreApplication::instance())
        return;
    if (!noThreadDaInterface()) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] { PararSom(); },
                                  Qt::QueuedConnection);
        return;
    }
    Estado& e = estado();
    e.tocarQuandoPronto = false;
    e.desejado.clear();
    e.arquivo.clear();
    if (e.efeito)
        e.efeito->stop();
    encerrarEsperas();
}

SomTocando SomAtual() {
    const Estado& e = estado();
    if (e.arquivo.isEmpty())
        return {};
    if (!e.emLaco && e.inicio.isValid() &&
        e.inicio.elapsed() > static_cast<qint64>(e.duracao * 1000) + kMargemEsperaMs)
        return {};
    return {e.arquivo, e.emLaco};
}

}  // namespace uRotinasGerais
