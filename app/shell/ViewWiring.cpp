#include "ViewWiring.h"

#include "dataAnalysis.h"
#include "timeLine.h"

void connectPlayback(dataAnalysis& balance, timeLine& bar) {
    QObject::connect(&balance, &dataAnalysis::recordingShown, &bar, &timeLine::followRecording);
    QObject::connect(&balance, &dataAnalysis::timelineControlsWanted, &bar,
                     &timeLine::setTimelineControlsVisible);
    QObject::connect(&balance, &dataAnalysis::onScreen, &bar, [&bar](bool shown) {
        bar.setPlaybackAllowed(shown);
        if (!shown) bar.stopPlayback();
    });
    QObject::connect(&bar, &timeLine::frameChosen, &balance, &dataAnalysis::showFrame);
}
