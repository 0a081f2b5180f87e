#pragma once

#include "document/dialogs/format_fields.h"
#include "fileformat/wave_format.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
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
    QComboBox* RateBox() const { return m_fields.RateBox(); }

    void accept() override;

private:
    CFormatFields m_fields;
    QSpinBox* m_offset;
};

} // namespace ondrix
