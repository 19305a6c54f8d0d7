// Connections between views that the main window makes, and tests that build the same views
// without the window make alike.
#pragma once

class dataAnalysis;
class timeLine;

// The timeline plays the balance view's recording: the bar follows the analysed recording,
// shows its playback controls on the frame page, plays only while the view is on screen and
// has the view show the frames it chooses.
void connectPlayback(dataAnalysis& balance, timeLine& bar);
