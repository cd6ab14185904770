#include "calc/delay/DelayModel.h"

void CDelayModel::SetBpm(double bpm)
{
    m_bpm = bpm;
    if (!(bpm > 0.0))
        return;
    // Every length is the quarter note times its factor, so all of them
    // carry the same rounding as the quarter note.
    const double quarter = 60000.0 / bpm;
    m_quarter = quarter;
    m_bar44 = quarter * 4.0;
    m_bar34 = quarter * 3.0;
    m_half = quarter * 2.0;
    m_eighth = quarter * 0.5;
    m_sixteenth = quarter * 0.25;
    m_thirtySecond = quarter * 0.125;
}
