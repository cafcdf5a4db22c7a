// Send: the download image of the table, dumped for inspection and carried to the display.
#include "app/link/display_views.h"
#include "app/link/link_panel.h"
#include "app/window/tform1.h"
#include "download/send_download.h"
#include "editing/program_directory.h"

namespace lumera::app {

void TForm1::BtnSendClick() {
    download::SendRequest request;
    request.tableDirectory = files_.dataDirectory;
    request.dumpDirectory = files_.dumpDirectory;
    request.fallbackDumpDirectory = UserDataDirectory();
    request.device = device_.entryPoints();
    request.previewRunning = PreviewRunning();
    request.stopPreview = [this] { BtnStopClick(); };
    // The transfer runs on this thread as one piece; the progress is repainted as it moves.
    request.showProgress = [this](const std::string& progress) { link_->ShowProgress(progress); };
    download::SendTable(document_->table(), request, prompter_, SendData);
    displayViews().AfterSend();
}

}  // namespace lumera::app
