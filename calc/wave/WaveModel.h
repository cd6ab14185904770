#pragma once

// CWaveModel: the Wave calculator's engine. Compute() turns a frequency into
// its period and its wavelength in air, in centimetres and feet, each also
// halved. The pitch table, read from a file when the engine is constructed,
// relates frequencies to note names both ways. Plain C++ over the
// framework's text and file types; no UI.

#include "framework/Core.h"

#include <cstddef>
#include <memory>

class CWaveModel
{
public:
    // The pitch table's file name; the program looks for it beside itself.
    static constexpr const char kTableFileName[] = "spn.dat";

    // Reads the pitch table from DefaultTablePath(). Raises CFileException
    // when it cannot be read.
    CWaveModel();
    // Reads the pitch table from the given file, raising as above.
    explicit CWaveModel(const CString& tablePath);
    virtual ~CWaveModel();

    CWaveModel(const CWaveModel&) = delete;
    CWaveModel& operator=(const CWaveModel&) = delete;

    // The pitch table in the directory of the running executable.
    static CString DefaultTablePath();
    // The table's lines from the bytes of a table file, as the constructor
    // reads them; a seam for tests and fuzzing that need no file.
    static CStringList ParseTable(const unsigned char* bytes, std::size_t count);

    // Derives m_period and the six results from m_frequency. A frequency of
    // 0 or below keeps the last period, so the results repeat it.
    void Compute();
    // Stores the text as the note name, unchanged.
    void SetNote(const CString& note);
    // Sets m_note to the name of the last table line whose number equals
    // m_frequency exactly, or to empty when there is none.
    void FindNote();
    // Looks m_note up in the table, ignoring case: on the first match sets
    // m_frequency from the line, calls Compute() and returns true. Otherwise
    // returns false and changes nothing.
    bool FindFrequency();

    double m_frequency = 0.0;         // Hz, the input of Compute()
    double m_period = 0.0;            // s
    CString m_note;                   // the typed name, or the name found for m_frequency
    double m_periodMs = 0.0;          // ms
    double m_wavelengthCm = 0.0;      // cm
    double m_wavelengthFt = 0.0;      // ft
    double m_halfPeriodMs = 0.0;      // ms
    double m_halfWavelengthCm = 0.0;  // cm
    double m_halfWavelengthFt = 0.0;  // ft
    // The table's lines in file order, without line ends: "<Hz>;<name>".
    std::unique_ptr<CStringList> m_pLines;

private:
    void LoadTable(const CString& tablePath);
};
