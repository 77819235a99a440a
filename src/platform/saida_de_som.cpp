// The PulseAudio side of the sound output.
//
// A game needs little of a sound system: a short PCM sound, played at once, maybe repeated,
// replaced or stopped at any moment. libpulse's threaded main loop does exactly that with one
// stream, and costs a fraction of what a whole multimedia framework brings into the process
// (its network, Kerberos and codec libraries were a tenth of the game's memory).
//
// The application's thread decides; the PulseAudio thread only feeds samples. Every touch of a
// PulseAudio object from the application's thread holds the main loop's lock, and every callback
// runs in the PulseAudio thread with that lock already held. Each play gets a new generation
// number, so news from a stream that was already replaced (its end, its start) is ignored.
#include "platform/registro.h"
#include "platform/saida_de_som.h"

#include <dlfcn.h>
#include <pulse/pulseaudio.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <mutex>
#include <thread>

namespace plataforma {

namespace {

// libpulse is opened with the first sound, not with the program: it brings a dozen codec
// libraries along, and mapping and relocating them was a measurable share of the work before
// the first frame. No library means no sound, as no server does.
#define TREVOLINO_FUNCOES_DO_PULSE(X) \
    X(pa_context_connect)             \
    X(pa_context_disconnect)          \
    X(pa_context_get_state)           \
    X(pa_context_new_with_proplist)   \
    X(pa_context_set_state_callback)  \
    X(pa_context_unref)               \
    X(pa_operation_unref)             \
    X(pa_proplist_free)               \
    X(pa_proplist_new)                \
    X(pa_proplist_sets)               \
    X(pa_sample_spec_valid)           \
    X(pa_stream_connect_playback)     \
    X(pa_stream_disconnect)           \
    X(pa_stream_drain)                \
    X(pa_stream_get_state)            \
    X(pa_stream_new)                  \
    X(pa_stream_set_state_callback)   \
    X(pa_stream_set_write_callback)   \
    X(pa_stream_unref)                \
    X(pa_stream_write)                \
    X(pa_threaded_mainloop_free)      \
    X(pa_threaded_mainloop_get_api)   \
    X(pa_threaded_mainloop_lock)      \
    X(pa_threaded_mainloop_new)       \
    X(pa_threaded_mainloop_start)     \
    X(pa_threaded_mainloop_stop)      \
    X(pa_threaded_mainloop_unlock)    \
    X(pa_usec_to_bytes)

struct Pulse {
#define TREVOLINO_PONTEIRO(f) decltype(&::f) f = nullptr;
    TREVOLINO_FUNCOES_DO_PULSE(TREVOLINO_PONTEIRO)
#undef TREVOLINO_PONTEIRO
};

Pulse gPulse;

const Pulse& pulse() { return gPulse; }

// Application's thread only; true once every function was found.
bool abrirPulse() {
    static const bool aberto = [] {
        void* biblioteca = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!biblioteca) return false;
        bool completo = true;
#define TREVOLINO_RESOLVER(f)                                           \
    gPulse.f = reinterpret_cast<decltype(&::f)>(dlsym(biblioteca, #f)); \
    completo = completo && gPulse.f;
        TREVOLINO_FUNCOES_DO_PULSE(TREVOLINO_RESOLVER)
#undef TREVOLINO_RESOLVER
        return completo;
    }();
    return aberto;
}

// The server is asked to hold this much sound ahead: short enough that a stop or a new sound is
// heard at once, long enough not to wake the process for every few milliseconds of sound.
constexpr pa_usec_t kLatenciaUs = 80 * 1000;

// Read and written on the application's thread only.
AvisosDaSaida& avisos() {
    static AvisosDaSaida a;
    return a;
}

// From the PulseAudio thread: the notice is run on the application's thread.
void avisarAplicacao(quint64 geracao, bool terminou) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    QMetaObject::invokeMethod(
        app,
        [geracao, terminou] {
            if (avisos().aoAvisar) avisos().aoAvisar(geracao, terminou);
        },
        Qt::QueuedConnection);
}

// Everything in Saida is guarded by the main loop's lock.
struct Saida {
    pa_threaded_mainloop* laco = nullptr;
    pa_context* contexto = nullptr;
    pa_stream* fluxo = nullptr;
    // What the current generation plays; the stream is made for it once the context is ready.
    std::shared_ptr<const SomWav> amostras;
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
    if (fluxo != s.fluxo || !s.amostras) return;
    const QByteArray& dados = s.amostras->dados;
    while (pedido > 0) {
        if (s.posicao >= dados.size()) {
            if (!s.repetir) {
                // All written: let the server play out what it holds, then say so.
                pulse().pa_stream_set_write_callback(fluxo, nullptr, nullptr);
                const quint64 geracao = s.geracao;
                pa_operation* op = pulse().pa_stream_drain(
                    fluxo,
                    [](pa_stream*, int, void* g) {
                        const quint64 geracao = quint64(reinterpret_cast<quintptr>(g));
                        // Played out: the stream goes, or the server would keep asking an
                        // idle game for more.
                        if (geracao == saida().geracao) fecharFluxo();
                        avisarAplicacao(geracao, true);
                    },
                    reinterpret_cast<void*>(quintptr(geracao)));
                if (op) pulse().pa_operation_unref(op);
                return;
            }
            s.posicao = 0;
        }
        const size_t n = std::min<size_t>(pedido, size_t(dados.size() - s.posicao));
        if (pulse().pa_stream_write(fluxo, dados.constData() + s.posicao, n, nullptr, 0, PA_SEEK_RELATIVE) <
            0)
            return;
        s.posicao += qint64(n);
        pedido -= n;
    }
}

void aoMudarFluxo(pa_stream* fluxo, void*) {
    Saida& s = saida();
    if (fluxo == s.fluxo && pulse().pa_stream_get_state(fluxo) == PA_STREAM_READY)
        avisarAplicacao(s.geracao, false);
}

// A stream given up while the server was still creating it: it cannot be disconnected before
// the server answers, so it is disconnected as soon as it is ready, and let go once it ends.
void aoMudarFluxoDescartado(pa_stream* fluxo, void*) {
    switch (pulse().pa_stream_get_state(fluxo)) {
        case PA_STREAM_READY: pulse().pa_stream_disconnect(fluxo); break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            pulse().pa_stream_set_state_callback(fluxo, nullptr, nullptr);
            pulse().pa_stream_unref(fluxo);
            break;
        default: break;
    }
}

// Ends the stream playing, if any: what the server still holds is dropped at once.
void fecharFluxo() {
    Saida& s = saida();
    pa_stream* fluxo = s.fluxo;
    if (!fluxo) return;
    s.fluxo = nullptr;
    pulse().pa_stream_set_write_callback(fluxo, nullptr, nullptr);
    switch (pulse().pa_stream_get_state(fluxo)) {
        case PA_STREAM_CREATING:
            // Left to finish: disconnecting now fails, and the server would keep a stream nobody
            // feeds. The reference is released by the callback.
            pulse().pa_stream_set_state_callback(fluxo, &aoMudarFluxoDescartado, nullptr);
            return;
        case PA_STREAM_READY:
            pulse().pa_stream_set_state_callback(fluxo, nullptr, nullptr);
            pulse().pa_stream_disconnect(fluxo);
            break;
        default: pulse().pa_stream_set_state_callback(fluxo, nullptr, nullptr); break;
    }
    pulse().pa_stream_unref(fluxo);
}

void abrirFluxo() {
    Saida& s = saida();
    if (!s.amostras || !s.contexto || pulse().pa_context_get_state(s.contexto) != PA_CONTEXT_READY) return;
    const FormatoWav& w = s.amostras->formato;
    pa_sample_spec amostragem;
    amostragem.format = w.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    amostragem.rate = w.taxa;
    amostragem.channels = quint8(w.canais);
    if (!pulse().pa_sample_spec_valid(&amostragem)) return;
    pa_stream* fluxo = pulse().pa_stream_new(s.contexto, "Trevolino", &amostragem, nullptr);
    if (!fluxo) return;  // a channel count the server cannot map: silence
    s.fluxo = fluxo;
    s.posicao = 0;
    pulse().pa_stream_set_write_callback(fluxo, &escrever, nullptr);
    pulse().pa_stream_set_state_callback(fluxo, &aoMudarFluxo, nullptr);
    pa_buffer_attr atributos;
    atributos.maxlength = uint32_t(-1);
    atributos.tlength = uint32_t(pulse().pa_usec_to_bytes(kLatenciaUs, &amostragem));
    atributos.prebuf = uint32_t(-1);
    atributos.minreq = uint32_t(-1);
    atributos.fragsize = uint32_t(-1);
    if (pulse().pa_stream_connect_playback(fluxo, nullptr, &atributos, PA_STREAM_ADJUST_LATENCY, nullptr,
                                           nullptr) < 0)
        fecharFluxo();
}

void aoMudarContexto(pa_context* contexto, void*) {
    Saida& s = saida();
    if (contexto != s.contexto) return;
    switch (pulse().pa_context_get_state(contexto)) {
        case PA_CONTEXT_READY:
            abrirFluxo();  // the sound asked for while connecting
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            // No server, or it went away: the next sound tries a new connection.
            plataforma::AvisarUmaVez(QStringLiteral("servidor de som"),
                                     QStringLiteral("no sound server reached, the game plays silent"));
            fecharFluxo();
            break;
        default: break;
    }
}

// Makes sure a context exists that is connected or connecting. Lock held.
void garantirContexto() {
    Saida& s = saida();
    if (s.contexto) {
        const pa_context_state_t e = pulse().pa_context_get_state(s.contexto);
        if (e != PA_CONTEXT_FAILED && e != PA_CONTEXT_TERMINATED) return;
        fecharFluxo();
        pulse().pa_context_set_state_callback(s.contexto, nullptr, nullptr);
        pulse().pa_context_disconnect(s.contexto);
        pulse().pa_context_unref(s.contexto);
        s.contexto = nullptr;
    }
    pa_proplist* p = pulse().pa_proplist_new();
    pulse().pa_proplist_sets(p, PA_PROP_APPLICATION_NAME, "Trevolino");
    pulse().pa_proplist_sets(p, PA_PROP_APPLICATION_ICON_NAME, "trevolino");
    pulse().pa_proplist_sets(p, PA_PROP_MEDIA_ROLE, "game");
    s.contexto =
        pulse().pa_context_new_with_proplist(pulse().pa_threaded_mainloop_get_api(s.laco), "Trevolino", p);
    pulse().pa_proplist_free(p);
    if (!s.contexto) return;
    pulse().pa_context_set_state_callback(s.contexto, &aoMudarContexto, nullptr);
    // A game does not start a sound server of its own: no server means no sound.
    if (pulse().pa_context_connect(s.contexto, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        pulse().pa_context_set_state_callback(s.contexto, nullptr, nullptr);
}

// Loading the library and starting the PulseAudio thread, by whichever thread comes first.
std::mutex& inicioDaSaida() {
    static std::mutex m;
    return m;
}

// The thread of PrepararSaida, joined before the output is closed. Never destroyed: a process
// that ends through exit() without the application's end (the toolkit does so when the display
// connection breaks) would otherwise abort on a thread never joined, before the other exit
// handlers have run.
std::thread& preparo() {
    static auto* t = new std::thread;
    return *t;
}

// Runs while the application object is being destroyed: the stream and the connection are
// closed and the PulseAudio thread is ended before the process goes.
void encerrarSaida() {
    if (preparo().joinable()) preparo().join();
    Saida& s = saida();
    if (avisos().aoEncerrar) avisos().aoEncerrar();
    if (!s.laco) return;
    pulse().pa_threaded_mainloop_lock(s.laco);
    fecharFluxo();
    s.amostras.reset();
    if (s.contexto) {
        pulse().pa_context_set_state_callback(s.contexto, nullptr, nullptr);
        pulse().pa_context_disconnect(s.contexto);
        pulse().pa_context_unref(s.contexto);
        s.contexto = nullptr;
    }
    pulse().pa_threaded_mainloop_unlock(s.laco);
    pulse().pa_threaded_mainloop_stop(s.laco);
    pulse().pa_threaded_mainloop_free(s.laco);
    s.laco = nullptr;
}

// Application's thread: the close above is arranged before any thread of the output starts.
void registrarEncerramento() {
    static bool registrado = false;
    if (registrado) return;
    registrado = true;
    qAddPostRoutine(&encerrarSaida);
}

// Starts the PulseAudio thread once; true while it runs.
bool iniciarSaida() {
    std::lock_guard<std::mutex> trava(inicioDaSaida());
    Saida& s = saida();
    if (s.laco) return true;
    if (!abrirPulse()) {
        plataforma::AvisarUmaVez(QStringLiteral("libpulse"),
                                 QStringLiteral("libpulse.so.0 not loaded, the game plays silent"));
        return false;
    }
    pa_threaded_mainloop* laco = pulse().pa_threaded_mainloop_new();
    if (!laco) return false;
    if (pulse().pa_threaded_mainloop_start(laco) < 0) {
        pulse().pa_threaded_mainloop_free(laco);
        return false;
    }
    s.laco = laco;
    return true;
}

bool saidaIniciada() {
    std::lock_guard<std::mutex> trava(inicioDaSaida());
    return saida().laco != nullptr;
}

// Asks the PulseAudio thread to play `amostras` (or nothing) as a new generation.
quint64 pedirSom(std::shared_ptr<const SomWav> amostras, bool repetir) {
    Saida& s = saida();
    if (!amostras && !saidaIniciada()) return 0;  // nothing plays or is to be played: no need for the thread
    registrarEncerramento();
    if (!iniciarSaida()) return 0;
    pulse().pa_threaded_mainloop_lock(s.laco);
    fecharFluxo();
    const quint64 geracao = ++s.geracao;
    s.amostras = std::move(amostras);
    s.repetir = repetir;
    if (s.amostras) {
        garantirContexto();
        abrirFluxo();  // at once when connected; otherwise when the context becomes ready
    }
    pulse().pa_threaded_mainloop_unlock(s.laco);
    return geracao;
}

}  // namespace

void DefinirAvisosDaSaida(AvisosDaSaida novos) { avisos() = std::move(novos); }

quint64 TocarNaSaida(std::shared_ptr<const SomWav> som, bool repetir) {
    return pedirSom(std::move(som), repetir);
}

void PrepararSaida() {
    if (preparo().joinable() || saida().laco || !QCoreApplication::instance()) return;
    registrarEncerramento();
    preparo() = std::thread([] {
        if (!iniciarSaida()) return;
        Saida& s = saida();
        pulse().pa_threaded_mainloop_lock(s.laco);
        garantirContexto();
        pulse().pa_threaded_mainloop_unlock(s.laco);
    });
}

}  // namespace plataforma
