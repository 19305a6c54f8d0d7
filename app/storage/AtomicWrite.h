// Outputs are written whole or not at all: into a temporary file beside the target, which
// replaces the target only once it is complete. A failure leaves an earlier file as it was and
// no partial file behind. Every file written this way is private (0600).
#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QSettings>
#include <QString>
#include <functional>

// Opens file for writing (mode is added to WriteOnly) and makes its temporary file private.
// Write, then commit(); an uncommitted file is discarded. A target that exists and is no
// regular file (a folder, device or FIFO) is refused: it would be replaced by a file. Returns
// an empty text when open, else the cause.
QString openPrivateSaveFile(QSaveFile& file, QIODevice::OpenMode mode = QIODevice::NotOpen);

// Replaces path with bytes. Returns an empty text when written, else the cause.
QString writeFileAtomically(const QString& path, const QByteArray& bytes);

// Applies edit to the UTF-8 INI file at iniPath: to a copy of it beside it, which then replaces
// the file; a missing folder is created with createPrivateFolder. Returns an empty text when
// stored, else the cause.
QString updateIniFile(const QString& iniPath, const std::function<void(QSettings&)>& edit);
