#pragma once

#include "document/core/command_target.h"

#include <QMdiSubWindow>

#include <memory>

class QSplitter;

namespace ondrix {

class CDocView;
class COndrixDoc;
class COndrixView;
class CSampleView;

/// The window of one document: a splitter with the mixer area and the sample window, arranged as the
/// settings "Inverse" and "ShowSample" say when it is created. It owns its document.
class COndrixChild final : public QMdiSubWindow, public CCmdTarget {
    Q_OBJECT
public:
    /// Pixel heights of the panes when the sample window is shown.
    static constexpr int kMixerHeight = 103;
    static constexpr int kSampleHeight = 100;

    /// A window for a document (ownership passes to the window).
    explicit COndrixChild(std::unique_ptr<COndrixDoc> doc, QWidget* parent = nullptr);
    ~COndrixChild() override;

    /// The document shown.
    COndrixDoc* GetDocument() const noexcept { return m_doc.get(); }
    /// The view that has the focus or had it last.
    CDocView* GetActiveView() const noexcept { return m_activeView; }
    /// Makes a view the active one and gives it the focus.
    void SetActiveView(CDocView* view);
    /// Notes which view holds the focus (called by the views).
    void NoteActiveView(CDocView* view) noexcept { m_activeView = view; }
    /// The mixer area.
    COndrixView* GetMixerView() const noexcept { return m_mixer; }
    /// The sample window.
    CSampleView* GetSampleView() const noexcept { return m_sample; }
    /// The splitter holding both panes.
    QSplitter* GetSplitter() const noexcept { return m_splitter; }
    /// The document window a widget lies in, or null.
    static COndrixChild* ChildOf(QWidget* widget);
    /// Hint 6 reached a view: unless the view sent it itself, it becomes its window's active view.
    template <class View> static void ActivateOnRequest(View* view, const CDocView* sender) {
        if (sender != view) {
            if (COndrixChild* child = ChildOf(view)) {
                child->SetActiveView(view);
            }
        }
    }
    /// Updates the caption from the document's title and modified flag.
    void UpdateTitle();

signals:
    /// The window is about to go away (its document is closed).
    void documentClosing(COndrixChild* child);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<COndrixDoc> m_doc;
    QSplitter* m_splitter = nullptr;
    COndrixView* m_mixer = nullptr;
    CSampleView* m_sample = nullptr;
    CDocView* m_activeView = nullptr;
    bool m_closed = false;
};

} // namespace ondrix
