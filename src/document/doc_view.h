#pragma once

#include <cstdint>

namespace ondrix {

class CCmdTarget;
class COndrixDoc;

/// A view of a document: it is told about every change through update hints and may handle commands.
class CDocView {
public:
    virtual ~CDocView() = default;
    /// Reacts to an update hint sent by the document (or by another view, the sender).
    virtual void OnUpdate(CDocView* sender, uint32_t hint, intptr_t data) = 0;
    /// The view's own commands (first on the command route while the view is active); may be null.
    virtual CCmdTarget* GetCommandTarget() { return nullptr; }
    /// The document shown.
    virtual COndrixDoc* GetDocument() const = 0;
};

} // namespace ondrix
