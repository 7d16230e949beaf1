#include "playback/Practice.h"

#include <algorithm>

namespace fretlo {

int ClampSpeed(long long percent) { return static_cast<int>(std::clamp<long long>(percent, MinSpeed, MaxSpeed)); }

int TrainerSpeed(const TSpeedTrainer& trainer, int pass) {
    const long long steps = pass / std::max(trainer.Every, 1);
    return ClampSpeed(std::min<long long>(trainer.Start + steps * trainer.Step, trainer.Target));
}

}  // namespace fretlo
