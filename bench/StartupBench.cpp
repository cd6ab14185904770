// Start-up time: from starting the program to the chooser's first paint.
//
// Starts the real program headless a number of times (15 unless given) with
// SONAVOLTA_EXIT_AFTER_FIRST_PAINT=1, which makes it print "first paint" as
// the chooser first paints and then close; the time to that line is taken
// from just before each start. Prints every run and the median.
//
//   startup_bench [runs] [program]

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds to the first paint, or a negative number if the run failed.
double TimeOneStart(const QString& program)
{
    // A runtime directory of its own: a copy the user is running must not
    // turn this one into a second copy.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("SONAVOLTA_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));

    QProcess process;
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);

    const auto start = Clock::now();
    process.start(program, {});
    QByteArray out;
    while (!out.contains("first paint\n") && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput();
    const auto painted = Clock::now();

    const bool finished = process.waitForFinished(10000);
    if (!out.contains("first paint\n") || !finished || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        if (!finished)
            process.kill();
        return -1;
    }
    return std::chrono::duration<double, std::milli>(painted - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const QString program = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(SONAVOLTA_EXE);

    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double t = TimeOneStart(program);
        if (t < 0) {
            std::fprintf(stderr, "run %d: the program did not paint and end with 0\n", i + 1);
            return 1;
        }
        std::printf("run %2d: %7.1f ms\n", i + 1, t);
        ms.push_back(t);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start to the chooser's first paint: median %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n",
                ms[ms.size() / 2], ms.front(), ms.back(), runs);
    return 0;
}
