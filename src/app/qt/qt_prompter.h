#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "editing/prompter.h"

namespace lumera::app {

// "Description|*.ext|..." as Qt's "Description (*.ext);;..." form.
QString ToQtFileFilter(const std::string& filter);

// The window's Prompter: real message boxes and file dialogs, owned by the main window.
class QtPrompter : public Prompter {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    void Message(const std::string& text) override;
    void Information(const std::string& text) override;
    bool Ask(const std::string& text) override;
    std::optional<std::string> OpenFileName(const std::string& filter) override;
    std::optional<std::string> SaveFileName(const std::string& filter,
                                            const std::string& suggested) override;
    std::optional<bool> AskOrCancel(const std::string& text) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace lumera::app
