// The command datagrams that a plate understands: {"fscmd":"<command text>"}.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platesim {

// The command text of a datagram, or nothing when the datagram is not one JSON object with the
// single string member "fscmd" (whitespace between the tokens is tolerated).
std::optional<std::string> commandText(std::string_view datagram);

struct PlateCommand {
    enum class Kind {
        SetRate,    // "product -h  N": N becomes the rate used from the next restart on
        Configure,  // "product -s  cfg": accepted, nothing to do
        Restart,    // "product -r restart": pause briefly, resume at the stored rate
        Invalid,    // understood but unusable (e.g. a rate outside 1..500); `problem` says why
        Unknown,
    };
    Kind kind = Kind::Unknown;
    int rate = 0;
    std::string problem;
};

PlateCommand interpretCommand(std::string_view text);

}  // namespace platesim
