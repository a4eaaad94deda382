#include "core/CheckpointTrail.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class TrailTest : public ::testing::Test {
protected:
    void SetUp() override { UnwindTrail(true); }
    void TearDown() override { UnwindTrail(true); }
};

TEST_F(TrailTest, EmptyTrailOperationsAreHarmless) {
    PopCheckpoint();
    MarkModalFrame();
    UnmarkModalFrame();
    EXPECT_TRUE(TrailEmpty());
    EXPECT_EQ(TrailText(), "");
    EXPECT_EQ(TopCheckpoint(), "");
    SetCheckpoint("X");
    EXPECT_EQ(TrailText(), "X");
}

TEST_F(TrailTest, SetRenamesTopAndPopRemovesIt) {
    PushCheckpoint("A");
    PushCheckpoint("B");
    SetCheckpoint("C");
    EXPECT_EQ(TrailText(), "A->C");
    PopCheckpoint();
    EXPECT_EQ(TrailText(), "A");
}

TEST_F(TrailTest, UnwindStopsAtModalFrameUnlessAll) {
    PushCheckpoint("A");
    PushCheckpoint("B");
    MarkModalFrame();
    PushCheckpoint("C");
    UnwindTrail(false);
    EXPECT_EQ(TrailText(), "A->B");
    UnwindTrail(true);
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(TrailTest, UnmarkedTrailUnwindsCompletely) {
    PushCheckpoint("A");
    PushCheckpoint("B");
    MarkModalFrame();
    UnmarkModalFrame();
    UnwindTrail(false);
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(TrailTest, ScopePopsOnNormalExitButKeepsFrameOnException) {
    PushCheckpoint("DPR001");
    { CheckpointScope scope("d001"); }
    EXPECT_EQ(TrailText(), "DPR001");
    try {
        CheckpointScope scope("d002");
        SetCheckpoint("d003");
        throw std::runtime_error("boom");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(TrailText(), "DPR001->d003");
}

TEST_F(TrailTest, ScopeInsideCatchHandlerStillPops) {
    try {
        throw std::runtime_error("first");
    } catch (...) {
        // An exception is in flight only from the guard's point of view if it started inside the guard.
        CheckpointScope scope("d010");
    }
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(TrailTest, LongNamesAreKeptUpToTheFrameLimit) {
    PushCheckpoint("FW_Layers_006");
    EXPECT_EQ(TopCheckpoint(), "FW_Layers_006");
}

} // namespace
