#include "test_folders.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "loopback.h"

namespace {

constexpr const char* kPortVariable = "TESSALY_TEST_PORT";
// Set to the folders' root; a process started with it set uses its parent's folders.
constexpr const char* kRootVariable = "TESSALY_TEST_FOLDERS";

class OwnFolders {
public:
    OwnFolders() {
        if (const char* inherited = std::getenv(kRootVariable); inherited && *inherited) return;
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tessaly-test-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("tessaly test folders");
            std::exit(1);
        }
        root_ = pattern;
        const std::string data = root_ + "/data";
        const std::string config = root_ + "/config";
        std::filesystem::create_directories(config + "/tessaly");
        std::filesystem::create_directories(data);
        setenv(kRootVariable, root_.c_str(), 1);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        const int port = testing_support::freeUdpPort();
        setenv(kPortVariable, std::to_string(port).c_str(), 1);
        std::ofstream(config + "/tessaly/Tessaly.ini") << "[acquisition]\nport=" << port << "\n";
    }
    ~OwnFolders() {
        if (root_.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

private:
    std::string root_;
};

const OwnFolders ownFolders;

}  // namespace

int testPlatePort() { return std::atoi(std::getenv(kPortVariable)); }
