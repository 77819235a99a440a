// The application's cursor table: cursor numbers (5376..5379) mapped to animated cursors, and
// the controls that show them. Windows keeps such a table for the application and animates .ani
// cursors itself; here one timer swaps the frames of every control that uses an animated number.
#pragma once

#include <QCursor>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/cursor_animado.h"

class QWidget;

namespace apresentacao {

// Cursor numbers of the program's four animated cursors.
inline constexpr int crEsperar = 5376;   // c_esperar.ani, the wait cursor
inline constexpr int crExecutar = 5377;  // c_executar.ani, working
inline constexpr int crNormal = 5378;    // c_normal.ani, the normal pointer
inline constexpr int crTocar = 5379;     // c_tocar.ani, the touch cursor

class TabelaDeCursores : public QObject {
    Q_OBJECT
public:
    static TabelaDeCursores& instancia();

    // Registers (or replaces) the cursor under `numero`; controls already given that number
    // take it at once.
    void Registrar(int numero, const plataforma::CursorAnimado& cursor);
    // Loads a .ani/.cur file and registers it; a file that fails to load leaves the number
    // unregistered (and removes an earlier registration) and returns false.
    bool CarregarArquivo(int numero, const QString& caminho);
    // The same, put off until a cursor is first needed: the pointer entering a control that
    // carries a number, or a screen cursor set. Until then the number is unregistered. Nothing
    // of a cursor shows before that, and reading and building them is work a first frame can
    // do without.
    void CarregarArquivoAoPrecisar(int numero, const QString& caminho);
    // Runs `preparar` once, just before the files put off are first read (the start-up unpacks
    // them there only after its first frame, and the pointer may come sooner). Replaces an
    // earlier one; none by default.
    void PrepararAntesDeLer(std::function<void()> preparar);
    void Remover(int numero);
    void Limpar();

    bool Registrado(int numero) const;
    // The step of the animation showing now (0 for a still or unregistered cursor).
    int PassoAtual(int numero) const;
    // The frame showing now, or the standard arrow for an unregistered number.
    QCursor CursorAtual(int numero) const;
    // The frames of a registered number (for tests and for drawing it elsewhere).
    const plataforma::CursorAnimado* Cursor(int numero) const;

    // Gives a control a cursor number: remembered in its property "cursorNumero", shown at
    // once, animated from then on. Number 0 takes the control back to its inherited cursor.
    void AplicarNoControle(QWidget* controle, int numero);
    static int NumeroDoControle(const QWidget* controle);  // 0 when none was given

    // The screen's cursor (shown over every window, as during a wait); 0 gives the controls
    // their own cursors back.
    void DefinirCursorDaTela(int numero);
    int CursorDaTela() const { return m_cursorDaTela; }

    // Test seam: the clock the animation runs on, in milliseconds (a steady clock by default).
    // Atualizar() is what the timer calls: it shows the frames due now.
    void DefinirRelogio(std::function<qint64()> relogio);
    void Atualizar();
    bool AnimacaoAtiva() const { return m_temporizador.isActive(); }

protected:
    // A control the pointer enters shows the frame due now and wakes the animation.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    TabelaDeCursores();
    struct Entrada {
        plataforma::CursorAnimado cursor;
        // One QCursor per frame, made when the frame is first shown: turning a picture into a
        // cursor costs more than reading the file, and most frames wait for a pointer to hover.
        mutable std::vector<std::optional<QCursor>> quadros;
        std::vector<qint64> fimDoPasso;  // cumulative end of each step, in ms
        qint64 inicio = 0;               // when the animation started
        int passoMostrado = -1;
    };
    int passoEm(const Entrada& e, qint64 agora, qint64* proximaTroca) const;
    static const QCursor& quadro(const Entrada& e, int indice);
    void carregarPendentes();
    void mostrar(int numero);
    void rearmar();
    qint64 agora() const;

    std::map<int, Entrada> m_entradas;
    std::map<int, QString> m_pendentes;  // files to read when a cursor is first needed
    std::function<void()> m_preparar;    // run once before they are read
    QHash<QWidget*, int> m_controles;
    int m_cursorDaTela = 0;
    QTimer m_temporizador;
    std::function<qint64()> m_relogio;
};

// Loads the four cursors from Pasta, the folder the start-up unpacked them into, into the cursor
// table (when a cursor is first needed) and gives their numbers to Janela and its controls
// (none: the table alone).
void AplicarCursoresAnimados(const QString& Pasta, QWidget* Janela);

}  // namespace apresentacao

// The general routine among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using apresentacao::AplicarCursoresAnimados;
}  // namespace uRotinasGerais
