#pragma once

#include "settings/pages/settings_page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace ondrix {

struct SynchroPlaySettings;

/// Page 7 "Synchronous Playback": the format the other tracks play in while recording (section
/// SynchroPlay): the sound's own format, or a rate, stereo and 8 or 16 bits.
class CSynchroPage final : public CSettingsPage {
    Q_OBJECT
public:
    /// An empty page; Load fills it.
    explicit CSynchroPage(QWidget* parent = nullptr);

    void Load(const Settings& settings) override;
    /// Refuses a rate outside 4000 to 99999 while the rate can be edited.
    bool Validate() override;
    void Store(Settings& settings) const override;
    void Standard() override;

    // Controls, for tests.
    QCheckBox* UseFileBox() const { return m_useFile; }
    QComboBox* RateList() const { return m_rate; }
    QCheckBox* StereoBox() const { return m_stereo; }
    QRadioButton* Bits8Button() const { return m_bits8; }
    QRadioButton* Bits16Button() const { return m_bits16; }

private:
    /// Shows a SynchroPlaySettings value in the controls.
    void Show(const SynchroPlaySettings& synchro);
    /// Disables the format controls while the sound's own format is used.
    void UpdateEnabling();

    QCheckBox* m_useFile;
    QLabel* m_rateLabel;
    QComboBox* m_rate;
    QCheckBox* m_stereo;
    QGroupBox* m_bitsGroup;
    QRadioButton* m_bits8;
    QRadioButton* m_bits16;
    int m_loadedRate = 44100; ///< kept while the rate cannot be edited
};

} // namespace ondrix
