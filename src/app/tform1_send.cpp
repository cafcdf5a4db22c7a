// Send: the download image of the table, dumped for inspection and carried to the display.

#include "app/display_views.h"
#include "app/tform1.h"
#include "app/throttled_label.h"
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
    // The transfer runs on this thread as one piece; the label is repainted now and then so
    // the operator sees it move: a repaint per percent would cost more than the exchanges.
    ThrottledLabel progress(USBLabel);
    request.showProgress = [&progress](const std::string& text) {
        progress.Show(QString::fromStdString(text));
    };
    download::BtnSendClick(table_, request, prompter_, SendData);
    displayViews_->AfterSend();
}

}  // namespace lumera::app
