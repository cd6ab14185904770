// The Delay calculator on the command line: a tempo into CDelayModel; the
// dialog's bars and notes, and the notes it does not show (1/1, 1/64, 1/128,
// dotted and triplet), in milliseconds and hertz.

#include "cli/Commands.h"
#include "cli/Messages.h"
#include "cli/Numbers.h"
#include "cli/Output.h"

#include "calc/delay/DelayModel.h"

#include <array>
#include <string>

namespace cli {

namespace {

constexpr Range kBpmRange {1.0, 1000.0, false, N_("1 to 1000 BPM")};
// The beats of 1 to 1000 BPM.
constexpr Range kBeatMsRange {60.0, 60000.0, false, N_("60 to 60000 ms, 1 to 1000 BPM")};
constexpr double kMsPerMinute = 60000.0;

constexpr const char* kNotes[] = {"1/1", "1/2", "1/4", "1/8", "1/16", "1/32", "1/64", "1/128"};
constexpr std::size_t kNoteValues = std::size(kNotes);
constexpr const char* kKinds[] = {"note", "dotted", "triplet"};

// Keys such as "dotted_1_8_ms", made once.
struct NoteKeys {
    std::array<std::array<std::string, 3>, kNoteValues> ms;
    std::array<std::array<std::string, 3>, kNoteValues> hz;
    std::array<std::array<std::string, 3>, kNoteValues> samples;
    NoteKeys()
    {
        for (std::size_t n = 0; n < kNoteValues; ++n) {
            std::string value = kNotes[n];
            value.replace(value.find('/'), 1, "_");
            for (std::size_t k = 0; k < 3; ++k) {
                ms[n][k] = std::string(kKinds[k]) + "_" + value + "_ms";
                hz[n][k] = std::string(kKinds[k]) + "_" + value + "_hz";
                samples[n][k] = std::string(kKinds[k]) + "_" + value + "_samples";
            }
        }
    }
};

const NoteKeys& Keys()
{
    static const NoteKeys keys;
    return keys;
}

// Field positions in a delay record: the tempo, two bars (ms, Hz), then per
// note its three lengths in ms and their three rates in Hz.
constexpr std::size_t kFirstBar = 1;
constexpr std::size_t kFirstNote = kFirstBar + 4;

}  // namespace

std::optional<Failure> ComputeDelay(const Options& options, std::string_view input, Record& record)
{
    double bpm = 0.0;
    if (options.delayInput == DelayInput::Bpm) {
        auto r = ReadNumber(input, "BPM", kBpmRange, options.decimalSep);
        if (auto* f = std::get_if<Failure>(&r))
            return *f;
        bpm = std::get<double>(r);
    } else {
        // The length of a beat, a quarter note, in ms or in samples.
        const bool samples = options.delayInput == DelayInput::Samples;
        const double samplesPerMs = options.rate / 1000.0;
        const std::string rangeText = samples ? FormatTyped(kBeatMsRange.low * samplesPerMs, 0) + " to "
                                                    + FormatTyped(kBeatMsRange.high * samplesPerMs, 0) + " samples at "
                                                    + FormatTyped(options.rate, 0) + " Hz, 1 to 1000 BPM"
                                              : kBeatMsRange.text;
        const Range range {samples ? kBeatMsRange.low * samplesPerMs : kBeatMsRange.low,
                           samples ? kBeatMsRange.high * samplesPerMs : kBeatMsRange.high, false, rangeText.c_str()};
        auto r = ReadNumber(input, samples ? "--samples" : "--ms", range, options.decimalSep);
        if (auto* f = std::get_if<Failure>(&r))
            return *f;
        const double ms = samples ? std::get<double>(r) / samplesPerMs : std::get<double>(r);
        bpm = kMsPerMinute / ms;
    }
    CDelayModel model;
    model.SetBpm(bpm);

    // The lengths the dialog shows are the engine's own; the others are the
    // quarter note times a power of two, which rounds the same way.
    const double plain[kNoteValues] = {
        model.m_bar44,     model.m_half,         model.m_quarter,          model.m_eighth,
        model.m_sixteenth, model.m_thirtySecond, model.m_quarter * 0.0625, model.m_quarter * 0.03125};
    const Form ms = options.round ? Form::Rounded : Form::Fixed;

    record.layout = Layout::Delay;
    // The tempo as typed, or as worked out from a length.
    record.Add("bpm", "Tempo", Form::Typed, model.m_bpm, "BPM", 0);
    record.Add("bar_4_4_ms", "4/4 bar", ms, model.m_bar44, "ms");
    record.Add("bar_4_4_hz", "4/4 bar", Form::Fixed, 1000.0 / model.m_bar44, "Hz");
    record.Add("bar_3_4_ms", "3/4 bar", ms, model.m_bar34, "ms");
    record.Add("bar_3_4_hz", "3/4 bar", Form::Fixed, 1000.0 / model.m_bar34, "Hz");
    const NoteKeys& keys = Keys();
    for (std::size_t n = 0; n < kNoteValues; ++n) {
        const double lengths[3] = {plain[n], plain[n] * 1.5, plain[n] * 2.0 / 3.0};
        for (std::size_t k = 0; k < 3; ++k)
            record.Add(keys.ms[n][k].c_str(), kNotes[n], ms, lengths[k], "ms");
        // Rates from the lengths before any rounding.
        for (std::size_t k = 0; k < 3; ++k)
            record.Add(keys.hz[n][k].c_str(), kNotes[n], Form::Fixed, 1000.0 / lengths[k], "Hz");
    }
    if (options.rate > 0.0) {
        // Lengths in samples, after the keys of the first release.
        const Form samples = options.round ? Form::Rounded : Form::Whole;
        record.Add("rate_hz", "Sample rate", Form::Typed, options.rate, "Hz", 0);
        record.Add("bar_4_4_samples", "4/4 bar", samples, model.m_bar44 * options.rate / 1000.0, "samples");
        record.Add("bar_3_4_samples", "3/4 bar", samples, model.m_bar34 * options.rate / 1000.0, "samples");
        for (std::size_t n = 0; n < kNoteValues; ++n) {
            const double lengths[3] = {plain[n], plain[n] * 1.5, plain[n] * 2.0 / 3.0};
            for (std::size_t k = 0; k < 3; ++k)
                record.Add(keys.samples[n][k].c_str(), kNotes[n], samples, lengths[k] * options.rate / 1000.0,
                           "samples");
        }
    }
    return std::nullopt;
}

void AppendDelayTable(const Record& record, const Style& style, std::string& out)
{
    const auto& f = record.fields;
    const std::size_t firstSamples = kFirstNote + 6 * kNoteValues;  // the sample rate, then bars and notes
    const bool samples = f.size() > firstSamples;
    out += Fill(N_("Tempo: %1 BPM"), {TableNumber(f[0], style)}) + '\n';
    if (samples)
        out += Fill(N_("Sample rate: %1 Hz"), {TableNumber(f[firstSamples], style)}) + '\n';
    out += '\n';

    // A grid: a first column of names, then right-aligned numbers.
    std::vector<std::vector<std::string>> rows;
    rows.push_back({Tr("Bar"), "ms", "Hz"});
    if (samples)
        rows.back().push_back(Tr("samples"));
    for (std::size_t b = 0; b < 2; ++b) {
        rows.push_back({Tr(f[kFirstBar + 2 * b].label), TableNumber(f[kFirstBar + 2 * b], style),
                        TableNumber(f[kFirstBar + 2 * b + 1], style)});
        if (samples)
            rows.back().push_back(TableNumber(f[firstSamples + 1 + b], style));
    }
    const std::size_t barRows = rows.size();
    rows.push_back({Tr(C_("note value", "Note")), "ms", Tr("dotted ms"), Tr("triplet ms"), "Hz", Tr("dotted Hz"),
                    Tr("triplet Hz")});
    if (samples)
        rows.back().insert(rows.back().end(), {Tr("samples"), Tr("dotted samples"), Tr("triplet samples")});
    for (std::size_t n = 0; n < kNoteValues; ++n) {
        std::vector<std::string> row {kNotes[n]};
        for (std::size_t i = 0; i < 6; ++i)
            row.push_back(TableNumber(f[kFirstNote + 6 * n + i], style));
        if (samples)
            for (std::size_t i = 0; i < 3; ++i)
                row.push_back(TableNumber(f[firstSamples + 3 + 3 * n + i], style));
        rows.push_back(std::move(row));
    }

    std::vector<std::size_t> widths;
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.push_back(0);
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
        }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == barRows)
            out += '\n';
        const auto& row = rows[i];
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::size_t pad = widths[c] - DisplayWidth(row[c]);
            if (c == 0) {
                out += row[c];
                out.append(pad, ' ');
            } else {
                out.append(pad + 2, ' ');
                out += row[c];
            }
        }
        out += '\n';
    }
}

}  // namespace cli
