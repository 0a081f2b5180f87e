#pragma once

#include "settings/core/tip_file.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

namespace ondrix {

/// Dialog 116 "Tip of the Day": the next tip of the tip file, "&Next Tip", "&Show Tips on StartUp" and
/// "&Close". It goes on where it stopped last time (the setting "TipPosition").
class CTipDialog final : public QDialog {
    Q_OBJECT
public:
    /// The tip file of the program: beside it, else the installed one.
    static QString DefaultTipFile();

    /// A dialog reading a tip file.
    explicit CTipDialog(const QString& tipFile, QWidget* parent = nullptr);
    ~CTipDialog() override;

    /// The tip shown.
    QString TipText() const;
    /// "&Next Tip" (for tests).
    QPushButton* NextButton() const { return m_next; }
    /// "&Close" (for tests).
    QPushButton* CloseButton() const { return m_close; }
    /// "&Show Tips on StartUp" (for tests).
    QCheckBox* StartUpBox() const { return m_startUp; }

    void accept() override;
    void done(int result) override;

private:
    /// Reads and shows the next tip.
    void ShowNextTip();
    /// Keeps where the next tip starts and closes the file.
    void RememberPosition();

    CTipFile m_file;
    QLabel* m_tip;
    QCheckBox* m_startUp;
    QPushButton* m_next;
    QPushButton* m_close;
};

} // namespace ondrix
