#pragma once

#include "anim/Interval.h"

// What a Probe saw: shared so that it survives the probe's deletion.
struct ProbeLog {
    int starts = 0;
    int finishes = 0;
    int updates = 0;
    int destroyed = 0;
    float lastDt = 0;
};

// A plain timed interval that records the calls it receives.
class Probe : public Interval {
  public:
    Probe(float duration, ProbeLog* log) : Interval(duration, 1), log(log) {}
    ~Probe() override { ++log->destroyed; }
    void start() override {
        ++log->starts;
        Interval::start();
    }
    void finish() override {
        ++log->finishes;
        Interval::finish();
    }
    bool update(float dt) override {
        ++log->updates;
        log->lastDt = dt;
        return Interval::update(dt);
    }

  private:
    ProbeLog* log;
};

// A target for Func steps that counts its calls and remembers an argument.
struct Counter {
    int calls = 0;
    const char* lastArgument = nullptr;
    void bump() { ++calls; }
    void take(const char* argument) {
        ++calls;
        lastArgument = argument;
    }
};

// A target for blends, with a getter.
struct Slider {
    float value = 0;
    int sets = 0;
    void set(float v) {
        value = v;
        ++sets;
    }
    float get() const { return value; }
};
