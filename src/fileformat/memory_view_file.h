#pragma once

#include "store/data_file.h"

#include <cstddef>
#include <cstdint>

namespace ondrix {

/// A read-only data file over a block of memory that someone else owns (a WAVE image being loaded).
class CMemoryViewFile final : public CDataFile {
public:
    /// Views size bytes at data; the block must outlive the view.
    CMemoryViewFile(const void* data, std::size_t size) noexcept
        : m_data(static_cast<const uint8_t*>(data)), m_size(size) {}

    std::size_t ReadAt(uint64_t offset, void* buffer, std::size_t count) override;
    void WriteAt(uint64_t offset, const void* buffer, std::size_t count) override;
    uint64_t GetLength() const override { return m_size; }
    void SetLength(uint64_t length) override;
    bool IsReadOnly() const noexcept override { return true; }

private:
    const uint8_t* m_data;
    std::size_t m_size;
};

} // namespace ondrix
