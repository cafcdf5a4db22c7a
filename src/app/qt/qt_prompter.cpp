#include "app/qt/qt_prompter.h"

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStringList>

#include "app/qt/last_folder.h"
#include "editing/language_texts.h"

namespace lumera::app {
namespace {

QString Caption(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> LocalPath(const QString& chosen) {
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    RememberFolderOf(chosen);
    return QFile::encodeName(chosen).toStdString();
}

// A box asked while the window shows itself busy (a Send) shows the ordinary arrow: the box
// is waiting for the operator.
class ArrowCursor {
public:
    ArrowCursor() : overridden_(QGuiApplication::overrideCursor() != nullptr) {
        if (overridden_) {
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~ArrowCursor() {
        if (overridden_) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;

private:
    bool overridden_;
};

}  // namespace

QString ToQtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromUtf8(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        QString patterns = parts[k + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[k] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

void QtPrompter::Message(const std::string& text) {
    const ArrowCursor arrow;
    QMessageBox box(QMessageBox::NoIcon, Caption(kApplicationTitle), QString::fromUtf8(text),
                    QMessageBox::Ok, owner_);
    box.exec();
}

void QtPrompter::Information(const std::string& text) {
    const ArrowCursor arrow;
    QMessageBox box(QMessageBox::Information, Caption(kInformationCaption), QString::fromUtf8(text),
                    QMessageBox::Ok, owner_);
    box.exec();
}

bool QtPrompter::Ask(const std::string& text) {
    const ArrowCursor arrow;
    QMessageBox box(QMessageBox::Question, Caption(kQuestionCaption), QString::fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<bool> QtPrompter::AskOrCancel(const std::string& text) {
    const ArrowCursor arrow;
    QMessageBox box(QMessageBox::Question, Caption(kQuestionCaption), QString::fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner_);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return true;
        case QMessageBox::No:
            return false;
        default:
            return std::nullopt;
    }
}

// The desktop's own dialogs where the platform has them.
std::optional<std::string> QtPrompter::OpenFileName(const std::string& filter) {
    const ArrowCursor arrow;
    return LocalPath(
        QFileDialog::getOpenFileName(owner_, QString(), LastFolder(), ToQtFileFilter(filter)));
}

std::optional<std::string> QtPrompter::SaveFileName(const std::string& filter,
                                                    const std::string& suggested) {
    const ArrowCursor arrow;
    const QString start = suggested.empty() ? LastFolder() : QString::fromStdString(suggested);
    // The save command asks about replacing the file it will write itself: the dialog's name
    // may not be that file.
    return LocalPath(QFileDialog::getSaveFileName(owner_, QString(), start, ToQtFileFilter(filter),
                                                  nullptr, QFileDialog::DontConfirmOverwrite));
}

}  // namespace lumera::app
