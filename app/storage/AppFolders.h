// Where the program and its tools keep things. Per user, following the XDG base directories:
// the data folder ($XDG_DATA_HOME/tessaly, else ~/.local/share/tessaly) holds the subjects
// database, the recordings, the reports and the cache; the config folder ($XDG_CONFIG_HOME/
// tessaly, else ~/.config/tessaly) the INI files. Read-only resources (pictures, the shipped INI
// defaults) lie beside the executable in Resources/, or in ../share/tessaly when installed. A
// file named "portable" beside the executable keeps everything beside it, as on a USB stick.
#pragma once

#include <QString>

// What the folders are resolved from: nothing else is read but the file system.
struct FolderInputs {
    QString executableDir;
    QString home;
    QString xdgDataHome;    // empty or relative: unset (relative values are ignored, as XDG says)
    QString xdgConfigHome;  // likewise
};

struct AppFolders {
    bool portable = false;
    QString resources;  // read-only
    QString data;
    QString config;

    // Each with a trailing "/" where names are appended to it.
    QString subjectDatabase() const;
    QString recordings() const;
    QString reports() const;
    QString cache() const;
};

// The name of the marker file beside the executable that selects the portable layout.
constexpr const char* kPortableMarker = "portable";
// The INI file of the program's own settings, and its keys read here.
constexpr const char* kProgramIni = "Tessaly.ini";
constexpr const char* kDataFolderKey = "storage/dataFolder";

// The folders for inputs; dataFolderSetting (an absolute path, else ignored) replaces the
// data folder outside the portable layout.
AppFolders resolveAppFolders(const FolderInputs& inputs, const QString& dataFolderSetting = {});

// The running program's inputs: its executable's folder, $HOME and the XDG variables.
FolderInputs currentFolderInputs();

// The running program's folders, resolved once (with the data folder setting of its
// Tessaly.ini).
const AppFolders& appFolders();

// The INI file name in folders.config. One missing there starts as a copy of the shipped
// default of that name (private, written whole), so that saving one setting keeps the others.
QString configIniPath(const AppFolders& folders, const QString& fileName);
