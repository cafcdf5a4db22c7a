#include "app/window/tform1.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/commands/capacity_gauge.h"
#include "app/commands/key_panels.h"
#include "app/link/display_views.h"
#include "app/link/link_panel.h"
#include "app/link/presence_poll.h"
#include "app/preview/preview_player.h"
#include "app/preview/preview_views.h"
#include "app/qt/window_style.h"
#include "app/sections/section_table.h"
#include "app/window/window_header.h"
#include "render/preview_engine.h"

namespace lumera::app {

namespace {

constexpr int kCycleMeasureDelay = 300;

}  // namespace

TForm1::TForm1(WindowSetup setup, QWidget* parent)
    : QWidget(parent),
      ownPrompter_(setup.prompter ? nullptr : std::make_unique<QtPrompter>()),
      prompter_(setup.prompter ? *setup.prompter : *ownPrompter_),
      files_(setup.programDirectory.empty()
                 ? LocateProgramFiles()
                 : ProgramFiles{setup.programDirectory, {}, setup.programDirectory}),
      translators_(files_.dataDirectory / kTranslationFolder) {
    if (ownPrompter_) {
        ownPrompter_->setOwner(this);
    }
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("[*]"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QFont windowFont = font();
    windowFont.setFamilies(WindowFontFamilies());
    windowFont.setPixelSize(kWindowFontPixelSize);
    setFont(windowFont);
    document_ = new Document(this);
    BuildParts();
    preview_ = std::make_unique<LedPreview>(document_->table(),
                                            GlyphTableFiles{files_.dataDirectory, prompter_});
    previewViews_ = new PreviewViews(ImageLed, *preview_, document_->table(), prompter_,
                                     files_.dataDirectory, this);
    connect(previewViews_, &PreviewViews::exported, this, [this](const QString& path) {
        header_->ShowStatus(tr("Animation exported to %1").arg(path));
    });
    player_ = new PreviewPlayer(
        [this] {
            ShowLedImage();
            ShowPlayingSection();
        },
        this);
    player_->setPreview(preview_.get());
    ConnectParts();
    BuildHistoryActions();
    BuildQuickSave();
    OfferRecentFiles();
    ChainTabOrder();
    Retranslate();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kPreviewTickMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    cycleTimer_ = new QTimer(this);
    cycleTimer_->setSingleShot(true);
    cycleTimer_->setInterval(kCycleMeasureDelay);
    connect(cycleTimer_, &QTimer::timeout, this, &TForm1::MeasureCycle);

    // Placed before the binding reports, so their boxes stand where the window will open.
    CentreOnScreen();
    device_ = setup.deviceLibrary ? DeviceBinding::Bind(prompter_, *setup.deviceLibrary)
                                  : DeviceBinding::Bind(prompter_);
    link_->Refresh(device_);
    presence_ = new PresencePoll(device_, this);
    link_->Follow(*presence_);
    ApplyLanguage(Language::English, document_->State());
    FollowLanguage();
    document_->SetCurrentSection(0);
    AcceptFileDrops();
    ShowFileName();
    ShowLedImage();
    Timer1->start();
}

// FormDestroy: the device library goes with the window.
TForm1::~TForm1() {
    // The history empties itself as it goes, after this window has gone: nothing to follow.
    disconnect(&document_->stack(), nullptr, this, nullptr);
    disconnect(document_, nullptr, this, nullptr);
    Timer1->stop();
    player_->setPreview(nullptr);
    preview_->Stop();
    device_.Release();
}

void TForm1::BuildParts() {
    // The face goes into its frame before anything stands on it: moved there afterwards, it
    // would hand the frame's font and palette down to every one of its 400 controls again.
    content_ = new QWidget;
    BuildFrame();
    header_ = new WindowHeader(content_);
    header_->setGeometry(0, 0, 745, 57);
    sections_ = new SectionTable(content_);
    sections_->setGeometry(0, 56, 745, 257);
    link_ = new LinkPanel(sections_, this);
    link_->setGeometry(584, 0, 161, 249);

    auto* commandsArea = new QGroupBox(content_);
    commandsArea->setObjectName(QStringLiteral("GroupBox2"));
    commandsArea->setGeometry(168, 312, 577, 201);
    capacityGauge_ = new CapacityGauge(this);
    commands_ = new CommandPanel(capacityGauge_, commandsArea);
    commands_->setGeometry(8, 0, 217, 201);
    keys_ = new KeyPanels(commandsArea);

    auto* ledPanel = new QFrame(content_);
    ledPanel->setObjectName(QStringLiteral("Panel1"));
    ledPanel->setGeometry(0, 316, 170, 197);
    ledPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ledPanel->setLineWidth(2);
    ImageLed = new QLabel(ledPanel);
    ImageLed->setObjectName(QStringLiteral("ImageLed"));
    ImageLed->setGeometry(4, 6, 160, 187);
}

void TForm1::ConnectParts() {
    connect(commands_, &CommandPanel::triggered, this, &TForm1::RunCommand);
    commands_->InstallShortcuts(this);
    connect(sections_, &SectionTable::sectionClicked, this, &TForm1::maskeditOnClick);
    connect(sections_, &SectionTable::textEdited, this, &TForm1::maskeditOnChange);
    connect(sections_, &SectionTable::openChosen, this, &TForm1::CBAChange);
    connect(sections_, &SectionTable::closeChosen, this, &TForm1::CBBChange);
    connect(sections_, &SectionTable::sectionCommand, this, &TForm1::RunSectionCommand);
    connect(sections_, &SectionTable::drawRequested, this, &TForm1::DrawSection);
    connect(sections_, &SectionTable::sectionFull, this, &TForm1::TellSectionFull);
    connect(sections_, &SectionTable::unstorableInput, this, [this](int, const QString& refused) {
        prompter_.Message(std::string(kBadCharacterMessage) + ' ' + refused.toStdString());
    });
    connect(keys_, &KeyPanels::glyphKeyPressed, this, &TForm1::CNBtnClick);
    connect(keys_, &KeyPanels::englishKeyPressed, this, &TForm1::EngBtnClick);
    FollowDocument();
}

void TForm1::RunCommand(Command command) {
    switch (command) {
        case Command::English:
            return BtnEngClick();
        case Command::Japanese:
            return BtnJapanClickClick();
        case Command::Chinese:
            return BtnCnClick();
        case Command::Start:
            return BtnStartClick();
        case Command::Stop:
            return BtnStopClick();
        case Command::Color:
            return BtnColorClick();
        case Command::Open:
            return BtnOpenClick();
        case Command::Send:
            return BtnSendClick();
        case Command::Save:
            BtnSaveClick();
            return;
        case Command::Clear:
            return BtnClearClick();
        case Command::Exit:
            return BtnExitClick();
    }
}

// Tab order: along each row of the table and on to the next, then the LED picture, the
// commands, the keyboard shown (one stop) and the emulated display's button.
void TForm1::ChainTabOrder() {
    QWidget::setTabOrder(sections_->lastTabStop(), ImageLed);
    QWidget* lastCommand = commands_->ChainTabOrder(ImageLed);
    if (QPushButton* display = link_->displayViews().button()) {
        QWidget::setTabOrder(lastCommand, display);
    }
    // The keys go in between, those made later too.
    keys_->PlaceInTabOrder(lastCommand);
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

DisplayViews& TForm1::displayViews() const {
    return link_->displayViews();
}

QString TForm1::status() const {
    return header_->status();
}

void TForm1::BtnExitClick() {
    close();
}

// FormClose: the save offer; the window stays when the operator wants the table kept.
void TForm1::closeEvent(QCloseEvent* event) {
    if (MayLeaveTable()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TForm1::Timer1Timer() {
    if (!player_->Tick()) {
        return;
    }
    presence_->Tick();
}

void TForm1::ShowMessages(const Messages& messages) {
    for (const std::string& message : messages) {
        prompter_.Message(message);
    }
}

}  // namespace lumera::app
