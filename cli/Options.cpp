#include "cli/Options.h"

#include "cli/Numbers.h"

#include <optional>
#include <vector>

namespace cli {

namespace {

constexpr Range kOhmsRange {0.0, 10000000.0, true, "above 0 up to 10000000 ohms"};
constexpr Range kA4Range {300.0, 600.0, false, "300 to 600 Hz"};
constexpr Range kTemperatureRange {-100.0, 100.0, false, "-100 to 100 degrees Celsius"};

enum class Takes { Nothing, Value };

struct OptionSpec {
    const char* longName;  // without "--"
    char shortName;        // 0: none
    Takes takes;
    // The command it belongs to; Help for the options every command takes.
    Command command;
};

constexpr OptionSpec kOptions[] = {
    {"help", 'h', Takes::Nothing, Command::Help}, {"version", 'V', Takes::Nothing, Command::Help},
    {"json", 'j', Takes::Nothing, Command::Help}, {"csv", 'c', Takes::Nothing, Command::Help},
    {"dbu", 0, Takes::Value, Command::Level},     {"dbv", 0, Takes::Value, Command::Level},
    {"dbm", 0, Takes::Value, Command::Level},     {"power", 'p', Takes::Value, Command::Level},
    {"vrms", 0, Takes::Value, Command::Level},    {"vpp", 0, Takes::Value, Command::Level},
    {"ohms", 'o', Takes::Value, Command::Level},  {"si", 0, Takes::Nothing, Command::Level},
    {"exp", 'e', Takes::Nothing, Command::Level}, {"round", 'r', Takes::Nothing, Command::Delay},
    {"a4", 'a', Takes::Value, Command::Wave},     {"temp", 't', Takes::Value, Command::Wave},
};

const OptionSpec* FindLong(std::string_view name)
{
    for (const OptionSpec& o : kOptions)
        if (name == o.longName)
            return &o;
    return nullptr;
}

const OptionSpec* FindShort(char name)
{
    for (const OptionSpec& o : kOptions)
        if (o.shortName != 0 && o.shortName == name)
            return &o;
    return nullptr;
}

std::optional<Command> FindCommand(std::string_view word)
{
    if (word == "level")
        return Command::Level;
    if (word == "delay")
        return Command::Delay;
    if (word == "wave")
        return Command::Wave;
    return std::nullopt;
}

const char* CommandName(Command c)
{
    switch (c) {
    case Command::Level: return "level";
    case Command::Delay: return "delay";
    case Command::Wave: return "wave";
    default: return "";
    }
}

Failure Usage(std::string message) { return Failure {Failure::Usage, std::move(message) + " (see --help)"}; }

// "-5" and "-.5" are negative numbers, not options.
bool LooksNumeric(std::string_view arg)
{
    return arg.size() > 1 && arg[0] == '-' && ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.' || arg[1] == ',');
}

struct Given {
    const OptionSpec* spec;
    std::string name;  // as written, for messages
    std::string value;
};

}  // namespace

std::variant<double, Failure> ReadNumber(std::string_view text, const char* name, const Range& range,
                                         std::string_view decimalSep)
{
    const std::optional<double> value = ParseNumber(text, decimalSep);
    if (!value)
        return Failure {Failure::Usage,
                        std::string(name) + ": '" + std::string(text) + "' is not a number (" + range.text + ")"};
    if (!range.Contains(*value))
        return Failure {Failure::OutOfRange,
                        std::string(name) + ": " + std::string(text) + " is out of range (" + range.text + ")"};
    return *value;
}

std::variant<Options, Failure> ParseOptions(int argc, const char* const* argv, std::string_view decimalSep)
{
    std::vector<Given> given;
    std::vector<std::string> words;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnd || arg == "-" || arg.size() < 2 || arg[0] != '-' || LooksNumeric(arg)) {
            words.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        const OptionSpec* spec = nullptr;
        std::string name;
        std::optional<std::string> inlineValue;
        if (arg.starts_with("--")) {
            const std::size_t eq = arg.find('=');
            name = std::string(arg.substr(0, eq));
            spec = FindLong(std::string_view(name).substr(2));
            if (eq != std::string_view::npos)
                inlineValue = std::string(arg.substr(eq + 1));
        } else {
            name = std::string(arg.substr(0, 2));
            spec = FindShort(arg[1]);
            if (arg.size() > 2)
                inlineValue = std::string(arg.substr(2));
        }
        if (!spec)
            return Usage("unknown option '" + name + "'");
        Given g {spec, name, {}};
        if (spec->takes == Takes::Value) {
            if (inlineValue) {
                g.value = *inlineValue;
            } else if (i + 1 < argc) {
                g.value = argv[++i];
            } else {
                return Usage(name + " needs a value");
            }
        } else if (inlineValue) {
            // "-jc" is not taken apart; one short option per word.
            return Usage(arg.starts_with("--") ? name + " takes no value"
                                               : "unknown option '" + std::string(arg) + "'");
        }
        given.push_back(std::move(g));
    }

    Options options;
    options.decimalSep = std::string(decimalSep);
    for (const Given& g : given) {
        if (g.spec->longName == std::string_view("help")) {
            options.command = Command::Help;
            return options;
        }
    }
    for (const Given& g : given) {
        if (g.spec->longName == std::string_view("version")) {
            options.command = Command::Version;
            return options;
        }
    }

    if (words.empty())
        return Usage("missing command: level, delay or wave");
    const std::optional<Command> command = FindCommand(words.front());
    if (!command)
        return Usage("unknown command '" + words.front() + "': level, delay or wave");
    options.command = *command;
    words.erase(words.begin());

    bool levelInputGiven = false;
    for (const Given& g : given) {
        const std::string_view name = g.spec->longName;
        if (g.spec->command != Command::Help && g.spec->command != options.command)
            return Usage(g.name + " is not an option of " + CommandName(options.command));
        if (name == "json" || name == "csv") {
            const Format format = name == "json" ? Format::Json : Format::Csv;
            if (options.format != Format::Table && options.format != format)
                return Usage("--json and --csv exclude each other");
            options.format = format;
        } else if (name == "ohms") {
            auto r = ReadNumber(g.value, "--ohms", kOhmsRange, decimalSep);
            if (auto* f = std::get_if<Failure>(&r))
                return *f;
            options.ohms = std::get<double>(r);
        } else if (name == "a4") {
            auto r = ReadNumber(g.value, "--a4", kA4Range, decimalSep);
            if (auto* f = std::get_if<Failure>(&r))
                return *f;
            options.a4 = std::get<double>(r);
        } else if (name == "temp") {
            auto r = ReadNumber(g.value, "--temp", kTemperatureRange, decimalSep);
            if (auto* f = std::get_if<Failure>(&r))
                return *f;
            options.temperature = std::get<double>(r);
            options.hasTemperature = true;
        } else if (name == "si") {
            options.si = true;
        } else if (name == "exp") {
            options.exp = true;
        } else if (name == "round") {
            options.round = true;
        } else {
            // One of the level quantities.
            if (levelInputGiven)
                return Usage("give one of --dbu, --dbv, --dbm, --power, --vrms, --vpp");
            levelInputGiven = true;
            options.levelInput = name == "dbu"     ? LevelInput::DBu
                                 : name == "dbv"   ? LevelInput::DBV
                                 : name == "dbm"   ? LevelInput::DBm
                                 : name == "power" ? LevelInput::Power
                                 : name == "vrms"  ? LevelInput::Vrms
                                                   : LevelInput::Vpp;
            options.input = g.value;
        }
    }

    if (options.command == Command::Level) {
        if (!words.empty())
            return Usage("level takes no argument '" + words.front() + "'; its value goes with its option");
        if (!levelInputGiven)
            return Usage("level needs one of --dbu, --dbv, --dbm, --power, --vrms, --vpp");
    } else {
        const char* what = options.command == Command::Delay ? "BPM" : "FREQUENCY or NOTE";
        if (words.empty())
            return Usage(std::string(CommandName(options.command)) + " needs " + what + " (or - for standard input)");
        if (words.size() > 1)
            return Usage(std::string(CommandName(options.command)) + " takes one " + what + ", not '" + words[1]
                         + "' too");
        options.input = words.front();
    }
    return options;
}

const char* HelpText()
{
    return R"(Usage: sonavolta-calc COMMAND [OPTION]... [VALUE]
The Sonavolta calculators on the command line.

  level --dbu X | --dbv X | --dbm X | --power X[UNIT] | --vrms X[UNIT] | --vpp X[UNIT]
        every quantity of the Level calculator: dBu, dBV, dBm, power, RMS and
        peak-to-peak voltage, in the units the calculator would choose
          -o, --ohms R     load impedance in ohms (default 600)
              --si         power in W and voltages in V
          -e, --exp        power in exponent form
        UNIT: nW uW mW W kW MW GW for the power, mV V kV MV for voltages;
        none means W or V. Levels -200 to 200 dB.
  delay BPM
        the 4/4 and 3/4 bar and the notes 1/1 to 1/128, plain, dotted and
        triplet, in ms and Hz; BPM 1 to 1000
          -r, --round      whole milliseconds
  wave FREQUENCY|NOTE
        period, wavelength (m, cm, ft) and their halves, and the nearest
        note with its deviation in cents; FREQUENCY 0.0001 to 100000 Hz,
        NOTE C0 to B9 (sharps as #, e.g. C#4)
          -a, --a4 HZ      concert pitch, 300 to 600 Hz (default 440)
          -t, --temp C     air temperature in degrees Celsius, -100 to 100
                           (default: the Wave calculator's 343.3 m/s)

A value of - reads one value per line from standard input.

Output:
  -j, --json       one JSON object per input, C-locale numbers
  -c, --csv        a header and one row per input, C-locale numbers
  -h, --help       show this help and exit
  -V, --version    show the version and exit

Exit status: 0 answered; 1 a value out of range (or, reading standard input,
any bad line); 2 a usage error.
)";
}

const char* VersionText() { return "sonavolta-calc (Sonavolta) " SONAVOLTA_VERSION "\n"; }

}  // namespace cli
