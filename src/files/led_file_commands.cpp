#include "files/led_file_commands.h"

#include <system_error>

#include "files/led_loader.h"
#include "files/led_saver.h"
#include "files/led_table.h"
#include "files/led_writer.h"
#include "files/table_file.h"

namespace lumera {

namespace {

constexpr char kLedExtension[] = ".led";
constexpr char kReplaceQuestion[] = " Has existed!You want replace it?";

bool FileExists(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

// Writes the kind of file the name asks for; a failure is told in one message.
SaveOutcome WriteTo(const std::filesystem::path& target, const LedFileContent& content,
                    Prompter& prompter) {
    const auto reason =
        IsTableFileName(target) ? WriteTableFile(target, content) : WriteLedFile(target, content);
    if (reason) {
        prompter.Message(target.string() + " could not be saved:\n" + *reason);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

}  // namespace

std::filesystem::path LedFileName(const std::string& chosenName) {
    std::filesystem::path name(chosenName);
    name.replace_extension(kLedExtension);
    return name;
}

bool IsTableFileName(const std::filesystem::path& name) {
    return name.extension() == kTableFileExtension;
}

std::filesystem::path SavedFileName(const std::string& chosenName) {
    return IsTableFileName(chosenName) ? std::filesystem::path(chosenName)
                                       : LedFileName(chosenName);
}

SaveOutcome SaveTableAs(const MessageTable& table, Prompter& prompter,
                        const std::filesystem::path& suggested, std::filesystem::path* savedAs) {
    const LedFileContent content = ContentOfTable(table);
    // Checked before the dialog so the operator is not asked for a name in vain.
    if (auto reason = UnstorableReason(content)) {
        prompter.Message("The table cannot be saved:\n" + *reason);
        return SaveOutcome::Failed;
    }
    const std::optional<std::string> chosen =
        prompter.SaveFileName(kTableFileFilter, suggested.string());
    if (!chosen || chosen->empty()) {
        return SaveOutcome::Cancelled;
    }
    // Asked about the file that will be written, whatever extension was typed.
    const std::filesystem::path target = SavedFileName(*chosen);
    if (FileExists(target) && !prompter.Ask(target.string() + kReplaceQuestion)) {
        return SaveOutcome::Cancelled;
    }
    const SaveOutcome outcome = WriteTo(target, content, prompter);
    if (outcome == SaveOutcome::Saved && savedAs) {
        *savedAs = target;
    }
    return outcome;
}

SaveOutcome SaveTableTo(const MessageTable& table, Prompter& prompter,
                        const std::filesystem::path& file) {
    return WriteTo(file, ContentOfTable(table), prompter);
}

OpenOutcome OpenLedFile(const std::filesystem::path& path, MessageTable& table, Prompter& prompter,
                        const std::function<void()>& stopPreview) {
    if (path.empty() || !FileExists(path)) {
        return {};
    }
    if (stopPreview) {
        stopPreview();
    }
    OpenOutcome outcome;
    outcome.openFileName = path;
    const LoadResult load = LoadLedFile(*outcome.openFileName, table);
    for (const std::string& message : load.messages) {
        prompter.Message(message);
    }
    outcome.tableReplaced = load.loaded;
    return outcome;
}

}  // namespace lumera
