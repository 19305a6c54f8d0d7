// A recording of a subject standing still, as the program sees it: the emulator's plate-order
// frames turned a quarter turn counter-clockwise (caller cell (i, j) = plate cell (j, 49 - i)),
// so the left foot lies in columns 0-24 with the toes toward row 0.
#pragma once

#include <vector>

#include "PressureMatrix.h"
#include "standing_subject.h"

inline PressureMatrix standingFrameAsSeen(double timeSeconds) {
    const plate::SourceFrame source = platesim::standingSubjectFrame(timeSeconds, 0);
    PressureMatrix frame;
    for (int i = 0; i < PressureMatrix::kRows; ++i) {
        for (int j = 0; j < PressureMatrix::kColumns; ++j) {
            frame.at(i, j) =
                source[j * PressureMatrix::kColumns + (PressureMatrix::kColumns - 1 - i)];
        }
    }
    return frame;
}

inline std::vector<PressureMatrix> standingRecording(int frameCount, double framesPerSecond) {
    std::vector<PressureMatrix> frames;
    frames.reserve(frameCount);
    for (int k = 0; k < frameCount; ++k) {
        frames.push_back(standingFrameAsSeen(k / framesPerSecond));
    }
    return frames;
}
