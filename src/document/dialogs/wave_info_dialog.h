#pragma once

#include "store/sample_store.h"

#include <QDialog>
#include <QString>

#include <array>
#include <string>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace ondrix {

/// The info text bytes as the dialog shows them: UTF-8 when they are valid UTF-8, else Latin-1.
QString DecodeInfoText(const std::string& bytes);

/// Dialog 140 "Copyright Information": "&Title:" (INAM), "&Copyright:" (ICOP) and, in "Other
/// Information:", the list of the other fourteen texts with one "&Description:" field; "Software" is
/// read-only. Edited texts are written as UTF-8; texts left as they were keep their bytes.
class CWaveInfoDialog final : public QDialog {
    Q_OBJECT
public:
    /// A dialog over a copy of the sixteen texts, in store order.
    CWaveInfoDialog(const std::array<std::string, kInfoTextCount>& texts, QWidget* parent = nullptr);

    /// The sixteen texts (valid after OK).
    const std::array<std::string, kInfoTextCount>& GetTexts() const noexcept { return m_bytes; }
    /// The store index of a list entry (the title and copyright texts are skipped).
    static int InfoIndexOfEntry(int entry) noexcept;

    /// The title field.
    QLineEdit* TitleEdit() const noexcept { return m_title; }
    /// The copyright field.
    QLineEdit* CopyrightEdit() const noexcept { return m_copyright; }
    /// The list of the other texts.
    QListWidget* InfoList() const noexcept { return m_list; }
    /// The description field.
    QPlainTextEdit* DescriptionEdit() const noexcept { return m_description; }

    void accept() override;

private:
    /// Keeps the description of the entry shown, then shows the entry now selected.
    void OnSelectionChanged();
    /// Stores a field's text as UTF-8 when it differs from what the field showed; else the bytes stay.
    void StoreText(int index, const QString& text, const QString& shown);

    std::array<std::string, kInfoTextCount> m_bytes;
    int m_shown = -1; ///< the store index of the text in the description field
    QString m_shownTitle;
    QString m_shownCopyright;
    QString m_shownDescription;
    QLineEdit* m_title;
    QLineEdit* m_copyright;
    QListWidget* m_list;
    QPlainTextEdit* m_description;
};

} // namespace ondrix
