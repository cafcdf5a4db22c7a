#pragma once

#include <QKeySequence>
#include <QString>
#include <array>

#include "editing/message_table.h"

namespace lumera::app {

// A section command as the window offers it: in a row's context menu and, for the current
// section, by its keys.
struct SectionCommandEntry {
    SectionCommand command;
    const char* name;  // the action's objectName
    QString caption;   // %1: the section's number
    QKeySequence keys;
};

inline const std::array<SectionCommandEntry, 5>& SectionCommands() {
    static const std::array<SectionCommandEntry, 5> commands{{
        {SectionCommand::InsertAbove, "InsertSectionAction",
         QStringLiteral("Insert a section above %1"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert)},
        {SectionCommand::Duplicate, "DuplicateSectionAction",
         QStringLiteral("Duplicate section %1"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)},
        {SectionCommand::MoveUp, "MoveSectionUpAction", QStringLiteral("Move section %1 up"),
         QKeySequence(Qt::ALT | Qt::Key_Up)},
        {SectionCommand::MoveDown, "MoveSectionDownAction", QStringLiteral("Move section %1 down"),
         QKeySequence(Qt::ALT | Qt::Key_Down)},
        {SectionCommand::Delete, "DeleteSectionAction", QStringLiteral("Delete section %1"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)},
    }};
    return commands;
}

}  // namespace lumera::app
