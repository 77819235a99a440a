// Shared test support: every test runs with a temporary HOME and XDG folders, never the real ones.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

namespace apoio {

// Points HOME and the XDG folders at a fresh temporary folder; call before the application
// object is made. The folder lives until the process ends.
inline QString prepararAmbienteIsolado() {
    static QTemporaryDir* dir = nullptr;
    if (!dir) {
        dir = new QTemporaryDir(QDir::tempPath() + "/trevolino-teste-XXXXXX");
        const QString home = dir->path();
        QDir(home).mkpath(".local/share/applications");
        QDir(home).mkpath(".local/share/fonts");
        QDir(home).mkpath(".config");
        QDir(home).mkpath("Desktop");
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
        qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
        qputenv("XDG_DESKTOP_DIR", (home + "/Desktop").toUtf8());
        qunsetenv("XDG_DATA_DIRS");
    }
    return dir->path();
}

}  // namespace apoio
