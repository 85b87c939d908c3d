#include "ui/qt/settings_store.h"

#include "coding/frequency_code.h"

#include <QStringList>
#include <QWidget>

namespace kl40::qt {

namespace {
const QString kRecentFilesKey = QStringLiteral("recentFiles");
const QString kGeometryKey = QStringLiteral("frame/geometry");
const QString kRepeaterOffsetKey = QStringLiteral("preferences/repeaterOffsetMHz");
} // namespace

std::vector<std::string> SettingsRecentFilesStore::load() {
    std::vector<std::string> paths;
    for (const QString& path : settings_.value(kRecentFilesKey).toStringList())
        paths.push_back(path.toStdString());
    return paths;
}

void SettingsRecentFilesStore::save(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths)
        list << QString::fromStdString(path);
    settings_.setValue(kRecentFilesKey, list);
    // Another instance started later reads the list at once.
    settings_.sync();
}

PreferenceValues SettingsPreferencesStore::load() {
    PreferenceValues values;
    // Unreadable text keeps the default; Preferences checks the range.
    const QString offset = settings_.value(kRepeaterOffsetKey).toString();
    if (const auto parsed = ParseOffset(offset.toStdString()); parsed && !offset.isEmpty())
        values.repeaterOffset = *parsed;
    return values;
}

void SettingsPreferencesStore::save(const PreferenceValues& values) {
    settings_.setValue(kRepeaterOffsetKey,
                       QString::fromStdString(FrequencyText(values.repeaterOffset)));
    settings_.sync();
}

bool RestoreWindowGeometry(QWidget& window, const QSettings& settings) {
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void SaveWindowGeometry(const QWidget& window, QSettings& settings) {
    const QByteArray geometry = window.saveGeometry();
    // Writing the settings flushes them to the disk, which can take longer
    // than the whole start of the program: a frame where it was is not
    // written again.
    if (settings.value(kGeometryKey).toByteArray() == geometry) return;
    settings.setValue(kGeometryKey, geometry);
    settings.sync();
}

} // namespace kl40::qt
