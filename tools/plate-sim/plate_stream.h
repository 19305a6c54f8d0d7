// Runs a set of emulated plates on one thread: paces their frames and serves their commands.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "sim_options.h"
#include "simulated_plate.h"

namespace platesim {

// Opens one socket per plate; throws std::runtime_error when a socket cannot be opened.
std::vector<std::unique_ptr<SimulatedPlate>> createPlates(const SimOptions& options);

// Streams until every plate has finished its frames or duration, or `stop` becomes true.
// Frames that fall due at the same moment are sent together, plate after plate.
void streamPlates(std::vector<std::unique_ptr<SimulatedPlate>>& plates,
                  const std::atomic<bool>& stop);

}  // namespace platesim
