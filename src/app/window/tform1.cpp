#include "app/window/tform1.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/commands/capacity_gauge.h"
#include "app/commands/key_panels.h"
#include "app/link/display_views.h"
#include "app/link/link_panel.h"
#include "app/link/presence_poll.h"
#include "app/preview/preview_player.h"
#include "app/preview/preview_views.h"
#include "app/qt/window_memory.h"
#include "app/qt/window_style.h"
#include "app/sections/section_table.h"
#include "app/window/window_fit.h"
#include "app/window/window_header.h"
#include "app/window/window_split.h"
#include "render/preview_engine.h"

namespace lumera::app {

namespace {

constexpr int kCycleMeasureDelay = 300;

// The parts' places at the window's smallest size, as designed. Larger, the header and the
// table widen with the window, the link area and the commands keep to its right edge, the
// split's share of the height goes to the table and the lower part, and the LED preview takes
// the room left of the commands.
constexpr QRect kHeaderPlace(0, 0, 745, 57);
constexpr int kTableTop = 56;
constexpr QRect kLinkPlace(584, 0, 161, 249);  // within the table
constexpr QRect kCommandsPlace(168, 312, 577, 201);
constexpr QRect kCommandButtonsPlace(8, 0, 217, 201);  // within GroupBox2
constexpr QRect kLedPanelPlace(0, 316, 170, 197);
constexpr QRect kImageLedPlace(4, 6, 160, 187);  // within Panel1
constexpr int kRightMargin = kWindowWidth - kHeaderPlace.width();
// The split's lower side begins where the commands do; the table ends at the bar above it.
constexpr QSize kLowerSmallest(kWindowWidth, kWindowHeight - kCommandsPlace.top());
static_assert(kTableTop + SectionTable::kSmallestSize.height() + kSplitBarHeight ==
              kCommandsPlace.top());

// The LED picture in its panel: as large as the panel's inner room allows, in the designed
// proportions, centred.
QRect LedPlace(QSize panel) {
    const QRect room = QRect(QPoint(0, 0), panel)
                           .adjusted(kImageLedPlace.left(), kImageLedPlace.top(),
                                     kImageLedPlace.right() + 1 - kLedPanelPlace.width(),
                                     kImageLedPlace.bottom() + 1 - kLedPanelPlace.height());
    const QSize size = kImageLedPlace.size().scaled(room.size(), Qt::KeepAspectRatio);
    return {CentredIn(room, size), size};
}

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
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
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
    const WindowMemory memory = RecallWindow();
    PlaceOnScreen(memory);
    split_->setLowerShare(memory.lowerShare.value_or(WindowSplit::kDefaultLowerShare));
    device_ = setup.deviceLibrary ? DeviceBinding::Bind(prompter_, *setup.deviceLibrary)
                                  : DeviceBinding::Bind(prompter_);
    link_->Refresh(device_);
    presence_ = new PresencePoll(device_, this);
    link_->Follow(*presence_);
    ApplyLanguage(memory.language.value_or(LanguageOfLocale(QLocale())), document_->State());
    // The language the window starts in is no step to undo.
    document_->stack().clear();
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
    content_ = new PlacingWidget([this](QSize face) { PlaceFace(face); });
    BuildFrame();
    header_ = new WindowHeader(content_);
    header_->setGeometry(kHeaderPlace);
    split_ = new WindowSplit(content_);

    auto* upper = new PlacingWidget([this](QSize side) { PlaceUpper(side); }, split_);
    upper->setMinimumHeight(SectionTable::kSmallestSize.height());
    sections_ = new SectionTable(upper);
    link_ = new LinkPanel(sections_, this);
    link_->resize(kLinkPlace.size());

    auto* lower = new PlacingWidget([this](QSize side) { PlaceLower(side); }, split_);
    lower->setMinimumHeight(kLowerSmallest.height());
    commandsArea_ = new QGroupBox(lower);
    commandsArea_->setObjectName(QStringLiteral("GroupBox2"));
    commandsArea_->resize(kCommandsPlace.size());
    capacityGauge_ = new CapacityGauge(this);
    commands_ = new CommandPanel(capacityGauge_, commandsArea_);
    commands_->setGeometry(kCommandButtonsPlace);
    keys_ = new KeyPanels(commandsArea_);

    ledPanel_ = new QFrame(lower);
    ledPanel_->setObjectName(QStringLiteral("Panel1"));
    ledPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ledPanel_->setLineWidth(2);
    ImageLed = new QLabel(ledPanel_);
    ImageLed->setObjectName(QStringLiteral("ImageLed"));

    PlaceFace(QSize(kWindowWidth, kWindowHeight));
    PlaceUpper(QSize(kWindowWidth, SectionTable::kSmallestSize.height()));
    PlaceLower(kLowerSmallest);
}

void TForm1::PlaceFace(QSize face) {
    header_->resize(face.width() - kRightMargin, kHeaderPlace.height());
    split_->setGeometry(0, kTableTop, face.width(), face.height() - kTableTop);
}

void TForm1::PlaceUpper(QSize side) {
    sections_->setGeometry(0, 0, side.width() - kRightMargin, side.height());
    link_->move(sections_->width() - kLinkPlace.width(), kLinkPlace.top());
}

void TForm1::PlaceLower(QSize side) {
    const QSize gained = (side - kLowerSmallest).expandedTo(QSize(0, 0));
    // The commands keep their size; the keyboards beside them show more rows of keys.
    commandsArea_->setGeometry(kCommandsPlace.left() + gained.width(), 0, kCommandsPlace.width(),
                               kCommandsPlace.height() + gained.height());
    keys_->Lengthen(gained.height());
    ledPanel_->setGeometry(0, kLedPanelPlace.top() - kCommandsPlace.top(),
                           kLedPanelPlace.width() + gained.width(),
                           kLedPanelPlace.height() + gained.height());
    ImageLed->setGeometry(LedPlace(ledPanel_->size()));
    // Drawn afresh at its new size, not scaled.
    if (previewViews_) {
        previewViews_->Show();
    }
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
        RememberWindowState();
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
