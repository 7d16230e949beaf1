// The ALSA library reports every failed open on stderr; the program reports failures itself.
#pragma once

namespace fretlo {

// Routes the ALSA library's messages nowhere, once per process.
void QuietAlsa();

}  // namespace fretlo
