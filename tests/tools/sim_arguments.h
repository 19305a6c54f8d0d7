// Command lines for plate-sim that several tests share.
#pragma once

#include <string>
#include <vector>

namespace toolstest {

using Arguments = std::vector<std::string>;

// `arguments` plus the fault mix that the receiver must survive: some loss, reordering,
// duplicates, short datagrams and a JSON text now and then.
inline Arguments withMixedFaults(Arguments arguments) {
    const Arguments faults = {"--loss", "0.02",    "--reorder", "0.2",          "--duplicate",
                              "0.02",   "--short", "0.01",      "--json-every", "10"};
    arguments.insert(arguments.end(), faults.begin(), faults.end());
    return arguments;
}

}  // namespace toolstest
