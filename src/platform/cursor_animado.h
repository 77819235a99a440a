// Reader of Windows cursor files: animated cursors (RIFF "ACON", .ani) and single cursor or icon
// files (.cur, .ico). It stands in for the system's LoadCursorFromFile: the result is plain
// images, hot spots and display steps, which the shell turns into cursors and animates.
//
// Every size and count read from a file is checked against the bytes actually present and
// against fixed limits before anything is allocated, so a damaged or hostile file gives "no
// cursor", never a crash or a large allocation.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

namespace plataforma {

struct QuadroDeCursor {
    QImage imagem;       // ARGB32, at most kMaiorLadoDeCursor on each side
    QPoint pontoQuente;  // inside the image
};

struct PassoDeCursor {
    int quadro = 0;        // index into CursorAnimado::quadros
    int sessentaAvos = 1;  // how long the step shows, in 1/60 s (at least 1)
};

struct CursorAnimado {
    std::vector<QuadroDeCursor> quadros;
    std::vector<PassoDeCursor> passos;  // the display order; a still cursor has one step
    bool Animado() const { return passos.size() > 1; }
};

inline constexpr qsizetype kMaiorArquivoDeCursor = 4 * 1024 * 1024;
inline constexpr int kMaximoDeQuadros = 256;
inline constexpr int kMaximoDePassos = 1024;
inline constexpr int kMaiorLadoDeCursor = 256;

// Parses a whole .ani, .cur or .ico file held in memory. On failure returns nothing and, when
// `motivo` is given, a short English reason (for tests and debugging; the game reports nothing).
std::optional<CursorAnimado> InterpretarArquivoDeCursor(QByteArrayView dados, QString* motivo = nullptr);

// Reads and parses a file; files above kMaiorArquivoDeCursor are refused unread.
std::optional<CursorAnimado> LerArquivoDeCursor(const QString& caminho, QString* motivo = nullptr);

// One cursor/icon image of an ICONDIR container (.cur/.ico), the entry nearest to 32 x 32.
std::optional<QuadroDeCursor> InterpretarImagemDeCursor(QByteArrayView dados, QString* motivo = nullptr);

}  // namespace plataforma
