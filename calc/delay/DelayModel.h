#pragma once
// Tempo to delay times: the lengths, in milliseconds, of bars and notes at a
// tempo in beats per minute, the quarter note being the beat.

class CDelayModel {
public:
    virtual ~CDelayModel() = default;

    // Stores the tempo; a positive one recomputes every length, any other
    // leaves them as they were (there is no length at zero tempo).
    void SetBpm(double bpm);

    double m_bpm = 0.0;
    double m_bar44 = 0.0;
    double m_bar34 = 0.0;
    double m_half = 0.0;
    double m_quarter = 0.0;
    double m_eighth = 0.0;
    double m_sixteenth = 0.0;
    double m_thirtySecond = 0.0;
};
