#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;

namespace ondrix {

class CSampleStore;
class CTimeEdit;

/// A frame position or block as the position dialogs hand it back.
struct DefinedBlock {
    int64_t first = -1; ///< -1: none
    int64_t last = -1;  ///< -1: none
};

/// Dialog 146 "Go To Position": one time edit limited to the sound's frames, preset with the cursor, in
/// the time unit of the settings (frames in format 0, else milliseconds).
class CGoToDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog over store's frames showing cursor.
    CGoToDialog(const CSampleStore& store, int64_t cursor, QWidget* parent = nullptr);

    /// The frame chosen (valid after OK): the cursor itself unless the user changed it.
    int64_t GetFrame() const;
    /// The time edit.
    CTimeEdit* Position() const noexcept { return m_position; }

    void accept() override;

private:
    const CSampleStore& m_store;
    CTimeEdit* m_position;
};

/// Dialog 148 "Define Block": the time edits "&From:" and "&To:" limited to the sound's frames and the
/// check box "&Deselect All", which disables both while checked.
class CDefineBlockDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog over store's frames preset with the cursor and the anchor (-1: no block).
    CDefineBlockDialog(const CSampleStore& store, int64_t cursor, int64_t anchor, QWidget* parent = nullptr);

    /// The block chosen, first <= last (valid after OK); both -1 when "&Deselect All" is checked.
    DefinedBlock GetBlock() const;
    /// The "&From:" edit.
    CTimeEdit* From() const noexcept { return m_from; }
    /// The "&To:" edit.
    CTimeEdit* To() const noexcept { return m_to; }
    /// The "&Deselect All" check box.
    QCheckBox* DeselectAll() const noexcept { return m_deselect; }

    void accept() override;

private:
    /// Enables the edits while the box is unchecked; unchecking it shows the whole sound.
    void OnDeselectToggled(bool checked);
    /// The frame of an edit: its exact frame while untouched; the shown maximum is the last frame.
    int64_t FrameOf(const CTimeEdit* edit) const;

    const CSampleStore& m_store;
    CTimeEdit* m_from;
    CTimeEdit* m_to;
    QCheckBox* m_deselect;
};

} // namespace ondrix
