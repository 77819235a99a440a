#include "platform/pedido_de_termino.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>

namespace plataforma {

namespace {

int gPipe[2] = {-1, -1};

std::function<void()>& acao() {
    static std::function<void()> f;
    return f;
}

extern "C" void aoReceberSinal(int) {
    const int erroGuardado = errno;  // a handler must leave errno as it found it
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(gPipe[1], &b, 1);  // a full pipe already holds a request
    errno = erroGuardado;
}

}  // namespace

void AoPedirTermino(std::function<void()> aoPedir) {
    acao() = std::move(aoPedir);
    if (gPipe[0] >= 0 || !QCoreApplication::instance()) return;
    if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        gPipe[0] = gPipe[1] = -1;
        return;
    }
    auto* aviso = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(aviso, &QSocketNotifier::activated, aviso, [] {
        char b[64];
        while (::read(gPipe[0], b, sizeof b) > 0) {}
        if (acao()) acao()();
    });
    struct sigaction sa {};
    sa.sa_handler = &aoReceberSinal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(s, &sa, nullptr);
}

}  // namespace plataforma
