#include <QCoreApplication>
#include <QFontDatabase>
#include <QString>

#include "outside/glyph_support.h"

namespace lumera {
namespace {

constexpr char kGlyphFontFile[] = "/qfn.ttf";
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
    // The executable's folder, as ProgramDirectory() gives it.
    id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() +
                                           QString::fromLatin1(kGlyphFontFile));
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
