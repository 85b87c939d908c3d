#pragma once
// What the desktop application keeps between runs in the user's settings: the
// recent files and the frame's size and position. Tests hand in settings of
// their own (a file in a temporary folder), so they never touch the user's.

#include "ui/preferences.h"
#include "ui/recent_files.h"

#include <QSettings>

#include <string>
#include <vector>

class QWidget;

namespace kl40::qt {

class SettingsRecentFilesStore final : public RecentFilesStore {
public:
    explicit SettingsRecentFilesStore(QSettings& settings) : settings_(settings) {}

    std::vector<std::string> load() override;
    void save(const std::vector<std::string>& paths) override;

private:
    QSettings& settings_;
};

class SettingsPreferencesStore final : public PreferencesStore {
public:
    explicit SettingsPreferencesStore(QSettings& settings) : settings_(settings) {}

    PreferenceValues load() override;
    void save(const PreferenceValues& values) override;

private:
    QSettings& settings_;
};

// Puts `window` where it was when SaveWindowGeometry last ran; false when
// nothing usable was kept (the window keeps its size and place). Saving an
// unchanged size and place leaves the settings file alone.
bool RestoreWindowGeometry(QWidget& window, const QSettings& settings);
void SaveWindowGeometry(const QWidget& window, QSettings& settings);

} // namespace kl40::qt
