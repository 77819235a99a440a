#include "platform/texto.h"

namespace plataforma {

QString Aparar(const QString& texto) {
    qsizetype i = 0, j = texto.size();
    while (i < j && texto[i].unicode() <= 32) ++i;
    while (j > i && texto[j - 1].unicode() <= 32) --j;
    return texto.mid(i, j - i);
}

}  // namespace plataforma
