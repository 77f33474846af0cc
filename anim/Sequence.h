#pragma once

#include "anim/Interval.h"

#include <cstddef>
#include <vector>

// Plays its children one after another. A child that ends within a frame
// hands the rest of that frame to the next, so a chain of steps of no length
// all happen in the same frame. Owns its children.
class Sequence : public Interval {
  public:
    // The children in playing order, ended by nullptr (passed as pointers to
    // classes whose only base is Interval, as every step of the game is).
    explicit Sequence(Interval* first, ...) __attribute__((sentinel));
    // Sequence(nullptr): an empty sequence (the list form would take the lone
    // null for a missing terminator).
    explicit Sequence(std::nullptr_t) : Interval(0, 1) {}
    ~Sequence() override;
    Sequence(const Sequence&) = delete;
    Sequence& operator=(const Sequence&) = delete;

    // Adds a child at the end and lengthens the sequence by its length. A
    // running sequence plays it when it gets there. A null child is ignored.
    void append(Interval* child);

    // Starts the first child only; each later one starts when reached. An
    // empty sequence just becomes running (and its updates do nothing).
    void start() override;
    // Finishes the running child and every one after it.
    void finish() override;
    // The sequence's own time advances by dt unscaled: its rate is read only
    // by an enclosing sequence.
    bool update(float dt) override;

    std::vector<Interval*> children;
    // Index of the running child; the number of children once all ended.
    int32_t current = 0;

  private:
    // Plays dt (> 0) through the running child and on through every child
    // that ends within it.
    void playChildren(float dt);
    int32_t childCount() const { return static_cast<int32_t>(children.size()); }
};
