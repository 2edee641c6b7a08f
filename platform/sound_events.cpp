// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound_events.h"

namespace qr {

void SoundEventQueue::Post(SoundEvent event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
}

std::optional<SoundEvent> SoundEventQueue::Pop() {
    std::lock_guard lock(mutex_);
    if (events_.empty()) return std::nullopt;
    SoundEvent e = events_.front();
    events_.pop_front();
    return e;
}

bool SoundEventQueue::Empty() const {
    std::lock_guard lock(mutex_);
    return events_.empty();
}

} // namespace qr
