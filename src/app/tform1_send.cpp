// Send: the download image of the table, dumped beside the program and carried to the display.
#include <QLabel>

#include "app/display_views.h"
#include "app/tform1.h"
#include "download/send_download.h"
#include "editing/program_directory.h"

namespace lumera::app {

void TForm1::BtnSendClick() {
    download::SendRequest request;
    request.programDirectory = programDirectory_;
    request.fallbackDumpDirectory = UserDataDirectory();
    request.device = device_.entryPoints();
    request.previewRunning = PreviewRunning();
    request.stopPreview = [this] { BtnStopClick(); };
    // The transfer runs on this thread as one piece; the label is repainted at each step so
    // the operator sees it move.
    request.showProgress = [this](const std::string& progress) {
        USBLabel->setText(QString::fromStdString(progress));
        USBLabel->adjustSize();
        USBLabel->repaint();
    };
    download::BtnSendClick(table_, request, prompter_, SendData);
    displayViews_->AfterSend();
}

}  // namespace lumera::app
