// The Wave calculator on the command line: a frequency (or a note name) into
// CWaveModel for the period and the wavelengths, and the nearest note of
// twelve-tone equal temperament from a chosen A4, with its deviation in cents.

#include "cli/Commands.h"
#include "cli/Numbers.h"

#include "calc/wave/WaveModel.h"

#include <cctype>
#include <cmath>
#include <string>

namespace cli {

namespace {

constexpr Range kFrequencyRange {0.0001, 100000.0, false, "0.0001 to 100000 Hz"};
constexpr const char* kNoteRangeText = "C0 to B9, sharps as #, e.g. C#4";

constexpr const char* kPitchClasses[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

// The Wave calculator's speed of sound, 343.3 m/s, and its feet per
// centimetre (the double nearest to 1 / 30.48), for wavelengths at another speed.
constexpr double kEngineSpeedOfSound = 343.3;
constexpr double kFeetPerCm = 0.03280839895013123;

// Speed of sound in dry air at a temperature in degrees Celsius, in m/s.
double SpeedOfSound(double celsius) { return 331.3 * std::sqrt(1.0 + celsius / 273.15); }

bool IsNoteLetter(char c) { return (c >= 'A' && c <= 'G') || (c >= 'a' && c <= 'g'); }

}  // namespace

double NoteFrequency(int index, double a4) { return a4 * std::exp2((index - kA4Index) / 12.0); }

std::string NoteName(int index) { return kPitchClasses[index % 12] + std::to_string(index / 12); }

std::optional<int> ParseNoteName(std::string_view text)
{
    if (text.empty() || !IsNoteLetter(text[0]))
        return std::nullopt;
    std::string pitch(1, char(std::toupper(static_cast<unsigned char>(text[0]))));
    std::size_t i = 1;
    if (i < text.size() && text[i] == '#')
        pitch += text[i++];
    if (i == text.size() || text.size() - i > 2)
        return std::nullopt;
    int octave = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        octave = octave * 10 + (text[i] - '0');
    }
    for (int p = 0; p < 12; ++p)
        if (pitch == kPitchClasses[p])
            return octave * 12 + p;
    return std::nullopt;  // E#, B# and the like are no names of the table
}

std::optional<Failure> ComputeWave(const Options& options, std::string_view input, Record& record)
{
    double frequency = 0.0;
    std::optional<int> givenNote;
    if (const std::optional<double> number = ParseNumber(input, options.decimalSep)) {
        if (!kFrequencyRange.Contains(*number))
            return Failure {Failure::OutOfRange,
                            "FREQUENCY: " + std::string(input) + " is out of range (" + kFrequencyRange.text + ")"};
        frequency = *number;
    } else if ((givenNote = ParseNoteName(input))) {
        if (*givenNote >= kNoteCount)
            return Failure {Failure::OutOfRange,
                            "NOTE: " + std::string(input) + " is out of range (" + kNoteRangeText + ")"};
        frequency = NoteFrequency(*givenNote, options.a4);
    } else {
        return Failure {Failure::Usage, "FREQUENCY|NOTE: '" + std::string(input) + "' is neither a frequency ("
                                            + kFrequencyRange.text + ") nor a note name (" + kNoteRangeText + ")"};
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

    record.Add("frequency_hz", "Frequency", Form::Fixed, frequency, "Hz", 2);
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
    if (index >= 0 && index < kNoteCount) {
        record.AddText("note", "Note", NoteName(index));
        record.Add("note_hz", "Note frequency", Form::Fixed, NoteFrequency(index, options.a4), "Hz", 2);
        record.Add("cents", "Deviation", Form::Signed, cents, "cents", 1);
    } else {
        // Beyond C0 to B9 there is no name to give, as in the pitch table.
        record.Add("note", "Note", Form::Missing, 0.0);
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
    return std::nullopt;
}

}  // namespace cli
