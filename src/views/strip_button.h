#pragma once

#include <QAbstractButton>

namespace ondrix {

/// A toggle button of a mixer strip: a push-button frame with a 20 x 20 icon that shows the state, moved
/// one pixel while the button is held, and a focus rectangle.
class CStripButton final : public QAbstractButton {
    Q_OBJECT
public:
    /// A button showing onIcon while checked and offIcon otherwise (resource paths).
    CStripButton(const QString& onIcon, const QString& offIcon, QWidget* parent = nullptr);

    /// The icon shown now.
    QString ShownIcon() const { return isChecked() ? m_onIcon : m_offIcon; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_onIcon;
    QString m_offIcon;
};

} // namespace ondrix
