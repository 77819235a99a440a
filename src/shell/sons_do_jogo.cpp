#include "shell/sons_do_jogo.h"

#include <QFileInfo>
#include <QHash>

#include "platform/leitor_wav.h"
#include "platform/registro.h"
#include "platform/saida_de_som.h"
#include "shell/som.h"

namespace apresentacao {

namespace {

// A sound of the table as read from its file: absent when there was no file.
struct SomLido {
    bool existe = false;
    std::shared_ptr<const plataforma::SomWav> amostras;  // null: not a playable WAV
};

// By the file's whole path; the interface thread's alone.
QHash<QString, SomLido>& lidos() {
    static QHash<QString, SomLido> l;
    return l;
}

QString caminhoDoSom(const QString& pastaDoPrograma, const SomDoEvento& s) {
    return pastaDoPrograma + "Som/" + QString::fromLatin1(s.arquivo);
}

const SomLido& lerUmaVez(const QString& arquivo) {
    auto it = lidos().find(arquivo);
    if (it == lidos().end()) {
        SomLido som;
        som.existe = QFileInfo(arquivo).isFile();
        if (som.existe) som.amostras = plataforma::LerWav(arquivo);
        it = lidos().insert(arquivo, som);
    }
    return *it;
}

}  // namespace

void TocarSomDoEvento(const QString& pastaDoPrograma, jogo::Evento evento) {
    for (const SomDoEvento& s : kSonsDosEventos) {
        if (s.evento != evento) continue;
        if (s.toque == Toque::Parar) {
            uRotinasGerais::PararSom();
            return;
        }
        if (!SomLigado()) return;
        const QString arquivo = caminhoDoSom(pastaDoPrograma, s);
        const SomLido& som = lerUmaVez(arquivo);
        if (!som.existe) {
            plataforma::AvisarUmaVez(arquivo, "sound file missing, nothing plays: " + arquivo);
            return;
        }
        TocarSomLido(arquivo, som.amostras, s.toque == Toque::UmaVez);
        return;
    }
}

void PrepararSonsDosEventos(const QString& pastaDoPrograma) {
    if (!SomLigado()) return;
    for (const SomDoEvento& s : kSonsDosEventos)
        if (s.toque != Toque::Parar) lerUmaVez(caminhoDoSom(pastaDoPrograma, s));
    plataforma::PrepararSaida();
}

}  // namespace apresentacao
