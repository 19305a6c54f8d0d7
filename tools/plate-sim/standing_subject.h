// Synthetic frames of a subject standing still on a plate.
#pragma once

#include "plate_datagram.h"

namespace platesim {

// The frame that plate `plateIndex` measures `timeSeconds` after it started streaming.
// Seen in the receiving program's grid (the plate's frame turned a quarter turn
// counter-clockwise), the left foot lies in columns 0-24 and the right one in columns 25-49,
// toes at the top rows and heels at the bottom. Heels peak near 2600-2950, the metatarsal heads
// near 2000, toes below 1000, the lateral midfoot around 500; cells off the feet are 0. The
// loads shift slowly between heel and forefoot and between the feet, so that the centre of
// pressure sways over a few millimetres; each plate has its own phase and a slightly different
// body weight. swayScale multiplies the sway (a subject with closed eyes sways more).
plate::SourceFrame standingSubjectFrame(double timeSeconds, int plateIndex, double swayScale = 1.0);

}  // namespace platesim
