#pragma once

#include <QDialog>

#include "drawing/drawing_makers.h"
#include "editing/drawing.h"
#include "editing/prompter.h"

class QCheckBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace lumera::app {

class DotEditor;

// Makes a section's drawing: from a picture file, from text in an installed font, or by hand,
// the dots shown in a DotEditor for touching up whichever way they were made.
class DrawingDialog : public QDialog {
    Q_OBJECT

public:
    DrawingDialog(QWidget* parent, int section, bool englishMode, const Drawing& current,
                  Prompter& prompter);

    Drawing drawing() const;
    DotEditor& editor() const { return *editor_; }

    // The picture tab's file, as its button would choose it.
    void UsePicture(const std::string& file);

private:
    QWidget* PictureTab();
    QWidget* FontTab();
    QWidget* DotCommands();
    void TakeSource(const DrawingSource& source);
    void RedrawPicture();
    void RedrawText();
    void ShowMade(drawing::Made made);
    void ShowCount();

    int rows_;
    Prompter& prompter_;
    DrawingSource source_;
    QTabWidget* tabs_;
    DotEditor* editor_;
    QLabel* status_;
    QLabel* pictureFile_ = nullptr;
    QSlider* threshold_ = nullptr;
    QCheckBox* invert_ = nullptr;
    QCheckBox* crop_ = nullptr;
    QFontComboBox* family_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QSpinBox* spacing_ = nullptr;
    QLineEdit* text_ = nullptr;
};

}  // namespace lumera::app
