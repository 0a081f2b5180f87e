#pragma once

#include "store/store_description.h"

#include <string>

namespace ondrix {

class CSampleStore;

/// The description file kept beside a temporary-file store's data file while it holds the user's work,
/// so that a later start can make the data a sound again after a crash. It follows the data file when an
/// operation replaces it, and is removed with the store's data or when the work is safe.
class CRecoveryNote {
public:
    /// A note for an identity; nothing is written until Write.
    explicit CRecoveryNote(RecoveryIdentity identity);
    /// Removes the description file.
    ~CRecoveryNote();
    CRecoveryNote(const CRecoveryNote&) = delete;
    CRecoveryNote& operator=(const CRecoveryNote&) = delete;

    /// Changes kind, document path or title; the first time of the work stays.
    void SetIdentity(const RecoveryIdentity& identity);
    /// The identity written.
    const RecoveryIdentity& Identity() const noexcept { return m_identity; }
    /// Writes the description of the store beside its current data file (replacing it atomically, and
    /// removing the one beside a former data file); false when it could not be written.
    bool Write(const CSampleStore& store) noexcept;
    /// Removes the description file.
    void Remove() noexcept;
    /// The description file written last; empty when none.
    const std::string& Path() const noexcept { return m_path; }

private:
    RecoveryIdentity m_identity;
    std::string m_path;
    std::string m_written;
};

/// Writes text to path through a whole copy beside it (path + "~") and a rename, so that at every moment
/// one of the two holds a whole text: the file, or while it is replaced the copy.
bool WriteFileAtomically(const std::string& path, const std::string& text) noexcept;

} // namespace ondrix
