#pragma once

#include "anim/Interval.h"

// Reshapes a blend's progress: maps the linear fraction of the cycle (0 to 1)
// to the fraction that is applied. Owned by the blend that uses it.
class Blender {
  public:
    virtual ~Blender() = default;
    virtual float blend(float fraction, Interval* interval) = 0;
};

// Moves a value from `from` to `to` over the duration and hands every new
// value to a setter of the target (which is not owned). Start it before
// updating it: start applies the start value at once.
template <typename T, typename V>
class BlendInterval : public Interval {
  public:
    using Setter = void (T::*)(V);
    using Getter = V (T::*)() const;

    BlendInterval(T* target, Setter setter, float duration, const V& from, const V& to,
                  Blender* blender)
        : Interval(duration, 1), target(target), setter(setter), from(from), delta(to - from),
          to(to), blender(blender) {}
    ~BlendInterval() override { delete blender; }
    // Owns its blender: never copied.
    BlendInterval(const BlendInterval&) = delete;
    BlendInterval& operator=(const BlendInterval&) = delete;

    void start() override {
        Interval::start();
        if (fromTarget && getter != nullptr && target != nullptr) {
            from = (target->*getter)();
        }
        delta = to - from;
        apply();
    }

    bool update(float dt) override {
        if (!Interval::update(dt)) {
            return false;
        }
        apply();
        return true;
    }

    // The target receives exactly the end value (the start value when playing
    // backwards), started or not: delta is known from construction.
    void finish() override {
        Interval::finish();
        apply();
    }

    T* target;
    Setter setter;
    V from;
    // When fromTarget is set, start reads `from` through the getter.
    Getter getter = nullptr;
    bool fromTarget = false;
    V delta;
    V to;
    // Null for a linear blend.
    Blender* blender;

  private:
    void apply() {
        if (target == nullptr || setter == nullptr) {
            return;
        }
        float fraction;
        if (duration > 0) {
            fraction = time / duration;
        } else {
            // A blend of no length jumps: it shows its starting end until it
            // finishes, then the other end.
            fraction = (rate < 0) != finished ? 1.0f : 0.0f;
        }
        if (blender != nullptr) {
            fraction = blender->blend(fraction, this);
        }
        (target->*setter)(static_cast<V>(delta * fraction + from));
    }
};
