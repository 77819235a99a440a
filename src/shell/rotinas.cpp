// General routines of the shell: line breaks, number formatting, waiting, opening addresses.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <optional>

#include "shell/cursores.h"
#include "shell/dialogo_rotinas.h"
#include "shell/espera.h"
#include "platform/versao.h"

namespace apresentacao {

QString QuebrasDeLinha(int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += QLatin1Char('\n');
    return s;
}

QString FormatarValor(int largura, int decimais, double valor) {
    // The game's language's (see plataforma::InstalarIdioma); before that, the user's regional
    // settings (LC_ALL / LC_NUMERIC / LANG).
    QLocale local;
    local.setNumberOptions(local.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString texto = local.toString(valor, 'f', std::max(0, decimais));
    if (texto.size() < largura) texto = QString(largura - texto.size(), ' ') + texto;
    return texto;
}

namespace {
// Shows the animated wait cursor over the whole screen for the life of this object, then puts
// back the screen's earlier cursor.
class CursorDeEspera {
public:
    CursorDeEspera() : m_anterior(TabelaDeCursores::instancia().CursorDaTela()) {
        TabelaDeCursores::instancia().DefinirCursorDaTela(crEsperar);
    }
    ~CursorDeEspera() { TabelaDeCursores::instancia().DefinirCursorDaTela(m_anterior); }

private:
    int m_anterior;
};

double& escala() {
    static double fator = 1.0;
    return fator;
}
}  // namespace

void DefinirEscalaDeTempo(double fator) { escala() = fator > 0 ? fator : 1.0; }
double EscalaDeTempo() { return escala(); }

void Aguardar(bool ComCursorDeEspera, double Segundos) {
    std::optional<CursorDeEspera> cursor;
    if (ComCursorDeEspera) cursor.emplace();
    const qint64 total = Segundos > 0 ? qint64(std::ceil(Segundos * escala() * 1e9)) : 0;
    QElapsedTimer relogio;  // a steady clock
    relogio.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Block for the next event or the deadline instead of spinning: a precise single-shot timer
    // wakes the loop at the deadline.
    QTimer despertador;
    despertador.setSingleShot(true);
    despertador.setTimerType(Qt::PreciseTimer);
    while (relogio.nsecsElapsed() < total) {
        const qint64 restante_ms = (total - relogio.nsecsElapsed() + 999'999) / 1'000'000;
        despertador.start(int(std::max<qint64>(1, restante_ms)));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

void AbrirEnderecoWeb(const QString& Endereco) {
    {
        CursorDeEspera cursor;
        QCoreApplication::processEvents();
        QDesktopServices::openUrl(QUrl::fromUserInput(Endereco));  // the outcome is not reported
    }
    QCoreApplication::processEvents();
}

}  // namespace apresentacao
