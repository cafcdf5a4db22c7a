#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/qt_prompter.h"
#include "app/window_keyboard.h"
#include "editing/language_texts.h"
#include "editing/message_table.h"
#include "editing/program_directory.h"
#include "editing/prompter.h"
#include "files/led_file_commands.h"
#include "outside/device_binding.h"
#include "render/led_preview.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

namespace lumera::app {

class CapacityGauge;
class DisplayViews;
class LinkStatusMark;
class PreviewViews;
class SectionEdit;

// Process-wide: the Japanese texts were chosen last. Only the Chinese texts clear it, and it
// counts only while EnglishMode is false.
extern bool JapaneseMode;

// What the window is built with. The defaults are those of the installed program; tests give
// their own Prompter and device library so that nothing of the user's is touched.
struct WindowSetup {
    Prompter* prompter = nullptr;  // null: the window's own message boxes and file dialogs
    std::optional<std::filesystem::path> deviceLibrary;  // null: LocateProgramFiles, then search
    std::filesystem::path programDirectory;  // glyph tables and the download dump; empty: as
                                             // LocateProgramFiles finds them
};

// The main window: the message table with its two keyboards, the LED simulation and the
// commands. Every handler calls the core, shows the messages it returns, then shows the
// table again with the controls' signals blocked.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(WindowSetup setup = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    const MessageTable& table() const { return table_; }
    Language language() const;
    const LedPreview& preview() const { return *preview_; }
    const std::string& openFileName() const { return OpenFileName; }
    const std::vector<std::uint8_t>& sendData() const { return SendData; }
    const CapacityGauge& capacityGauge() const { return *capacityGauge_; }
    PreviewViews& previewViews() const { return *previewViews_; }
    DisplayViews& displayViews() const { return *displayViews_; }

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
    void CBA1Change(int option);
    void CBB1Change(int option);
    void maskeditOnClick(int tag);
    void maskeditOnChange(int tag, const std::string& bytes, std::size_t caret);
    void Timer1Timer();
    // The save offer. False only when the operator chose to save and the table could not be
    // written: the caller then stays, so the table is not lost.
    bool SaveOnLeave();
    void ApplyEnglishTexts();
    void ApplyChineseTexts();
    // Sizes the window to show all of its fixed-size face within `available` (a screen's
    // free area), scrolling it when it does not fit there.
    void FitInto(const QRect& available);

protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose

private:
    void BuildHeader();
    void BuildTableArea();
    void BuildSectionRows(QWidget* rows);
    void BuildCommands();
    void BuildKeyboards(QGroupBox* parent);
    void BuildLedPanel();
    void ConnectHandlers();
    // A message file dropped on the window or a section edit opens after the save offer.
    void AcceptFileDrops();
    void CentreOnScreen();
    // The scroll frame that holds the window's fixed-size face (content_).
    void BuildFrame();
    // Shortcuts, mnemonics, tab order, keys reached from the keyboard, accessible names and
    // tooltips.
    void BuildDesktopAccess();
    std::array<CommandAccess, 11> CommandAccessTable() const;
    // A command's caption in the current language, with its mnemonic where it allows one.
    QString CommandCaption(const QPushButton* button, const QString& caption) const;
    // Marks the row of CurrentSection, the section the keys type into.
    void ShowCurrentSection();

    // The save offer's Save, or nullopt when nothing was asked or the answer was No.
    std::optional<SaveOutcome> OfferToSave();
    // The save offer before the table is replaced by a file: false when the operator wanted
    // the table saved and it was not, so it must stay.
    bool TableMayBeReplaced();

    void SwitchLanguage(Language target);
    // The reset of the table and the texts of one language (ApplyEnglishTexts,
    // ApplyChineseTexts and the Japanese switch).
    void ApplyLanguage(Language language);
    // Captions, option names and keyboard of a language, without touching the table.
    void ApplyWindowTexts(Language language);
    void PollDevicePresence();
    bool PreviewRunning() const;
    // Puts what a preview step drew on ImageLed and starts the hold it asks for.
    void ShowPreviewStep(const LedPreview::Step& step);
    void ShowLedImage();
    void FocusFirstSection();

    // The table as the model holds it, shown in the rows with their signals blocked.
    void ShowTable();
    void ShowMessages(const Messages& messages);
    SectionEdit* CurrentEdit() const;

    std::unique_ptr<QtPrompter> ownPrompter_;
    Prompter& prompter_;
    ProgramFiles files_;
    MessageTable table_;
    DeviceBinding device_;
    std::uint8_t PollTicks = 0;
    std::string OpenFileName;
    std::vector<std::uint8_t> SendData;
    std::unique_ptr<LedPreview> preview_;
    // Runs while the preview holds a frame; ticks do nothing meanwhile.
    QTimer* holdTimer_ = nullptr;
    CapacityGauge* capacityGauge_ = nullptr;
    PreviewViews* previewViews_ = nullptr;
    DisplayViews* displayViews_ = nullptr;

    QScrollArea* frame_ = nullptr;
    QWidget* content_ = nullptr;  // every control stands on it, at its fixed place
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 11> labels_{};  // Label2..Label10 at their numbers
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    LinkStatusMark* linkStatus_ = nullptr;
    QLabel* USBLabel = nullptr;
    QScrollArea* DataScrollBox = nullptr;
    QScrollArea* CNScrollBox = nullptr;
    QScrollArea* EngScrollBox = nullptr;
    QFrame* EngPanel = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* ImageLed = nullptr;
    QPushButton* BtnEng = nullptr;
    QPushButton* BtnJapanClick = nullptr;
    QPushButton* BtnCn = nullptr;
    QPushButton* BtnStart = nullptr;
    QPushButton* BtnStop = nullptr;
    QPushButton* BtnColor = nullptr;
    QPushButton* BtnOpen = nullptr;
    QPushButton* BtnSend = nullptr;
    QPushButton* BtnSave = nullptr;
    QPushButton* BtnClear = nullptr;
    QPushButton* BtnExit = nullptr;
    std::array<QLabel*, kSectionRows> L{};
    std::array<SectionEdit*, kSectionRows> ME{};
    std::array<QComboBox*, kSectionRows> CBA{};
    std::array<QComboBox*, kSectionRows> CBB{};
    std::vector<QPushButton*> CNBtn;
    std::vector<QPushButton*> EngBtn;
    QTimer* Timer1 = nullptr;
};

}  // namespace lumera::app
