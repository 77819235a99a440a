#include "shell/sons_do_jogo.h"

#include "shell/som.h"

namespace apresentacao {

void TocarSomDoEvento(const QString& pastaDoPrograma, jogo::Evento evento) {
    for (const SomDoEvento& s : kSonsDosEventos) {
        if (s.evento != evento) continue;
        if (s.toque == Toque::Parar)
            uRotinasGerais::PararSom();
        else
            uRotinasGerais::TocarSom(pastaDoPrograma + "Som/" + QString::fromLatin1(s.arquivo),
                                     s.toque == Toque::UmaVez, false);
        return;
    }
}

}  // namespace apresentacao
