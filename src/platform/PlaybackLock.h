// The process-wide playback lock: held by the timer thread for each tick and by the
// user-interface thread while it changes playable content or rebuilds a time cache.
#pragma once

#include <mutex>

namespace fretlo {

std::recursive_mutex& PlaybackLock();

// Holds the playback lock for a scope.
using TPlaybackGuard = std::lock_guard<std::recursive_mutex>;

}  // namespace fretlo
