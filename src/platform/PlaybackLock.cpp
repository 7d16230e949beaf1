#include "platform/PlaybackLock.h"

namespace fretlo {

std::recursive_mutex& PlaybackLock() {
    static std::recursive_mutex lock;
    return lock;
}

}  // namespace fretlo
