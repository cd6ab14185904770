// The real sonavolta-calc: exit codes and one-line messages for bad input,
// JSON that parses, batches with bad lines in the middle, the user's decimal
// separator in the table only, and a program that links no Qt.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Result {
    int exit = -1;
    std::string out;
    std::string err;
};

std::ostream& operator<<(std::ostream& os, const Result& r)
{
    return os << "exit " << r.exit << "\nstdout:\n" << r.out << "stderr:\n" << r.err;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TempFile {
public:
    TempFile()
    {
        std::string name = (std::filesystem::temp_directory_path() / "calc_testXXXXXX").string();
        const int fd = mkstemp(name.data());
        close(fd);
        m_path = name;
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Runs a program with the input on its standard input; env entries
// ("NAME=value") are set in the child. stdoutPath replaces the captured
// output (e.g. /dev/full).
Result RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input = {},
                  const std::vector<std::string>& env = {}, const std::string& stdoutPath = {})
{
    TempFile in, out, err;
    std::ofstream(in.Path(), std::ios::binary) << input;
    const pid_t pid = fork();
    if (pid == 0) {
        const auto redirect = [](const std::string& path, int fd, int flags) {
            const int f = open(path.c_str(), flags, 0600);
            dup2(f, fd);
            close(f);
        };
        redirect(in.Path(), 0, O_RDONLY);
        redirect(stdoutPath.empty() ? out.Path() : stdoutPath, 1, O_WRONLY | O_TRUNC);
        redirect(err.Path(), 2, O_WRONLY | O_TRUNC);
        for (const std::string& e : env)
            putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv {const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    Result r;
    r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadFile(out.Path());
    r.err = ReadFile(err.Path());
    return r;
}

// Numbers in the table read the same in any locale but for the separator;
// the tests run in the C locale unless they choose one.
const std::vector<std::string> kCLocale = {"LC_ALL=C.UTF-8"};

Result Calc(const std::vector<std::string>& args, const std::string& input = {},
            const std::vector<std::string>& env = kCLocale)
{
    return RunProgram(SONAVOLTA_CALC, args, input, env);
}

int CountLines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

TEST(CalcProgram, BadInputsEndWithOneLineAndTheirExitCode)
{
    struct Case {
        std::vector<std::string> args;
        int exit;
        const char* mentions;  // the argument, the accepted range or the word at fault
    };
    const Case cases[] = {
        {{}, 2, "missing command"},
        {{"frobnicate"}, 2, "frobnicate"},
        {{"delay"}, 2, "BPM"},
        {{"delay", "0"}, 1, "BPM: 0 is out of range (1 to 1000 BPM)"},
        {{"delay", "1000.01"}, 1, "1 to 1000 BPM"},
        {{"delay", "-5"}, 1, "1 to 1000 BPM"},
        {{"delay", "abc"}, 2, "BPM: 'abc' is not a number"},
        {{"delay", "120", "130"}, 2, "130"},
        {{"delay", "120", "--a4", "440"}, 2, "--a4 is not an option of delay"},
        {{"delay", "120", "--json", "--csv"}, 2, "--csv"},
        {{"delay", "120", "--bogus"}, 2, "--bogus"},
        {{"wave", "0"}, 1, "0.0001 to 100000 Hz"},
        {{"wave", "100000.5"}, 1, "0.0001 to 100000 Hz"},
        {{"wave", "1e999"}, 1, "0.0001 to 100000 Hz"},
        {{"wave", "nan"}, 2, "neither a frequency"},
        {{"wave", "inf"}, 2, "neither a frequency"},
        {{"wave", "440Gz"},
         2,
         "FREQUENCY|NOTE: '440Gz' is neither a frequency (0.0001 to 100000 Hz; units Hz kHz) nor a note"},
        {{"wave", "H4"}, 2, "nor a note name (C-1 to B10"},
        {{"wave", "E##4"}, 2, "neither a frequency"},
        {{"wave", "C11"}, 1, "NOTE: C11 is out of range (C-1 to B10"},
        {{"wave", "440", "--a4", "1000"}, 1, "--a4: 1000 is out of range (300 to 600 Hz)"},
        {{"wave", "440", "--a4"}, 2, "--a4 needs a value"},
        {{"wave", "440", "--temp", "warm"}, 2, "--temp"},
        {{"wave", "440", "--temp", "-300"}, 1, "-100 to 100"},
        {{"level"}, 2, "--dbu"},
        {{"level", "--dbu", "200.5"}, 1, "--dbu: 200.5 is out of range (-200 to 200 dB)"},
        {{"level", "--dbv", "-1e3"}, 1, "-200 to 200 dB"},
        {{"level", "--dbu", "1", "--dbv", "2"}, 2, "one of"},
        {{"level", "--power", "0"}, 1, "above 0 W"},
        {{"level", "--power", "2e14kW"}, 1, "1.7e17 W"},
        {{"level", "--power", "1xW"}, 2, "no unit 'xW'"},
        {{"level", "--vrms", "-1V"}, 1, "above 0 V"},
        {{"level", "--vrms", "1mW"}, 2, "no unit 'mW'"},
        {{"level", "--dbu", "0", "--ohms", "0"}, 1, "--ohms"},
        {{"level", "--dbu", "nan"}, 2, "not a number"},
        {{"level", "--dbu", "4", "extra"}, 2, "extra"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args)
            line += a + ' ';
        SCOPED_TRACE(line);
        const Result r = Calc(c.args);
        EXPECT_EQ(r.exit, c.exit) << r;
        EXPECT_EQ(r.out, "") << r;  // never a partial answer
        EXPECT_EQ(CountLines(r.err), 1) << r;
        EXPECT_EQ(r.err.rfind("sonavolta-calc: ", 0), 0u) << r;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r;
    }
}

TEST(CalcProgram, HelpAndVersion)
{
    const Result help = Calc({"--help"});
    EXPECT_EQ(help.exit, 0);
    for (const char* word : {"level", "delay", "wave", "--dbu", "--round", "--a4", "--temp", "--json", "--csv"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    EXPECT_EQ(Calc({"wave", "--help"}).out, help.out);
    const Result version = Calc({"--version"});
    EXPECT_EQ(version.exit, 0);
    EXPECT_EQ(version.out, "sonavolta-calc (Sonavolta) " SONAVOLTA_VERSION "\n");
}

// Every JSON answer is an object that a JSON parser reads, the batch one
// object per line; the values are the ones the table shows.
TEST(CalcProgram, JsonParses)
{
    const std::vector<std::vector<std::string>> commands = {
        {"level", "--dbu", "4", "--json"},
        {"level", "--vrms", "775mV", "--si", "--json"},
        {"level", "--power", "1mW", "--exp", "--json"},
        {"delay", "120", "--json"},
        {"delay", "120", "--round", "--json"},
        {"wave", "445", "--json"},
        {"wave", "C5", "--a4", "442", "--temp", "20", "--json"},
        {"wave", "100000", "--json"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        const Result r = Calc(args);
        ASSERT_EQ(r.exit, 0) << r;
        EXPECT_EQ(CountLines(r.out), 1) << r;
        const Result parsed = RunProgram("python3", {"-m", "json.tool"}, r.out);
        EXPECT_EQ(parsed.exit, 0) << parsed << r;
    }
    // A check in a parser of its own: the values come back as the doubles.
    const Result wave = Calc({"wave", "445", "--json"});
    const Result checked = RunProgram("python3",
                                      {"-c", "import json,sys; d=json.load(sys.stdin); "
                                             "assert d['note']=='A4' and abs(d['cents']-19.56)<0.005, d; "
                                             "assert d['period_ms']==(1/445)*1000, d; print('ok')"},
                                      wave.out);
    EXPECT_EQ(checked.out, "ok\n") << checked << wave;

    const Result batch = Calc({"wave", "-", "--json"}, "440\n1000\n100000\n");
    ASSERT_EQ(batch.exit, 0) << batch;
    const Result lines =
        RunProgram("python3", {"-c", "import json,sys; print(sum(1 for l in sys.stdin if json.loads(l)))"}, batch.out);
    EXPECT_EQ(lines.out, "3\n") << lines << batch;
}

// A bad line is reported with its number; the lines after it are answered,
// and the exit status says that something was wrong.
TEST(CalcProgram, BatchGoesOnPastABadLine)
{
    const std::string input = "120\n\nabc\n0\n 90 \r\n1000";  // a blank line, CR LF, no final newline
    const Result csv = Calc({"delay", "-", "--csv"}, input);
    EXPECT_EQ(csv.exit, 1) << csv;
    EXPECT_EQ(csv.err, "sonavolta-calc: line 3: BPM: 'abc' is not a number (1 to 1000 BPM)\n"
                       "sonavolta-calc: line 4: BPM: 0 is out of range (1 to 1000 BPM)\n");
    std::istringstream rows(csv.out);
    std::string header, row;
    std::getline(rows, header);
    EXPECT_EQ(header.rfind("bpm,bar_4_4_ms,bar_4_4_hz,", 0), 0u) << header;
    std::vector<std::string> bpms;
    while (std::getline(rows, row))
        bpms.push_back(row.substr(0, row.find(',')));
    EXPECT_EQ(bpms, (std::vector<std::string> {"120", "90", "1000"}));

    const Result level = Calc({"level", "--vrms", "-", "--json"}, "1V\n2 mV\n-3V\n4kV\n");
    EXPECT_EQ(level.exit, 1) << level;
    EXPECT_EQ(CountLines(level.out), 3) << level;
    EXPECT_EQ(level.err,
              "sonavolta-calc: line 3: --vrms: -3V is out of range (above 0 V up to 1e10 V; units nV uV mV V kV MV)\n");

    const Result notes = Calc({"wave", "-"}, "A4\nX9\nC5\n");
    EXPECT_EQ(notes.exit, 1) << notes;
    EXPECT_NE(notes.err.find("line 2: FREQUENCY|NOTE: 'X9' is neither"), std::string::npos) << notes;
    EXPECT_NE(notes.out.find("523.25"), std::string::npos) << notes;

    // All good lines: success.
    EXPECT_EQ(Calc({"wave", "-", "--csv"}, "440\n880\n").exit, 0);
}

// The table speaks the user's locale; JSON and CSV always use the point.
TEST(CalcProgram, LocaleDecimalSeparatorInTheTableOnly)
{
    const std::vector<std::string> german = {"LC_ALL=de_DE.UTF-8"};
    const Result table = Calc({"delay", "120"}, {}, german);
    ASSERT_EQ(table.exit, 0) << table;
    EXPECT_NE(table.out.find("500,0000"), std::string::npos) << table;
    EXPECT_EQ(table.out.find("500.0000"), std::string::npos) << table;

    const Result csv = Calc({"delay", "93,5", "--csv"}, {}, german);  // the user's comma is read too
    ASSERT_EQ(csv.exit, 0) << csv;
    EXPECT_NE(csv.out.find("\n93.5,"), std::string::npos) << csv;

    const Result json = Calc({"wave", "440", "--json"}, {}, german);
    EXPECT_NE(json.out.find("\"period_ms\":2.2727"), std::string::npos) << json;

    const Result english = Calc({"delay", "120"}, {}, {"LC_ALL=en_US.UTF-8"});
    EXPECT_NE(english.out.find("500.0000"), std::string::npos) << english;
    // In a locale with the point, a comma is no decimal separator.
    EXPECT_EQ(Calc({"delay", "1,000"}, {}, {"LC_ALL=en_US.UTF-8"}).exit, 2);
}

TEST(CalcProgram, TableShowsTheDialogsUnits)
{
    const Result r = Calc({"level", "--dbu", "0"});
    ASSERT_EQ(r.exit, 0) << r;
    EXPECT_EQ(r.out, "dBu               0.0000\n"
                     "dBV              -2.2185\n"
                     "dBm               0.0000\n"
                     "dBW             -30.0000\n"
                     "dBmV             57.7815\n"
                     "dB\u00b5V            117.7815\n"
                     "Power             1.0000 mW\n"
                     "Voltage (RMS)   774.5967 mV\n"
                     "Voltage (peak)    1.0954 V\n"
                     "Voltage (p-p)     2.1909 V\n"
                     "Load                 600 ohms\n");
    // Without UTF-8 the micro sign becomes a u.
    const Result micro = Calc({"level", "--power", "250uW"}, {}, {"LC_ALL=C"});
    EXPECT_NE(micro.out.find("250.0000 uW"), std::string::npos) << micro;
    const Result utf8 = Calc({"level", "--power", "250uW"});
    EXPECT_NE(utf8.out.find("250.0000 \u00b5W"), std::string::npos) << utf8;
}

TEST(CalcProgram, AWriteErrorIsAFailure)
{
    const Result r = RunProgram(SONAVOLTA_CALC, {"wave", "440"}, {}, kCLocale, "/dev/full");
    EXPECT_EQ(r.exit, 1) << r;
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r;
}

// With SIGPIPE ignored, as some callers leave it, a reader that has gone is
// noticed at the first failed write: one message, and no more input read.
TEST(CalcProgram, AReaderThatHasGoneEndsTheRun)
{
    TempFile in, err;
    std::string lines;
    for (int i = 0; i < 200000; ++i)
        lines += "440\n";
    std::ofstream(in.Path(), std::ios::binary) << lines;
    const int input = open(in.Path().c_str(), O_RDONLY);
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    close(pipe[0]);  // the reader is gone before the first answer
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGPIPE, SIG_IGN);
        dup2(input, 0);
        dup2(pipe[1], 1);
        const int e = open(err.Path().c_str(), O_WRONLY | O_TRUNC);
        dup2(e, 2);
        putenv(const_cast<char*>("LC_ALL=C.UTF-8"));
        execl(SONAVOLTA_CALC, SONAVOLTA_CALC, "wave", "-", "--json", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    // The child shared the input's offset: how far it read.
    const off_t read = lseek(input, 0, SEEK_CUR);
    close(input);
    const std::string message = ReadFile(err.Path());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(message, "sonavolta-calc: cannot write the output: Broken pipe\n");
    EXPECT_LT(read, off_t(lines.size() / 4)) << "read " << read << " of " << lines.size() << " bytes";
}

// Answers and messages come in the order of the lines, on one terminal too.
TEST(CalcProgram, AnErrorComesAfterTheAnswersBeforeIt)
{
    TempFile in, both;
    std::ofstream(in.Path(), std::ios::binary) << "120\nabc\n90\n";
    const pid_t pid = fork();
    if (pid == 0) {
        const int i = open(in.Path().c_str(), O_RDONLY);
        const int o = open(both.Path().c_str(), O_WRONLY | O_TRUNC);
        dup2(i, 0);
        dup2(o, 1);
        dup2(o, 2);
        execl(SONAVOLTA_CALC, SONAVOLTA_CALC, "delay", "-", "--csv", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const std::string out = ReadFile(both.Path());
    const std::size_t first = out.find("\n120,"), error = out.find("line 2:"), third = out.find("\n90,");
    ASSERT_NE(first, std::string::npos) << out;
    ASSERT_NE(error, std::string::npos) << out;
    ASSERT_NE(third, std::string::npos) << out;
    EXPECT_LT(first, error) << out;
    EXPECT_LT(error, third) << out;
}

// What a message echoes from the input cannot reach the terminal as control
// bytes, and a NUL does not cut it short.
TEST(CalcProgram, MessagesEscapeWhatTheyEcho)
{
    const std::string input = std::string("\x1b]0;owned\x07\n12\0"
                                          "34\n\xff\xfe\n\xc2\x9b"
                                          "31m\nA\u00e9\n",
                                          30);
    const Result r = Calc({"delay", "-"}, input);
    EXPECT_EQ(r.exit, 1) << r;
    EXPECT_EQ(r.err, "sonavolta-calc: line 1: BPM: '\\x1b]0;owned\\x07' is not a number (1 to 1000 BPM)\n"
                     "sonavolta-calc: line 2: BPM: '12\\x0034' is not a number (1 to 1000 BPM)\n"
                     "sonavolta-calc: line 3: BPM: '\\xff\\xfe' is not a number (1 to 1000 BPM)\n"
                     "sonavolta-calc: line 4: BPM: '\\xc2\\x9b31m' is not a number (1 to 1000 BPM)\n"
                     "sonavolta-calc: line 5: BPM: 'A\u00e9' is not a number (1 to 1000 BPM)\n");
    // On the command line too, and any byte past ASCII outside UTF-8.
    const Result arg = Calc({"wave", "\x1b[2J\u00e9"}, {}, {"LC_ALL=C"});
    EXPECT_EQ(arg.exit, 2) << arg;
    EXPECT_NE(arg.err.find("'\\x1b[2J\\xc3\\xa9'"), std::string::npos) << arg;
    const Result option = Calc({"delay", "1", "--\x1b[2J"});
    EXPECT_NE(option.err.find("unknown option '--\\x1b[2J'"), std::string::npos) << option;
}

TEST(CalcProgram, KeysAndHeaders)
{
    // The CSV header of an empty input, or of one without a good line.
    for (const char* input : {"", "\n\n", "abc\n"}) {
        const Result r = Calc({"delay", "-", "--csv"}, input);
        EXPECT_EQ(r.out.rfind("bpm,bar_4_4_ms,bar_4_4_hz,", 0), 0u) << r;
        EXPECT_EQ(CountLines(r.out), 1) << r;
    }
    EXPECT_EQ(Calc({"wave", "-", "--csv"}, "").out.rfind("frequency_hz,note,note_hz,cents,", 0), 0u);

    // --si adds plain watts and volts after the other keys, which stay as they are.
    const auto keys = [](const std::string& json) {
        std::vector<std::string> found;
        for (std::size_t at = json.find('"'); at != std::string::npos; at = json.find(",\"", at)) {
            const std::size_t start = json.find('"', at) + 1;
            const std::size_t end = json.find('"', start);
            found.push_back(json.substr(start, end - start));
            at = end;
        }
        return found;
    };
    const std::vector<std::string> added = {"power_w", "vrms_v", "vpeak_v", "vpp_v"};
    for (const char* quantity : {"--dbu", "--vrms", "--power", "--vpp"}) {
        SCOPED_TRACE(quantity);
        std::vector<std::string> expected = keys(Calc({"level", quantity, "1", "--json"}).out);
        EXPECT_EQ(std::vector<std::string>(expected.begin(), expected.begin() + 10),
                  (std::vector<std::string> {"dbu", "dbv", "dbm", "power", "power_unit", "vrms", "vrms_unit", "vpp",
                                             "vpp_unit", "ohms"}));
        expected.insert(expected.end(), added.begin(), added.end());
        EXPECT_EQ(keys(Calc({"level", quantity, "1", "--json", "--si"}).out), expected);
        const Result plainCsv = Calc({"level", quantity, "1", "--csv"});
        const Result siCsv = Calc({"level", quantity, "1", "--csv", "--si"});
        EXPECT_EQ(siCsv.out.substr(0, siCsv.out.find('\n')),
                  plainCsv.out.substr(0, plainCsv.out.find('\n')) + ",power_w,vrms_v,vpeak_v,vpp_v");
    }
    // No negative zero for programs either.
    const Result zero = Calc({"level", "--dbu", "-0", "--json"});
    EXPECT_NE(zero.out.find("\"dbu\":0,"), std::string::npos) << zero;
    EXPECT_EQ(zero.out.find(":-0,"), std::string::npos) << zero;
}

// Long options by any unambiguous beginning, short ones run together, as
// getopt_long users expect; values of the program's own forms too.
TEST(CalcProgram, OptionForms)
{
    const std::pair<std::vector<std::string>, std::vector<std::string>> same[] = {
        {{"delay", "120", "-rj"}, {"delay", "120", "--round", "--json"}},
        {{"delay", "120", "--ro", "--js"}, {"delay", "120", "--round", "--json"}},
        {{"level", "--dbu", "0", "-ejo8"}, {"level", "--dbu", "0", "--exp", "--json", "--ohms", "8"}},
        {{"level", "--po=1mW", "--oh", "8", "-c"}, {"level", "--power", "1mW", "--ohms", "8", "--csv"}},
        {{"wave", "-mf", "70"}, {"wave", "--midi", "--flats", "70"}},
        {{"wave", "--m", "70"}, {"wave", "--midi", "70"}},  // --ms is delay's
        {{"delay", "--m=500"}, {"delay", "--ms", "500"}},   // --midi is wave's
        {{"wave", "440", "-ja442"}, {"wave", "440", "--json", "--a4", "442"}},
        {{"level", "--dbu", " 4", "-j"}, {"level", "--dbu", "4", "-j"}},
    };
    for (const auto& [args, expected] : same) {
        std::string line;
        for (const std::string& a : args)
            line += a + ' ';
        SCOPED_TRACE(line);
        const Result r = Calc(args);
        EXPECT_EQ(r.exit, 0) << r;
        EXPECT_EQ(r.out, Calc(expected).out) << r;
    }
    const Result ambiguous = Calc({"level", "--db", "4"});
    EXPECT_EQ(ambiguous.exit, 2) << ambiguous;
    EXPECT_NE(ambiguous.err.find("'--db' is ambiguous: --dbu, --dbv, --dbm"), std::string::npos) << ambiguous;
    EXPECT_EQ(CountLines(ambiguous.err), 1) << ambiguous;
    const Result unknown = Calc({"delay", "120", "-rx"});
    EXPECT_EQ(unknown.exit, 2) << unknown;
    EXPECT_NE(unknown.err.find("unknown option '-x'"), std::string::npos) << unknown;
}

TEST(CalcProgram, LinksNoQt)
{
    const Result r = RunProgram("readelf", {"-d", SONAVOLTA_CALC});
    ASSERT_EQ(r.exit, 0) << r;
    EXPECT_NE(r.out.find("(NEEDED)"), std::string::npos) << r;
    EXPECT_EQ(r.out.find("Qt"), std::string::npos) << r;
}

// The completion script, loaded into bash without the bash-completion
// package's helpers, offers commands, options and note names.
TEST(CalcProgram, BashCompletion)
{
    const auto complete = [](const std::string& words, int cword) {
        const std::string script = "source '" SONAVOLTA_COMPLETION "'; COMP_WORDS=(" + words + "); COMP_CWORD="
                                   + std::to_string(cword) + "; _sonavolta_calc; printf '%s\\n' \"${COMPREPLY[@]}\"";
        return RunProgram("bash", {"--norc", "-c", script}).out;
    };
    EXPECT_EQ(complete("sonavolta-calc ''", 1), "level\ndelay\nwave\n--json\n--csv\n--help\n--version\n");
    EXPECT_EQ(complete("sonavolta-calc delay 120 --r", 3), "--round\n--rate\n");
    EXPECT_EQ(complete("sonavolta-calc wave --a", 2), "--a4\n");
    EXPECT_EQ(complete("sonavolta-calc wave 'c#4'", 2), "C#4\n");
    EXPECT_EQ(complete("sonavolta-calc level --p", 2), "--power\n");
    // A value after "=", in one word or split at it as bash splits.
    EXPECT_EQ(complete("sonavolta-calc wave --a4=43", 2), "--a4=430\n--a4=432\n--a4=435\n");
    EXPECT_EQ(complete("sonavolta-calc wave --a4 = 43", 4), "430\n432\n435\n");
    EXPECT_EQ(complete("sonavolta-calc delay 120 --rate=4", 3), "--rate=44100\n--rate=48000\n");
    // Standard input, the new options and the note spellings.
    EXPECT_EQ(complete("sonavolta-calc level --vrms ''", 3), "-\n");
    EXPECT_EQ(complete("sonavolta-calc level --vp", 2), "--vpeak\n--vpp\n");
    EXPECT_EQ(complete("sonavolta-calc wave --m", 2), "--midi\n");
    EXPECT_EQ(complete("sonavolta-calc wave eb", 2), "Eb-1\nEb0\nEb1\nEb2\nEb3\nEb4\nEb5\nEb6\nEb7\nEb8\nEb9\nEb10\n");
    EXPECT_EQ(complete("sonavolta-calc wave c-", 2), "C-1\n");
}

// The word in the text, between blanks, quotes or the shell's "|" and ")".
bool HasWord(const std::string& text, const std::string& word)
{
    const auto bound = [](char c) { return std::isspace(static_cast<unsigned char>(c)) || std::strchr("\"|)", c); };
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if (at > 0 && bound(text[at - 1]) && end < text.size() && bound(text[end]))
            return true;
    }
    return false;
}

// Every option the help names is in the manual page and the completion, and
// the manual points to no page that does not exist.
TEST(CalcProgram, ManPageAndCompletionNameEveryOption)
{
    const std::string help = Calc({"--help"}).out;
    const std::string man = ReadFile(SONAVOLTA_MANPAGE);
    const std::string completion = ReadFile(SONAVOLTA_COMPLETION);
    std::vector<std::string> options;
    for (std::size_t at = help.find('-'); at != std::string::npos; at = help.find('-', at + 1)) {
        if (at > 0 && help[at - 1] != ' ')
            continue;
        std::size_t end = at + 1;
        if (end < help.size() && help[end] == '-')
            ++end;
        while (end < help.size() && (std::isalnum(static_cast<unsigned char>(help[end])) || help[end] == '-'))
            ++end;
        const std::string option = help.substr(at, end - at);
        if (option.size() >= 2 && std::isalpha(static_cast<unsigned char>(option.back())))
            options.push_back(option);
        at = end - 1;
    }
    for (const char* expected : {"-p", "-o", "-e", "-r", "-a", "-t", "-m", "-f", "-j", "-c", "-h", "-V", "--vpeak",
                                 "--dbfs-ref", "--rate", "--samples"})
        EXPECT_NE(std::find(options.begin(), options.end(), expected), options.end()) << expected;
    for (const std::string& option : options) {
        std::string troff;
        for (const char c : option)
            troff += c == '-' ? "\\-" : std::string(1, c);
        EXPECT_NE(man.find(troff), std::string::npos) << option << " is not in the manual page";
        EXPECT_TRUE(HasWord(completion, option)) << option << " is not completed";
    }
    // 0 dBu is the square root of 0.6 V.
    EXPECT_NE(man.find("0.7746 V"), std::string::npos);
    EXPECT_EQ(man.find("0.775 V"), std::string::npos);
    const std::size_t seeAlso = man.find(".SH SEE ALSO");
    if (seeAlso != std::string::npos) {
        EXPECT_EQ(man.find(".BR sonavolta (1)", seeAlso), std::string::npos) << "a page that is not shipped";
    }
}

TEST(CalcProgram, ManPageRendersWithoutWarnings)
{
    const Result r = RunProgram("groff", {"-man", "-ww", "-z", SONAVOLTA_MANPAGE});
    EXPECT_EQ(r.exit, 0) << r;
    EXPECT_EQ(r.err, "") << r;
}

}  // namespace

namespace {

// The numbers of a table, its labels left out: what no language changes.
std::vector<std::string> Numbers(const std::string& table)
{
    std::vector<std::string> numbers;
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        for (std::string word; words >> word;)
            if (word.find_first_not_of("+-0123456789.,") == std::string::npos)
                numbers.push_back(word);
    }
    return numbers;
}

// A table's words, its numbers left out.
std::string Labels(const std::string& table)
{
    std::string labels;
    std::istringstream words(table);
    for (std::string word; words >> word;)
        if (word.find_first_of("0123456789") == std::string::npos)
            labels += word + ' ';
    return labels;
}

// Words that read one way in English and two ways elsewhere, and unit words
// (not symbols), in the language of the table: Japanese names a note's name
// in Wave and a note's value in Delay differently; German says "Ohm" and
// "Cent".
TEST(CalcProgram, TableWordsInTheirLanguage)
{
    const auto firstWord = [](const std::string& line) { return line.substr(0, line.find(' ')); };
    const auto lineWith = [](const std::string& text, const std::string& part) {
        const std::size_t at = text.find(part);
        if (at == std::string::npos)
            return std::string();
        const std::size_t start = text.rfind('\n', at) + 1;
        return text.substr(start, text.find('\n', at) - start);
    };
    const std::vector<std::string> japanese = {"LC_ALL=", "LANGUAGE=", "LANG=ja_JP.UTF-8"};
    const std::string wave = Calc({"wave", "440"}, {}, japanese).out;
    const std::string delay = Calc({"delay", "120"}, {}, japanese).out;
    const std::string noteName = firstWord(lineWith(wave, " A4"));
    // The notes' heading: the line above the whole note's row.
    const std::size_t wholeNote = delay.find("\n1/1 ");
    ASSERT_NE(wholeNote, std::string::npos) << delay;
    const std::string noteValue = firstWord(delay.substr(delay.rfind('\n', wholeNote - 1) + 1));
    EXPECT_FALSE(noteName.empty()) << wave;
    EXPECT_FALSE(noteValue.empty()) << delay;
    EXPECT_NE(noteName, noteValue) << wave << delay;

    const std::vector<std::string> german = {"LC_ALL=", "LANGUAGE=", "LANG=de_DE.UTF-8"};
    const std::string level = Calc({"level", "--dbu", "4", "--ohms", "8"}, {}, german).out;
    EXPECT_NE(lineWith(level, " 8 ").find(" Ohm"), std::string::npos) << level;
    EXPECT_EQ(level.find("ohms"), std::string::npos) << level;
    const std::string cents = Calc({"wave", "445"}, {}, german).out;
    EXPECT_NE(cents.find(" Cent\n"), std::string::npos) << cents;
    EXPECT_EQ(cents.find("cents"), std::string::npos) << cents;
}

// A copy of the program installed with its catalogues (bin/, share/locale/)
// and a link to it from another folder.
class InstalledCopy {
public:
    InstalledCopy() : m_root(std::filesystem::temp_directory_path() / ("calc_install_" + std::to_string(getpid())))
    {
        namespace fs = std::filesystem;
        fs::remove_all(m_root);
        for (const char* folder : {"bin", "share", "elsewhere"})
            fs::create_directories(m_root / folder);
        fs::copy_file(SONAVOLTA_CALC, m_root / "bin/sonavolta-calc");
        fs::copy(fs::path(SONAVOLTA_CALC).parent_path().parent_path() / "share/locale", m_root / "share/locale",
                 fs::copy_options::recursive);
        fs::create_symlink(m_root / "bin/sonavolta-calc", Link());
    }
    ~InstalledCopy() { std::filesystem::remove_all(m_root); }
    std::filesystem::path Link() const { return m_root / "elsewhere/sonavolta-calc"; }

private:
    std::filesystem::path m_root;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitized = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitized = false;
#endif

const std::vector<std::string> kGerman = {"LC_ALL=", "LANGUAGE=", "LANG=de_DE.UTF-8"};

// Started through a link, it finds the catalogues beside its real file, not
// beside the link.
TEST(CalcProgram, FindsItsCataloguesBesideItsRealFile)
{
    const InstalledCopy installed;
    const Result english = Calc({"level", "--dbu", "4"}, {}, {"LC_ALL=C.UTF-8"});
    const Result german = RunProgram(installed.Link().string(), {"level", "--dbu", "4"}, {}, kGerman);
    EXPECT_EQ(german.exit, 0) << german;
    EXPECT_NE(Labels(german.out), Labels(english.out)) << german;
}

// Where /proc is not mounted (a bare chroot or container), it finds them
// from the path it was started by.
TEST(CalcProgram, FindsItsCataloguesWithoutProc)
{
    const std::vector<std::string> hideProc = {"-rm", "sh", "-c", "mount -t tmpfs none /proc && exec \"$0\" \"$@\""};
    if (kAddressSanitized)
        GTEST_SKIP() << "a sanitized program reads its options and checks for leaks through /proc";
    std::vector<std::string> probe = hideProc;
    probe.push_back("true");
    if (RunProgram("unshare", probe).exit != 0)
        GTEST_SKIP() << "no user namespace here to hide /proc in";

    const InstalledCopy installed;
    const Result withProc = RunProgram(installed.Link().string(), {"level", "--dbu", "4"}, {}, kGerman);
    std::vector<std::string> args = hideProc;
    args.insert(args.end(), {installed.Link().string(), "level", "--dbu", "4"});
    const Result withoutProc = RunProgram("unshare", args, {}, kGerman);
    EXPECT_EQ(withoutProc.exit, 0) << withoutProc;
    EXPECT_EQ(withoutProc.out, withProc.out);
}

// In each language the desktop names, the help, a table's labels and an
// error are in that language; the numbers, the JSON and the exit codes are
// as in English.
TEST(CalcProgram, SpeaksTheUsersLanguage)
{
    const std::vector<std::string> english = {"LC_ALL=", "LANGUAGE=", "LANG=en_US.UTF-8"};
    const Result help = Calc({"--help"}, {}, english);
    const std::vector<std::string> kWave = {"wave", "440"}, kDelay = {"delay", "120", "--rate", "48000"};
    const Result table = Calc(kWave, {}, english);
    const Result delay = Calc(kDelay, {}, english);
    const Result error = Calc({"wave", "999999"}, {}, english);
    ASSERT_EQ(error.exit, 1) << error;
    const Result json = Calc({"level", "--dbu", "4", "--json"}, {}, english);

    const struct {
        std::vector<std::string> env;
        const char* language;
    } cases[] = {
        {{"LC_ALL=", "LANGUAGE=", "LANG=de_DE.UTF-8"}, "de"}, {{"LC_ALL=", "LANGUAGE=de:en", "LANG=en_US.UTF-8"}, "de"},
        {{"LC_ALL=", "LANGUAGE=", "LANG=fr_FR.UTF-8"}, "fr"}, {{"LC_ALL=", "LANGUAGE=", "LANG=es_ES.UTF-8"}, "es"},
        {{"LC_ALL=", "LANGUAGE=", "LANG=it_IT.UTF-8"}, "it"}, {{"LC_ALL=", "LANGUAGE=", "LANG=pt_BR.UTF-8"}, "pt_BR"},
        {{"LC_ALL=", "LANGUAGE=", "LANG=ja_JP.UTF-8"}, "ja"}, {{"LC_ALL=", "LANGUAGE=", "LANG=zh_CN.UTF-8"}, "zh_CN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.env[1] + " " + c.env[2]);
        const Result translatedHelp = Calc({"--help"}, {}, c.env);
        EXPECT_EQ(translatedHelp.exit, 0);
        EXPECT_NE(translatedHelp.out, help.out);
        EXPECT_NE(translatedHelp.out.find("--dbfs-ref DBFS:LEVEL"), std::string::npos) << translatedHelp.out;

        for (const auto& [args, english] : {std::pair {kWave, &table}, std::pair {kDelay, &delay}}) {
            const Result translated = Calc(args, {}, c.env);
            EXPECT_NE(Labels(translated.out), Labels(english->out)) << translated.out;
            EXPECT_EQ(CountLines(translated.out), CountLines(english->out)) << translated.out;
        }
        const Result translatedError = Calc({"wave", "999999"}, {}, c.env);
        EXPECT_EQ(translatedError.exit, 1);
        EXPECT_NE(translatedError.err, error.err);
        EXPECT_EQ(translatedError.err.rfind("sonavolta-calc: ", 0), 0u) << translatedError.err;
        EXPECT_NE(translatedError.err.find("999999"), std::string::npos) << translatedError.err;
        EXPECT_EQ(Calc({"level", "--dbu", "4", "--json"}, {}, c.env).out, json.out);
    }
    // The German table keeps the English one's numbers, in the German form.
    std::vector<std::string> german = Numbers(Calc({"wave", "440"}, {}, {"LC_ALL=", "LANG=de_DE.UTF-8"}).out);
    for (std::string& number : german)
        std::replace(number.begin(), number.end(), ',', '.');
    EXPECT_EQ(german, Numbers(table.out));

    // English, C, and a terminal that is not UTF-8, which could not show
    // every language's letters: the English texts.
    for (const std::vector<std::string>& env :
         std::vector<std::vector<std::string>> {{"LC_ALL=C", "LANGUAGE=de"},
                                                {"LC_ALL=", "LANGUAGE=", "LANG=de_DE"},
                                                {"LC_ALL=en_GB.UTF-8", "LANGUAGE="}}) {
        SCOPED_TRACE(env[0] + " " + env[1]);
        EXPECT_EQ(Calc({"--help"}, {}, env).out, help.out);
        EXPECT_EQ(Calc({"wave", "999999"}, {}, env).err, error.err);
    }
}

}  // namespace
