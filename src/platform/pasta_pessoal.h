#pragma once

namespace plataforma {

// Makes sure HOME names the user's own folder before Qt reads it. Qt takes an unset, empty or
// relative HOME as the root folder, and the game would then put its font copy, launchers and
// menu entries under "/" (as root, in the system's own root). The account's home folder from
// the user database takes its place; a HOME that is already an absolute path is left alone.
// Returns whether HOME was changed.
bool GarantirPastaPessoal();

}  // namespace plataforma
