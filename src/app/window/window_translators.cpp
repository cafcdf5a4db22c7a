#include "app/window/window_translators.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>

namespace lumera::app {
namespace {

QString LocaleName(Language language) {
    return language == Language::Japanese ? QStringLiteral("ja") : QStringLiteral("zh_CN");
}

}  // namespace

WindowTranslators::WindowTranslators(std::filesystem::path directory)
    : directory_(std::move(directory)) {}

WindowTranslators::~WindowTranslators() {
    Remove();
}

void WindowTranslators::Remove() {
    if (ownInstalled_) {
        QCoreApplication::removeTranslator(&own_);
    }
    if (qtInstalled_) {
        QCoreApplication::removeTranslator(&qt_);
    }
    ownInstalled_ = qtInstalled_ = false;
}

void WindowTranslators::Use(Language language) {
    if (used_ == language) {
        return;
    }
    used_ = language;
    Remove();
    if (language != Language::English) {
        const QString locale = LocaleName(language);
        const QString own = QString::fromLatin1(kTranslationStem) + QLatin1Char('_') + locale;
        ownInstalled_ = own_.load(own, QString::fromStdString(directory_.string())) &&
                        QCoreApplication::installTranslator(&own_);
        qtInstalled_ = qt_.load(QStringLiteral("qtbase_") + locale,
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                       QCoreApplication::installTranslator(&qt_);
    }
    // Installing posts the change to every window; delivered now, the texts follow at once.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

}  // namespace lumera::app
