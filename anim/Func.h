#pragma once

#include "anim/Interval.h"

// A step of no length that calls a member function of its target: once, on
// the first update that moves time forward (or on finish, if it never did).
// The target is not owned.
template <typename T>
class Func : public Interval {
  public:
    using Method = void (T::*)();

    Func(T* target, Method method) : Interval(0, 1), target(target), method(method) {}

    // Calls the method on every update that advances the interval; with no
    // length the first positive step also finishes it, so it fires once. A
    // step of 0 fires without finishing.
    bool update(float dt) override {
        const bool advanced = Interval::update(dt);
        if (advanced) {
            call();
        }
        return advanced;
    }

    // Skipping to the end still makes the call that was due.
    void finish() override {
        if (!finished) {
            call();
        }
        Interval::finish();
    }

    T* target;
    Method method;

  private:
    void call() {
        if (target != nullptr && method != nullptr) {
            (target->*method)();
        }
    }
};

// As Func, calling a member function with one stored argument. A pointer
// argument is stored as the pointer: what it points at must outlive the step.
template <typename T, typename A>
class Func1 : public Interval {
  public:
    using Method = void (T::*)(A);

    Func1(T* target, Method method, A argument)
        : Interval(0, 1), target(target), argument(argument), method(method) {}

    bool update(float dt) override {
        const bool advanced = Interval::update(dt);
        if (advanced) {
            call();
        }
        return advanced;
    }

    void finish() override {
        if (!finished) {
            call();
        }
        Interval::finish();
    }

    T* target;
    A argument;
    Method method;

  private:
    void call() {
        if (target != nullptr && method != nullptr) {
            (target->*method)(argument);
        }
    }
};
