#include "sim_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

platesim::ParsedSimOptions parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "plate-sim");
    return platesim::parseSimOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(SimOptions, DefaultsStreamOnePlateAt100HzToTheLocalPort10001) {
    const auto parsed = parse({});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.host, "127.0.0.1");
    EXPECT_EQ(parsed.options.port, 10001);
    EXPECT_EQ(parsed.options.rate, 100);
    EXPECT_EQ(parsed.options.plates, 1);
    EXPECT_EQ(parsed.options.frames, 0);
    EXPECT_EQ(parsed.options.durationSeconds, 0.0);
    EXPECT_EQ(platesim::plateDeviceId(parsed.options, 0), 0x1A2B3C3Eu);
    EXPECT_EQ(platesim::plateDeviceId(parsed.options, 2), 0x1A2B3E3Eu);
}

TEST(SimOptions, EveryOptionReachesItsField) {
    const auto parsed = parse({"--host",        "127.0.0.2",
                               "--port",        "4000",
                               "--rate",        "500",
                               "--plates",      "3",
                               "--frames",      "12",
                               "--loss",        "0.5",
                               "--reorder",     "1",
                               "--duplicate",   "0",
                               "--short",       "0.25",
                               "--json-every",  "10",
                               "--seed",        "18446744073709551615",
                               "--first-frame", "4294967295",
                               "--id-base",     "0x0000013e",
                               "--json"});
    ASSERT_EQ(parsed.error, "");
    const platesim::SimOptions& o = parsed.options;
    EXPECT_EQ(o.host, "127.0.0.2");
    EXPECT_EQ(o.port, 4000);
    EXPECT_EQ(o.rate, 500);
    EXPECT_EQ(o.plates, 3);
    EXPECT_EQ(o.frames, 12);
    EXPECT_EQ(o.faults.loss, 0.5);
    EXPECT_EQ(o.faults.reorder, 1.0);
    EXPECT_EQ(o.faults.duplicate, 0.0);
    EXPECT_EQ(o.faults.truncate, 0.25);
    EXPECT_EQ(o.faults.jsonEvery, 10);
    EXPECT_EQ(o.seed, 18446744073709551615ULL);
    EXPECT_EQ(o.firstFrame, 4294967295u);
    EXPECT_EQ(o.idBase, 0x13Eu);
    EXPECT_TRUE(o.json);
    EXPECT_EQ(parse({"--duration", "2.5"}).options.durationSeconds, 2.5);
}

struct BadCommandLine {
    std::vector<const char*> arguments;
    const char* mentioned;  // what the message must name
};

class SimOptionErrors : public ::testing::TestWithParam<BadCommandLine> {};

TEST_P(SimOptionErrors, AreReportedByName) {
    const auto parsed = parse(GetParam().arguments);
    EXPECT_NE(parsed.error.find(GetParam().mentioned), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SimOptionErrors,
    ::testing::Values(
        BadCommandLine{{"--rate", "0"}, "--rate"}, BadCommandLine{{"--rate", "501"}, "--rate"},
        BadCommandLine{{"--rate", "60Hz"}, "--rate"}, BadCommandLine{{"--port", "65536"}, "--port"},
        BadCommandLine{{"--port"}, "--port"}, BadCommandLine{{"--host", "localhost"}, "--host"},
        BadCommandLine{{"--plates", "0"}, "--plates"}, BadCommandLine{{"--loss", "1.5"}, "--loss"},
        BadCommandLine{{"--short", "nan"}, "--short"},
        BadCommandLine{{"--frames", "-3"}, "--frames"},
        BadCommandLine{{"--duration", "0"}, "--duration"},
        BadCommandLine{{"--seed", "-1"}, "--seed"},
        BadCommandLine{{"--first-frame", "4294967296"}, "--first-frame"},
        BadCommandLine{{"--id-base", "1A2B3C3F"}, "--id-base"},
        BadCommandLine{{"--id-base", "FFFFFF3E", "--plates", "2"}, "--id-base"},
        BadCommandLine{{"--frames", "5", "--duration", "1"}, "--duration"},
        BadCommandLine{{"--fast"}, "--fast"}));

}  // namespace
