// The three interface languages and the content mode that goes with each.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

#include "app/section_edit.h"
#include "app/section_text.h"
#include "app/tform1.h"
#include "editing/keyboards.h"

namespace lumera::app {
namespace {

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

template <std::size_t N>
void FillList(QComboBox* list, const std::array<std::string_view, N>& names) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string_view name : names) {
        list->addItem(Text(name));
    }
}

// A key shows its caption the way a section edit would show it, so glyph codes are drawn by
// the glyph font; the caption "&&" shows a single ampersand on a button.
void SetKeyCaptions(const std::vector<QPushButton*>& buttons,
                    const std::vector<KeyboardKey>& keys) {
    for (std::size_t k = 0; k < keys.size(); ++k) {
        buttons[k]->setText(ShowSectionBytes(keys[k].caption).text);
    }
}

}  // namespace

void TForm1::BtnEngClick() {
    SwitchLanguage(Language::English);
}

void TForm1::BtnCnClick() {
    SwitchLanguage(Language::Chinese);
}

void TForm1::BtnJapanClickClick() {
    SwitchLanguage(Language::Japanese);
}

void TForm1::SwitchLanguage(Language target) {
    if (language() == target) {
        return;
    }
    const bool wasJapanese = JapaneseMode;
    if (target == Language::Japanese) {
        JapaneseMode = true;
    }
    FocusFirstSection();
    table_.SetCurrentSection(0);
    ShowCurrentSection();
    BtnStopClick();
    if (table_.Modified() && !SaveOnLeave()) {
        JapaneseMode = wasJapanese;
        return;
    }
    ApplyLanguage(target);
}

void TForm1::ApplyEnglishTexts() {
    ApplyLanguage(Language::English);
}

void TForm1::ApplyChineseTexts() {
    ApplyLanguage(Language::Chinese);
}

void TForm1::ApplyLanguage(Language language) {
    if (language == Language::Chinese) {
        JapaneseMode = false;
    }
    const Messages messages = table_.Reset(language == Language::English);
    ApplyWindowTexts(language);
    ShowMessages(messages);
    ShowTable();
}

void TForm1::ApplyWindowTexts(Language language) {
    const bool english = language == Language::English;
    DataScrollBox->verticalScrollBar()->setValue(0);
    (english ? EngScrollBox : CNScrollBox)->verticalScrollBar()->setValue(0);

    const WindowTexts& texts = TextsFor(language);
    for (int index = 0; index < kSectionRows; ++index) {
        FillList(CBA[index], texts.openOptions);
        FillList(CBB[index], texts.closeOptions);
    }
    const std::array<std::pair<QPushButton*, std::string_view>, 8> captions{{
        {BtnStart, texts.BtnStart},
        {BtnStop, texts.BtnStop},
        {BtnColor, texts.BtnColor},
        {BtnOpen, texts.BtnOpen},
        {BtnSend, texts.BtnSend},
        {BtnSave, texts.BtnSave},
        {BtnClear, texts.BtnClear},
        {BtnExit, texts.BtnExit},
    }};
    for (const auto& [button, caption] : captions) {
        button->setText(CommandCaption(button, Text(caption)));
    }
    const std::array<std::string_view, 9> labelTexts{texts.Label2, texts.Label3, texts.Label4,
                                                     texts.Label5, texts.Label6, texts.Label7,
                                                     texts.Label8, texts.Label9, texts.Label10};
    for (std::size_t k = 0; k < labelTexts.size(); ++k) {
        labels_[2 + k]->setText(Text(labelTexts[k]));
        labels_[2 + k]->adjustSize();
    }

    EngPanel->setVisible(english);
    // The covered keyboard leaves the tab order with it.
    CNScrollBox->setVisible(!english);
    if (english) {
        SetKeyCaptions(EngBtn, EnglishKeys());
    } else {
        SetKeyCaptions(CNBtn, GlyphKeys());
    }
}

}  // namespace lumera::app
