// The message table on screen: the section rows, the keyboards and Clear.
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>

#include "app/capacity_gauge.h"
#include "app/section_edit.h"
#include "app/tform1.h"

namespace lumera::app {

void TForm1::ShowTable() {
    for (int index = 0; index < kSectionRows; ++index) {
        const Section& section = table_.section(index);
        const QSignalBlocker editBlocker(ME[index]);
        const QSignalBlocker openBlocker(CBA[index]);
        const QSignalBlocker closeBlocker(CBB[index]);
        ME[index]->showBytes(section.text);
        ME[index]->setByteLimit(section.maxLength);
        CBA[index]->setCurrentIndex(EffectNumber(section.openOption));
        CBB[index]->setCurrentIndex(EffectNumber(section.closeOption));
        for (QWidget* control :
             {static_cast<QWidget*>(L[index]), static_cast<QWidget*>(ME[index]),
              static_cast<QWidget*>(CBA[index]), static_cast<QWidget*>(CBB[index])}) {
            control->setEnabled(section.enabled);
        }
    }
    ShowCurrentSection();
    capacityGauge_->Show(table_);
}

SectionEdit* TForm1::CurrentEdit() const {
    return ME[table_.CurrentSection()];
}

void TForm1::FocusFirstSection() {
    ME[0]->setFocus();
    ME[0]->setCursorPosition(0);
}

void TForm1::maskeditOnClick(int tag) {
    table_.ClickSection(tag);
    ShowCurrentSection();
    capacityGauge_->Show(table_);
}

void TForm1::maskeditOnChange(int tag, const std::string& bytes, std::size_t caret) {
    const int index = tag - 1;
    ShowMessages(table_.SetText(index, bytes));
    ShowTable();
    ME[index]->setCaretByteOffset(std::min(caret, table_.section(index).text.size()));
}

void TForm1::CBA1Change(int option) {
    if (option >= 0) {
        table_.SelectOpenOption(0, static_cast<OpenEffect>(option));
    }
}

void TForm1::CBB1Change(int option) {
    if (option >= 0) {
        table_.SelectCloseOption(0, static_cast<CloseEffect>(option));
    }
}

void TForm1::CNBtnClick(int keyNumber) {
    SectionEdit* edit = CurrentEdit();
    const KeyInsertion insertion = table_.PressGlyphKey(keyNumber, edit->insertionByteOffset());
    ShowMessages(insertion.messages);
    ShowTable();
    edit->setFocus();
    edit->setCaretByteOffset(insertion.caret);
}

void TForm1::EngBtnClick(int keyNumber) {
    SectionEdit* edit = CurrentEdit();
    const KeyInsertion insertion = table_.PressEnglishKey(keyNumber, edit->insertionByteOffset());
    ShowMessages(insertion.messages);
    ShowTable();
    edit->setFocus();
    edit->setCaretByteOffset(insertion.caret);
}

void TForm1::BtnClearClick() {
    BtnStopClick();
    if (table_.EnglishMode()) {
        ApplyEnglishTexts();
    } else {
        ApplyChineseTexts();
    }
    table_.SetSectionCount(0);
    table_.SetModified(true);
    table_.SetCurrentSection(0);
    ShowCurrentSection();
    FocusFirstSection();
}

}  // namespace lumera::app
