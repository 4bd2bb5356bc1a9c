#include "lock/wordlockprogress.h"

namespace WordLockProgress {

bool tick(int count, int& remaining, int& base)
{
    const int grown = count - base;
    if (grown > 0) {
        if (grown <= MaxTypedPerTick)
            remaining -= grown;
        base += grown;
    }
    return remaining <= 0;
}

} // namespace WordLockProgress
