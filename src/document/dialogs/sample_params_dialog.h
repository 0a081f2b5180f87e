#pragma once

#include "document/dialogs/format_fields.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace ondrix {

/// The sound's parameters as dialog 131 edits them.
struct SampleParams {
    uint32_t rate = 44100;
    uint32_t tracks = 2;
    uint32_t bits = 16;
    bool stereo = true;
};

/// Dialog 131: sampling rate (11025, 22050, 44100 or any value from 4096 to 88200), number of tracks
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
    QComboBox* RateBox() const { return m_fields.RateBox(); }
    /// The track count field (for tests).
    QSpinBox* TracksBox() const { return m_fields.TracksBox(); }

    void accept() override;

private:
    CFormatFields m_fields;
    QCheckBox* m_stereo;
};

} // namespace ondrix
