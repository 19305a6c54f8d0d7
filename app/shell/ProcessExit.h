// Ending the program from the main window.
#pragma once

// Ends the process at once with exit code 0. Views are never destroyed (threads of the SDK
// and the acquisition loop are still running), but a recording in progress is closed first so
// that its last frames reach the disk.
[[noreturn]] void endProcessNow();
