#include "common/testing/virtual_clock.h"

#include <algorithm>

namespace fake {

VirtualClock::EventId VirtualClock::At(uint64_t elapsedMs, std::function<void()> action) {
    return Schedule(elapsedMs, false, std::move(action));
}

VirtualClock::EventId VirtualClock::PostAt(uint64_t elapsedMs, std::function<void()> handler) {
    return Schedule(elapsedMs, true, std::move(handler));
}

VirtualClock::EventId VirtualClock::Schedule(uint64_t elapsedMs, bool isMessage, std::function<void()> action) {
    EventId id = nextId_++;
    Key key{elapsedMs, id};
    queue_.emplace(key, Item{id, isMessage, std::move(action)});
    keys_.emplace(id, key);
    return id;
}

bool VirtualClock::Cancel(EventId id) {
    auto found = keys_.find(id);
    if (found == keys_.end()) return false;
    queue_.erase(found->second);
    keys_.erase(found);
    return true;
}

void VirtualClock::Sleep(uint64_t ms) { AdvanceTo(elapsed_ + ms, false); }

void VirtualClock::Pump(uint64_t ms) { AdvanceTo(elapsed_ + ms, true); }

void VirtualClock::WaitForMessage(uint64_t ms) {
    uint64_t target = elapsed_ + ms;
    std::optional<uint64_t> message = NextMessageTime();
    if (message && *message < target) target = std::max(*message, elapsed_);
    AdvanceTo(target, false);
}

bool VirtualClock::RunUntil(const std::function<bool()>& done, uint64_t maxMs) {
    uint64_t limit = elapsed_ + maxMs;
    while (!done()) {
        if (!FireNext(limit, true)) {
            elapsed_ = std::max(elapsed_, limit);
            return done();
        }
    }
    return true;
}

std::optional<uint64_t> VirtualClock::NextItemTime() const {
    if (queue_.empty()) return std::nullopt;
    return queue_.begin()->first.first;
}

std::optional<uint64_t> VirtualClock::NextMessageTime() const {
    for (const auto& [key, item] : queue_) {
        if (item.isMessage) return key.first;
    }
    return std::nullopt;
}

void VirtualClock::AdvanceTo(uint64_t target, bool deliverMessages) {
    while (FireNext(target, deliverMessages)) {
    }
    elapsed_ = std::max(elapsed_, target);
}

bool VirtualClock::FireNext(uint64_t target, bool deliverMessages) {
    // Messages left pending by a sleep stay in the queue; walking past them
    // to the first eligible item keeps the world events in time order.
    for (auto it = queue_.begin(); it != queue_.end() && it->first.first <= target; ++it) {
        if (it->second.isMessage && !deliverMessages) continue;
        uint64_t due = it->first.first;
        std::function<void()> action = std::move(it->second.action);
        keys_.erase(it->second.id);
        queue_.erase(it);
        elapsed_ = std::max(elapsed_, due);
        action();
        return true;
    }
    return false;
}

}  // namespace fake
