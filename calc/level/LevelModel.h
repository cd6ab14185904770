#pragma once

// CLevelModel: one signal level held as dBu, dBV, dBm, power, RMS and
// peak-to-peak voltage at a load impedance. Calculate() recomputes everything
// from the quantity entered last and picks readable units for the power and
// the voltages. The signal is taken to be a sine. Plain C++, no UI.
class CLevelModel {
public:
    // The quantity the user entered last; Calculate() starts from it.
    // The peak-to-peak voltage is never entered.
    enum EnteredQuantity {
        EnteredDBu = 0,
        EnteredDBV = 1,
        EnteredDBm = 2,
        EnteredPower = 3,
        EnteredVrms = 4,
        EnteredOhms = 5,
    };

    // Indices of m_nPowerUnit, in the order of the power unit list.
    enum PowerUnit {
        NanoWatt = 0,
        MicroWatt = 1,
        MilliWatt = 2,
        Watt = 3,
        KiloWatt = 4,
        MegaWatt = 5,
        GigaWatt = 6,
        PowerUnitCount = 7,
    };

    // Indices of m_nVrmsUnit and m_nVppUnit, in the order of the voltage unit lists.
    enum VoltageUnit {
        MilliVolt = 0,
        Volt = 1,
        KiloVolt = 2,
        MegaVolt = 3,
        VoltageUnitCount = 4,
    };

    // Unit labels (UTF-8), indexed like the enums above.
    static constexpr const char* kPowerUnitLabels[PowerUnitCount] = {"nW", "\u00b5W", "mW", "W", "kW", "MW", "GW"};
    static constexpr const char* kVoltageUnitLabels[VoltageUnitCount] = {"mV", "V", "kV", "MV"};

    // The voltage of 1 mW into 600 ohms (the square root of 0.6): 0 dBu.
    static constexpr double kDBuRef = 0.7745966692414834;

    // Peak-to-peak over RMS voltage of a sine, sqrt(2.0) * 2.0, set at start-up.
    static const double kPeakToPeak;

    CLevelModel();
    virtual ~CLevelModel();

    // Recomputes every quantity from the one named by m_nEntered. Always true;
    // a result that cannot be computed sets m_bUndefined instead.
    bool Calculate();

    // The power in the unit m_nPowerUnit. Out-of-range unit: Set stores
    // nothing, Get returns 0.
    void SetPower(double value);
    double GetPower() const;

    // The RMS voltage in the unit m_nVrmsUnit. Out-of-range unit: Set stores
    // nothing, Get returns 0.
    void SetVrms(double value);
    double GetVrms() const;

    // The peak-to-peak voltage in the unit m_nVppUnit; 0 for an out-of-range unit.
    double GetVpp() const;

    // Watts per unit of a power unit index (1e-9 for nW ... 1e9 for GW);
    // 0 for an index outside 0..6.
    static double PowerUnitFactor(int unit);

    // Volts per unit of a voltage unit index (1e-3 for mV ... 1e6 for MV);
    // 0 for an index outside 0..3.
    static double VoltageUnitFactor(int unit);

    // The display unit for a power in watts. Zero, negative and NaN give nW.
    static int SelectPowerUnit(double watts);

    // The display unit for a voltage in volts: mV below 1 V (zero and negative
    // too), V below 1e4 V, kV below 1e7 V, MV from there up. NaN gives V.
    static int SelectVoltageUnit(double volts);

    int m_nEntered;     // an EnteredQuantity
    int m_nVrmsUnit;    // a VoltageUnit
    int m_nVppUnit;     // a VoltageUnit
    int m_nPowerUnit;   // a PowerUnit
    bool m_bExp;        // show the power in exponent form
    bool m_bUndefined;  // the last Calculate() found no defined result
    double m_dBu;
    double m_dBV;
    double m_dBm;     // dB relative to 1 mW into m_dOhms
    double m_dPower;  // watts
    double m_dVrms;   // volts
    double m_dVpp;    // volts
    double m_dOhms;   // load impedance

private:
    void VoltsFromDBV();
    void VoltsFromPower();
    void SelectVrmsUnit();
    void CalcVpp();
    void CalcDBmAndPower();
    void CalcDBm();
    void CalcPower();
    void DBFromVolts();
    bool CanUseVoltsAndOhms() const;
};
