// Shared test support: every test runs with a temporary HOME and XDG folders, never the real ones.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

namespace apoio {

// Points HOME and the XDG folders at a fresh temporary folder; call before the application
// object is made. The folder lives until the process ends, and goes with it.
inline QString prepararAmbienteIsolado() {
    static QTemporaryDir* dir = nullptr;
    if (!dir) {
        dir = new QTemporaryDir(QDir::tempPath() + "/trevolino-teste-XXXXXX");
        // Kept to the very end of the process (static objects may still reach HOME while they
        // go), then removed with everything the test left in it.
        dir->setAutoRemove(false);
        std::atexit([] {
            if (dir) QDir(dir->path()).removeRecursively();
        });
        const QString home = dir->path();
        QDir(home).mkpath(".local/share/applications");
        QDir(home).mkpath(".local/share/fonts");
        QDir(home).mkpath(".config");
        QDir(home).mkpath("Desktop");
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
        qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
        qputenv("XDG_DESKTOP_DIR", (home + "/Desktop").toUtf8());
        // The game's private per-user folder lives here, never in the real /run/user or /tmp.
        QDir(home).mkpath("runtime");
        QFile::setPermissions(home + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", (home + "/runtime").toUtf8());
        qunsetenv("XDG_DATA_DIRS");
    }
    return dir->path();
}

}  // namespace apoio

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>
#include <functional>

namespace apoio {

// Acts on the next modal dialog as soon as it is open (polling, so it also works for dialogs
// opened from inside timers and nested loops). `acao` receives the dialog.
inline void quandoAbrirDialogo(std::function<void(QWidget*)> acao, int tentativas = 500) {
    QTimer::singleShot(5, qApp, [acao, tentativas]() {
        QWidget* d = QApplication::activeModalWidget();
        if (d && d->isVisible()) {
            acao(d);
        } else if (tentativas > 0) {
            quandoAbrirDialogo(acao, tentativas - 1);
        }
    });
}

// Presses and releases a key on the next modal dialog.
inline void responderComTecla(Qt::Key tecla, QString* titulo = nullptr, QString* texto = nullptr) {
    quandoAbrirDialogo([=](QWidget* d) {
        if (titulo) *titulo = d->windowTitle();
        if (texto) {
            if (auto* l = d->findChild<QWidget*>("lblDialogo")) *texto = l->property("text").toString();
        }
        QTest::keyPress(d, tecla);
        QTest::keyRelease(d, tecla);
    });
}

// A window's control by its object name (a window keeps its controls to itself); null, with a
// warning, when it has none of that name and kind.
template <class T>
T* controle(const QObject* janela, const QString& nome) {
    T* c = janela->findChild<T*>(nome);
    if (!c) qWarning("no control %s", qPrintable(nome));
    return c;
}

// Plays a window's rounds fast: reel ticks of `bobinaMs`, the final second in `finalMs`, the
// settling pause and each credit of the count-up at `escala` of their time.
inline void acelerarRodada(const QObject* janela, int bobinaMs = 1, int finalMs = 20, double escala = 0.01) {
    for (const char* n : {"timBobina1", "timBobina2", "timBobina3"})
        controle<QTimer>(janela, n)->setInterval(bobinaMs);
    controle<QTimer>(janela, "timFinal")->setInterval(finalMs);
    controle<QTimer>(janela, "timAssentar")->setInterval(int(500 * escala));
    controle<QTimer>(janela, "timPagamento")->setInterval(int(250 * escala));
}

// Runs the event loop until the condition holds or the time runs out; true when it holds.
inline bool esperarAte(const std::function<bool()>& condicao, int ms = 20000) {
    QElapsedTimer t;
    t.start();
    while (!condicao()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QTest::qWait(1);
    }
    return true;
}

}  // namespace apoio
