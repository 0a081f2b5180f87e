#pragma once

#include "fileformat/wave_format.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace ondrix {

/// Dialog 130 "Format of Sample File": the sampling rate, number of tracks, 8 or 16 bits and the
/// starting point in bytes (0 to the file length - 1) of a file opened in raw format.
class CRawFormatDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog preset from format, for a file of fileLength bytes.
    CRawFormatDialog(const RawFormat& format, uint64_t fileLength, QWidget* parent = nullptr);

    /// The values chosen (valid after OK).
    RawFormat GetFormat() const;

    /// The starting point field (for tests).
    QSpinBox* OffsetBox() const { return m_offset; }
    /// The rate combo box (for tests).
    QComboBox* RateBox() const { return m_rate; }

    void accept() override;

private:
    QComboBox* m_rate;
    QSpinBox* m_tracks;
    QSpinBox* m_offset;
    QRadioButton* m_bits8;
    QRadioButton* m_bits16;
};

} // namespace ondrix
