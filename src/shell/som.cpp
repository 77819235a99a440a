// The cabinet's sound policy: one sound at a time, once or looping, started and stopped from the
// interface thread, with an answer at any moment to "what plays now". The files are read by the
// WAV reader and played by the sound output.
//
// With no audio server — or one that goes away — the calls still return at once and keep their
// bookkeeping: SomAtual answers the same.
#include "shell/som.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <memory>
#include <optional>

#include "platform/registro.h"
#include "platform/texto.h"
#include "platform/leitor_wav.h"
#include "platform/saida_de_som.h"

namespace {

// A margin over a single play's length before SomAtual calls it over: the output's own latency
// and start-up.
constexpr int kMargemMs = 250;

struct Estado {
    bool ligado = true;  // the player's switch
    QString arquivo;     // what SomAtual reports; empty = nothing
    bool emLaco = false;
    double duracao = 0;  // seconds, for a single play
    quint64 geracao = 0;
    QElapsedTimer inicio;
};

Estado& estado() {
    static Estado e;
    return e;
}

// News from the output, on the interface thread.
void aoAvisarDaSaida(quint64 geracao, bool terminou) {
    Estado& e = estado();
    if (geracao != e.geracao) return;  // news of a sound already replaced
    if (!terminou) e.inicio.start();   // its length counts from when it is heard
}

// Asks the output to play `amostras` (or nothing), listening to its news from the first call.
quint64 pedirSom(std::shared_ptr<const plataforma::SomWav> amostras, bool repetir) {
    static bool ouvindo = false;
    if (!ouvindo) {
        ouvindo = true;
        plataforma::DefinirAvisosDaSaida({&aoAvisarDaSaida, [] { estado().arquivo.clear(); }});
    }
    return plataforma::TocarNaSaida(std::move(amostras), repetir);
}

bool noThreadDaInterface() {
    auto* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void tocar(const QString& arquivo, std::shared_ptr<const plataforma::SomWav> amostras, bool umaVez) {
    Estado& e = estado();
    if (!e.ligado) return;  // also a play queued from another thread before the switch went off
    // Starting a sound stops the one playing, even when the new one turns out unplayable.
    e.arquivo.clear();
    e.geracao = pedirSom(amostras, !umaVez);
    if (!amostras) {
        plataforma::AvisarUmaVez(arquivo, "sound file not a playable WAV, nothing plays: " + arquivo);
        return;
    }
    e.arquivo = arquivo;
    e.emLaco = !umaVez;
    e.duracao = amostras->formato.segundos();
    e.inicio.start();
}

}  // namespace

namespace apresentacao {

double DuracaoDoSom(const QString& Arquivo) {
    const std::optional<plataforma::FormatoWav> w = plataforma::LerCabecalhoWav(Arquivo);
    return w ? w->segundos() : -1;
}

void TocarSom(const QString& Arquivo, bool UmaVez) {
    if (!estado().ligado) return;
    const QString arquivo = plataforma::Aparar(Arquivo);
    if (arquivo.isEmpty() || !QFileInfo(arquivo).isFile()) {
        plataforma::AvisarUmaVez(arquivo, "sound file missing, nothing plays: " + arquivo);
        return;
    }
    if (!QCoreApplication::instance()) return;
    if (!noThreadDaInterface()) {
        // The bookkeeping lives on the interface thread; from elsewhere the sound is started
        // there and this call returns at once.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [arquivo, UmaVez] { tocar(arquivo, plataforma::LerWav(arquivo), UmaVez); }, Qt::QueuedConnection);
        return;
    }
    tocar(arquivo, plataforma::LerWav(arquivo), UmaVez);
}

void TocarSomLido(const QString& Arquivo, std::shared_ptr<const plataforma::SomWav> amostras, bool UmaVez) {
    if (!estado().ligado || !noThreadDaInterface()) return;
    tocar(Arquivo, std::move(amostras), UmaVez);
}

void PararSom() {
    if (!QCoreApplication::instance()) return;
    if (!noThreadDaInterface()) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { PararSom(); }, Qt::QueuedConnection);
        return;
    }
    Estado& e = estado();
    e.arquivo.clear();
    // Switched off, the output was already stopped when the switch went off: nothing is asked of
    // the server, which may never have been contacted at all.
    if (e.ligado) e.geracao = pedirSom(nullptr, false);
}

void LigarSom(bool ligado) {
    Estado& e = estado();
    if (e.ligado == ligado) return;
    if (!ligado) PararSom();
    e.ligado = ligado;
}

bool SomLigado() { return estado().ligado; }

SomTocando SomAtual() {
    const Estado& e = estado();
    if (e.arquivo.isEmpty()) return {};
    if (!e.emLaco && e.inicio.isValid() &&
        e.inicio.elapsed() > static_cast<qint64>(e.duracao * 1000) + kMargemMs)
        return {};
    return {e.arquivo, e.emLaco};
}

}  // namespace apresentacao
