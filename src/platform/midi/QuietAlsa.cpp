#include "platform/midi/QuietAlsa.h"

#include <alsa/asoundlib.h>

#include <mutex>

namespace fretlo {

namespace {
void Discard(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

void QuietAlsa() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(Discard); });
}

}  // namespace fretlo
