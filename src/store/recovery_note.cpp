#include "store/recovery_note.h"

#include "store/sample_store.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace ondrix {

bool WriteFileAtomically(const std::string& path, const std::string& text) noexcept {
    const std::string partial = path + "~";
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            break;
        }
        done += std::size_t(put);
    }
    const bool whole = ::close(fd) == 0 && done == text.size();
    // the old file goes first: renaming over it would make the file system flush the new one at once,
    // a pause of milliseconds on every mixer move; meanwhile the whole "~" file stands for it
    if (whole) {
        ::unlink(path.c_str());
    }
    if (!whole || ::rename(partial.c_str(), path.c_str()) != 0) {
        ::unlink(partial.c_str());
        return false;
    }
    return true;
}

CRecoveryNote::CRecoveryNote(RecoveryIdentity identity) : m_identity(std::move(identity)) {
    if (m_identity.time == 0) {
        m_identity.time = int64_t(std::time(nullptr));
    }
}

CRecoveryNote::~CRecoveryNote() {
    Remove();
}

void CRecoveryNote::SetIdentity(const RecoveryIdentity& identity) {
    const int64_t time = m_identity.time;
    m_identity = identity;
    m_identity.time = time;
}

bool CRecoveryNote::Write(const CSampleStore& store) noexcept {
    if (store.GetStorageMode() != STORE_TEMPFILE || !store.HasData() || store.GetTempFileName().empty()) {
        Remove();
        return false;
    }
    try {
        const std::string path = DescriptionPathFor(store.GetTempFileName());
        const std::string text = FormatDescription(DescribeStore(store, m_identity));
        if (path == m_path && text == m_written) {
            return true;
        }
        if (!WriteFileAtomically(path, text)) {
            return false;
        }
        if (!m_path.empty() && m_path != path) {
            ::unlink(m_path.c_str());
        }
        m_path = path;
        m_written = text;
        return true;
    } catch (...) {
        return false; // out of memory while formatting: the store keeps working without a note
    }
}

void CRecoveryNote::Remove() noexcept {
    if (!m_path.empty()) {
        ::unlink(m_path.c_str());
        m_path.clear();
        m_written.clear();
    }
}

} // namespace ondrix
