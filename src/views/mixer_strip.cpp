#include "views/mixer_strip.h"

#include "controls/ui/frame_shortcuts_first.h"
#include "controls/ui/menu_keys.h"
#include "controls/ui/palette.h"
#include "controls/ui/tab_chain.h"
#include "controls/ui/value_pair_dialog.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"
#include "views/strip_button.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSlider>

namespace ondrix {

namespace {

constexpr int kMaxVolume = 200;
constexpr int kTickStep = 50;
constexpr int kMargin = 5;
constexpr int kSliderTop = 30;
constexpr int kButtonHeight = 20;
constexpr int kTextHeight = 14;

/// A format string's %d replaced by a number.
QString WithNumber(uint32_t id, int number) {
    return LoadQString(id)
        .replace(QStringLiteral("%d"), QString::number(number))
        .replace(QStringLiteral("%%"), QStringLiteral("%"));
}

} // namespace

CMixerStrip::CMixerStrip(uint32_t track, QWidget* parent)
    : QWidget(parent), m_track(track), m_name(new QLineEdit(this)), m_balance(MakeSlider(-100, 100)),
      m_volume(MakeSlider(0, kMaxVolume)), m_play(MakeButton("track_muted", "track_played")),
      m_show(MakeButton("track_shown", "track_hidden")),
      m_edit(MakeButton("track_edited", "track_not_edited")) {
    setObjectName(QStringLiteral("Strip%1").arg(kFirstId + track));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    m_name->setObjectName(QStringLiteral("StripName"));
    m_name->setAlignment(Qt::AlignCenter);
    m_name->setContextMenuPolicy(Qt::NoContextMenu); // the strip's menu serves the name field too
    LetFrameShortcutsWin(m_name);
    m_volume->setObjectName(QStringLiteral("StripVolume"));
    m_balance->setObjectName(QStringLiteral("StripBalance"));
    m_play->setObjectName(QStringLiteral("StripPlay"));
    m_show->setObjectName(QStringLiteral("StripShow"));
    m_edit->setObjectName(QStringLiteral("StripEdit"));
    setFocusProxy(m_name);
    // name, volume, balance, play, show, edit: the dialog-style order of the strip
    SetTabChain({m_name, m_volume, m_balance, m_play, m_show, m_edit});
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_nameText = text;
        UpdateTips();
        if (m_notify) {
            emit NameChanged(m_track, text);
        }
    });
    for (QWidget* child :
         {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_volume), static_cast<QWidget*>(m_balance),
          static_cast<QWidget*>(m_play), static_cast<QWidget*>(m_show), static_cast<QWidget*>(m_edit)}) {
        child->installEventFilter(this);
    }
    resize(kWidth, kMinHeight);
    UpdateTips();
    m_notify = true;
}

QSlider* CMixerStrip::MakeSlider(int minimum, int maximum) {
    auto* slider = new QSlider(Qt::Vertical, this);
    slider->setRange(minimum, maximum);
    slider->setTickInterval(kTickStep);
    slider->setPageStep(kTickStep);
    slider->setTickPosition(QSlider::TicksBothSides);
    // position 0 at the top: position = 200 - volume and -balance put loud and right at the top
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    slider->setFocusPolicy(Qt::StrongFocus);
    connect(slider, &QSlider::valueChanged, this, [this] {
        UpdateTips();
        ReportMix();
    });
    return slider;
}

CStripButton* CMixerStrip::MakeButton(const char* onIcon, const char* offIcon) {
    auto* button = new CStripButton(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(onIcon)),
                                    QStringLiteral(":/icons/%1.svg").arg(QLatin1String(offIcon)), this);
    connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonToggled(button); });
    return button;
}

void CMixerStrip::SetVolume(int volume) {
    m_notify = false;
    m_volume->setValue(kMaxVolume - volume);
    m_notify = true;
}

void CMixerStrip::SetBalance(int balance) {
    m_notify = false;
    m_balance->setValue(-balance);
    m_notify = true;
}

void CMixerStrip::SetName(const QString& name) {
    m_notify = false;
    m_nameText = name;
    m_name->setText(name);
    UpdateTips();
    m_notify = true;
}

void CMixerStrip::SetShown(bool shown) {
    m_shown = shown;
    m_show->setChecked(shown);
    UpdateTips();
}

void CMixerStrip::SetPlayOff(bool off) {
    m_playOff = off;
    m_play->setChecked(off);
    UpdateTips();
}

void CMixerStrip::SetEdited(bool edited) {
    m_edited = edited;
    m_edit->setChecked(edited);
    UpdateTips();
}

void CMixerStrip::EnableBalance(bool enable) {
    m_balance->setEnabled(enable);
}

void CMixerStrip::UseSampleColours(bool use) {
    QPalette colours = QApplication::palette(m_name);
    if (use) {
        colours.setColor(QPalette::Base, PaletteColour(g_settings.sampleWindow.backGround));
        colours.setColor(QPalette::Text, PaletteColour(g_settings.sampleWindow.foreGround));
    }
    m_name->setPalette(colours);
}

int CMixerStrip::GetVolume() const {
    return kMaxVolume - m_volume->value();
}

int CMixerStrip::GetBalance() const {
    return -m_balance->value();
}

void CMixerStrip::ReportMix() {
    if (m_notify) {
        emit VolumeBalanceChanged(m_track, GetVolume(), GetBalance());
    }
}

void CMixerStrip::ButtonToggled(CStripButton* button) {
    // the button has toggled itself (or its menu entry toggled it); the state follows it
    if (button == m_play) {
        m_playOff = m_play->isChecked();
    } else if (button == m_show) {
        m_shown = m_show->isChecked();
    } else {
        m_edited = m_edit->isChecked();
    }
    button->update();
    UpdateTips();
    if (!m_notify) {
        return;
    }
    if (button == m_play) {
        emit PlayOffChanged(m_track, m_playOff);
    } else if (button == m_show) {
        emit ShownChanged(m_track, m_shown);
    } else {
        emit EditedChanged(m_track, m_edited);
    }
}

void CMixerStrip::ChangeBalanceAndVolume() {
    const int volume = GetVolume();
    const int balance = GetBalance();
    CValuePairDialog dialog(str::kChangeVolumeBalanceTitle, {str::kStripVolumeLabel, 0, kMaxVolume, volume},
                            {str::kStripBalanceLabel, -100, 100, balance}, this);
    dialog.EnableSecond(m_balance->isEnabled());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const int newVolume = dialog.GetFirst();
    const int newBalance = m_balance->isEnabled() ? dialog.GetSecond() : balance;
    if (newVolume != volume || newBalance != balance) {
        SetVolume(newVolume);
        SetBalance(newBalance);
        ReportMix();
    }
}

void CMixerStrip::CenterBalance() {
    SetBalance(0);
    ReportMix();
}

void CMixerStrip::CenterVolume() {
    SetVolume(100);
    ReportMix();
}

void CMixerStrip::ShowContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    connect(menu.addAction(LoadQString(str::kChangeBalanceVolume)), &QAction::triggered, this,
            [this] { ChangeBalanceAndVolume(); });
    menu.addSeparator();
    QAction* balance = menu.addAction(LoadQString(str::kCenterBalance));
    balance->setEnabled(m_balance->isEnabled());
    connect(balance, &QAction::triggered, this, [this] { CenterBalance(); });
    connect(menu.addAction(LoadQString(str::kCenterVolume)), &QAction::triggered, this,
            [this] { CenterVolume(); });
    menu.addSeparator();
    // each entry is checked while its meaning holds: played (not muted), shown, edited
    const auto addToggle = [&](uint32_t text, bool checked, CStripButton* button) {
        QAction* action = menu.addAction(LoadQString(text));
        action->setCheckable(true);
        action->setChecked(checked);
        connect(action, &QAction::triggered, this, [this, button] {
            button->toggle();
            ButtonToggled(button);
        });
    };
    addToggle(str::kPlayBackTrack, !m_playOff, m_play);
    addToggle(str::kShowTrack, m_shown, m_show);
    addToggle(str::kEditTrack, m_edited, m_edit);
    menu.exec(globalPos);
}

int CMixerStrip::FocusedControl() const {
    const QWidget* controls[] = {m_name, m_volume, m_balance, m_play, m_show, m_edit};
    for (int i = 0; i < 6; ++i) {
        if (controls[i]->hasFocus()) {
            return i;
        }
    }
    return -1;
}

void CMixerStrip::FocusControl(int index) {
    QWidget* controls[] = {m_name, m_volume, m_balance, m_play, m_show, m_edit};
    QWidget* target = index >= 0 && index < 6 ? controls[index] : m_name;
    if (!target->isEnabled()) {
        target = m_name;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void CMixerStrip::UpdateTips() {
    const int number = int(m_track) + 1;
    setToolTip(LoadQString(str::kStripTip)
                   .replace(QStringLiteral("%d"), QString::number(number))
                   .replace(QStringLiteral("%s"), m_nameText));
    m_name->setToolTip(LoadQString(str::kNameFieldTip).replace(QStringLiteral("%s"), m_nameText));
    m_volume->setToolTip(WithNumber(str::kVolumeTip, (kMaxVolume - m_volume->value()) / 2));
    m_balance->setToolTip(WithNumber(str::kBalanceTip, -m_balance->value()));
    m_play->setToolTip(LoadQString(m_playOff ? str::kPlaybackOffTip : str::kPlaybackOnTip));
    m_show->setToolTip(WithNumber(m_shown ? str::kShowTrackTip : str::kDontShowTrackTip, number));
    m_edit->setToolTip(WithNumber(m_edited ? str::kEditTrackTip : str::kDontEditTrackTip, number));
}

void CMixerStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void CMixerStrip::Layout() {
    const int w = width();
    const int h = std::max(height(), kMinHeight);
    const int b = (w - 20) / 3;
    m_name->setGeometry(kMargin, kMargin, w - 2 * kMargin, 20);
    m_volume->setGeometry(w / 2 - 34, kSliderTop, 33, h - 2 * kSliderTop);
    m_balance->setGeometry(w / 2 + 1, kSliderTop, 33, h - 2 * kSliderTop);
    const int top = h - 25;
    m_play->setGeometry(kMargin, top, b, kButtonHeight);
    m_show->setGeometry((w - b) / 2, top, b, kButtonHeight);
    m_edit->setGeometry(w - kMargin - b, top, b, kButtonHeight);
}

void CMixerStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int w = width();
    const int h = std::max(height(), kMinHeight);
    const auto text = [&](int x, int y, uint32_t id) {
        painter.drawText(QRect(x, y, 30, kTextHeight), Qt::AlignLeft | Qt::AlignTop, LoadQString(id));
    };
    text(kMargin, 35, str::kMaxLabel);
    text(kMargin, h - 47, str::kMinLabel);
    // balance +100 plays on the right: the top end of the balance slider is R
    text(w / 2 + 39, 35, str::kRightLetter);
    text(w / 2 + 39, h - 47, str::kLeftLetter);
}

void CMixerStrip::NoteClick() {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || !isAncestorOf(focus)) {
        m_name->setFocus(Qt::MouseFocusReason);
        emit Activated(m_track);
    }
}

void CMixerStrip::mousePressEvent(QMouseEvent* event) {
    NoteClick();
    QWidget::mousePressEvent(event);
}

bool CMixerStrip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        NoteClick(); // the click then goes on to the control
    } else if (event->type() == QEvent::KeyPress && watched == m_name) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
            m_volume->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (key->key() == Qt::Key_Backtab) {
            m_edit->setFocus(Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CMixerStrip::contextMenuEvent(QContextMenuEvent* event) {
    // the keys open the menu only outside the name field, whose own menu they open there
    if (event->reason() != QContextMenuEvent::Mouse && m_name->hasFocus()) {
        return;
    }
    ShowContextMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : mapToGlobal(QPoint()));
}

void CMixerStrip::keyPressEvent(QKeyEvent* event) {
    if (IsMenuKey(event) && !m_name->hasFocus()) {
        ShowContextMenu(mapToGlobal(QPoint()));
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ondrix
