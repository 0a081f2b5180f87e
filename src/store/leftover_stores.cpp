#include "store/leftover_stores.h"

#include "store/data_file.h"
#include "store/recovery_note.h"
#include "store/sample_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <optional>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace ondrix {

namespace fs = std::filesystem;

namespace {

/// A data file without a (whole) description changed less than this long ago is left for a later start:
/// it may belong to a running program that has just made it and not yet locked it, or to one that does
/// not lock its files (an older version of this one).
constexpr int64_t kGraceSeconds = 600;
constexpr std::size_t kMaxDescriptionBytes = 1 << 20;

/// Whether a name is one that CTempDataFile gives: "TRK" and six letters or digits.
bool IsDataFileName(std::string_view name) noexcept {
    if (name.size() != 9 || name.substr(0, 3) != "TRK") {
        return false;
    }
    return std::all_of(name.begin() + 3, name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

/// The data file name a description (or its partly written form) belongs to; empty when none.
std::string DataNameOfDescription(const std::string& name) {
    for (const std::string& suffix :
         {std::string(kDescriptionSuffix), std::string(kDescriptionSuffix) + "~"}) {
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            const std::string data = name.substr(0, name.size() - suffix.size());
            return IsDataFileName(data) ? data : std::string();
        }
    }
    return {};
}

/// The text of a description file, when it is a regular file of this user of bounded size.
std::optional<std::string> ReadDescriptionFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
        uint64_t(info.st_size) <= kMaxDescriptionBytes) {
        std::string bytes(std::size_t(info.st_size), '\0');
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            done += std::size_t(got);
        }
        bytes.resize(done);
        text = std::move(bytes);
    }
    ::close(fd);
    return text;
}

void RemoveFile(const std::string& path, uint32_t& removed) noexcept {
    if (::unlink(path.c_str()) == 0) {
        ++removed;
    }
}

void RemoveDescriptions(const std::string& dataPath, uint32_t& removed) noexcept {
    RemoveFile(DescriptionPathFor(dataPath), removed);
    RemoveFile(DescriptionPathFor(dataPath) + "~", removed);
}

/// Looks at one data file: offered, removed, or left alone (running, or just made).
void ScanDataFile(const std::string& path, LeftoverScan& scan) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
        ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &info) != 0 || info.st_nlink == 0) {
        ::close(fd); // another user's, a running program's, or removed meanwhile
        return;
    }
    const uint64_t bytes = uint64_t(info.st_size);
    auto text = ReadDescriptionFile(DescriptionPathFor(path));
    auto description = text ? ParseDescription(*text) : std::nullopt;
    if (!description) {
        // the crash came while the description was being replaced: its whole copy stands for it
        text = ReadDescriptionFile(DescriptionPathFor(path) + "~");
        description = text ? ParseDescription(*text) : std::nullopt;
    }
    if (description) {
        const uint64_t align = uint64_t(description->tracks) * (description->bits / 8);
        const uint64_t frames = bytes / align;
        const bool emptyTake = description->identity.kind == RecoveryKind::Take && frames == 0;
        if (!emptyTake && frames * align <= std::numeric_limits<uint32_t>::max()) {
            scan.offers.emplace_back(fd, path, *description, bytes);
            return;
        }
        if (!emptyTake) {
            ::close(fd); // beyond what a sound can hold: left on disk rather than deleted
            return;
        }
    } else if (int64_t(std::time(nullptr)) - int64_t(info.st_mtime) < kGraceSeconds) {
        ::close(fd);
        return;
    }
    ::unlink(path.c_str());
    ++scan.removed;
    RemoveDescriptions(path, scan.removed);
    ::close(fd);
}

} // namespace

CLeftoverStore::CLeftoverStore(int descriptor, std::string dataPath, StoreDescription description,
                               uint64_t bytes)
    : m_fd(descriptor), m_dataPath(std::move(dataPath)), m_description(std::move(description)),
      m_bytes(bytes) {}

CLeftoverStore::~CLeftoverStore() {
    Close();
}

CLeftoverStore::CLeftoverStore(CLeftoverStore&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_dataPath(std::move(other.m_dataPath)),
      m_description(std::move(other.m_description)), m_bytes(other.m_bytes) {}

CLeftoverStore& CLeftoverStore::operator=(CLeftoverStore&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_dataPath = std::move(other.m_dataPath);
        m_description = std::move(other.m_description);
        m_bytes = other.m_bytes;
    }
    return *this;
}

void CLeftoverStore::Close() noexcept {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

uint32_t CLeftoverStore::FrameCount() const noexcept {
    return uint32_t(m_bytes / (uint64_t(m_description.tracks) * (m_description.bits / 8)));
}

bool CLeftoverStore::RestoreInto(CSampleStore& store) {
    if (m_fd < 0) {
        return false;
    }
    const StoreDescription& d = m_description;
    const uint32_t size = FrameCount() * d.tracks * (d.bits / 8);
    // a write cut off by the crash leaves part of a frame at the end
    if (size != m_bytes && ::ftruncate(m_fd, off_t(size)) != 0) {
        return false;
    }
    store.AdoptDataFile(CTempDataFile::Adopt(std::exchange(m_fd, -1), m_dataPath), STORE_TEMPFILE, 0,
                        fs::path(m_dataPath).parent_path().string(), d.bits, d.tracks, d.rate, size);
    store.SetMixer(d.mixer);
    store.m_playOff = d.playOff;
    store.m_trackFlags = d.trackFlags;
    store.m_trackNames = d.trackNames;
    for (int i = 0; i < kInfoTextCount; ++i) {
        store.m_infoTexts[i] = d.infoTexts[i];
    }
    store.KeepRecoveryNote(d.identity); // the description is this run's now
    return true;
}

void CLeftoverStore::Discard() noexcept {
    if (m_fd < 0) {
        return;
    }
    uint32_t removed = 0;
    ::unlink(m_dataPath.c_str());
    RemoveDescriptions(m_dataPath, removed);
    Close();
}

LeftoverScan ScanForLeftovers(const std::vector<std::string>& directories) {
    LeftoverScan scan;
    std::set<std::string> seen;
    for (const std::string& directory : directories) {
        std::error_code error;
        const fs::path dir =
            fs::weakly_canonical(directory.empty() ? SystemTempDirectory() : directory, error);
        if (error || !seen.insert(dir.string()).second) {
            continue;
        }
        std::set<std::string> dataNames;
        std::set<std::string> descriptions;
        for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, error), end;
             !error && it != end; it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (IsDataFileName(name)) {
                dataNames.insert(name);
            } else if (!DataNameOfDescription(name).empty()) {
                descriptions.insert(name);
            }
        }
        for (const std::string& name : dataNames) {
            ScanDataFile((dir / name).string(), scan);
        }
        // a description whose data is gone belongs to nothing (its program crashed while releasing)
        for (const std::string& name : descriptions) {
            if (!dataNames.count(DataNameOfDescription(name))) {
                struct stat info {};
                const std::string path = (dir / name).string();
                const std::string data = (dir / DataNameOfDescription(name)).string();
                if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                    info.st_uid == ::geteuid() &&
                    ::access(data.c_str(), F_OK) != 0) { // not a store made while the directory was read
                    RemoveFile(path, scan.removed);
                }
            }
        }
    }
    std::stable_sort(scan.offers.begin(), scan.offers.end(),
                     [](const CLeftoverStore& a, const CLeftoverStore& b) {
                         return a.Description().identity.time < b.Description().identity.time;
                     });
    return scan;
}

} // namespace ondrix
