#pragma once

#include "settings/core/settings.h"
#include "settings/pages/settings_page.h"

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QSpinBox;

namespace ondrix {

class ISettingsHost;

/// Page 1 "WAVE Window": the view options, the time format with its frame rate and the four palette
/// colours. Every change is applied at once to the live settings as a preview; Revert (Cancel) puts
/// back the values the page found.
class CSamplePage final : public CSettingsPage {
    Q_OBJECT
public:
    /// The colour elements in list order: background, foreground, selected area, zero line.
    enum Element { BACKGROUND, FOREGROUND, SELECTED, ZERO_LINE, ELEMENT_COUNT };

    /// A page that previews into live and has the windows redrawn through host.
    CSamplePage(Settings& live, ISettingsHost& host, QWidget* parent = nullptr);

    void Load(const Settings& settings) override;
    void Store(Settings& settings) const override;
    void Standard() override;
    void Revert() override;

    /// The palette index the page holds for an element.
    uint8_t ColourOf(Element element) const { return m_colours[element]; }

    // Controls, for tests.
    QCheckBox* ShowSampleBox() const { return m_showSample; }
    QCheckBox* RulerBox() const { return m_ruler; }
    QCheckBox* SolidBox() const { return m_solid; }
    QCheckBox* InverseBox() const { return m_inverse; }
    QCheckBox* SampleColourBox() const { return m_sampleColour; }
    QComboBox* TimeFormatList() const { return m_timeFormat; }
    QComboBox* FpsList() const { return m_fps; }
    QComboBox* ElementList() const { return m_element; }
    QSpinBox* ColourSpin() const { return m_colourSpin; }
    QFrame* ColourButton() const { return m_colourButton; }

private:
    /// Shows a SampleWindowSettings value in the controls.
    void Show(const SampleWindowSettings& values);
    /// The values the controls hold.
    SampleWindowSettings Values() const;
    /// Shows the frame rate only with the time format "Frames per Second".
    void UpdateFpsVisibility();
    /// Shows the selected element's colour in the button and the spin.
    void ShowElementColour();
    /// The spin changed: the element takes the new index.
    void OnColourStep(int index);
    /// A control changed: the live settings take the values and the windows redraw.
    void Preview();

    Settings& m_live;
    ISettingsHost& m_host;
    SampleWindowSettings m_original; ///< what Revert restores
    std::array<uint8_t, ELEMENT_COUNT> m_colours{};
    bool m_showing = false; ///< the controls are being filled: no preview yet
    QCheckBox* m_showSample;
    QCheckBox* m_ruler;
    QCheckBox* m_solid;
    QCheckBox* m_inverse;
    QCheckBox* m_sampleColour;
    QComboBox* m_timeFormat;
    QLabel* m_fpsLabel;
    QComboBox* m_fps;
    QComboBox* m_element;
    QFrame* m_colourButton;
    QSpinBox* m_colourSpin;
};

} // namespace ondrix
