#include "files/led_table.h"

namespace lumera {

LedFileContent ContentOfTable(const MessageTable& table) {
    LedFileContent content;
    content.englishMode = table.EnglishMode();
    for (int index = 0; index < table.SectionCount(); ++index) {
        const Section& section = table.section(index);
        content.sections.push_back(
            {section.text, section.openOption, section.closeOption, section.drawing});
    }
    return content;
}

Messages ApplyLedContent(const LedFileContent& content, MessageTable& table) {
    return MessagesOf(table.Load(content.englishMode, content.sections));
}

}  // namespace lumera
