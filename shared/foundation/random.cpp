// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/random.h"

#include <chrono>

namespace qr {

void TRandom::Randomize() {
    using namespace std::chrono;
    auto now = system_clock::now().time_since_epoch();
    auto ms = duration_cast<milliseconds>(now).count() % (24LL * 3600 * 1000);
    seed_ = static_cast<uint32_t>(ms);
}

TRandom& GameRandom() {
    static TRandom r;
    return r;
}

} // namespace qr
