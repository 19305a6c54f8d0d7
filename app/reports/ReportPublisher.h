// Publishing a data report from the analysis views registered in the global state: the
// static view's three tabs, the balance view's charts and parameter panel, and the report
// viewer's composition, which then shows the new PDF.
#pragma once

#include <QString>

#include "AppConstants.h"

struct ReportPublishing {
    QString comment;  // as typed; line breaks become spaces in the report
    // Where the PDF goes; empty: app::reportDirectory() + a stamp no report has yet.
    QString pdfPath = QString();
    QString screenshotFolder = app::cacheDirectory();
    // The program keeps the screenshots for ten seconds; a batch run removes them at once.
    bool removeScreenshotsAtOnce = false;
};

// Runs the publishing sequence (tab switches with their waits, screenshots, composition).
// Returns the path of the PDF written, empty when none could be written (the viewer has told
// the user why) or when a publishing is already running.
QString publishReport(const ReportPublishing& publishing);

// How long publishing waits on purpose, processing events so that tab switches repaint before
// their screenshots (the pauses around the static view's screenshots, its own waits and the
// balance view's).
int publishingFixedWaitsMs();
