#pragma once

#include <cstdint>

class QBoxLayout;
class QComboBox;
class QDialog;
class QFormLayout;
class QGroupBox;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace ondrix {

/// The format fields the sound dialogs share: the sampling rate (11025, 22050, 44100 or any value from
/// 4096 to 88200), the number of tracks (1 to 32) and 8 or 16 bits.
class CFormatFields {
public:
    /// Makes the fields as children of parent, preset from the values.
    CFormatFields(QWidget* parent, uint32_t rate, uint32_t tracks, uint32_t bits);

    /// Adds the rate and track rows with their labels to a form.
    void AddRows(QFormLayout* form) const;
    /// The "Bits per Sample" group with the two buttons.
    QGroupBox* BitsGroup() const { return m_bitsGroup; }
    /// Checks the typed rate; shows the range message, focuses the field and gives false when it is
    /// not a number from 4096 to 88200.
    bool ValidateRate() const;

    /// The rate typed or chosen.
    uint32_t Rate() const;
    /// The number of tracks.
    uint32_t Tracks() const;
    /// 8 or 16.
    uint32_t Bits() const;
    /// The rate combo box.
    QComboBox* RateBox() const { return m_rate; }
    /// The track count field.
    QSpinBox* TracksBox() const { return m_tracks; }

private:
    QWidget* m_parent;
    QComboBox* m_rate;
    QSpinBox* m_tracks;
    QRadioButton* m_bits8;
    QRadioButton* m_bits16;
    QGroupBox* m_bitsGroup;
};

/// Adds OK and Cancel buttons to a dialog's layout.
void AddOkCancel(QDialog* dialog, QBoxLayout* layout);

} // namespace ondrix
