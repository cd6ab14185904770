#pragma once

// CWaveModel: the Wave calculator's engine. Compute() turns a frequency into
// its period and its wavelength in air, in centimetres and feet, each also
// halved. The pitch table, handed in as the bytes of a table file, relates
// frequencies to note names both ways. Plain standard C++: no Qt, no UI.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CWaveModel {
public:
    // The pitch table's file name; the program looks for it beside itself.
    static constexpr const char kTableFileName[] = "spn.dat";
    // The frequencies the Wave calculator takes, in Hz, ends included: the
    // range of its frequency field, and of the numbers a table line may give.
    static constexpr double kMinFrequency = 0.0001;
    static constexpr double kMaxFrequency = 100000.0;

    // An engine with an empty table, in which no note is found until
    // LoadTable is given one. Reads no file.
    CWaveModel();
    virtual ~CWaveModel();

    CWaveModel(const CWaveModel&) = delete;
    CWaveModel& operator=(const CWaveModel&) = delete;

    // Replaces the table with the lines of the given bytes of a table file.
    void LoadTable(const unsigned char* bytes, std::size_t count);
    // The table's lines from the bytes of a table file, as LoadTable keeps
    // them: one UTF-16 unit per byte (Latin-1), line ends removed.
    static std::vector<std::u16string> ParseTable(const unsigned char* bytes, std::size_t count);

    // Derives m_period and the six results from m_frequency. A frequency of
    // 0 or below keeps the last period, so the results repeat it.
    void Compute();
    // Stores the text as the note name, unchanged.
    void SetNote(const std::u16string& note);
    // Both look-ups read a line's number part as the C library's strtod
    // reads it in the "C" locale ("440", "+440", "4.4e2", "440 Hz"), and skip
    // every line whose number is not from kMinFrequency to kMaxFrequency:
    // such a line names no frequency the calculator takes.
    // Sets m_note to the name of the last table line whose number equals
    // m_frequency exactly, or to empty when there is none.
    void FindNote();
    // Looks m_note up in the table, ignoring case: on the first match sets
    // m_frequency from the line, calls Compute() and returns true. Otherwise
    // returns false and changes nothing.
    bool FindFrequency();

    double m_frequency = 0.0;         // Hz, the input of Compute()
    double m_period = 0.0;            // s
    std::u16string m_note;            // the typed name, or the name found for m_frequency
    double m_periodMs = 0.0;          // ms
    double m_wavelengthCm = 0.0;      // cm
    double m_wavelengthFt = 0.0;      // ft
    double m_halfPeriodMs = 0.0;      // ms
    double m_halfWavelengthCm = 0.0;  // cm
    double m_halfWavelengthFt = 0.0;  // ft
    // The table's lines in file order, without line ends: "<Hz>;<name>".
    std::unique_ptr<std::vector<std::u16string>> m_pLines;
};
