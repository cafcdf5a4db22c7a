#include "cli/cli_drawing_arguments.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <fstream>
#include <variant>
#include <vector>

#include "editing/drawing_rows.h"

namespace lumera::cli {
namespace {

constexpr std::string_view kPicturePrefix = "picture=";
constexpr std::string_view kFontPrefix = "font=";
constexpr std::string_view kDotsPrefix = "dots=";

// Fonts are found and drawn by QtGui, which needs its application object; a terminal tool
// shows no window, so it draws off screen unless told otherwise. The object lives until the
// process ends: destroyed among the other statics, after Qt's own, it would crash the exit.
void EnsureGuiApplication() {
    static int argc = 1;
    static char name[] = "lumera-cli";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance()) {
        return;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt's notes on the session (no runtime folder, say) are no business of a script's stderr.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false\nqt.*.warning=false"));
    static const QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

std::optional<DrawingArgument> FontArgument(std::string_view request, std::string& error) {
    const std::size_t colon = request.find(':');
    if (colon == std::string_view::npos) {
        error = "expected font=FAMILY[,bold][,italic]:TEXT";
        return std::nullopt;
    }
    DrawingArgument argument;
    argument.form = DrawingArgument::Form::Font;
    argument.text = std::string(request.substr(colon + 1));
    const std::string_view style = request.substr(0, colon);
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = style.find(',', start);
        parts.push_back(style.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    argument.font.family = std::string(parts.front());
    for (std::size_t k = 1; k < parts.size(); ++k) {
        if (parts[k] == "bold") {
            argument.font.bold = true;
        } else if (parts[k] == "italic") {
            argument.font.italic = true;
        } else {
            error = "font style '" + std::string(parts[k]) + "': only bold and italic are known";
            return std::nullopt;
        }
    }
    if (argument.font.family.empty() || argument.text.empty()) {
        error = "font= needs a family and a text: font=FAMILY[,bold][,italic]:TEXT";
        return std::nullopt;
    }
    return argument;
}

drawing::Made DotsFromFile(const std::string& path, int rows) {
    std::ifstream file(path);
    if (!file) {
        return {std::nullopt, path + " cannot be read"};
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    auto parsed = ParseDrawingRows(lines, rows);
    if (auto* reason = std::get_if<std::string>(&parsed)) {
        return {std::nullopt, path + ": " + *reason};
    }
    return {std::get<Drawing>(std::move(parsed)), {}};
}

}  // namespace

std::optional<DrawingArgument> DrawingArgumentOf(std::string_view content, std::string& error) {
    if (content.starts_with(kFontPrefix)) {
        return FontArgument(content.substr(kFontPrefix.size()), error);
    }
    for (const auto& [prefix, form] : {std::pair{kPicturePrefix, DrawingArgument::Form::Picture},
                                       std::pair{kDotsPrefix, DrawingArgument::Form::Dots}}) {
        if (content.starts_with(prefix)) {
            DrawingArgument argument;
            argument.form = form;
            argument.path = std::string(content.substr(prefix.size()));
            if (argument.path.empty()) {
                error = std::string(prefix) + " needs a file";
                return std::nullopt;
            }
            return argument;
        }
    }
    return std::nullopt;
}

drawing::Made MakeDrawing(const DrawingArgument& argument, int rows,
                          const drawing::PictureSettings& settings) {
    switch (argument.form) {
        case DrawingArgument::Form::Picture:
            return drawing::DrawingFromPictureFile(argument.path, rows, settings);
        case DrawingArgument::Form::Font:
            EnsureGuiApplication();
            return drawing::DrawingFromText(argument.text, rows, argument.font);
        case DrawingArgument::Form::Dots:
            return DotsFromFile(argument.path, rows);
    }
    return {};
}

}  // namespace lumera::cli
