#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace ondrix {

/// The file that holds a store's interleaved sample data. Reads and writes take explicit offsets, so a
/// reader never disturbs another one's position (the audio worker reads while the UI thread reads too).
class CDataFile {
public:
    CDataFile() = default;
    CDataFile(const CDataFile&) = delete;
    CDataFile& operator=(const CDataFile&) = delete;
    virtual ~CDataFile() = default;

    /// Reads up to count bytes at offset; returns the bytes read (short at the end of the file).
    virtual std::size_t ReadAt(uint64_t offset, void* buffer, std::size_t count) = 0;
    /// Writes count bytes at offset, growing the file when needed; throws FileException on failure.
    virtual void WriteAt(uint64_t offset, const void* buffer, std::size_t count) = 0;
    /// The current length in bytes.
    virtual uint64_t GetLength() const = 0;
    /// Cuts or extends the file to a length.
    virtual void SetLength(uint64_t length) = 0;
    /// The POSIX descriptor for kernel-side copies, or -1 for a file held in memory.
    virtual int GetDescriptor() const noexcept { return -1; }
    /// The path on disk; empty for a memory file.
    virtual const std::string& GetPath() const noexcept;
    /// Whether writes are refused (the source file opened in place).
    virtual bool IsReadOnly() const noexcept { return false; }

    /// Appends count bytes at the end of the file.
    void Append(const void* buffer, std::size_t count) { WriteAt(GetLength(), buffer, count); }
};

/// A file on disk accessed with pread/pwrite.
class CPosixDataFile : public CDataFile {
public:
    /// Takes ownership of an open descriptor for the file at path.
    CPosixDataFile(int descriptor, std::string path, bool readOnly);
    ~CPosixDataFile() override;

    std::size_t ReadAt(uint64_t offset, void* buffer, std::size_t count) override;
    void WriteAt(uint64_t offset, const void* buffer, std::size_t count) override;
    uint64_t GetLength() const override;
    void SetLength(uint64_t length) override;
    int GetDescriptor() const noexcept override { return m_fd; }
    const std::string& GetPath() const noexcept override { return m_path; }
    bool IsReadOnly() const noexcept override { return m_readOnly; }
    /// Flushes the data to the device (fsync); throws FileException on failure.
    void Sync();

protected:
    /// Closes the descriptor, ignoring errors.
    void CloseDescriptor() noexcept;

private:
    int m_fd;
    std::string m_path;
    bool m_readOnly;
};

/// A temporary data file: a unique name with the prefix "TRK" in a directory, created exclusively and
/// removed when the object is destroyed. It holds an exclusive lock while it is open, so that a later
/// start can tell the files of a running program from the leftovers of a crashed one.
class CTempDataFile final : public CPosixDataFile {
public:
    /// Creates the file in directory (empty: the system temporary directory); throws FileException.
    static std::unique_ptr<CTempDataFile> Create(const std::string& directory);
    /// Takes over an existing temporary file, open and locked by the caller, to be removed like a new one.
    static std::unique_ptr<CTempDataFile> Adopt(int descriptor, std::string path);
    ~CTempDataFile() override;

private:
    CTempDataFile(int descriptor, std::string path);
};

/// The source WAVE file opened read-only, the data file of a STORE_INPLACE store; never deleted.
class CInPlaceDataFile final : public CPosixDataFile {
public:
    /// Opens path for reading; throws FileException.
    static std::unique_ptr<CInPlaceDataFile> Open(const std::string& path);

private:
    CInPlaceDataFile(int descriptor, std::string path);
};

/// A data file held in memory that grows in steps of 65536 bytes.
class CMemoryDataFile final : public CDataFile {
public:
    CMemoryDataFile() = default;
    /// Holds a copy of an existing block of bytes.
    CMemoryDataFile(const void* data, std::size_t size);

    std::size_t ReadAt(uint64_t offset, void* buffer, std::size_t count) override;
    void WriteAt(uint64_t offset, const void* buffer, std::size_t count) override;
    uint64_t GetLength() const override { return m_length; }
    void SetLength(uint64_t length) override;
    /// The bytes held (GetLength() of them).
    const uint8_t* Data() const noexcept { return m_bytes.get(); }

    static constexpr std::size_t kGrowBy = 65536;

private:
    void Reserve(uint64_t length);

    std::unique_ptr<uint8_t[]> m_bytes;
    uint64_t m_capacity = 0;
    uint64_t m_length = 0;
};

} // namespace ondrix
