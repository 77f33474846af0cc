#include "app/QuitSignals.h"

#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t caught = 0;

void noteSignal(int number) { caught = number; }

} // namespace

void installQuitSignals() {
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a signal cuts the loop's sleep short.
    action.sa_flags = 0;
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(number, &action, nullptr);
    }
}

int quitSignal() { return caught; }

void exitOnQuitSignal() {
    if (caught != 0) {
        std::exit(128 + caught);
    }
}
