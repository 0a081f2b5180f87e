#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace ondrix {

/// The sound's parameters as dialog 131 edits them.
struct SampleParams {
    uint32_t rate = 44100;
    uint32_t tracks = 2;
    uint32_t bits = 16;
    bool stereo = true;
};

/// Dialog 131: sampling rate (11025, 22050, 44100 or any value from 4000 to 99999), number of tracks
/// (1 to 32), stereo playback and 8 or 16 bits. Titled "Parameters of new WAVE file" for a new sound and
/// "Change parameters of WAVE file" for the sample parameters command.
class CSampleParamsDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog with a title string id, preset from params.
    CSampleParamsDialog(uint32_t titleId, const SampleParams& params, QWidget* parent = nullptr);

    /// The values chosen (valid after OK).
    SampleParams GetParams() const;

    /// The rate combo box (for tests).
    QComboBox* RateBox() const { return m_rate; }
    /// The track count field (for tests).
    QSpinBox* TracksBox() const { return m_tracks; }

    void accept() override;

private:
    QComboBox* m_rate;
    QSpinBox* m_tracks;
    QCheckBox* m_stereo;
    QRadioButton* m_bits8;
    QRadioButton* m_bits16;
};

/// Reads a sampling rate typed into a combo box; shows the range message and returns 0 when it is not a
/// number from 4000 to 99999.
uint32_t ValidateRateEntry(QComboBox* box);

/// Fills a combo box with the offered rates and the current one.
void FillRateBox(QComboBox* box, uint32_t rate);

} // namespace ondrix
