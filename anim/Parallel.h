#pragma once

#include "anim/Interval.h"

#include <cstddef>
#include <vector>

// Plays all its children at once with the same time step; lasts as long as
// its longest child. Owns its children.
class Parallel : public Interval {
  public:
    // The children, ended by nullptr (passed as pointers to classes whose only
    // base is Interval, as every step of the game is).
    explicit Parallel(Interval* first, ...) __attribute__((sentinel));
    // Parallel(nullptr): an empty parallel (the list form would take the lone
    // null for a missing terminator).
    explicit Parallel(std::nullptr_t) : Interval(0, 1) {}
    ~Parallel() override;
    Parallel(const Parallel&) = delete;
    Parallel& operator=(const Parallel&) = delete;

    void start() override;
    // Finishes every child that has not finished yet.
    void finish() override;
    // Runs at rate 1. The children are updated on the frame on which the
    // parallel itself finishes, so the longest one reaches its end; they are
    // restarted whenever the parallel wraps into a new cycle.
    bool update(float dt) override;

    std::vector<Interval*> children;
};
