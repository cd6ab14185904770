// The single-copy guard's files, driven in this process: two guards over one
// folder stand for two copies of the program.

#include "framework/SingleCopyRequest.h"
#include "framework/SingleInstance_p.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override
    {
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_saved); }

    QStringList Entries(const QString& pattern) const
    {
        return QDir(m_runtime.path()).entryList({pattern}, QDir::System | QDir::Files | QDir::Hidden);
    }
    // The socket file's inode; 0 when there is none.
    ino_t SocketInode() const
    {
        const QStringList sockets = Entries(QStringLiteral("*.sock"));
        struct stat st {};
        if (sockets.size() != 1 || ::lstat(QFile::encodeName(m_runtime.filePath(sockets.first())), &st) != 0)
            return 0;
        return st.st_ino;
    }

    QTemporaryDir m_runtime;
    QByteArray m_saved;
};

const auto kRaise = [](const fw::CopyRequestParsed&) { return true; };

// A copy whose lock and socket were removed while it ran (the folder
// emptied by hand) leaves the socket of the copy that started meanwhile in
// place when it ends: it removes only the file it bound itself.
TEST_F(SingleInstanceTest, ACopyRemovesOnlyTheSocketItBound)
{
    auto a = std::make_unique<fw::SingleInstance>(QByteArray());
    ASSERT_FALSE(a->RaiseOtherCopy({})) << "nothing runs: A is the first";
    a->Listen(kRaise);
    ASSERT_NE(SocketInode(), 0u);
    for (const QString& entry : Entries(QStringLiteral("*")))
        ASSERT_TRUE(QFile::remove(m_runtime.filePath(entry)));

    fw::SingleInstance b {QByteArray()};
    ASSERT_FALSE(b.RaiseOtherCopy({})) << "nothing listens: B is the first";
    b.Listen(kRaise);
    const ino_t bs = SocketInode();
    ASSERT_NE(bs, 0u);
    a.reset();
    EXPECT_EQ(SocketInode(), bs) << "A removed B's socket";
}

}  // namespace
