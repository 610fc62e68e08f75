#include "keeper_rules.h"

bool KeeperShouldRaise(const KeeperInput& input) {
    if (!input.alwaysOnTop) return false;
    if (input.nowTick - input.lastRaiseTick < kRaiseIntervalMs) return false;
    return !input.menuOpen && input.mainWindowEnabled;
}
