#pragma once

#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/commands/command_panel.h"
#include "app/document/document.h"
#include "app/qt/qt_prompter.h"
#include "app/window/window_translators.h"
#include "editing/language_texts.h"
#include "editing/message_table.h"
#include "editing/program_directory.h"
#include "editing/prompter.h"
#include "files/led_file_commands.h"
#include "outside/device_binding.h"
#include "render/led_preview.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QTimer;

namespace lumera::app {

class CapacityGauge;
class DisplayViews;
class KeyPanels;
class LinkPanel;
class PresencePoll;
class PreviewPlayer;
class PreviewViews;
class SectionEdit;
class SectionTable;
class WindowHeader;
class WindowSplit;
struct WindowMemory;

// What the window is built with. The defaults are those of the installed program; tests give
// their own Prompter and device library so that nothing of the user's is touched.
struct WindowSetup {
    Prompter* prompter = nullptr;  // null: the window's own message boxes and file dialogs
    std::optional<std::filesystem::path> deviceLibrary;  // null: LocateProgramFiles, then search
    std::filesystem::path programDirectory;  // glyph tables and the download dump; empty: as
                                             // LocateProgramFiles finds them
};

// The main window, composed of its parts: the header, the section table, the link area, the
// command buttons with the gauge, the keyboards and the LED preview. It holds the model and
// the undo history; every handler asks the model for the change, records it and shows the
// model again.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(WindowSetup setup = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    const MessageTable& table() const { return document_->table(); }
    Language language() const { return document_->language(); }
    const Document& document() const { return *document_; }
    const LedPreview& preview() const { return *preview_; }
    const std::string& openFileName() const { return document_->fileName(); }
    const std::vector<std::uint8_t>& sendData() const { return SendData; }
    const CapacityGauge& capacityGauge() const { return *capacityGauge_; }
    PreviewViews& previewViews() const { return *previewViews_; }
    DisplayViews& displayViews() const;
    SectionTable& sectionTable() const { return *sections_; }
    QUndoStack& undoStack() { return document_->stack(); }
    QString status() const;
    QString cycleText() const { return commands_->cycleText(); }

    // Handlers, named as the window's design binds them.
    void BtnEngClick();
    void BtnCnClick();
    void BtnJapanClickClick();
    void BtnClearClick();
    void BtnStartClick();
    void BtnStopClick();
    void BtnColorClick();
    void BtnOpenClick();
    // Opens a message file named by the Open dialog, the command line or a drop: the same
    // checks and messages for all three.
    void OpenNamedFile(const std::string& path);
    SaveOutcome BtnSaveClick();
    void BtnSendClick();
    void BtnExitClick();
    void CNBtnClick(int keyNumber);
    void EngBtnClick(int keyNumber);
    // The effect lists of every row (CBA1Change / CBB1Change for row 1).
    void CBAChange(int index, int option);
    void CBBChange(int index, int option);
    void maskeditOnClick(int index);
    void maskeditOnChange(int index, const std::string& bytes, std::size_t caret);
    void Timer1Timer();
    void RunSectionCommand(SectionCommand command, int index);
    // Opens the drawing dialog for the section.
    void DrawSection(int index);
    // The save offer, made before the table is left or replaced (closing, Open, a drop, a
    // language switch): true when the table may go, because it was saved, the operator
    // declined to save it, or there is nothing to save. False on Cancel, or when the save
    // was cancelled or failed.
    bool MayLeaveTable();
    // Ctrl+S: the table written to its own file without asking, when it has one.
    void QuickSave();
    // The Open button's menu of the files used last.
    std::unique_ptr<QMenu> RecentFilesMenu();
    // Fits the window to `available` (a screen's free area): at least as large as its face's
    // smallest size where that fits, else scrolling the face; no larger than the room there.
    // A window at its smallest stays at its smallest.
    void FitInto(const QRect& available);

protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose
    void changeEvent(QEvent* event) override;

private:
    void BuildParts();
    // The scroll frame that holds the window's face (content_), which fills it from its
    // smallest size up.
    void BuildFrame();
    // The parts' places for the size of the face, of the split's upper side (the table) and
    // of its lower side (commands, keyboards, LED preview).
    void PlaceFace(QSize face);
    void PlaceUpper(QSize side);
    void PlaceLower(QSize side);
    void ConnectParts();
    void RunCommand(Command command);
    void OfferRecentFiles();
    void BuildQuickSave();
    void BuildHistoryActions();
    void ChainTabOrder();
    // Where it was last closed and how large, brought onto a screen; else centred, at its
    // smallest.
    void PlaceOnScreen(const WindowMemory& memory);
    // Place, size, split and language, for the next window.
    void RememberWindowState() const;
    void AcceptFileDrops();

    // One change to the table: runs `change` on the model as one undo step of the
    // document and shows its messages; the parts follow the document's signals.
    EditResult Change(const StepName& step, const std::function<EditResult(MessageTable&)>& change);
    // The same from a state taken earlier, when the handler changed something before.
    EditResult Change(const StepName& step, EditorState before, const Document::Edit& change);
    // The document's signals.
    void FollowDocument();
    void FollowHistory();
    void FollowLanguage();

    void SwitchLanguage(Language target);
    // The table reset and texts of a language (ApplyEnglishTexts, ApplyChineseTexts and the
    // Japanese switch).
    void ApplyLanguage(Language language, EditorState before);
    // The texts of the content mode: Chinese ones under Japanese texts too.
    static Language LanguageOfMode(const MessageTable& table);
    // The window's own texts, and those of its parts that are no widgets, in the language
    // of the installed translators.
    void Retranslate();
    // "Undo Typing in section 2": the history actions' texts in the current language.
    void ShowHistoryTexts();
    QString StepCaption(const StepName& step) const;
    void InsertKey(KeyInsertion (MessageTable::*press)(int, std::size_t), int keyNumber);
    void TellSectionFull(int index);
    // Says so in the status line when the table does not fit the display.
    void TellTableTooLarge();
    // The caret goes into the current section's edit.
    void FocusCurrentSection();

    bool PreviewRunning() const;
    void ShowLedImage();
    void ShowPlayingSection();
    void MeasureCycle();
    void FocusFirstSection();
    void ShowTable();
    void ShowMessages(const Messages& messages);
    void ShowFileName();
    SectionEdit* CurrentEdit() const;

    std::unique_ptr<QtPrompter> ownPrompter_;
    Prompter& prompter_;
    ProgramFiles files_;
    // The table, its file, its history and the texts the window shows (Chinese and
    // Japanese both go with Chinese content).
    Document* document_ = nullptr;
    DeviceBinding device_;
    std::vector<std::uint8_t> SendData;
    std::unique_ptr<LedPreview> preview_;
    WindowTranslators translators_;

    QScrollArea* frame_ = nullptr;
    QWidget* content_ = nullptr;  // the face: every part stands on it
    WindowHeader* header_ = nullptr;
    WindowSplit* split_ = nullptr;
    SectionTable* sections_ = nullptr;
    LinkPanel* link_ = nullptr;
    PresencePoll* presence_ = nullptr;
    CommandPanel* commands_ = nullptr;
    CapacityGauge* capacityGauge_ = nullptr;
    KeyPanels* keys_ = nullptr;
    QWidget* commandsArea_ = nullptr;  // GroupBox2
    QFrame* ledPanel_ = nullptr;       // Panel1
    QLabel* ImageLed = nullptr;
    PreviewViews* previewViews_ = nullptr;
    PreviewPlayer* player_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QTimer* Timer1 = nullptr;
    // Measures the preview's cycle once typing pauses: it plays the whole table.
    QTimer* cycleTimer_ = nullptr;
};

}  // namespace lumera::app
