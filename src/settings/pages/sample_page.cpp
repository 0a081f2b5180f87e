#include "settings/pages/sample_page.h"

#include "controls/ui/palette.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings_host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace ondrix {

namespace {

/// The time format whose values the frame rate governs.
constexpr int kFramesFormat = 1;
/// The number of time formats in the list.
constexpr int kTimeFormatCount = 13;
/// The largest frame rate a user may store.
constexpr uint32_t kMaxFps = 99;

QCheckBox* MakeBox(uint32_t textId, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(LoadQString(textId), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

/// The frame rate as typed: an unsigned number, 0 (or no number) becomes 1, 100 and more become 99.
uint8_t FpsOfText(const QString& text) {
    bool ok = false;
    const uint32_t fps = text.trimmed().toUInt(&ok);
    return uint8_t(std::clamp<uint32_t>(ok ? fps : 0, 1, kMaxFps));
}

} // namespace

CSamplePage::CSamplePage(Settings& live, ISettingsHost& host, QWidget* parent)
    : CSettingsPage(parent), m_live(live), m_host(host) {
    m_showSample = MakeBox(str::kShowSampleWindowBox, "ShowSample", this);
    m_ruler = MakeBox(str::kShowRulerBox, "Lineal", this);
    m_solid = MakeBox(str::kFillSampleLinesBox, "SolidSample", this);
    m_inverse = MakeBox(str::kArrangeSampleWindowAboveBox, "Inverse", this);
    m_sampleColour = MakeBox(str::kUseSampleBackgroundBox, "UseSampleColor", this);

    m_timeFormat = new QComboBox(this);
    m_timeFormat->setObjectName(QStringLiteral("TimeFmt"));
    for (int format = 0; format < kTimeFormatCount; ++format) {
        m_timeFormat->addItem(LoadQString(str::kAbsoluteSamplePosition + uint32_t(format)));
    }
    m_fps = new QComboBox(this);
    m_fps->setObjectName(QStringLiteral("FPS"));
    m_fps->setEditable(true);
    m_fps->addItems({QStringLiteral("15"), QStringLiteral("25"), QStringLiteral("30"), QStringLiteral("50")});
    m_fpsLabel = new QLabel(LoadQString(str::kFramesPerSecondLabel), this);
    m_fpsLabel->setBuddy(m_fps);

    m_element = new QComboBox(this);
    m_element->setObjectName(QStringLiteral("Element"));
    for (uint32_t id : {str::kBackgroundElement, str::kForegroundElement, str::kSelectedAreaElement,
                        str::kZeroLineElement}) {
        m_element->addItem(LoadQString(id));
    }
    m_colourButton = new QFrame(this);
    m_colourButton->setObjectName(QStringLiteral("ColourButton"));
    m_colourButton->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_colourButton->setLineWidth(2);
    m_colourButton->setAutoFillBackground(true);
    m_colourButton->setMinimumSize(48, 22);
    m_colourSpin = new QSpinBox(this);
    m_colourSpin->setObjectName(QStringLiteral("ColourSpin"));
    m_colourSpin->setRange(0, kPaletteSize - 1);

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : {m_showSample, m_ruler, m_solid, m_inverse, m_sampleColour}) {
        layout->addWidget(box);
    }
    auto* form = new QFormLayout;
    auto* formatLabel = new QLabel(LoadQString(str::kTimeFormatLabel), this);
    formatLabel->setBuddy(m_timeFormat);
    form->addRow(formatLabel, m_timeFormat);
    form->addRow(m_fpsLabel, m_fps);
    auto* colourLabel = new QLabel(LoadQString(str::kColourLabel), this);
    colourLabel->setBuddy(m_element);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(m_element, 1);
    colourRow->addWidget(m_colourButton);
    colourRow->addWidget(m_colourSpin);
    form->addRow(colourLabel, colourRow);
    layout->addLayout(form);
    layout->addStretch();

    for (QCheckBox* box : {m_showSample, m_ruler, m_solid, m_inverse, m_sampleColour}) {
        connect(box, &QCheckBox::toggled, this, &CSamplePage::Preview);
    }
    connect(m_timeFormat, &QComboBox::currentIndexChanged, this, [this] {
        UpdateFpsVisibility();
        Preview();
    });
    connect(m_fps, &QComboBox::currentTextChanged, this, &CSamplePage::Preview);
    connect(m_element, &QComboBox::currentIndexChanged, this, &CSamplePage::ShowElementColour);
    connect(m_colourSpin, &QSpinBox::valueChanged, this, &CSamplePage::OnColourStep);

    Load(live);
}

void CSamplePage::Load(const Settings& settings) {
    m_original = settings.sampleWindow;
    Show(m_original);
}

void CSamplePage::Store(Settings& settings) const {
    settings.sampleWindow = Values();
}

void CSamplePage::Standard() {
    Show(SampleWindowSettings{});
    Preview();
}

void CSamplePage::Revert() {
    m_live.sampleWindow = m_original;
    m_host.RefreshViews();
}

void CSamplePage::Show(const SampleWindowSettings& values) {
    m_showing = true;
    m_showSample->setChecked(values.showSample != 0);
    m_ruler->setChecked(values.lineal != 0);
    m_solid->setChecked(values.solidSample != 0);
    m_inverse->setChecked(values.inverse != 0);
    m_sampleColour->setChecked(values.useSampleColor != 0);
    m_timeFormat->setCurrentIndex(std::min<int>(values.timeFmt, kTimeFormatCount - 1));
    m_fps->setCurrentText(QString::number(values.fps));
    m_colours = {values.backGround, values.foreGround, values.selected, values.zeroLine};
    for (uint8_t& colour : m_colours) {
        colour %= kPaletteSize;
    }
    UpdateFpsVisibility();
    ShowElementColour();
    m_showing = false;
}

SampleWindowSettings CSamplePage::Values() const {
    SampleWindowSettings values;
    values.showSample = m_showSample->isChecked() ? 1 : 0;
    values.lineal = m_ruler->isChecked() ? 1 : 0;
    values.solidSample = m_solid->isChecked() ? 1 : 0;
    values.inverse = m_inverse->isChecked() ? 1 : 0;
    values.useSampleColor = m_sampleColour->isChecked() ? 1 : 0;
    values.timeFmt = uint8_t(std::max(m_timeFormat->currentIndex(), 0));
    values.fps = FpsOfText(m_fps->currentText());
    values.backGround = m_colours[BACKGROUND];
    values.foreGround = m_colours[FOREGROUND];
    values.selected = m_colours[SELECTED];
    values.zeroLine = m_colours[ZERO_LINE];
    return values;
}

void CSamplePage::UpdateFpsVisibility() {
    const bool frames = m_timeFormat->currentIndex() == kFramesFormat;
    m_fpsLabel->setVisible(frames);
    m_fps->setVisible(frames);
}

void CSamplePage::ShowElementColour() {
    const int element = std::max(m_element->currentIndex(), 0);
    const uint8_t index = m_colours[element];
    const bool showing = m_showing;
    m_showing = true; // showing an element's index is no change
    m_colourSpin->setValue(index);
    m_showing = showing;
    QPalette palette = m_colourButton->palette();
    palette.setColor(QPalette::Window, PaletteColour(index));
    m_colourButton->setPalette(palette);
}

void CSamplePage::OnColourStep(int index) {
    if (m_showing) {
        return;
    }
    m_colours[std::max(m_element->currentIndex(), 0)] = uint8_t(index);
    ShowElementColour();
    Preview();
}

void CSamplePage::Preview() {
    if (m_showing) {
        return;
    }
    Store(m_live);
    m_host.RefreshViews();
}

} // namespace ondrix
