#include "plate_command.h"

#include <gtest/gtest.h>

namespace {

using Kind = platesim::PlateCommand::Kind;

struct DatagramCase {
    std::string datagram;
    bool isCommand;
    std::string text;
};

class CommandDatagrams : public ::testing::TestWithParam<DatagramCase> {};

TEST_P(CommandDatagrams, OnlyAnFscmdObjectCarriesACommand) {
    const auto text = platesim::commandText(GetParam().datagram);
    ASSERT_EQ(text.has_value(), GetParam().isCommand);
    if (text) {
        EXPECT_EQ(*text, GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Datagrams, CommandDatagrams,
    ::testing::Values(DatagramCase{R"({"fscmd":"product -h  60"})", true, "product -h  60"},
                      DatagramCase{" { \"fscmd\" : \"product -r restart\" }\n", true,
                                   "product -r restart"},
                      DatagramCase{R"({"fscmd":"say \"hi\""})", true, "say \"hi\""},
                      DatagramCase{"", false, ""}, DatagramCase{"{", false, ""},
                      DatagramCase{R"({"fsreply":"ok"})", false, ""},
                      DatagramCase{R"({"fscmd":60})", false, ""},
                      DatagramCase{R"({"fscmd":"x"} trailing)", false, ""},
                      DatagramCase{R"({"fscmd":"unterminated})", false, ""},
                      DatagramCase{R"({"fscmd":"bad \u0041 escape"})", false, ""},
                      DatagramCase{std::string("{\"fscmd\":\"a\0b\"}", 15), false, ""},
                      DatagramCase{std::string(1262, '\0'), false, ""}));

struct CommandCase {
    const char* text;
    Kind kind;
    int rate;
};

class CommandTexts : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandTexts, AreInterpretedOrRejectedWithAReason) {
    const platesim::PlateCommand command = platesim::interpretCommand(GetParam().text);
    EXPECT_EQ(command.kind, GetParam().kind);
    if (command.kind == Kind::SetRate) {
        EXPECT_EQ(command.rate, GetParam().rate);
    }
    EXPECT_EQ(command.problem.empty(), command.kind != Kind::Invalid);
}

INSTANTIATE_TEST_SUITE_P(Texts, CommandTexts,
                         ::testing::Values(CommandCase{"product -h  100", Kind::SetRate, 100},
                                           CommandCase{"product -h  40", Kind::SetRate, 40},
                                           CommandCase{"product -h  1", Kind::SetRate, 1},
                                           CommandCase{"product -h  500", Kind::SetRate, 500},
                                           CommandCase{"product -s  cfg", Kind::Configure, 0},
                                           CommandCase{"product -r restart", Kind::Restart, 0},
                                           CommandCase{"product -h  0", Kind::Invalid, 0},
                                           CommandCase{"product -h  501", Kind::Invalid, 0},
                                           CommandCase{"product -h  99999999999", Kind::Invalid, 0},
                                           CommandCase{"product -h  6O", Kind::Invalid, 0},
                                           CommandCase{"product -h  -5", Kind::Invalid, 0},
                                           CommandCase{"product -h  ", Kind::Invalid, 0},
                                           CommandCase{"product -r now", Kind::Unknown, 0},
                                           CommandCase{"", Kind::Unknown, 0}));

}  // namespace
