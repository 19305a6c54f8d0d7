#include "raw_recording.h"

#include <algorithm>

#include <QString>
#include <cmath>

#include "PladexGrid.h"
#include "RecordingWriter.h"
#include "standing_subject.h"

namespace platesim {

ForcePlateFrame_TypeDef toReceivedFrame(const plate::SourceFrame& source) {
    constexpr int side = plate::kGridSide;
    ForcePlateFrame_TypeDef frame{};
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            PressureCell& cell = frame.cells[side * i + j];
            const int plateIndex = pladex::plateIndexOfCallerCell(i, j);
            cell.row = plateIndex / side;
            cell.column = plateIndex % side;
            cell.value = source[plateIndex];
        }
    }
    return frame;
}

std::string writeRawRecording(const SimOptions& options) {
    constexpr double kClosedEyesSway = 2.5;
    RecordingHeader header;
    header.measureMode = options.eyesClosed ? recording::kEyesClosed : recording::kEyesOpen;
    // The file interleaves every plate's frames, so its rate is their sum.
    header.frameRate = static_cast<std::uint16_t>(std::min(options.rate * options.plates, 65535));
    RecordingWriter writer;
    RecordingError error = writer.open(QString::fromStdString(options.writeRawPath), header);
    const double sway = options.eyesClosed ? kClosedEyesSway : 1.0;
    const auto frames = static_cast<long long>(std::llround(options.recordSeconds * options.rate));
    for (long long k = 0; error.ok() && k < frames; ++k) {
        const double t = static_cast<double>(k) / options.rate;
        for (int plate = 0; error.ok() && plate < options.plates; ++plate)
            error = writer.appendFrame(toReceivedFrame(standingSubjectFrame(t, plate, sway)));
    }
    const RecordingError closed = writer.close();
    if (error.ok()) error = closed;
    return error.ok() ? std::string() : error.message.toStdString();
}

}  // namespace platesim
