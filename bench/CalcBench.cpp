// sonavolta-calc: from starting the program to its exit, and a million
// frequencies through "wave - --csv" from a file to /dev/null.
//
//   calc_bench [starts] [lines] [program]
//
// Start to exit: `starts` runs (100 unless given) of "wave 440", median, min
// and max in milliseconds. Batch: `lines` frequencies (1000000 unless given),
// spread over 20 Hz to 20 kHz, one run after a warm-up, in seconds.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Runs the program with stdin and stdout on the given files; the exit status
// or -1.
int RunOnce(const char* program, std::vector<std::string> args, const char* in, const char* out)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY, 0);
    std::vector<char*> argv {const_cast<char*>(program)};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv)
{
    const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const long lines = argc > 2 ? std::max(1L, std::atol(argv[2])) : 1000000L;
    const char* program = argc > 3 ? argv[3] : SONAVOLTA_CALC;

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
    return 0;
}
