#pragma once

#include <QByteArray>
#include <QString>

namespace plataforma {

// The running executable's file version "major.minor.release.build", or "Padrão" when the
// executable carries no version block.
QString ObterVersaoDoExecutavel();

// The same, read from any file (the version block is an ELF section of our own).
QString LerVersaoDoArquivo(const QString& caminho);
QString LerVersaoDoArquivoNativo(const QByteArray& caminho);

// The running program's file, as the system names it: the program even when started through
// the dynamic loader.
QByteArray ArquivoDoExecutavelNativo();
QString ArquivoDoExecutavel();

// Whether a path's bytes survive being held as text (a name that is no valid UTF-8 does not),
// and the path shown with each byte that does not as \xNN.
bool NomeRepresentavel(const QByteArray& caminho);
QString CaminhoLegivel(const QByteArray& caminho);

}  // namespace plataforma

// The general routines among these, under that name as well (uRotinasGerais).
namespace uRotinasGerais {
using plataforma::ObterVersaoDoExecutavel;
}  // namespace uRotinasGerais
