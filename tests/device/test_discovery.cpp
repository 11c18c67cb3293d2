// Finding the mouse's two collections and the probe handshake, against the simulated mouse.
#include <gtest/gtest.h>

#include "tests/support/SimRig.h"

namespace quarten {
namespace {

using Rig = test::SimRig;

TEST(Discovery, FindsBothCollectionsAndSkipsOtherCollectionsOfTheMouse) {
    sim::SimConfig config;
    config.extraMouseCollection = true;
    Rig rig(config);
    ASSERT_TRUE(rig.link.FindDevice());
    EXPECT_TRUE(rig.link.EventReader() != nullptr);
    EXPECT_EQ(rig.link.EventInputLength(), 9);
    const auto& collections = rig.link.LastDiscovery().collections;
    ASSERT_EQ(collections.size(), 3u);
    EXPECT_EQ(collections[0].role, CollectionVerdict::Role::Other);
    EXPECT_NE(collections[0].verdict.find("skipped"), std::string::npos);
}

TEST(Discovery, KeepsLookingForTheEventCollectionAfterTheCommandCollection) {
    sim::SimConfig config;
    config.eventAfterCommand = true;
    Rig rig(config);
    ASSERT_TRUE(rig.link.FindDevice());
    EXPECT_TRUE(rig.link.EventReader() != nullptr);
}

TEST(Discovery, RefusesCollectionsWhoseReportsDoNotFitTheBuffers) {
    struct Case {
        sim::CollectionLengths command;
        const char* what;
    };
    const Case cases[] = {
        {{17, 33, 33}, "feature"},
        {{8, 33, 33}, "feature"},
        {{9, 41, 33}, "input"},
        {{9, 33, 41}, "output"},
        {{9, 32, 33}, "input"},
    };
    for (const Case& c : cases) {
        sim::SimConfig config;
        config.command = c.command;
        Rig rig(config);
        EXPECT_FALSE(rig.link.FindDevice()) << c.what;
        EXPECT_FALSE(rig.link.Ready());
        EXPECT_EQ(rig.link.LastDiscovery().failure, DiscoveryFailure::Refused);
        bool explained = false;
        for (const auto& v : rig.link.LastDiscovery().collections) {
            explained = explained || (v.role == CollectionVerdict::Role::Command &&
                                      v.verdict.find(c.what) != std::string::npos);
        }
        EXPECT_TRUE(explained) << c.what;
    }
}

TEST(Discovery, NoMouseMeansNotFound) {
    Rig rig;
    rig.mouse.Unplug();
    EXPECT_FALSE(rig.link.FindDevice());
    EXPECT_EQ(rig.link.LastDiscovery().failure, DiscoveryFailure::NotFound);
}

TEST(Handshake, AcceptsOnlyAMouseThatEchoesTheScrambledProbe) {
    struct Case {
        sim::SimVariant variant;
        bool accepted;
        bool echoed;
        int probes;  // set-feature reports sent
    };
    const Case cases[] = {
        {sim::SimVariant::Scrambled, true, true, 2},
        {sim::SimVariant::PlainEcho, false, true, 1},
        {sim::SimVariant::Silent, false, false, 2},
    };
    for (const Case& c : cases) {
        sim::SimConfig config;
        config.variant = c.variant;
        Rig rig(config);
        ASSERT_TRUE(rig.link.FindDevice());
        rig.link.Handshake();
        EXPECT_EQ(rig.link.Ready(), c.accepted);
        EXPECT_EQ(rig.link.Channel().Scrambled(), c.accepted);
        EXPECT_EQ(rig.link.ProbeEchoed(), c.echoed);
        EXPECT_EQ(rig.notices.Codes(), std::vector<int>{c.accepted ? 14 : 15});
        int sets = 0;
        for (const auto& e : rig.mouse.Log()) sets += e.kind == sim::SimLogEntry::Kind::Set;
        EXPECT_EQ(sets, c.probes);
        EXPECT_EQ(rig.pacer.Waits(), std::vector<int>(c.probes, 5));
        EXPECT_EQ(rig.mouse.Counters().pacingViolations, 0);
    }
}

TEST(Handshake, AMouseWithAnotherKeyIsRefused) {
    sim::SimConfig config;
    config.key = {'w', 'r', 'o', 'n', 'g', '!'};
    Rig rig(config);
    ASSERT_TRUE(rig.link.FindDevice());
    rig.link.Handshake();
    EXPECT_FALSE(rig.link.Ready());
}

TEST(Arrival, ReportsFoundThenTheHandshakeVerdict) {
    Rig rig;
    EXPECT_EQ(rig.link.HandleArrival(), DeviceLink::Change::Accepted);
    EXPECT_EQ(rig.notices.Codes(), (std::vector<int>{14, 14}));

    sim::SimConfig config;
    config.variant = sim::SimVariant::PlainEcho;
    Rig refused(config);
    EXPECT_EQ(refused.link.HandleArrival(), DeviceLink::Change::Refused);
    EXPECT_EQ(refused.notices.Codes(), (std::vector<int>{14, 15}));
}

TEST(Arrival, RemovalOfTheWholeMouseIsMissingAndReplugAcceptsItAgain) {
    Rig rig;
    ASSERT_EQ(rig.link.HandleArrival(), DeviceLink::Change::Accepted);
    rig.mouse.Unplug();
    EXPECT_EQ(rig.link.HandleRemoval(), DeviceLink::Change::Missing);
    EXPECT_FALSE(rig.link.Ready());
    rig.mouse.Plug();
    EXPECT_EQ(rig.link.HandleArrival(), DeviceLink::Change::Accepted);
    EXPECT_TRUE(rig.link.Ready());
    EXPECT_EQ(rig.notices.Codes(), (std::vector<int>{14, 14, 15, 14, 14}));
}

TEST(Arrival, RemovalWhileTheMouseStaysPresentOnlyRepeatsTheHandshake) {
    Rig rig;
    ASSERT_EQ(rig.link.HandleArrival(), DeviceLink::Change::Accepted);
    EXPECT_EQ(rig.link.HandleRemoval(), DeviceLink::Change::Accepted);
    EXPECT_EQ(rig.notices.Codes(), (std::vector<int>{14, 14, 14}));
}

}  // namespace
}  // namespace quarten
