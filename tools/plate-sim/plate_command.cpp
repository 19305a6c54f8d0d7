#include "plate_command.h"

#include <cctype>

#include "sim_options.h"

namespace platesim {
namespace {

// A cursor over a datagram's text for the tiny grammar of a command object.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    void skipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool take(char c) {
        skipSpace();
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    // A JSON string whose opening quote was just taken; the escapes \" \\ \/ are resolved.
    std::optional<std::string> stringBody() {
        std::string out;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') return out;
            if (c == '\\') {
                if (pos_ >= text_.size()) return std::nullopt;
                const char escaped = text_[pos_++];
                if (escaped != '"' && escaped != '\\' && escaped != '/') return std::nullopt;
                out += escaped;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                return std::nullopt;
            } else {
                out += c;
            }
        }
        return std::nullopt;
    }
    std::optional<std::string> string() {
        if (!take('"')) return std::nullopt;
        return stringBody();
    }
    bool atEnd() {
        skipSpace();
        return pos_ == text_.size();
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

PlateCommand rateCommand(std::string_view argument) {
    PlateCommand command;
    command.kind = PlateCommand::Kind::Invalid;
    while (!argument.empty() && argument.front() == ' ') argument.remove_prefix(1);
    if (argument.empty() || argument.size() > 6) {
        command.problem = "no frequency given";
        return command;
    }
    int rate = 0;
    for (const char c : argument) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            command.problem = "frequency \"" + std::string(argument) + "\" is not a number";
            return command;
        }
        rate = rate * 10 + (c - '0');
    }
    if (rate < 1 || rate > kMaxRate) {
        command.problem =
            "frequency " + std::to_string(rate) + " outside 1.." + std::to_string(kMaxRate);
        return command;
    }
    command.kind = PlateCommand::Kind::SetRate;
    command.rate = rate;
    return command;
}

}  // namespace

std::optional<std::string> commandText(std::string_view datagram) {
    Scanner scanner(datagram);
    if (!scanner.take('{')) return std::nullopt;
    const auto key = scanner.string();
    if (!key || *key != "fscmd" || !scanner.take(':')) return std::nullopt;
    auto value = scanner.string();
    if (!value || !scanner.take('}') || !scanner.atEnd()) return std::nullopt;
    return value;
}

PlateCommand interpretCommand(std::string_view text) {
    constexpr std::string_view kRate = "product -h ";
    PlateCommand command;
    if (startsWith(text, kRate)) return rateCommand(text.substr(kRate.size()));
    if (text == "product -s  cfg") {
        command.kind = PlateCommand::Kind::Configure;
    } else if (text == "product -r restart") {
        command.kind = PlateCommand::Kind::Restart;
    }
    return command;
}

}  // namespace platesim
