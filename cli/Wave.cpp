// The Wave calculator on the command line: a frequency (or a note name) into
// CWaveModel for the period and the wavelengths, and the nearest note of
// twelve-tone equal temperament from a chosen A4, with its deviation in cents.

#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/Numbers.h"

#include "calc/wave/WaveModel.h"

#include <cctype>
#include <cmath>
#include <string>

namespace cli {

namespace {

constexpr Range kFrequencyRange {0.0001, 100000.0, false, N_("0.0001 to 100000 Hz")};
constexpr const char* kNoteRangeText = N_("C-1 to B10, sharps as # or ♯, flats as b or ♭, e.g. C#4, Bb3");
constexpr Range kMidiRange {0.0, 127.0, false, N_("0 to 127")};

constexpr const char* kSharpNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
constexpr const char* kFlatNames[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
// Semitones above C of the natural notes C D E F G A B.
constexpr int kLetterPitch[] = {9, 11, 0, 2, 4, 5, 7};  // A to G

// The Wave calculator's speed of sound, 343.3 m/s, and its feet per
// centimetre (the double nearest to 1 / 30.48), for wavelengths at another speed.
constexpr double kEngineSpeedOfSound = 343.3;
constexpr double kFeetPerCm = 0.03280839895013123;

// Speed of sound in dry air at a temperature in degrees Celsius, in m/s.
double SpeedOfSound(double celsius) { return 331.3 * std::sqrt(1.0 + celsius / 273.15); }

// Floor division: octave -1 holds the indices -12 to -1.
int Octave(int index) { return index >= 0 ? index / 12 : (index - 11) / 12; }

// A frequency with an optional unit, Hz or kHz ("440Hz", "1.5 kHz"); nullopt
// for anything else.
std::optional<double> ParseFrequency(std::string_view text, std::string_view decimalSep)
{
    double factor = 1.0;
    const auto endsWithNoCase = [&](std::string_view suffix) {
        if (text.size() < suffix.size())
            return false;
        const std::string_view tail = text.substr(text.size() - suffix.size());
        for (std::size_t i = 0; i < suffix.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(tail[i])) != suffix[i])
                return false;
        return true;
    };
    if (endsWithNoCase("khz")) {
        factor = 1000.0;
        text.remove_suffix(3);
    } else if (endsWithNoCase("hz")) {
        text.remove_suffix(2);
    }
    const std::optional<double> number = ParseNumber(TrimBlanks(text), decimalSep);
    if (!number)
        return std::nullopt;
    return factor == 1.0 ? *number : *number * factor;
}

}  // namespace

double NoteFrequency(int index, double a4) { return a4 * std::exp2((index - kA4Index) / 12.0); }

std::string NoteName(int index, bool flats)
{
    const int pitch = index - Octave(index) * 12;
    return (flats ? kFlatNames : kSharpNames)[pitch] + std::to_string(Octave(index));
}

std::string_view NoteNameView(int index, bool flats)
{
    struct Names {
        std::string sharps[kHighestNote - kLowestNote + 1];
        std::string flats[kHighestNote - kLowestNote + 1];
        Names()
        {
            for (int i = kLowestNote; i <= kHighestNote; ++i) {
                sharps[i - kLowestNote] = NoteName(i, false);
                flats[i - kLowestNote] = NoteName(i, true);
            }
        }
    };
    static const Names names;
    return (flats ? names.flats : names.sharps)[index - kLowestNote];
}

std::optional<int> ParseNoteName(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const char letter = char(std::toupper(static_cast<unsigned char>(text[0])));
    if (letter < 'A' || letter > 'G')
        return std::nullopt;
    int pitch = kLetterPitch[letter - 'A'];
    text.remove_prefix(1);
    if (text.starts_with("#") || text.starts_with("b")) {
        pitch += text[0] == '#' ? 1 : -1;
        text.remove_prefix(1);
    } else if (text.starts_with("\u266f") || text.starts_with("\u266d")) {
        pitch += text.starts_with("\u266f") ? 1 : -1;
        text.remove_prefix(std::string_view("\u266f").size());
    }
    bool negative = false;
    if (text.starts_with("-")) {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    int octave = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        octave = octave * 10 + (c - '0');
    }
    if (negative)
        octave = -octave;
    return octave * 12 + pitch;
}

std::optional<Failure> ComputeWave(const Options& options, std::string_view input, Record& record)
{
    double frequency = 0.0;
    std::optional<int> givenNote;
    if (options.midi) {
        const std::optional<double> number = ParseNumber(input, options.decimalSep);
        if (!number || *number != std::trunc(*number))
            return Failure {Failure::Usage,
                            Fill(N_("MIDI: '%1' is not a MIDI note number (%2)"), {input, Tr(kMidiRange.text)})};
        if (!kMidiRange.Contains(*number))
            return Failure {Failure::OutOfRange,
                            Fill(N_("%1: %2 is out of range (%3)"), {"MIDI", input, Tr(kMidiRange.text)})};
        givenNote = int(*number) - kMidiOffset;
        frequency = NoteFrequency(*givenNote, options.a4);
    } else if (const std::optional<double> number = ParseFrequency(input, options.decimalSep)) {
        if (!kFrequencyRange.Contains(*number))
            return Failure {Failure::OutOfRange,
                            Fill(N_("%1: %2 is out of range (%3)"), {"FREQUENCY", input, Tr(kFrequencyRange.text)})};
        frequency = *number;
    } else if ((givenNote = ParseNoteName(input))) {
        if (*givenNote < kLowestNote || *givenNote > kHighestNote)
            return Failure {Failure::OutOfRange,
                            Fill(N_("%1: %2 is out of range (%3)"), {"NOTE", input, Tr(kNoteRangeText)})};
        frequency = NoteFrequency(*givenNote, options.a4);
    } else {
        return Failure {Failure::Usage,
                        Fill(N_("FREQUENCY|NOTE: '%1' is neither a frequency (%2; units Hz kHz) nor a note name (%3)"),
                             {input, Tr(kFrequencyRange.text), Tr(kNoteRangeText)})};
    }

    // One engine for every input: its table is not used, and a positive
    // frequency leaves nothing of the previous one behind.
    static CWaveModel model;
    model.m_frequency = frequency;
    model.Compute();

    const double speed = options.hasTemperature ? SpeedOfSound(options.temperature) : kEngineSpeedOfSound;
    double cm = model.m_wavelengthCm, ft = model.m_wavelengthFt;
    double halfCm = model.m_halfWavelengthCm, halfFt = model.m_halfWavelengthFt;
    if (options.hasTemperature) {
        // The engine's steps, in its order, at this speed.
        cm = model.m_period * (speed * 100.0);
        ft = cm * kFeetPerCm;
        halfCm = cm * 0.5;
        halfFt = ft * 0.5;
    }

    // A typed frequency as typed; a note's with the pitch table's two decimals.
    record.Add("frequency_hz", "Frequency", givenNote ? Form::Fixed : Form::Typed, frequency, "Hz", 2);
    // The nearest note, half a semitone up counting as the next note.
    int index = 0;
    double cents = 0.0;
    if (givenNote) {
        index = *givenNote;
    } else {
        const double semitones = 12.0 * std::log2(frequency / options.a4);
        const double nearest = std::floor(semitones + 0.5);
        index = kA4Index + int(nearest);
        cents = (semitones - nearest) * 100.0;
    }
    const bool named = index >= kLowestNote && index <= kHighestNote;
    if (named) {
        record.AddText("note", C_("note name", "Note"), NoteNameView(index, options.flats));
        record.Add("note_hz", "Note frequency", Form::Fixed, NoteFrequency(index, options.a4), "Hz", 2);
        record.Add("cents", "Deviation", Form::Signed, cents, N_("cents"), 1);
    } else {
        // Beyond C-1 to B10 there is no name to give.
        record.Add("note", C_("note name", "Note"), Form::Missing, 0.0);
        record.Add("note_hz", "Note frequency", Form::Missing, 0.0);
        record.Add("cents", "Deviation", Form::Missing, 0.0);
    }
    record.Add("period_ms", "Period", Form::Fixed, model.m_periodMs, "ms");
    record.Add("wavelength_m", "Wavelength", Form::Fixed, cm / 100.0, "m");
    record.Add("wavelength_cm", "Wavelength", Form::Fixed, cm, "cm");
    record.Add("wavelength_ft", "Wavelength", Form::Fixed, ft, "ft");
    record.Add("half_period_ms", "Period/2", Form::Fixed, model.m_halfPeriodMs, "ms");
    record.Add("half_wavelength_m", "Wavelength/2", Form::Fixed, halfCm / 100.0, "m");
    record.Add("half_wavelength_cm", "Wavelength/2", Form::Fixed, halfCm, "cm");
    record.Add("half_wavelength_ft", "Wavelength/2", Form::Fixed, halfFt, "ft");
    record.Add("speed_of_sound_m_s", "Speed of sound", Form::Fixed, speed, "m/s", 1);
    record.Add("a4_hz", "A4", Form::Fixed, options.a4, "Hz", 2);
    // The MIDI number comes after the keys of the first release, and in the
    // table after the frequency and the note's name, the first two fields.
    for (std::size_t i = 2; i < record.fields.size(); ++i)
        record.fields[i].group = 2;
    const int midi = index + kMidiOffset;
    if (named && midi >= 0 && midi <= kHighestMidi)
        record.Add("midi", "MIDI note", Form::Whole, midi).group = 1;
    else
        record.Add("midi", "MIDI note", Form::Missing, 0.0).group = 1;
    return std::nullopt;
}

}  // namespace cli
