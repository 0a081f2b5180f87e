#pragma once

#include "document/core/command_target.h"

#include <cstdint>
#include <functional>

namespace ondrix {

class COndrixDoc;

/// A group of a document's commands: a command target over one document that stands right after it on
/// the command route.
class CCommandSet : public CCmdTarget {
public:
    /// A command set over a document that outlives it.
    explicit CCommandSet(COndrixDoc& doc) noexcept : m_doc(doc) {}

protected:
    /// Maps a command enabled by its rule (RuleOf its id) in the document's current state.
    void MapRuled(uint32_t id, std::function<void()> handler);

    COndrixDoc& m_doc;
};

} // namespace ondrix
