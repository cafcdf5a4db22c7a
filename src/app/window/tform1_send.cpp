// Send: the download image of the table, dumped for inspection and carried to the display.
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/link/display_views.h"
#include "app/link/link_panel.h"
#include "app/window/tform1.h"
#include "app/window/window_header.h"
#include "download/image_capacity.h"
#include "download/send_download.h"
#include "editing/program_directory.h"

namespace lumera::app {
namespace {

template <typename Item>
void SwitchOff(Item* item, std::vector<QPointer<Item>>& off) {
    item->setEnabled(false);
    off.emplace_back(item);
}

template <typename Item>
void SwitchOffAll(const QObject* root, std::vector<QPointer<Item>>& off) {
    for (Item* item : root->findChildren<Item*>()) {
        if (item->isEnabled()) {
            SwitchOff(item, off);
        }
    }
}

template <typename Item>
void SwitchOn(std::vector<QPointer<Item>>& off) {
    for (const QPointer<Item>& item : off) {
        if (item) {
            item->setEnabled(true);
        }
    }
    off.clear();
}

// The window while a Send holds its thread. Every control is greyed, shortcuts too, but for
// the parts that stay lit (the progress) and the parts that hold them; the cursor shows the
// window busy; Timer1 waits, since its presence poll would open the display between two
// commands of the transfer; a close waits for the end of the Send, and a dropped file is
// refused. End gives everything back as it was.
class SendWatch : public QObject {
public:
    SendWatch(QWidget* window, QTimer* timer, std::vector<QWidget*> lit)
        : window_(window),
          timer_(timer),
          timerWasActive_(timer->isActive()),
          lit_(std::move(lit)),
          focus_(window->focusWidget()) {
        timer_->stop();
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ShutAround(window_);
        SwitchOffAll(window_, actions_);
        SwitchOffAll(window_, shortcuts_);
        window_->installEventFilter(this);
    }
    ~SendWatch() override { End(); }
    SendWatch(const SendWatch&) = delete;
    SendWatch& operator=(const SendWatch&) = delete;

    void End() {
        if (ended_) {
            return;
        }
        ended_ = true;
        // Clicks and keys held back while the transfer ran land on greyed controls, not on
        // whatever they would meet once the window is back.
        QCoreApplication::processEvents();
        window_->removeEventFilter(this);
        SwitchOn(widgets_);
        SwitchOn(actions_);
        SwitchOn(shortcuts_);
        if (focus_ && focus_->isEnabled()) {
            focus_->setFocus();
        }
        QGuiApplication::restoreOverrideCursor();
        if (timerWasActive_) {
            timer_->start();
        }
    }

    bool CloseAsked() const { return closeAsked_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Close:
                closeAsked_ = true;
                event->ignore();
                return true;
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
                event->ignore();
                return true;
            default:
                return QObject::eventFilter(watched, event);
        }
    }

private:
    bool HoldsLit(const QWidget* widget) const {
        return std::ranges::any_of(lit_, [widget](const QWidget* lit) {
            return widget == lit || widget->isAncestorOf(lit);
        });
    }

    // Greys every child of `parent` but the lit ones, going into those that hold one. A
    // child greyed already stays out of it, so that End leaves it grey.
    void ShutAround(QWidget* parent) {
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() || std::ranges::find(lit_, child) != lit_.end()) {
                continue;
            }
            if (HoldsLit(child)) {
                ShutAround(child);
            } else if (child->isEnabledTo(parent)) {
                SwitchOff(child, widgets_);
            }
        }
    }

    QWidget* window_;
    QTimer* timer_;
    bool timerWasActive_;
    std::vector<QWidget*> lit_;
    QPointer<QWidget> focus_;
    std::vector<QPointer<QWidget>> widgets_;
    std::vector<QPointer<QAction>> actions_;
    std::vector<QPointer<QShortcut>> shortcuts_;
    bool closeAsked_ = false;
    bool ended_ = false;
};

// What the operator can do about a Send that did not arrive, after the messages that said
// why; empty when it did.
QString SendAdvice(download::SendOutcome outcome, std::size_t imageSize) {
    using download::SendOutcome;
    switch (outcome) {
        case SendOutcome::Delivered:
            break;
        case SendOutcome::NoData:
            return TForm1::tr("Type a text into a section, then press Send.");
        case SendOutcome::SectionTooWide:
            return TForm1::tr("Shorten the section named above, then press Send again.");
        case SendOutcome::DisplayBusy:
            return TForm1::tr(
                "The display is busy with another Send: press Send again once it has "
                "finished.");
        case SendOutcome::DumpFailed:
            return TForm1::tr(
                "Free some disk space or make the folder named above writable, then press "
                "Send again.");
        case SendOutcome::NotBound:
        case SendOutcome::TransferFailed:
            return TForm1::tr("Check the display's cable and its power, then press Send again.");
        case SendOutcome::TooLarge:
            return TForm1::tr(
                       "The table needs %1 bytes, %2 more than the display holds: shorten it, "
                       "then press Send again.")
                .arg(QString::fromStdString(download::GroupedCount(imageSize)),
                     QString::fromStdString(
                         download::GroupedCount(imageSize - download::kDisplayCapacity)));
    }
    return {};
}

}  // namespace

void TForm1::BtnSendClick() {
    download::SendRequest request;
    request.tableDirectory = files_.dataDirectory;
    request.dumpDirectory = files_.dumpDirectory;
    request.fallbackDumpDirectory = UserDataDirectory();
    request.device = device_.entryPoints();
    request.previewRunning = PreviewRunning();
    request.stopPreview = [this] { BtnStopClick(); };
    request.showProgress = [this](const download::TransferProgress& progress) {
        link_->ShowProgress(progress);
    };
    const auto [label, bar] = link_->progressParts();
    // The header stays lit too: it has no control, and the advice comes there.
    SendWatch watch(this, Timer1, {label, bar, header_});
    link_->StartSend();
    const download::SendOutcome outcome =
        download::SendTable(document_->table(), request, prompter_, SendData);
    link_->EndSend();
    watch.End();
    if (const QString advice = SendAdvice(outcome, SendData.size()); !advice.isEmpty()) {
        header_->ShowStatus(advice);
    }
    displayViews().AfterSend();
    if (watch.CloseAsked()) {
        close();
    }
}

}  // namespace lumera::app
