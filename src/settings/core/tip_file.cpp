#include "settings/core/tip_file.h"

namespace ondrix {

CTipFile::~CTipFile() {
    Close();
}

bool CTipFile::Open(const std::string& path) {
    Close();
    m_file = std::fopen(path.c_str(), "rb");
    return m_file != nullptr;
}

void CTipFile::Close() noexcept {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

void CTipFile::Seek(uint64_t position) {
    if (!m_file) {
        return;
    }
    std::fseek(m_file, 0, SEEK_END);
    const long length = std::ftell(m_file);
    std::fseek(m_file, length >= 0 && position < uint64_t(length) ? long(position) : 0L, SEEK_SET);
}

uint64_t CTipFile::Position() const {
    if (!m_file) {
        return 0;
    }
    const long position = std::ftell(m_file);
    return position < 0 ? 0 : uint64_t(position);
}

bool CTipFile::ReadLine(std::string& line) {
    line.clear();
    int c = std::fgetc(m_file);
    if (c == EOF) {
        return false;
    }
    for (; c != EOF && c != '\n'; c = std::fgetc(m_file)) {
        if (line.size() < kMaxTipLength) {
            line += char(c);
        }
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

std::optional<std::string> CTipFile::ReadNextTip() {
    if (!m_file) {
        return std::nullopt;
    }
    const uint64_t start = Position();
    bool wrapped = false;
    std::string line;
    for (;;) {
        if (wrapped && Position() >= start) {
            return std::nullopt; // a whole pass over the file found no tip
        }
        if (!ReadLine(line)) {
            if (std::ferror(m_file) || wrapped) {
                std::clearerr(m_file);
                std::rewind(m_file);
                return std::nullopt;
            }
            std::rewind(m_file);
            wrapped = true;
            continue;
        }
        if (line.empty() || line[0] == ' ' || line[0] == '\t' || line[0] == ';') {
            continue;
        }
        std::string tip;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '$' && i + 1 < line.size() && line[i + 1] == '$') {
                tip += '\n';
                ++i;
            } else {
                tip += line[i];
            }
        }
        return tip;
    }
}

std::string TipFileBeside(const std::string& programPath) {
    const std::size_t slash = programPath.rfind('/');
    const std::size_t dot = programPath.rfind('.');
    const bool extensionInName = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (extensionInName ? programPath.substr(0, dot) : programPath) + ".tip";
}

} // namespace ondrix
