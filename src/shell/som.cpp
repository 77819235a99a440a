// The cabinet's sound layer: one PulseAudio playback stream plays one WAV at a time, once or
// looping.
//
// The game needs little of a sound system: a short PCM file, played at once, maybe repeated,
// replaced or stopped at any moment. libpulse's threaded main loop does exactly that with one
// stream, and costs a fraction of what a whole multimedia framework brings into the process
// (its network, Kerberos and codec libraries were a tenth of the game's memory).
//
// The interface thread decides; the PulseAudio thread only feeds samples. Every touch of a
// PulseAudio object from the interface thread holds the main loop's lock, and every callback
// runs in the PulseAudio thread with that lock already held. Each play gets a new generation
// number, so news from a stream that was already replaced (its end, its start) is ignored.
//
// With no audio server — or one that goes away — the calls still return at once and keep their
// bookkeeping: SomAtual answers the same, and a wait for the end lasts the file's own length.
#include "shell/som.h"

#include <pulse/pulseaudio.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>

namespace {

// A margin over the file's length for a wait: the output's own latency and start-up.
constexpr int kMargemEsperaMs = 250;
// The server is asked to hold this much sound ahead: short enough that a stop or a new sound is
// heard at once, long enough not to wake the process for every few milliseconds of sound.
constexpr pa_usec_t kLatenciaUs = 80 * 1000;
// Sample data read into memory at most; a larger file is taken as unplayable.
constexpr qint64 kMaximoDeDados = 64ll * 1024 * 1024;

// What a WAV header says: plain PCM (tag 1) of 8 or 16 bits, and where its samples are.
struct Formato {
    quint16 canais = 0, bits = 0, alinhamento = 0;
    quint32 taxa = 0;
    qint64 inicioDosDados = 0, bytes = 0;  // whole frames only
    double segundos() const { return double(bytes) / (double(taxa) * alinhamento); }
};

quint32 lerU32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 lerU16(const char* p) { return qFromLittleEndian<quint16>(p); }

std::optional<Formato> lerFormato(QFile& f) {
    char cab[12];
    if (f.read(cab, 12) != 12 || memcmp(cab, "RIFF", 4) != 0 || memcmp(cab + 8, "WAVE", 4) != 0)
        return std::nullopt;
    Formato w;
    bool formatoOk = false;
    // Walk the chunks: "fmt " must say plain PCM with 8 or 16 bits, and "data" gives the samples.
    while (!f.atEnd()) {
        char ch[8];
        if (f.read(ch, 8) != 8)
            return std::nullopt;
        const quint32 tamanho = lerU32(ch + 4);
        if (memcmp(ch, "fmt ", 4) == 0) {
            if (tamanho < 16)
                return std::nullopt;
            char fmt[16];
            if (f.read(fmt, 16) != 16)
                return std::nullopt;
            const quint16 tag = lerU16(fmt);
            w.canais = lerU16(fmt + 2);
            w.taxa = lerU32(fmt + 4);
            w.alinhamento = lerU16(fmt + 12);
            w.bits = lerU16(fmt + 14);
            formatoOk = tag == 1 && (w.bits == 8 || w.bits == 16) && w.canais >= 1 &&
                        w.canais <= 8 && w.taxa >= 1000 && w.taxa <= 192000 &&
                        w.alinhamento == w.canais * w.bits / 8;
            if (!formatoOk)
                return std::nullopt;
            if (!f.seek(f.pos() + (tamanho - 16) + (tamanho & 1)))
                return std::nullopt;
        } else if (memcmp(ch, "data", 4) == 0) {
            if (!formatoOk)
                return std::nullopt;
            // A data size larger than the file (a stream written without its final size) is
            // taken as running to the end of the file.
            const qint64 resto = f.size() - f.pos();
            const qint64 bytes = std::min<qint64>(tamanho, resto);
            if (bytes < w.alinhamento)
                return std::nullopt;
            w.inicioDosDados = f.pos();
            w.bytes = bytes / w.alinhamento * w.alinhamento;
            return w;
        } else if (!f.seek(f.pos() + tamanho + (tamanho & 1))) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The samples of a playable file, with their format.
struct Amostras {
    Formato formato;
    QByteArray dados;
};

std::shared_ptr<const Amostras> lerAmostras(const QString& arquivo) {
    QFile f(arquivo);
    if (!QFileInfo(arquivo).isFile() || !f.open(QIODevice::ReadOnly))
        return nullptr;
    const std::optional<Formato> w = lerFormato(f);
    if (!w || w->bytes > kMaximoDeDados || !f.seek(w->inicioDosDados))
        return nullptr;
    auto a = std::make_shared<Amostras>();
    a->formato = *w;
    a->dados = f.read(w->bytes);
    if (a->dados.size() != w->bytes)
        return nullptr;  // the file shrank since its header was read
    return a;
}

// ---------------------------------------------------------------------------------------------
// The PulseAudio side. Everything in Saida is guarded by the main loop's lock.

void avisarInterface(quint64 geracao, bool terminou);

struct Saida {
    pa_threaded_mainloop* laco = nullptr;
    pa_context* contexto = nullptr;
    pa_stream* fluxo = nullptr;
    // What the current generation plays; the stream is made for it once the context is ready.
    std::shared_ptr<const Amostras> amostras;
    bool repetir = false;
    quint64 geracao = 0;
    qint64 posicao = 0;  // bytes already written of the samples
};

Saida& saida() {
    static Saida s;
    return s;
}

void fecharFluxo();

void escrever(pa_stream* fluxo, size_t pedido, void*) {
    Saida& s = saida();
    if (fluxo != s.fluxo || !s.amostras)
        return;
    const QByteArray& dados = s.amostras->dados;
    while (pedido > 0) {
        if (s.posicao >= dados.size()) {
            if (!s.repetir) {
                // All written: let the server play out what it holds, then say so.
                pa_stream_set_write_callback(fluxo, nullptr, nullptr);
                const quint64 geracao = s.geracao;
                pa_operation* op = pa_stream_drain(
                    fluxo,
                    [](pa_stream*, int, void* g) {
                        const quint64 geracao = quint64(reinterpret_cast<quintptr>(g));
                        // Played out: the stream goes, or the server would keep asking an
                        // idle game for more.
                        if (geracao == saida().geracao)
                            fecharFluxo();
                        avisarInterface(geracao, true);
                    },
                    reinterpret_cast<void*>(quintptr(geracao)));
                if (op)
                    pa_operation_unref(op);
                return;
            }
            s.posicao = 0;
        }
        const size_t n = std::min<size_t>(pedido, size_t(dados.size() - s.posicao));
        if (pa_stream_write(fluxo, dados.constData() + s.posicao, n, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            return;
        s.posicao += qint64(n);
        pedido -= n;
    }
}

void aoMudarFluxo(pa_stream* fluxo, void*) {
    Saida& s = saida();
    if (fluxo == s.fluxo && pa_stream_get_state(fluxo) == PA_STREAM_READY)
        avisarInterface(s.geracao, false);
}

// A stream given up while the server was still creating it: it cannot be disconnected before
// the server answers, so it is disconnected as soon as it is ready, and let go once it ends.
void aoMudarFluxoDescartado(pa_stream* fluxo, void*) {
    switch (pa_stream_get_state(fluxo)) {
    case PA_STREAM_READY:
        pa_stream_disconnect(fluxo);
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        pa_stream_set_state_callback(fluxo, nullptr, nullptr);
        pa_stream_unref(fluxo);
        break;
    default:
        break;
    }
}

// Ends the stream playing, if any: what the server still holds is dropped at once.
void fecharFluxo() {
    Saida& s = saida();
    pa_stream* fluxo = s.fluxo;
    if (!fluxo)
        return;
    s.fluxo = nullptr;
    pa_stream_set_write_callback(fluxo, nullptr, nullptr);
    switch (pa_stream_get_state(fluxo)) {
    case PA_STREAM_CREATING:
        // Left to finish: disconnecting now fails, and the server would keep a stream nobody
        // feeds. The reference is released by the callback.
        pa_stream_set_state_callback(fluxo, &aoMudarFluxoDescartado, nullptr);
        return;
    case PA_STREAM_READY:
        pa_stream_set_state_callback(fluxo, nullptr, nullptr);
        pa_stream_disconnect(fluxo);
        break;
    default:
        pa_stream_set_state_callback(fluxo, nullptr, nullptr);
        break;
    }
    pa_stream_unref(fluxo);
}

void abrirFluxo() {
    Saida& s = saida();
    if (!s.amostras || !s.contexto || pa_context_get_state(s.contexto) != PA_CONTEXT_READY)
        return;
    const Formato& w = s.amostras->formato;
    pa_sample_spec amostragem;
    amostragem.format = w.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    amostragem.rate = w.taxa;
    amostragem.channels = quint8(w.canais);
    if (!pa_sample_spec_valid(&amostragem))
        return;
    pa_stream* fluxo = pa_stream_new(s.contexto, "Trevolino", &amostragem, nullptr);
    if (!fluxo)
        return;  // a channel count the server cannot map: silence
    s.fluxo = fluxo;
    s.posicao = 0;
    pa_stream_set_write_callback(fluxo, &escrever, nullptr);
    pa_stream_set_state_callback(fluxo, &aoMudarFluxo, nullptr);
    pa_buffer_attr atributos;
    atributos.maxlength = uint32_t(-1);
    atributos.tlength = uint32_t(pa_usec_to_bytes(kLatenciaUs, &amostragem));
    atributos.prebuf = uint32_t(-1);
    atributos.minreq = uint32_t(-1);
    atributos.fragsize = uint32_t(-1);
    if (pa_stream_connect_playback(fluxo, nullptr, &atributos, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0)
        fecharFluxo();
}

void aoMudarContexto(pa_context* contexto, void*) {
    Saida& s = saida();
    if (contexto != s.contexto)
        return;
    switch (pa_context_get_state(contexto)) {
    case PA_CONTEXT_READY:
        abrirFluxo();  // the sound asked for while connecting
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        // No server, or it went away: the next sound tries a new connection.
        fecharFluxo();
        break;
    default:
        break;
    }
}

// Makes sure a context exists that is connected or connecting. Lock held.
void garantirContexto() {
    Saida& s = saida();
    if (s.contexto) {
        const pa_context_state_t e = pa_context_get_state(s.contexto);
        if (e != PA_CONTEXT_FAILED && e != PA_CONTEXT_TERMINATED)
            return;
        fecharFluxo();
        pa_context_set_state_callback(s.contexto, nullptr, nullptr);
        pa_context_disconnect(s.contexto);
        pa_context_unref(s.contexto);
        s.contexto = nullptr;
    }
    pa_proplist* p = pa_proplist_new();
    pa_proplist_sets(p, PA_PROP_APPLICATION_NAME, "Trevolino");
    pa_proplist_sets(p, PA_PROP_APPLICATION_ICON_NAME, "trevolino");
    pa_proplist_sets(p, PA_PROP_MEDIA_ROLE, "game");
    s.contexto = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(s.laco), "Trevolino", p);
    pa_proplist_free(p);
    if (!s.contexto)
        return;
    pa_context_set_state_callback(s.contexto, &aoMudarContexto, nullptr);
    // A game does not start a sound server of its own: no server means no sound.
    if (pa_context_connect(s.contexto, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        pa_context_set_state_callback(s.contexto, nullptr, nullptr);
}

void encerrarSaida();

// Runs with the interface thread; the PulseAudio thread is started on the first sound.
bool iniciarSaida() {
    Saida& s = saida();
    if (s.laco)
        return true;
    s.laco = pa_threaded_mainloop_new();
    if (!s.laco)
        return false;
    if (pa_threaded_mainloop_start(s.laco) < 0) {
        pa_threaded_mainloop_free(s.laco);
        s.laco = nullptr;
        return false;
    }
    qAddPostRoutine(&encerrarSaida);
    return true;
}

// Asks the PulseAudio thread to play `amostras` (or nothing) as a new generation.
quint64 pedirSom(std::shared_ptr<const Amostras> amostras, bool repetir) {
    Saida& s = saida();
    if (!amostras && !s.laco)
        return 0;  // nothing plays and nothing is to be played: no need for the thread
    if (!iniciarSaida())
        return 0;
    pa_threaded_mainloop_lock(s.laco);
    fecharFluxo();
    const quint64 geracao = ++s.geracao;
    s.amostras = std::move(amostras);
    s.repetir = repetir;
    if (s.amostras) {
        garantirContexto();
        abrirFluxo();  // at once when connected; otherwise when the context becomes ready
    }
    pa_threaded_mainloop_unlock(s.laco);
    return geracao;
}

// ---------------------------------------------------------------------------------------------
// The interface side: what SomAtual reports and the waits for an end.

struct Estado {
    QString arquivo;  // what SomAtual reports; empty = nothing
    bool emLaco = false;
    double duracao = 0;  // seconds, for a single play
    quint64 geracao = 0;
    QElapsedTimer inicio;
    QList<QEventLoop*> esperas;  // waits for an end that a new sound or a stop must release
};

Estado& estado() {
    static Estado e;
    return e;
}

// Set by the waits: called on the interface thread when the stream of `geracao` starts playing
// (terminou false) or has played out (true).
std::function<void(quint64, bool)>& aoAvisar() {
    static std::function<void(quint64, bool)> f;
    return f;
}

void avisarInterface(quint64 geracao, bool terminou) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(
        app,
        [geracao, terminou] {
            Estado& e = estado();
            if (geracao != e.geracao)
                return;  // news of a sound already replaced
            if (!terminou)
                e.inicio.start();  // its length counts from when it is heard
            if (aoAvisar())
                aoAvisar()(geracao, terminou);
        },
        Qt::QueuedConnection);
}

void encerrarEsperas() {
    for (QEventLoop* loop : estado().esperas)
        loop->quit();
}

// Runs while the application object is being destroyed: the stream and the connection are
// closed and the PulseAudio thread is ended before the process goes.
void encerrarSaida() {
    Saida& s = saida();
    estado().arquivo.clear();
    if (!s.laco)
        return;
    pa_threaded_mainloop_lock(s.laco);
    fecharFluxo();
    s.amostras.reset();
    if (s.contexto) {
        pa_context_set_state_callback(s.contexto, nullptr, nullptr);
        pa_context_disconnect(s.contexto);
        pa_context_unref(s.contexto);
        s.contexto = nullptr;
    }
    pa_threaded_mainloop_unlock(s.laco);
    pa_threaded_mainloop_stop(s.laco);
    pa_threaded_mainloop_free(s.laco);
    s.laco = nullptr;
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
    Estado& e = estado();
    // Starting a sound stops the one playing, even when the new one turns out unplayable.
    std::shared_ptr<const Amostras> amostras = lerAmostras(arquivo);
    encerrarEsperas();
    e.arquivo.clear();
    e.geracao = pedirSom(amostras, !umaVez);
    if (!amostras)
        return;
    e.arquivo = arquivo;
    e.emLaco = !umaVez;
    e.duracao = amostras->formato.segundos();
    e.inicio.start();

    // A loop never ends by itself, so it is never waited for.
    if (!esperar || !umaVez)
        return;
    // The wait ends when the server has played the sound out, or at the latest the file's
    // length after it started (or was asked for, when no server plays it).
    const int tempoDoSom = static_cast<int>(e.duracao * 1000) + kMargemEsperaMs;
    QEventLoop loop;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &loop, &QEventLoop::quit);
    const quint64 minha = e.geracao;
    auto anterior = aoAvisar();
    aoAvisar() = [&, minha](quint64 geracao, bool terminou) {
        if (geracao != minha)
            return;
        if (terminou)
            loop.quit();
        else
            limite.start(tempoDoSom);
    };
    limite.start(tempoDoSom);
    e.esperas.append(&loop);
    loop.exec();
    e.esperas.removeOne(&loop);
    aoAvisar() = anterior;
}

}  // namespace

namespace uRotinasGerais {

double DuracaoDoSom(const QString& Arquivo) {
    QFile f(Arquivo);
    if (!QFileInfo(Arquivo).isFile() || !f.open(QIODevice::ReadOnly))
        return -1;
    const std::optional<Formato> w = lerFormato(f);
    return w ? w->segundos() : -1;
}

void TocarSom(const QString& Arquivo, bool UmaVez, bool EsperarTerminar) {
    const QString arquivo = aparar(Arquivo);
    if (arquivo.isEmpty() || !QFileInfo(arquivo).isFile())
        return;
    if (!QCoreApplication::instance())
        return;
    if (!noThreadDaInterface()) {
        // The bookkeeping lives on the interface thread; from elsewhere the sound is started
        // there and this call returns at once.
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
    e.arquivo.clear();
    e.geracao = pedirSom(nullptr, false);
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
