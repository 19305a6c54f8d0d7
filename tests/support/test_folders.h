// Every test process runs in folders of its own: linked into each test program (tests/
// CMakeLists.txt), test_folders.cpp points XDG_DATA_HOME and XDG_CONFIG_HOME at a fresh
// temporary folder before main and removes it after, and gives the process a free UDP port for
// the plates, written as [acquisition] port= into its Tessaly.ini. So no test writes into the
// build tree or the user's folders, and tests run in parallel, also beside a running program.
// A test process started by another one (run_in_own_folders) uses its parent's folders, which
// the parent removes however the child ends (programs that end with _exit run no destructor).
#pragma once

// The plates' port of this test process (for plate-sim --port and tessaly-cli record --port).
int testPlatePort();
