#include "anim/Sequence.h"

#include <cstdarg>
#include <limits>

namespace {

// Seconds of the sequence that the child needs to reach its end from where it
// stands. A stopped child (rate 0) holds the sequence for good.
float timeNeeded(const Interval& child) {
    if (child.rate > 0) {
        return (child.duration - child.time) / child.rate;
    }
    if (child.rate < 0) {
        return -child.time / child.rate;
    }
    return std::numeric_limits<float>::infinity();
}

} // namespace

Sequence::Sequence(Interval* first, ...) : Interval(0, 1) {
    va_list args;
    va_start(args, first);
    for (Interval* child = first; child != nullptr; child = va_arg(args, Interval*)) {
        append(child);
    }
    va_end(args);
}

Sequence::~Sequence() {
    for (Interval* child : children) {
        delete child;
    }
}

void Sequence::append(Interval* child) {
    if (child == nullptr) {
        return;
    }
    children.push_back(child);
    duration += playingLength(*child);
}

void Sequence::start() {
    Interval::start();
    current = 0;
    if (!children.empty()) {
        children[0]->start();
    }
}

void Sequence::finish() {
    Interval::finish();
    for (int32_t i = current; i < childCount(); ++i) {
        children[i]->finish();
    }
}

void Sequence::playChildren(float dt) {
    float remaining = dt;
    for (;;) {
        Interval* child = children[current];
        const float needed = timeNeeded(*child);
        child->update(remaining);
        if (remaining < needed) {
            return; // the child is still running
        }
        ++current;
        if (current >= childCount()) {
            return;
        }
        children[current]->start();
        remaining -= needed;
        if (!(remaining > 0)) {
            return;
        }
    }
}

bool Sequence::update(float dt) {
    if (paused || finished || repeats == 0) {
        return false;
    }
    if (current >= childCount()) {
        return false;
    }
    bool restarted = false;
    for (;;) {
        if (dt > 0) {
            playChildren(dt);
        }
        time += dt;
        if (time <= duration && current < childCount()) {
            return true;
        }
        // The cycle is over: its time passed its duration or its last child
        // ended.
        if (repeats > 0) {
            --repeats;
        }
        if (repeats == 0) {
            // The sequence's own clock sums the same steps as its children's
            // in another order, and may run out a hair before the last child
            // does: whatever is still due plays to its end, so that a step
            // at the very end (the entry line's clearing) is never lost.
            for (int32_t i = current; i < childCount(); ++i) {
                children[i]->finish();
            }
            current = childCount();
            finished = true;
            time = duration;
            return true;
        }
        const float overshoot = time - duration;
        current = 0;
        children[0]->start();
        time = 0;
        // The new cycle gets the overshoot (which is not positive when the
        // children ended early). Handing it on again and again only goes on
        // while each pass uses up time: a cycle of no length would otherwise
        // restart without end, so its next cycle plays on the next update.
        if (!(duration > 0) || (restarted && !(overshoot < dt))) {
            return true;
        }
        restarted = true;
        dt = overshoot;
    }
}
