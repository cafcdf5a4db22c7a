#pragma once

#include <QCoreApplication>
#include <QKeySequence>
#include <QString>
#include <array>

#include "editing/message_table.h"

namespace lumera::app {

// A section command as the window offers it: in a row's context menu and, for the current
// section, by its keys.
struct SectionCommandEntry {
    SectionCommand command;
    const char* name;     // the action's objectName
    const char* caption;  // in English, translated where shown; %1: the section's number
    QKeySequence keys;
};

// In the order of SectionCommand, which indexes it.
inline const std::array<SectionCommandEntry, 5>& SectionCommands() {
    static const std::array<SectionCommandEntry, 5> commands{{
        {SectionCommand::InsertAbove, "InsertSectionAction",
         QT_TRANSLATE_NOOP("SectionCommand", "Insert a section above %1"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert)},
        {SectionCommand::Duplicate, "DuplicateSectionAction",
         QT_TRANSLATE_NOOP("SectionCommand", "Duplicate section %1"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)},
        {SectionCommand::MoveUp, "MoveSectionUpAction",
         QT_TRANSLATE_NOOP("SectionCommand", "Move section %1 up"),
         QKeySequence(Qt::ALT | Qt::Key_Up)},
        {SectionCommand::MoveDown, "MoveSectionDownAction",
         QT_TRANSLATE_NOOP("SectionCommand", "Move section %1 down"),
         QKeySequence(Qt::ALT | Qt::Key_Down)},
        {SectionCommand::Delete, "DeleteSectionAction",
         QT_TRANSLATE_NOOP("SectionCommand", "Delete section %1"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)},
    }};
    return commands;
}

// The keys that open the drawing dialog for the current section.
inline QKeySequence DrawKeys() {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G);
}

// "Move section 3 up", in the current language.
inline QString SectionCommandCaption(const SectionCommandEntry& entry, int index) {
    return QCoreApplication::translate("SectionCommand", entry.caption).arg(index + 1);
}

}  // namespace lumera::app
