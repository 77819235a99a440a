// Shell and file helpers: special folders, launchers, copies and removals, on freedesktop.
#pragma once

#include <QString>

class QWidget;

namespace uRotinasGerais {

QString PastaDoWindows();        // stand-in: /usr/local/bin when writable, else ~/.local/bin
QString PastaDeProgramas();      // /opt when writable, else the user's data folder; never empty
QString PastaDaAreaDeTrabalho(); // the XDG desktop folder
QString PastaDoMenuIniciar();    // ~/.local/share/applications (XDG)
QString PastaEspecial(int numero);  // 0 desktop, 11 start menu, 20 fonts; empty for others

// Writes a freedesktop launcher `NomeDoAtalho`.desktop; Lugar 0 = desktop, 1 = group folder.
void CriarAtalho(const QString& Alvo, const QString& Argumentos, const QString& PastaDeTrabalho,
                 const QString& NomeDoAtalho, const QString& NomeDoGrupo, unsigned char Lugar);

bool CopiarArquivo(const QString& Origem, const QString& Destino);
void CopiarPasta(QWidget* JanelaDona, const QString& Origem, const QString& Destino);
bool ApagarArquivo(const QString& Caminho, bool ParaLixeira);
bool ApagarPasta(const QString& Caminho, bool ParaLixeira);

}  // namespace uRotinasGerais
