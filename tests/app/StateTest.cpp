#include "app/State.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

// Records every switch-related call together with what currentState held at
// that moment.
class Probe : public State {
  public:
    explicit Probe(const char* n) : State(n) {}
    bool enter(State* previous) override {
        calls.push_back(std::string(name) + ".enter(" + label(previous) +
                        ") current=" + label(currentState));
        return enterResult;
    }
    bool canLeave(State* next) override {
        calls.push_back(std::string(name) + ".canLeave(" + label(next) +
                        ") current=" + label(currentState));
        return allowLeave;
    }
    bool leave(State* next) override {
        calls.push_back(std::string(name) + ".leave(" + label(next) +
                        ") current=" + label(currentState));
        return true;
    }
    static std::string label(State* s) { return s ? s->name : "null"; }

    bool enterResult = true;
    bool allowLeave = true;
};

class SwitchStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        calls.clear();
        currentState = nullptr;
    }
    void TearDown() override { currentState = nullptr; }
    Probe a{"A"};
    Probe b{"B"};
};

TEST_F(SwitchStateTest, FirstSwitchOnlyEntersWithNullPrevious) {
    EXPECT_TRUE(switchState(&a));
    EXPECT_EQ(calls, (std::vector<std::string>{"A.enter(null) current=null"}));
    EXPECT_EQ(currentState, &a);
}

TEST_F(SwitchStateTest, SwitchAsksLeavesThenEntersWhileOldStateIsCurrent) {
    switchState(&a);
    calls.clear();
    EXPECT_TRUE(switchState(&b));
    EXPECT_EQ(calls, (std::vector<std::string>{"A.canLeave(B) current=A", "A.leave(B) current=A",
                                               "B.enter(A) current=A"}));
    EXPECT_EQ(currentState, &b);
}

TEST_F(SwitchStateTest, SwitchToItselfLeavesAndReentersTheSameState) {
    switchState(&a);
    calls.clear();
    EXPECT_TRUE(switchState(&a));
    EXPECT_EQ(calls, (std::vector<std::string>{"A.canLeave(A) current=A", "A.leave(A) current=A",
                                               "A.enter(A) current=A"}));
    EXPECT_EQ(currentState, &a);
}

TEST_F(SwitchStateTest, VetoKeepsCurrentStateAndCallsNothingElse) {
    switchState(&a);
    calls.clear();
    a.allowLeave = false;
    EXPECT_FALSE(switchState(&b));
    EXPECT_EQ(calls, (std::vector<std::string>{"A.canLeave(B) current=A"}));
    EXPECT_EQ(currentState, &a);
}

TEST_F(SwitchStateTest, StateWhoseEnterFailsBecomesCurrentAnyway) {
    b.enterResult = false;
    switchState(&a);
    EXPECT_TRUE(switchState(&b));
    EXPECT_EQ(currentState, &b);
}

TEST(StateBase, BaseBehaviourAcceptsEverythingAndDoesNothing) {
    State s("plain");
    EXPECT_STREQ(s.name, "plain");
    EXPECT_TRUE(s.enter(nullptr));
    EXPECT_TRUE(s.canLeave(&s));
    EXPECT_TRUE(s.leave(&s));
    // The input operations must be callable with anything GLUT delivers.
    s.mouse(0, 1, -5, 100000);
    s.keyboard(255, 0, 0);
    s.special(-1, 0, 0);
    s.draw();
    s.update();
}

} // namespace
