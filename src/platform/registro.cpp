#include "platform/registro.h"

#include <QMutex>
#include <QSet>

Q_LOGGING_CATEGORY(lcTrevolino, "trevolino", QtWarningMsg)

namespace plataforma {

void AvisarUmaVez(const QString& chave, const QString& texto) {
    if (!lcTrevolino().isInfoEnabled()) return;
    static QMutex trava;  // the sound output's thread may report too
    static QSet<QString> vistas;
    {
        QMutexLocker l(&trava);
        if (vistas.contains(chave)) return;
        vistas.insert(chave);
    }
    qCInfo(lcTrevolino).noquote() << texto;
}

}  // namespace plataforma
