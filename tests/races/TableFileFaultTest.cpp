// Pitch table files that cannot be read as tables, at the loader: one that
// its user may not read, and one replaced again and again by a FIFO while
// tables are being loaded from it. Each gives the file error (which the
// chooser reports as "an unnamed file was not found.") or the table; none
// hangs. (Missing, directory, FIFO, empty, over the limit: tests/wave.)

#include "calc/wave/WaveModel.h"
#include "framework/File.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr char kTable[] = "440.00;A4\r\n261.63;C4\r\n";

// What loading the table at path gives: 0 the table, 1 the file error
// "an unnamed file was not found.", 2 anything else.
int Load(const QString& path)
{
    try {
        const std::vector<unsigned char> bytes = ReadWholeFile(path);
        CWaveModel model;
        model.LoadTable(bytes.data(), bytes.size());
        return model.m_pLines->size() == 2 ? 0 : 2;
    } catch (const CFileException& e) {
        return e.m_cause == CFileException::fileNotFound && e.GetErrorMessage() == "an unnamed file was not found." ? 1
                                                                                                                    : 2;
    }
}

class TableFileFault : public testing::Test {
protected:
    QString PathOf(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QString Write(const char* name, const QByteArray& bytes) const
    {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir m_dir;
};

TEST_F(TableFileFault, AFileItsUserMayNotReadGivesTheFileError)
{
    const QString path = Write("spn.dat", kTable);
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(Load(path), 1);
        return;
    }
    // Permissions do not stop root: the load runs in a child that has
    // become an ordinary user, for whom the directory is open and the file is not.
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const uid_t nobody = 65534;
        if (setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(3);
        _exit(Load(path));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "3: the child could not become an ordinary user";
}

// A FIFO opened for reading waits for a writer; a table swapped for one
// between the look at the file and its opening must not catch the loader.
TEST_F(TableFileFault, ATableSwappedForAFifoWhileLoadingNeverHangs)
{
    const QByteArray path = QFile::encodeName(PathOf("spn.dat"));
    const QByteArray good = QFile::encodeName(Write("good", kTable));
    const QByteArray next = QFile::encodeName(PathOf("next"));
    ASSERT_EQ(link(good.constData(), path.constData()), 0);

    std::atomic<bool> stop = false;
    std::thread swapper([&] {
        for (bool fifo = true; !stop; fifo = !fifo) {
            unlink(next.constData());
            if (fifo)
                mkfifo(next.constData(), 0600);
            else
                link(good.constData(), next.constData());
            rename(next.constData(), path.constData());
        }
    });
    int loaded = 0, refused = 0, other = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < end) {
        switch (Load(QFile::decodeName(path))) {
        case 0: ++loaded; break;
        case 1: ++refused; break;
        default: ++other; break;
        }
    }
    stop = true;
    swapper.join();
    EXPECT_EQ(other, 0);
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace
