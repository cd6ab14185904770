// The real program as a process: one copy per user session, a crashed copy
// in nobody's way, and exit code 0 once the chooser's run ends.
//
// Each test gives its copies a private runtime directory, as a login session
// does, so tests never meet each other or a copy the developer is running.

#include "tests/support/ProgramCopies.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

// Starts a copy and makes sure it did start.
std::unique_ptr<Copy> Start(const Session& session, const QStringList& extraEnv = {})
{
    auto process = StartCopy(session, extraEnv);
    EXPECT_TRUE(process->waitForStarted(5000)) << process->errorString().toStdString();
    return process;
}

bool Running(const QProcess& p) { return p.state() == QProcess::Running; }

TEST(Program, ASecondCopyEndsWithMinusOneAndTheFirstGoesOn)
{
    Session session;
    auto first = Start(session);
    ASSERT_TRUE(Eventually([&] { return session.HasListeningCopy(); }));

    auto second = Start(session);
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 255);
    EXPECT_TRUE(Running(*first));
}

TEST(Program, ACrashedCopyDoesNotKeepTheNextFromStarting)
{
    Session session;
    auto crashed = Start(session);
    ASSERT_TRUE(Eventually([&] { return session.HasListeningCopy(); }));
    crashed->kill();  // SIGKILL: no clean-up of its lock or socket
    ASSERT_TRUE(crashed->waitForFinished(5000));

    // Two copies after it: whichever takes the lock first is the first
    // copy again, and the other finds it and ends.
    auto a = Start(session);
    auto b = Start(session);
    ASSERT_TRUE(Eventually([&] { return !Running(*a) || !Running(*b); }));
    QProcess& ended = Running(*a) ? *b : *a;
    QProcess& first = Running(*a) ? *a : *b;
    ended.waitForFinished(1000);
    EXPECT_EQ(ended.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ended.exitCode(), 255);
    EXPECT_TRUE(Running(first));
}

TEST(Program, CopiesOfAnotherSessionAreNotAffected)
{
    Session mine, theirs;
    auto first = Start(mine);
    ASSERT_TRUE(Eventually([&] { return mine.HasListeningCopy(); }));

    auto other = Start(theirs);
    EXPECT_TRUE(Eventually([&] { return theirs.HasListeningCopy(); }));
    EXPECT_TRUE(Running(*other));
    EXPECT_TRUE(Running(*first));
}

// SONAVOLTA_EXIT_AFTER_FIRST_PAINT (the start-up benchmark's switch) closes
// the window once the chooser has painted, as a user closing it would; the
// chooser's run ends and with it the program.
TEST(Program, EndsWithZeroWhenTheChoosersRunEnds)
{
    Session session;
    auto program = Start(session, {QStringLiteral("SONAVOLTA_EXIT_AFTER_FIRST_PAINT=1")});
    ASSERT_TRUE(program->waitForFinished(10000));
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);
    EXPECT_EQ(program->readAllStandardOutput(), QByteArray("first paint\n"));
}

}  // namespace
