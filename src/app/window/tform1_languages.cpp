// The three interface languages and the content mode that goes with each.
#include <QEvent>
#include <QLabel>

#include "app/commands/command_panel.h"
#include "app/commands/key_panels.h"
#include "app/link/link_panel.h"
#include "app/preview/preview_views.h"
#include "app/sections/section_table.h"
#include "app/window/tform1.h"

namespace lumera::app {

void TForm1::BtnEngClick() {
    SwitchLanguage(Language::English);
}

void TForm1::BtnCnClick() {
    SwitchLanguage(Language::Chinese);
}

void TForm1::BtnJapanClickClick() {
    SwitchLanguage(Language::Japanese);
}

// A switch empties the table: the offer to save comes first, and Cancel keeps the table and
// the language as they are.
void TForm1::SwitchLanguage(Language target) {
    if (document_->language() == target) {
        return;
    }
    EditorState before = document_->State();
    FocusFirstSection();
    document_->SetCurrentSection(0);
    BtnStopClick();
    if (!MayLeaveTable()) {
        return;
    }
    ApplyLanguage(target, std::move(before));
}

void TForm1::ApplyLanguage(Language language, EditorState before) {
    Change(StepName(StepKind::SwitchLanguage), std::move(before),
           [language](MessageTable& table, Language& shown) {
               shown = language;
               return table.Reset(language == Language::English);
           });
}

Language TForm1::LanguageOfMode(const MessageTable& table) {
    return table.EnglishMode() ? Language::English : Language::Chinese;
}

void TForm1::FollowLanguage() {
    const Language language = document_->language();
    const WindowTexts& texts = TextsFor(language);
    sections_->ScrollToTop();
    sections_->ApplyTexts(texts);
    commands_->ApplyTexts(texts);
    link_->ApplyTexts(texts);
    keys_->ShowKeyboard(language == Language::English);
    translators_.Use(language);
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QWidget::changeEvent(event);
}

void TForm1::Retranslate() {
    ImageLed->setAccessibleName(tr("LED preview"));
    keys_->Retranslate();
    previewViews_->Retranslate();
    ShowHistoryTexts();
}

}  // namespace lumera::app
