// Copies of the real program started at once, killed hard, and in two
// sessions side by side. Each test gives its copies private runtime
// directories (0700), as login sessions do.
//
// "Has its window" is asked the way a later copy asks: over the first copy's
// socket, where it answers "1" once it has a window to raise.

#include "tests/support/ProgramCopies.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace testing_support;

using Copies = std::vector<std::unique_ptr<Copy>>;

Copies StartMany(const Session& session, int n)
{
    Copies copies;
    for (int i = 0; i < n; ++i)
        copies.push_back(StartCopy(session));
    return copies;
}

int CountRunning(const Copies& copies)
{
    int running = 0;
    for (const auto& c : copies)
        running += c->state() != QProcess::NotRunning;
    return running;
}

// All but one of the copies end, each with 255, and the one left has its window.
void ExpectOneLeftWithItsWindow(const Session& session, Copies& copies)
{
    // Later copies ask for up to three seconds; a generous bound on top.
    EXPECT_TRUE(Eventually([&] { return CountRunning(copies) <= 1; }, 30000));
    EXPECT_EQ(CountRunning(copies), 1);
    for (const auto& c : copies) {
        if (c->state() != QProcess::NotRunning)
            continue;
        EXPECT_EQ(c->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(c->exitCode(), 255);
    }
    EXPECT_TRUE(session.CopyWithWindowAnswers());
}

TEST(StartupRace, TwentyCopiesStartedAtOnceLeaveOneWithItsWindow)
{
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Session session;
        Copies copies = StartMany(session, 20);
        ExpectOneLeftWithItsWindow(session, copies);
    }
}

TEST(StartupRace, AFirstCopyKilledHardNeverKeepsTheNextFromStarting)
{
    Session session;
    auto first = StartCopy(session);
    ASSERT_TRUE(Eventually([&] { return session.CopyWithWindowAnswers(); }, 20000));
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        first->kill();  // SIGKILL: its lock file and socket stay behind
        ASSERT_TRUE(first->waitForFinished(5000));

        // The next copy starts as the first one, with its window...
        first = StartCopy(session);
        ASSERT_TRUE(Eventually([&] { return session.CopyWithWindowAnswers(); }, 20000));
        EXPECT_EQ(first->state(), QProcess::Running);
        // ...and a copy after it finds it and ends.
        auto later = StartCopy(session);
        ASSERT_TRUE(later->waitForFinished(10000));
        EXPECT_EQ(later->exitCode(), 255);
    }
}

TEST(StartupRace, TwoRuntimeDirectoriesNeverSeeEachOthersCopy)
{
    Session mine, theirs;
    Copies copies = StartMany(mine, 5);
    Copies others = StartMany(theirs, 5);
    ExpectOneLeftWithItsWindow(mine, copies);
    ExpectOneLeftWithItsWindow(theirs, others);
}

}  // namespace
