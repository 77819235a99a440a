// The program's one logging category, "trevolino". The game reports no failure of a file or a
// service to the player; each such quiet fallback leaves one line here at info level instead,
// hidden unless asked for: QT_LOGGING_RULES="trevolino.info=true".
#pragma once

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcTrevolino)

namespace plataforma {

// One info line for a fallback, the first time `chave` is seen in this process: a reel picture
// missing at every step of a spin says so once.
void AvisarUmaVez(const QString& chave, const QString& texto);

}  // namespace plataforma
