#pragma once

#include <QGroupBox>
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "app/qt/window_style.h"
#include "app/sections/section_commands.h"
#include "editing/language_texts.h"
#include "editing/message_table.h"

class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;

namespace lumera::app {

class SectionEdit;

// The message table on screen (GroupBox3): the column headings and the 32 section rows
// (number, text, opening and closing effect) in DataScrollBox. It shows what the model holds
// and hands every change the operator makes back as a signal; it keeps no rule of its own.
// Larger than its smallest size it shows more rows, and its columns widen.
class SectionTable : public QGroupBox {
    Q_OBJECT

public:
    // As designed, less the room of the split bar below it.
    static constexpr QSize kSmallestSize{745, 257 - kSplitBarHeight - 1};

    explicit SectionTable(QWidget* parent);

    // The headings and effect names of a language; the lists keep their selections.
    void ApplyTexts(const WindowTexts& texts);
    // Every row as the table holds it, with the signals of the rows blocked.
    void Show(const MessageTable& table);
    // Marks the row of the section on the display while the preview plays; nullopt: none.
    void MarkPlaying(std::optional<int> index);
    void ScrollToTop();

    SectionEdit* edit(int index) const { return edits_.at(index); }
    // The last row's last control in the tab order; the rest of the window follows it.
    QWidget* lastTabStop() const;
    // What a section's context menu offers besides its own commands (undo, redo).
    void setMenuActions(QList<QAction*> actions) { menuActions_ = std::move(actions); }
    // The context menu of a section's row: the edit's clipboard commands, the menu actions
    // and the section commands, those that cannot apply disabled.
    std::unique_ptr<QMenu> MenuFor(int index);

signals:
    void sectionClicked(int index);
    void textEdited(int index, const std::string& bytes, std::size_t caret);
    void openChosen(int index, int option);
    void closeChosen(int index, int option);
    void unstorableInput(int index, const QString& refused);
    void sectionFull(int index);
    // A section command chosen in a row's context menu.
    void sectionCommand(SectionCommand command, int index);
    // "Draw..." chosen in a row's context menu.
    void drawRequested(int index);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildRows();
    // The box, the headings and the rows' columns for the table's size.
    void Place(QSize size);
    void Retranslate();
    void ShowLimit();
    void ChainTabOrder();
    void DescribeRows();
    void ShowRowMarks(int current);
    void OpenMenu(int index, QWidget* row, const QPoint& at);

    QScrollArea* box_;
    QWidget* rows_;
    QWidget* editColumn_ = nullptr;
    std::array<QLabel*, 3> headings_{};
    QLabel* limit_;
    std::array<QLabel*, kSectionRows> numbers_{};
    std::array<SectionEdit*, kSectionRows> edits_{};
    std::array<QComboBox*, kSectionRows> opens_{};
    std::array<QComboBox*, kSectionRows> closes_{};
    MessageTable shown_;
    std::optional<int> playing_;
    int current_ = 0;
    QList<QAction*> menuActions_;
};

}  // namespace lumera::app
