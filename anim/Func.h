#pragma once

#include "anim/Interval.h"

// A step of no length that makes a call: on every update that advances it (so
// once, on the first update that moves time forward, which also finishes it;
// a step of 0 calls without finishing), or on finish if it never did.
class CallInterval : public Interval {
  public:
    CallInterval() : Interval(0, 1) {}

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

  protected:
    virtual void call() = 0;
};

// Calls a member function of its target that takes no argument. The target is
// not owned.
template <typename T>
class Func : public CallInterval {
  public:
    using Method = void (T::*)();

    Func(T* target, Method method) : target(target), method(method) {}

    T* target;
    Method method;

  protected:
    void call() override {
        if (target != nullptr && method != nullptr) {
            (target->*method)();
        }
    }
};

// As Func, calling a member function with one stored argument. A pointer
// argument is stored as the pointer: what it points at must outlive the step.
template <typename T, typename A>
class Func1 : public CallInterval {
  public:
    using Method = void (T::*)(A);

    Func1(T* target, Method method, A argument)
        : target(target), argument(argument), method(method) {}

    T* target;
    A argument;
    Method method;

  protected:
    void call() override {
        if (target != nullptr && method != nullptr) {
            (target->*method)(argument);
        }
    }
};
