// A key held down, as the X server reports it. By default the server repeats a held key as
// release-and-press pairs, which a program cannot tell from quick separate presses when the
// press of a pair has not arrived yet; asked, it repeats only the press, so the one release
// comes when the key is let go.
#pragma once

namespace plataforma {

// Asks the X server to repeat a held key as presses alone, for every window of this program.
// True when the request went to an X server with XKB (its answer is not waited for); false
// elsewhere (another platform, an X server without XKB), where the repeats stay as the platform
// sends them.
bool RepetirSoOAperto();

}  // namespace plataforma
