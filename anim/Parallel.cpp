#include "anim/Parallel.h"

#include <cstdarg>

Parallel::Parallel(Interval* first, ...) : Interval(0, 1) {
    va_list args;
    va_start(args, first);
    for (Interval* child = first; child != nullptr; child = va_arg(args, Interval*)) {
        children.push_back(child);
        const float length = playingLength(*child);
        if (length > duration) {
            duration = length;
        }
    }
    va_end(args);
}

Parallel::~Parallel() {
    for (Interval* child : children) {
        delete child;
    }
}

void Parallel::start() {
    Interval::start();
    for (Interval* child : children) {
        child->start();
    }
}

void Parallel::finish() {
    Interval::finish();
    for (Interval* child : children) {
        if (!child->finished) {
            child->finish();
        }
    }
}

bool Parallel::update(float dt) {
    rate = 1.0f;
    const int32_t cyclesBefore = cycles;
    if (!Interval::update(dt)) {
        return false;
    }
    if (cycles != cyclesBefore) {
        for (Interval* child : children) {
            child->start();
        }
    }
    for (Interval* child : children) {
        child->update(dt);
    }
    return true;
}
