// The game's one name for the desktop: the Wayland app_id, the X11 WM_CLASS instance, the
// StartupWMClass of every launcher, the packaged desktop file and icons, and the AppStream id.
// A desktop matches a running window to its launcher, icon and store entry by this name alone,
// so it is set once, in the top CMakeLists.txt, and every one of those places reads it from there.
#pragma once

namespace plataforma {

inline constexpr char kIdDoAplicativo[] = TREVOLINO_ID_DO_APLICATIVO;

}  // namespace plataforma
