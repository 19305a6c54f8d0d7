// plate-sim --write-raw: the frames the emulator would stream, written as the program records
// them, so that sample recordings exist without a plate or a running program.
#pragma once

#include <string>

#include "ForcePlateFrame.h"
#include "plate_datagram.h"
#include "sim_options.h"

namespace platesim {

// The plate's frame as the program receives it: turned a quarter turn counter-clockwise
// (the program's cell (i, j) is the plate's cell (j, 49 - i)), as the plate SDK delivers it.
ForcePlateFrame_TypeDef toReceivedFrame(const plate::SourceFrame& source);

// Writes options.writeRawPath: the header (mode 1 with options.eyesClosed) and, for every
// frame time k / rate below options.recordSeconds, the frame of every plate in plate order.
// Returns an empty text on success, else why the file could not be written.
std::string writeRawRecording(const SimOptions& options);

}  // namespace platesim
