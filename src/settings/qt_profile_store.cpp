#include "settings/qt_profile_store.h"

#include <QStringList>

namespace ondrix {

namespace {

/// The QSettings key of a section and key; the empty section is the file's root.
QString SettingsKey(const std::string& section, const std::string& key) {
    const QString name = QString::fromStdString(key);
    return section.empty() ? name : QString::fromStdString(section) + QLatin1Char('/') + name;
}

} // namespace

CQtProfileStore::CQtProfileStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pellam"),
                 QStringLiteral("Ondrix")) {}

CQtProfileStore::CQtProfileStore(const QString& iniPath) : m_settings(iniPath, QSettings::IniFormat) {}

QString CQtProfileStore::ValueText(const std::string& section, const std::string& key) const {
    const QVariant value = m_settings.value(SettingsKey(section, key));
    if (!value.isValid()) {
        return QString();
    }
    // An unquoted text with commas in a hand-edited file reads as a list: take it as written.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    const QString text = value.toString();
    return text.isNull() ? QStringLiteral("") : text;
}

int32_t CQtProfileStore::GetInt(const std::string& section, const std::string& key,
                                int32_t defaultValue) const {
    const QString text = ValueText(section, key);
    if (text.isNull()) {
        return defaultValue;
    }
    return ParseProfileInt(text.toStdString()).value_or(defaultValue);
}

std::string CQtProfileStore::GetString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const {
    const QString text = ValueText(section, key);
    return text.isNull() ? defaultValue : text.toStdString();
}

void CQtProfileStore::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    m_settings.setValue(SettingsKey(section, key), value);
}

void CQtProfileStore::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    m_settings.setValue(SettingsKey(section, key), QString::fromStdString(value));
}

void CQtProfileStore::RemoveValue(const std::string& section, const std::string& key) {
    m_settings.remove(SettingsKey(section, key));
}

bool CQtProfileStore::Flush() {
    m_settings.sync();
    // A damaged file read at start (FormatError) is rewritten whole; only a failed write counts.
    return m_settings.status() != QSettings::AccessError;
}

std::string CQtProfileStore::Location() const {
    return m_settings.fileName().toStdString();
}

} // namespace ondrix
