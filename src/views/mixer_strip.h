#pragma once

#include <QWidget>

#include <cstdint>

class QLineEdit;
class QSlider;

namespace ondrix {

class CStripButton;

/// One strip of the mixer area: a track's name, volume and balance sliders and its play, show and edit
/// buttons. User changes are reported by signals (carrying the strip's track) while notify is on; the
/// view's setters change the controls without reporting.
class CMixerStrip final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 120;     ///< strip width
    static constexpr int kMinHeight = 103; ///< the least height a strip lays out for
    static constexpr int kFirstId = 200;   ///< strip ids are this + track

    /// The strip of a track.
    CMixerStrip(uint32_t track, QWidget* parent = nullptr);

    /// The track the strip belongs to.
    uint32_t GetTrack() const noexcept { return m_track; }
    /// Sets the volume (0..200) shown.
    void SetVolume(int volume);
    /// Sets the balance (-100..100) shown.
    void SetBalance(int balance);
    /// Sets the name shown.
    void SetName(const QString& name);
    /// Sets the show button.
    void SetShown(bool shown);
    /// Sets the play button (on = the track is muted).
    void SetPlayOff(bool off);
    /// Sets the edit button.
    void SetEdited(bool edited);
    /// Enables or disables the balance slider (stereo playback).
    void EnableBalance(bool enable);
    /// Draws the name in the sample window's colours (UseSampleColor) or in the edit colours.
    void UseSampleColours(bool use);

    /// The volume shown.
    int GetVolume() const;
    /// The balance shown.
    int GetBalance() const;
    bool IsShown() const noexcept { return m_shown; }
    bool IsEdited() const noexcept { return m_edited; }
    bool IsPlayOff() const noexcept { return m_playOff; }

    /// The "&Change Balance and Volume..." dialog; on OK with a change both values are set and reported.
    void ChangeBalanceAndVolume();
    /// Centres the balance and reports it.
    void CenterBalance();
    /// Sets the volume to 100 and reports it.
    void CenterVolume();
    /// Opens the strip's pop-up menu at a screen position.
    void ShowContextMenu(const QPoint& globalPos);

    QLineEdit* NameField() const noexcept { return m_name; }
    QSlider* VolumeSlider() const noexcept { return m_volume; }
    QSlider* BalanceSlider() const noexcept { return m_balance; }
    CStripButton* PlayButton() const noexcept { return m_play; }
    CStripButton* ShowButton() const noexcept { return m_show; }
    CStripButton* EditButton() const noexcept { return m_edit; }
    /// The index of the control that has the focus (0 name, 1 volume, 2 balance, 3 play, 4 show, 5 edit),
    /// -1 when none of them has it.
    int FocusedControl() const;
    /// Gives the focus to a control by that index.
    void FocusControl(int index);

signals:
    /// The user changed volume or balance.
    void VolumeBalanceChanged(uint32_t track, int volume, int balance);
    /// The user changed the name (after every change).
    void NameChanged(uint32_t track, const QString& name);
    /// The user switched the play button.
    void PlayOffChanged(uint32_t track, bool off);
    /// The user switched the show button.
    void ShownChanged(uint32_t track, bool shown);
    /// The user switched the edit button.
    void EditedChanged(uint32_t track, bool edited);
    /// The user clicked into the strip while the focus was elsewhere.
    void Activated(uint32_t track);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Creates a slider of the strip.
    QSlider* MakeSlider(int minimum, int maximum);
    /// Creates a toggle button reporting through a signal.
    CStripButton* MakeButton(const char* onIcon, const char* offIcon);
    /// Places the controls for the strip's height.
    void Layout();
    /// Reports volume and balance when notify is on.
    void ReportMix();
    /// Reports a click into the strip from outside it.
    void NoteClick();
    /// A button was switched by the user (or its menu entry).
    void ButtonToggled(CStripButton* button);
    /// Refreshes the tooltips from the state.
    void UpdateTips();

    uint32_t m_track;
    bool m_notify = false;
    bool m_shown = false;
    bool m_edited = false;
    bool m_playOff = false;
    QString m_nameText;
    QLineEdit* m_name;
    QSlider* m_balance;
    QSlider* m_volume;
    CStripButton* m_play;
    CStripButton* m_show;
    CStripButton* m_edit;
};

} // namespace ondrix
