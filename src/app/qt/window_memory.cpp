#include "app/qt/window_memory.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "app/qt/last_folder.h"

namespace lumera::app {
namespace {

constexpr char kGeometryKey[] = "window/geometry";
constexpr char kMaximisedKey[] = "window/maximised";
constexpr char kLowerShareKey[] = "window/lowerShare";
constexpr char kLanguageKey[] = "window/language";

// Kept by name, so that the settings file reads plainly.
constexpr std::array<std::pair<Language, const char*>, 3> kLanguageNames{{
    {Language::English, "English"},
    {Language::Chinese, "Chinese"},
    {Language::Japanese, "Japanese"},
}};

std::optional<Language> LanguageNamed(const QString& name) {
    for (const auto& [language, languageName] : kLanguageNames) {
        if (name == QLatin1String(languageName)) {
            return language;
        }
    }
    return std::nullopt;
}

const char* NameOf(Language language) {
    for (const auto& [named, name] : kLanguageNames) {
        if (named == language) {
            return name;
        }
    }
    return kLanguageNames.front().second;
}

}  // namespace

WindowMemory RecallWindow() {
    const QSettings settings = UserSettings();
    WindowMemory memory;
    const QRect geometry = settings.value(QLatin1String(kGeometryKey)).toRect();
    if (geometry.isValid()) {
        memory.geometry = geometry;
    }
    memory.maximised = settings.value(QLatin1String(kMaximisedKey)).toBool();
    bool number = false;
    const double share = settings.value(QLatin1String(kLowerShareKey)).toDouble(&number);
    if (number && std::isfinite(share)) {
        memory.lowerShare = std::clamp(share, 0.0, 1.0);
    }
    memory.language = LanguageNamed(settings.value(QLatin1String(kLanguageKey)).toString());
    return memory;
}

void RememberWindow(const WindowMemory& memory) {
    QSettings settings = UserSettings();
    if (memory.geometry) {
        settings.setValue(QLatin1String(kGeometryKey), *memory.geometry);
    }
    settings.setValue(QLatin1String(kMaximisedKey), memory.maximised);
    if (memory.lowerShare) {
        settings.setValue(QLatin1String(kLowerShareKey), *memory.lowerShare);
    }
    if (memory.language) {
        settings.setValue(QLatin1String(kLanguageKey), QLatin1String(NameOf(*memory.language)));
    }
}

Language LanguageOfLocale(const QLocale& locale) {
    switch (locale.language()) {
        case QLocale::Chinese:
            return Language::Chinese;
        case QLocale::Japanese:
            return Language::Japanese;
        default:
            return Language::English;
    }
}

}  // namespace lumera::app
