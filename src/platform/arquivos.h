// Shell and file helpers: special folders, launchers, copies and removals, on freedesktop.
#pragma once

#include <QString>

class QWidget;

namespace uRotinasGerais {

QString PastaDoWindows();           // stand-in: /usr/local/bin when writable, else ~/.local/bin
QString PastaDeProgramas();         // /opt when writable, else the user's data folder; never empty
QString PastaDaAreaDeTrabalho();    // the XDG desktop folder
QString PastaDoMenuIniciar();       // ~/.local/share/applications (XDG)
QString PastaEspecial(int numero);  // 0 desktop, 11 start menu, 20 fonts; empty for others

// Writes a freedesktop launcher `NomeDoAtalho`.desktop; Lugar 0 = desktop, 1 = group folder.
// True when the launcher was written; `Arquivo`, when given, receives the launcher's path (empty
// when no path could be built).
bool CriarAtalho(const QString& Alvo, const QString& Argumentos, const QString& PastaDeTrabalho,
                 const QString& NomeDoAtalho, const QString& NomeDoGrupo, unsigned char Lugar,
                 QString* Arquivo = nullptr);

bool CopiarArquivo(const QString& Origem, const QString& Destino);
// True when the whole folder was copied; a copy that fails takes back what it made.
bool CopiarPasta(QWidget* JanelaDona, const QString& Origem, const QString& Destino);
bool ApagarArquivo(const QString& Caminho, bool ParaLixeira);
bool ApagarPasta(const QString& Caminho, bool ParaLixeira);

}  // namespace uRotinasGerais
