#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace ondrix {

/// The tip file: one tip per line; lines starting with a blank, a tab, a line feed or ";" are skipped;
/// "$$" in a tip is a line break. Reading goes on where it stopped last time and wraps at the end.
class CTipFile {
public:
    /// Longest tip kept, in characters (the rest of a longer line is dropped).
    static constexpr std::size_t kMaxTipLength = 1000;

    CTipFile() = default;
    CTipFile(const CTipFile&) = delete;
    CTipFile& operator=(const CTipFile&) = delete;
    ~CTipFile();

    /// Opens the file read-only; false when it cannot be opened.
    bool Open(const std::string& path);
    /// Whether a file is open.
    bool IsOpen() const noexcept { return m_file != nullptr; }
    /// Moves to a byte position (a position beyond the end starts at the beginning).
    void Seek(uint64_t position);
    /// The byte position of the next tip.
    uint64_t Position() const;
    /// The next tip; nothing on a read error or when a whole pass found no tip.
    std::optional<std::string> ReadNextTip();
    /// Closes the file.
    void Close() noexcept;

private:
    /// Reads one line without its line break; false at the end of the file.
    bool ReadLine(std::string& line);

    std::FILE* m_file = nullptr;
};

/// The tip file beside a program: the program's path with its file-name extension replaced by ".tip".
std::string TipFileBeside(const std::string& programPath);

} // namespace ondrix
