#pragma once

#include <QObject>
#include <filesystem>

#include "editing/message_table.h"
#include "editing/prompter.h"
#include "render/led_preview.h"

class QAction;
class QKeyEvent;
class QLabel;
class QWidget;

namespace lumera::app {

class LedCanvas;

// The views of the window's preview beside the small picture: the small picture itself at
// its size and the screen's pixel ratio, a large resizable preview in step with it
// (double-click, Enter or the picture's menu) and the export of an animation (the picture's
// menu). The picture takes the focus and shows it by its sunken panel.
class PreviewViews : public QObject {
    Q_OBJECT

public:
    // All must outlive the views; `window` owns them and the large preview.
    PreviewViews(QLabel* imageLed, const LedPreview& preview, const MessageTable& table,
                 Prompter& prompter, std::filesystem::path programDirectory, QWidget* window);

    // The views' tooltip, menus and title in the current language.
    void Retranslate();
    // Puts the preview's picture on the small image, drawn for its size, and on the large
    // preview, if open.
    void Show();
    void OpenLargePreview();
    // "Export animation…": one cycle of the table as an animated GIF, from the current
    // section in the current colour.
    void ExportAnimation();

    // The message file the table belongs to: the export proposes its name with ".gif".
    void setTableFile(const std::string& path) { tableFile_ = path; }

    // The large preview's window; null until first opened.
    QWidget* largePreview() const { return large_; }
    const LedCanvas* largeCanvas() const { return canvas_; }

signals:
    // An animation was written to `path`.
    void exported(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Enter opens the large preview, Shift+F10 the picture's menu.
    bool PressKey(const QKeyEvent& press);
    void ShowFocus(bool focused);

    QLabel* imageLed_;
    const LedPreview& preview_;
    const MessageTable& table_;
    Prompter& prompter_;
    std::filesystem::path programDirectory_;
    QWidget* window_;
    std::string tableFile_;
    QAction* largeAction_ = nullptr;
    QAction* exportAction_ = nullptr;
    QWidget* large_ = nullptr;
    LedCanvas* canvas_ = nullptr;
};

}  // namespace lumera::app
