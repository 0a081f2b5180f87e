#pragma once

#include "settings/core/profile_store.h"

#include <QSettings>
#include <QString>

namespace ondrix {

/// The profile store on disk: an INI file through QSettings, by default the user's file of organisation
/// "Pellam", application "Ondrix". Writes collect in memory and reach the file on Flush (or on
/// destruction); the file is replaced whole, so a failed write leaves the old one intact.
class CQtProfileStore final : public IProfileStore {
public:
    /// The user's settings file.
    CQtProfileStore();
    /// A settings file of its own (tests, portable set-ups).
    explicit CQtProfileStore(const QString& iniPath);
    CQtProfileStore(const CQtProfileStore&) = delete;
    CQtProfileStore& operator=(const CQtProfileStore&) = delete;

    int32_t GetInt(const std::string& section, const std::string& key, int32_t defaultValue) const override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    void WriteInt(const std::string& section, const std::string& key, int32_t value) override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    void RemoveValue(const std::string& section, const std::string& key) override;
    bool Flush() override;
    std::string Location() const override;

private:
    /// The stored value of section/key as text; null when missing.
    QString ValueText(const std::string& section, const std::string& key) const;

    QSettings m_settings;
};

} // namespace ondrix
