// The game's general routines (uRotinasGerais). They are free functions split over the folders
// that own them; this header gathers them so callers need one include.
#pragma once

#include "shell/cursores.h"
#include "shell/dialogo_rotinas.h"
#include "shell/espera.h"
#include "shell/recursos.h"
#include "shell/som.h"
#include "platform/versao.h"
#include "platform/arquivos.h"
