// The game's language from the user's locale variables, in gettext's order.
#include <QScopeGuard>
#include <QTest>

#include "platform/idioma.h"
#include "registro_de_testes.h"

class TesteIdioma : public QObject {
    Q_OBJECT
private slots:
    void escolheComoOGettext() {
        // LC_ALL, LC_MESSAGES, LANG, LANGUAGE, and the translation chosen among {"en"}
        const char* casos[][5] = {
            {"", "", "en_US.UTF-8", "", "en"},
            {"", "", "en_GB.UTF-8@euro", "", "en"},
            {"", "", "de_DE.UTF-8", "", ""},               // no German: the game's own Portuguese
            {"C", "", "en_US.UTF-8", "en", ""},            // under C no translation, LANGUAGE or not
            {"", "", "pt_BR.UTF-8", "de:en_US:pt", "en"},  // LANGUAGE first, by its first known entry
            {"", "", "en_US.UTF-8", "pt_PT:en", ""},       // Portuguese asked before English
            {"pt_BR.UTF-8", "en_US.UTF-8", "en_US.UTF-8", "", ""},  // LC_ALL before the others
            {"", "en_US.UTF-8", "pt_BR.UTF-8", "", "en"},           // LC_MESSAGES before LANG
        };
        const char* nomes[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
        QByteArray antes[4];
        for (int i = 0; i < 4; ++i) antes[i] = qgetenv(nomes[i]);
        const auto repor = qScopeGuard([&] {
            for (int i = 0; i < 4; ++i) qputenv(nomes[i], antes[i]);
        });
        for (const auto& c : casos) {
            for (int i = 0; i < 4; ++i) qputenv(nomes[i], c[i]);
            QCOMPARE(plataforma::EscolherTraducao(plataforma::IdiomasPedidos(), {"en"}), QString(c[4]));
        }
    }
};

REGISTRAR_TESTE(TesteIdioma);
#include "test_idioma.moc"
