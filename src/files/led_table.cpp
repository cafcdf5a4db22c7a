#include "files/led_table.h"

namespace lumera {

LedFileContent ContentOfTable(const MessageTable& table) {
    LedFileContent content;
    content.englishMode = table.EnglishMode();
    for (int index = 0; index < table.SectionCount(); ++index) {
        const Section& section = table.section(index);
        content.sections.push_back({section.text, section.openOption, section.closeOption});
    }
    return content;
}

Messages ApplyLedContent(const LedFileContent& content, MessageTable& table) {
    Messages messages = table.Reset(content.englishMode);
    const int count = static_cast<int>(content.sections.size());
    for (int index = 0; index < count; ++index) {
        const LedSection& section = content.sections[index];
        Messages changeMessages = table.SetText(index, section.text);
        messages.insert(messages.end(), changeMessages.begin(), changeMessages.end());
        table.SetOpenOption(index, section.openOption);
        table.SetCloseOption(index, section.closeOption);
        table.SetRowEnabled(index, true);
        if (index + 1 < kSectionRows) {
            table.SetRowEnabled(index + 1, true);
        }
    }
    table.SetSectionCount(count);
    // Whatever row was current before may now be disabled or out of sight.
    table.SetCurrentSection(0);
    return messages;
}

}  // namespace lumera
