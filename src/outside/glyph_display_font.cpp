#include <QFontDatabase>
#include <QString>

#include "editing/program_directory.h"
#include "outside/glyph_support.h"

namespace lumera {
namespace {

constexpr int kNoFont = -1;

int& InstalledFontId() {
    static int id = kNoFont;
    return id;
}

}  // namespace

bool _FontFILEApp() {
    int& id = InstalledFontId();
    if (id != kNoFont) {
        return true;
    }
    const auto font = LocateProgramFiles().dataDirectory / kGlyphFontFileName;
    id = QFontDatabase::addApplicationFont(QString::fromStdString(font.string()));
    return id != kNoFont;
}

bool _FontFILEDel() {
    int& id = InstalledFontId();
    if (id == kNoFont) {
        return false;
    }
    const bool removed = QFontDatabase::removeApplicationFont(id);
    id = kNoFont;
    return removed;
}

}  // namespace lumera
