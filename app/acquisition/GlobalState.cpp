#include "GlobalState.h"

GlobalState& globalState() {
    static GlobalState* const state = new GlobalState;  // lives until the process ends
    return *state;
}
