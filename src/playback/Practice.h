// The practice tools of the player: a loop over a time range, a speed as a share of every
// tempo, a trainer that raises the speed every few passes, and a bar of count-in clicks.
// None of them changes the song; playback without them sends what it always sent.
#pragma once

#include <cstdint>
#include <optional>

namespace fretlo {

inline constexpr int MinSpeed = 25;  // % of the song's tempo
inline constexpr int MaxSpeed = 200;
inline constexpr int NormalSpeed = 100;

int ClampSpeed(long long percent);

// START + k x STEP every EVERY passes, up to TARGET.
struct TSpeedTrainer {
    int Start = 50;
    int Step = 5;
    int Every = 1;
    int Target = NormalSpeed;
};

// The trainer's speed for pass `pass` (0 is the first pass).
int TrainerSpeed(const TSpeedTrainer& trainer, int pass);

struct TPractice {
    bool Loop = false;
    int32_t LoopStart = 0;  // song time of the first pass's start
    int32_t LoopEnd = 0;    // song time at which it jumps back (not played)
    int Passes = 0;         // loop passes to play before the song ends; 0: until stopped
    int Speed = NormalSpeed;
    std::optional<TSpeedTrainer> Trainer;  // sets the speed of every pass instead
    bool CountIn = false;                  // one bar of clicks before playback starts
};

// What a running practice is doing, for the view (read without the playback lock).
struct TPracticeState {
    int Speed = NormalSpeed;
    int Pass = 0;  // the loop pass playing, from 0
    bool CountingIn = false;
};

}  // namespace fretlo
