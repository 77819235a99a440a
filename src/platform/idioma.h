// The language the game speaks: its own Brazilian Portuguese, or a translation compiled into the
// program (":/i18n/trevolino_<language>.qm"), chosen from the user's locale as gettext chooses.
#pragma once

#include <QString>
#include <QStringList>

namespace plataforma {

// The languages the user asked for, in order ("en_US", "pt_BR", ...), read from LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG as gettext reads them: the first of LC_ALL, LC_MESSAGES, LANG that is set
// is the locale; under "C" or "POSIX" nothing is translated; otherwise LANGUAGE, a list split by
// colons, comes first when set. Codesets and modifiers ("." and "@") are left out.
QStringList IdiomasPedidos();

// The translation to use among `traducoes` ("en", "de_AT", ...) for the languages `pedidos`:
// the first asked for that is either Portuguese (the game's own texts: "") or translated, whole
// ("en_GB") or by its language ("en"). None of them: "" as well.
QString EscolherTraducao(const QStringList& pedidos, const QStringList& traducoes);

// Installs the game's translation, Qt's own texts and the numbers' format for the user's
// language, once the application object exists.
void InstalarIdioma();

// What InstalarIdioma chose: "" for Brazilian Portuguese, or the translation's name ("en").
QString IdiomaDoJogo();

// A text file of the program in the game's language: "nome_en.txt" beside "nome.txt" when there is
// one, else `caminho` itself.
QString ArquivoNoIdioma(const QString& caminho);

}  // namespace plataforma
