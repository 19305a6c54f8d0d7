#include "fault_plan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platesim::FaultRandom;
using platesim::FaultRates;
using platesim::FramePlan;

// "0 1 s2 3": packets in arrival order, "s" marks a truncated datagram.
FramePlan planOf(const std::string& text) {
    FramePlan plan;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') continue;
        const bool truncated = text[i] == 's';
        if (truncated) ++i;
        plan.append({static_cast<std::uint8_t>(text[i] - '0'), truncated});
    }
    return plan;
}

struct OutcomeCase {
    const char* arrivals;
    bool complete;
    bool touched;
    int delivered;
    int refused;
    int truncated;
};

class FrameOutcomeTable : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(FrameOutcomeTable, PredictsWhatTheReceiverCounts) {
    const OutcomeCase& c = GetParam();
    const platesim::FrameOutcome outcome = platesim::frameOutcome(planOf(c.arrivals));
    EXPECT_EQ(outcome.complete, c.complete);
    EXPECT_EQ(outcome.touched, c.touched);
    EXPECT_EQ(outcome.delivered, c.delivered);
    EXPECT_EQ(outcome.refused, c.refused);
    EXPECT_EQ(outcome.truncated, c.truncated);
}

INSTANTIATE_TEST_SUITE_P(
    Arrivals, FrameOutcomeTable,
    ::testing::Values(
        OutcomeCase{"0123", true, true, 4, 0, 0}, OutcomeCase{"2031", true, true, 4, 0, 0},
        OutcomeCase{"", false, false, 0, 0, 0}, OutcomeCase{"013", false, true, 3, 0, 0},
        // A duplicate takes the last slot: the fifth packet is refused.
        OutcomeCase{"00123", false, true, 5, 1, 0}, OutcomeCase{"01123", false, true, 5, 1, 0},
        // With one packet lost, the duplicate fills the last slot uselessly.
        OutcomeCase{"0112", false, true, 4, 0, 0},
        // The copy stands in for a lost original.
        OutcomeCase{"1023", true, true, 4, 0, 0}, OutcomeCase{"0s123", false, true, 3, 0, 1},
        OutcomeCase{"s0s1s2s3", false, false, 0, 0, 4}));

TEST(FramePlanning, FaultFreeFrameIsTheFourPacketsInOrderWhateverTheRates) {
    const FaultRates always{1.0, 1.0, 1.0, 1.0, 1};
    FaultRandom random(7);
    const FramePlan plan = platesim::planFrame(always, random, true);
    ASSERT_EQ(plan.count, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(plan.datagrams[i].packetIndex, i);
        EXPECT_FALSE(plan.datagrams[i].truncated);
    }
}

TEST(FramePlanning, DuplicateAlwaysLandsBeforeTheLastDistinctPacket) {
    const FaultRates duplicateAlways{0.0, 0.5, 1.0, 0.0, 0};
    FaultRandom random(11);
    for (int frame = 0; frame < 2000; ++frame) {
        const FramePlan plan = platesim::planFrame(duplicateAlways, random, false);
        ASSERT_EQ(plan.count, 5);
        int copyPosition = -1;
        for (int i = 1; i < 5 && copyPosition < 0; ++i) {
            if (plan.datagrams[i].packetIndex == plan.datagrams[i - 1].packetIndex)
                copyPosition = i;
        }
        ASSERT_GE(copyPosition, 1);
        EXPECT_LE(copyPosition, 3);
        const platesim::FrameOutcome outcome = platesim::frameOutcome(plan);
        EXPECT_FALSE(outcome.complete);
        EXPECT_EQ(outcome.refused, 1);
    }
}

TEST(FramePlanning, CompleteFramesNeverLeaveAPacketBehind) {
    // A fifth packet after completion would start a frame of its own in the receiver and
    // break the prediction dropped == touched - complete.
    const FaultRates mixed{0.1, 0.5, 0.5, 0.05, 0};
    FaultRandom random(3);
    for (int frame = 0; frame < 5000; ++frame) {
        const platesim::FrameOutcome outcome =
            platesim::frameOutcome(platesim::planFrame(mixed, random, false));
        if (outcome.complete) {
            EXPECT_EQ(outcome.delivered, 4);
        }
    }
}

TEST(FramePlanning, RatesAreHonouredAndRunsRepeatWithTheSeed) {
    const FaultRates faults{0.25, 0.0, 0.0, 0.1, 0};
    FaultRandom first(42), second(42);
    platesim::PlateTally tally;
    for (int frame = 0; frame < 4000; ++frame) {
        const FramePlan a = platesim::planFrame(faults, first, false);
        const FramePlan b = platesim::planFrame(faults, second, false);
        ASSERT_EQ(a.count, b.count);
        for (int i = 0; i < a.count; ++i) {
            EXPECT_EQ(a.datagrams[i].packetIndex, b.datagrams[i].packetIndex);
            EXPECT_EQ(a.datagrams[i].truncated, b.datagrams[i].truncated);
        }
        tally.addFrame(platesim::frameOutcome(a));
    }
    const double packets = 4.0 * tally.frames;
    EXPECT_NEAR((tally.datagrams + tally.truncated) / packets, 0.75, 0.02);
    EXPECT_NEAR(tally.truncated / (packets * 0.75), 0.1, 0.015);
    EXPECT_EQ(tally.frames, 4000);
}

}  // namespace
