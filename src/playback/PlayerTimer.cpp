// The current player and the playback generation: callbacks of a timer that was killed
// while they were already on their way find another generation and do nothing.
#include <memory>

#include "platform/PlaybackLock.h"
#include "playback/Player.h"

namespace fretlo {

namespace {
// Both guarded by the playback lock.
TPlayer* currentPlayer = nullptr;
uint32_t playbackGeneration = 0;
}  // namespace

uint32_t TPlayer::MakeCurrent(TPlayer* player) {
    TPlaybackGuard guard(PlaybackLock());
    currentPlayer = player;
    return ++playbackGeneration;
}

void TPlayer::ForgetCurrent(TPlayer* player) {
    TPlaybackGuard guard(PlaybackLock());
    if (currentPlayer == player) currentPlayer = nullptr;
}

void TPlayer::TimerCallback(uint32_t generation) {
    TPlaybackGuard guard(PlaybackLock());
    TPlayer* player = currentPlayer;
    if (!player || generation != playbackGeneration) return;
    try {
        player->Tick();
    } catch (const std::exception& e) {
        player->halt_.exchange(-1);
        player->services_.Events->PostPlayError(std::make_unique<std::string>(e.what()));
    } catch (...) {
        player->halt_.exchange(-1);
        player->services_.Events->PostPlayError(nullptr);
    }
}

}  // namespace fretlo
