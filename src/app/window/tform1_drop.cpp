// Message files dropped on the window.
#include <QFile>

#include "app/sections/section_edit.h"
#include "app/sections/section_table.h"
#include "app/window/led_file_drop.h"
#include "app/window/tform1.h"

namespace lumera::app {

void TForm1::AcceptFileDrops() {
    auto* drop = new LedFileDrop(
        [this](const QString& path) {
            if (MayLeaveTable()) {
                OpenNamedFile(QFile::encodeName(path).toStdString());
            }
        },
        this);
    drop->watch(this);
    for (int index = 0; index < kSectionRows; ++index) {
        drop->watch(sections_->edit(index));
    }
}

}  // namespace lumera::app
