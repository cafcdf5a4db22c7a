// Send: the download image of the table, dumped for inspection and carried to the display.
#include <QLabel>

#include "app/display_views.h"
#include "app/tform1.h"
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
    // The transfer runs on this thread as one piece; the label is repainted when its text
    // changes so the operator sees it move, and only then: a repaint per block would cost
    // more than the block's exchange.
    request.showProgress = [this](const std::string& progress) {
        const QString text = QString::fromStdString(progress);
        if (text == USBLabel->text()) {
            return;
        }
        USBLabel->setText(text);
        USBLabel->adjustSize();
        USBLabel->repaint();
    };
    download::BtnSendClick(table_, request, prompter_, SendData);
    displayViews_->AfterSend();
}

}  // namespace lumera::app
