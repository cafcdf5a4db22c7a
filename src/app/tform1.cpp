#include "app/tform1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/display_views.h"
#include "app/link_status_mark.h"
#include "app/preview_views.h"
#include "app/section_edit.h"
#include "app/window_style.h"

namespace lumera::app {

bool JapaneseMode = false;

namespace {

constexpr int kTimerInterval = 50;  // milliseconds
// The presence poll runs on the tick after this many ticks, every 41 ticks (about 2 s).
constexpr std::uint8_t kTicksBetweenPolls = 40;
constexpr char kSaveOfferText[] = "You want to save the data?";

}  // namespace

TForm1::TForm1(WindowSetup setup, QWidget* parent)
    : QWidget(parent),
      ownPrompter_(setup.prompter ? nullptr : std::make_unique<QtPrompter>()),
      prompter_(setup.prompter ? *setup.prompter : *ownPrompter_),
      files_(setup.programDirectory.empty()
                 ? LocateProgramFiles()
                 : ProgramFiles{setup.programDirectory, {}, setup.programDirectory}) {
    if (ownPrompter_) {
        ownPrompter_->setOwner(this);
    }
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption.data(), kWindowCaption.size()));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BuildFrame();
    QFont windowFont = font();
    windowFont.setFamilies(WindowFontFamilies());
    windowFont.setPixelSize(kWindowFontPixelSize);
    setFont(windowFont);

    BuildHeader();
    BuildTableArea();
    BuildCommands();
    BuildLedPanel();
    ConnectHandlers();
    BuildDesktopAccess();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    holdTimer_ = new QTimer(this);
    holdTimer_->setSingleShot(true);
    connect(holdTimer_, &QTimer::timeout, this,
            [this] { ShowPreviewStep(preview_->ResumeAfterHold()); });

    PollTicks = 0;
    // Placed before the binding reports, so their boxes stand where the window will open.
    CentreOnScreen();
    device_ = setup.deviceLibrary ? DeviceBinding::Bind(prompter_, *setup.deviceLibrary)
                                  : DeviceBinding::Bind(prompter_);
    linkStatus_ = new LinkStatusMark(GroupBox5, Image3);
    linkStatus_->Refresh(device_);
    ApplyEnglishTexts();
    table_.SetCurrentSection(0);
    table_.SetModified(false);
    preview_ =
        std::make_unique<LedPreview>(table_, GlyphTableFiles{files_.dataDirectory, prompter_});
    AcceptFileDrops();
    previewViews_ =
        new PreviewViews(ImageLed, *preview_, table_, prompter_, files_.dataDirectory, this);
    displayViews_ = new DisplayViews(GroupBox5, this);
    ShowLedImage();
    Timer1->start();
}

// FormDestroy: the device library goes with the window.
TForm1::~TForm1() {
    Timer1->stop();
    holdTimer_->stop();
    preview_->Stop();
    device_.Release();
}

Language TForm1::language() const {
    return LanguageOf(table_.EnglishMode(), JapaneseMode);
}

void TForm1::ConnectHandlers() {
    connect(BtnEng, &QPushButton::clicked, this, &TForm1::BtnEngClick);
    connect(BtnCn, &QPushButton::clicked, this, &TForm1::BtnCnClick);
    connect(BtnJapanClick, &QPushButton::clicked, this, &TForm1::BtnJapanClickClick);
    connect(BtnStart, &QPushButton::clicked, this, &TForm1::BtnStartClick);
    connect(BtnStop, &QPushButton::clicked, this, &TForm1::BtnStopClick);
    connect(BtnColor, &QPushButton::clicked, this, &TForm1::BtnColorClick);
    connect(BtnOpen, &QPushButton::clicked, this, &TForm1::BtnOpenClick);
    connect(BtnSend, &QPushButton::clicked, this, &TForm1::BtnSendClick);
    connect(BtnSave, &QPushButton::clicked, this, &TForm1::BtnSaveClick);
    connect(BtnClear, &QPushButton::clicked, this, &TForm1::BtnClearClick);
    connect(BtnExit, &QPushButton::clicked, this, &TForm1::BtnExitClick);
    for (int index = 0; index < kSectionRows; ++index) {
        connect(ME[index], &SectionEdit::clicked, this, &TForm1::maskeditOnClick);
        connect(ME[index], &SectionEdit::bytesEdited, this, &TForm1::maskeditOnChange);
        connect(ME[index], &SectionEdit::unstorableInput, this,
                [this] { prompter_.Message(std::string(kBadCharacterMessage)); });
        if (index == 0) {
            connect(CBA[index], &QComboBox::currentIndexChanged, this, &TForm1::CBA1Change);
            connect(CBB[index], &QComboBox::currentIndexChanged, this, &TForm1::CBB1Change);
            continue;
        }
        // Rows 2..32 mark the table changed too, so their choices are offered for saving.
        connect(CBA[index], &QComboBox::currentIndexChanged, this, [this, index](int option) {
            if (option >= 0) {
                table_.SelectOpenOption(index, static_cast<OpenEffect>(option));
            }
        });
        connect(CBB[index], &QComboBox::currentIndexChanged, this, [this, index](int option) {
            if (option >= 0) {
                table_.SelectCloseOption(index, static_cast<CloseEffect>(option));
            }
        });
    }
    for (std::size_t k = 0; k < CNBtn.size(); ++k) {
        connect(CNBtn[k], &QPushButton::clicked, this,
                [this, k] { CNBtnClick(static_cast<int>(k) + 1); });
    }
    for (std::size_t k = 0; k < EngBtn.size(); ++k) {
        connect(EngBtn[k], &QPushButton::clicked, this,
                [this, k] { EngBtnClick(static_cast<int>(k) + 1); });
    }
}

void TForm1::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    FitInto(screen->availableGeometry());
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TForm1::BtnExitClick() {
    close();
}

// FormClose: the save offer, then the window closes whatever the answer.
void TForm1::closeEvent(QCloseEvent* event) {
    if (SaveOnLeave()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TForm1::SaveOnLeave() {
    return OfferToSave() != SaveOutcome::Failed;
}

std::optional<SaveOutcome> TForm1::OfferToSave() {
    if (!table_.Modified()) {
        return std::nullopt;
    }
    bool holdsText = false;
    for (int index = 0; index < kSectionRows; ++index) {
        holdsText = holdsText || !table_.section(index).text.empty();
    }
    if (holdsText && prompter_.Ask(kSaveOfferText)) {
        return BtnSaveClick();
    }
    return std::nullopt;
}

void TForm1::Timer1Timer() {
    // A hold pauses the whole tick, as if the window were busy for its length.
    if (holdTimer_->isActive()) {
        return;
    }
    ShowPreviewStep(preview_->Tick());
    PollDevicePresence();
}

void TForm1::PollDevicePresence() {
    const DeviceEntryPoints& device = device_.entryPoints();
    if (!device.OpenUSBDevice) {
        return;
    }
    if (++PollTicks <= kTicksBetweenPolls) {
        return;
    }
    PollTicks = 0;
    const int handle = device.OpenUSBDevice(kDisplayVendorId, kDisplayProductId);
    Image3->setVisible(handle == -1);
    linkStatus_->Refresh(device_);
    // Each poll gives back what it opened, so polling never piles up open handles.
    if (handle != -1) {
        device.CloseUSBDevice(handle);
    }
}

void TForm1::ShowMessages(const Messages& messages) {
    for (const std::string& message : messages) {
        prompter_.Message(message);
    }
}

}  // namespace lumera::app
