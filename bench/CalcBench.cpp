// sonavolta-calc: from starting the program to its exit, a million
// frequencies through "wave - --csv" from a file to /dev/null, and 10^5
// dBu-to-volt conversions beside GNU units.
//
//   calc_bench [starts] [lines] [program] [conversions]
//
// Start to exit: `starts` runs (100 unless given) of "wave 440", median, min
// and max in milliseconds. Batch: `lines` frequencies (1000000 unless given),
// spread over 20 Hz to 20 kHz, one run after a warm-up, in seconds.
// Beside units: `conversions` levels (100000 unless given) from -100 to
// +100 dBu, through "level --dbu - --csv" and through "units -t" (pairs of
// "dBu(X)" and "V" lines), both from a file to /dev/null, taken in turn five
// times each after a first run of each into a file; the CPU time (user and
// system) of each, the medians and their ratio; and a check, on the first
// runs' files, that the two agree on every voltage.
// Without units on the PATH this part is left out (bench/calc-vs-units
// installs it first).

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Runs the program with stdin and stdout on the given files; the exit status
// or -1. cpuSeconds, if given, receives the user and system time it took.
int RunOnce(const char* program, std::vector<std::string> args, const char* in, const char* out,
            double* cpuSeconds = nullptr)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_TRUNC, 0);
    std::vector<char*> argv {const_cast<char*>(program)};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    if (cpuSeconds)
        *cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                      + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string TempPath(const char* stem)
{
    std::string path = (std::filesystem::temp_directory_path() / (std::string(stem) + "XXXXXX")).string();
    const int fd = mkstemp(path.data());
    if (fd >= 0)
        close(fd);
    return path;
}

bool OnPath(const char* name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    for (std::size_t start = 0; start <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string file = dirs.substr(start, end - start) + "/" + name;
        if (access(file.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The same dBu-to-volt conversions through the program and through units;
// 0 when both ran and agree.
int BesideUnits(const char* program, long conversions)
{
    if (!OnPath("units")) {
        std::printf("beside units: left out, no units on the PATH (bench/calc-vs-units installs it)\n");
        return 0;
    }
    const std::string ours = TempPath("calc_bench_dbu"), theirs = TempPath("calc_bench_units");
    const std::string oursOut = TempPath("calc_bench_dbu_out"), theirsOut = TempPath("calc_bench_units_out");
    {
        std::FILE* a = std::fopen(ours.c_str(), "w");
        std::FILE* b = std::fopen(theirs.c_str(), "w");
        for (long i = 0; i < conversions; ++i) {
            const double dBu = -100.0 + 200.0 * double(i) / double(conversions);
            std::fprintf(a, "%.4f\n", dBu);
            std::fprintf(b, "dBu(%.4f)\nV\n", dBu);
        }
        std::fclose(a);
        std::fclose(b);
    }
    const std::vector<std::string> ourArgs = {"level", "--dbu", "-", "--csv"};
    const std::vector<std::string> theirArgs = {"-t"};
    // Once into files, for the check below; then timed, both into /dev/null.
    int failed = RunOnce(program, ourArgs, ours.c_str(), oursOut.c_str());
    failed |= RunOnce("units", theirArgs, theirs.c_str(), theirsOut.c_str());
    std::vector<double> ourCpu, theirCpu;
    double cpu = 0.0;
    for (int round = 0; round < 5; ++round) {
        failed |= RunOnce(program, ourArgs, ours.c_str(), "/dev/null", &cpu);
        ourCpu.push_back(cpu);
        failed |= RunOnce("units", theirArgs, theirs.c_str(), "/dev/null", &cpu);
        theirCpu.push_back(cpu);
    }

    // Every voltage the same to units' eight digits: ours is the RMS voltage
    // and its unit, the fifth to eighth CSV columns.
    const std::vector<std::string> a = Lines(oursOut), b = Lines(theirsOut);
    long disagree = 0;
    if (a.size() != std::size_t(conversions) + 1 || b.size() != std::size_t(conversions)) {
        disagree = conversions;
    } else {
        for (long i = 0; i < conversions; ++i) {
            std::vector<std::string> cells;
            std::stringstream row(a[i + 1]);
            for (std::string cell; std::getline(row, cell, ',');)
                cells.push_back(cell);
            const double factor = cells[6] == "mV" ? 1e-3 : cells[6] == "kV" ? 1e3 : cells[6] == "MV" ? 1e6 : 1.0;
            const double volts = std::strtod(cells[5].c_str(), nullptr) * factor;
            const double reference = std::strtod(b[i].c_str(), nullptr);
            if (std::fabs(volts - reference) > std::fabs(reference) * 1e-7)
                ++disagree;
        }
    }
    for (const std::string& path : {ours, theirs, oursOut, theirsOut})
        std::remove(path.c_str());

    const double ourMedian = Median(ourCpu), theirMedian = Median(theirCpu);
    std::printf("%ld dBu-to-volt conversions, CPU time, median of 5 taken in turn: sonavolta-calc level --dbu - --csv "
                "%.3f s, units -t %.3f s: %.0fx less CPU\n",
                conversions, ourMedian, theirMedian, theirMedian / ourMedian);
    if (failed || disagree) {
        std::fprintf(stderr, "beside units: %s, %ld of %ld voltages disagree\n",
                     failed ? "a run failed" : "every run ended with 0", disagree, conversions);
        return 1;
    }
    return 0;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv)
{
    const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const long lines = argc > 2 ? std::max(1L, std::atol(argv[2])) : 1000000L;
    const char* program = argc > 3 ? argv[3] : SONAVOLTA_CALC;
    const long conversions = argc > 4 ? std::max(1L, std::atol(argv[4])) : 100000L;

    std::vector<double> ms;
    for (int i = 0; i < starts; ++i) {
        const auto start = Clock::now();
        if (RunOnce(program, {"wave", "440"}, "/dev/null", "/dev/null") != 0) {
            std::fprintf(stderr, "%s wave 440 did not end with 0\n", program);
            return 1;
        }
        ms.push_back(Ms(Clock::now() - start));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start to exit (wave 440): median %.2f ms, min %.2f ms, max %.2f ms (%d runs)\n", ms[ms.size() / 2],
                ms.front(), ms.back(), starts);

    std::string path = (std::filesystem::temp_directory_path() / "calc_benchXXXXXX").string();
    char* input = path.data();
    const int fd = mkstemp(input);
    if (fd < 0) {
        std::perror("calc_bench: temporary file");
        return 1;
    }
    std::FILE* file = fdopen(fd, "w");
    // Frequencies spaced evenly on a log scale, with up to two decimals.
    for (long i = 0; i < lines; ++i)
        std::fprintf(file, "%.2f\n", 20.0 * std::exp(std::log(1000.0) * double(i % 100000) / 100000.0));
    std::fclose(file);

    RunOnce(program, {"wave", "-", "--csv"}, input, "/dev/null");  // warm the page cache
    const auto start = Clock::now();
    const int status = RunOnce(program, {"wave", "-", "--csv"}, input, "/dev/null");
    const double seconds = Ms(Clock::now() - start) / 1000.0;
    std::remove(input);
    if (status != 0) {
        std::fprintf(stderr, "%s wave - --csv ended with %d\n", program, status);
        return 1;
    }
    std::printf("%ld frequencies through wave - --csv: %.3f s (%.2f us a line)\n", lines, seconds,
                seconds * 1e6 / double(lines));
    return BesideUnits(program, conversions);
}
