// Building the window's controls at their places.
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "app/capacity_gauge.h"
#include "app/picture_label.h"
#include "app/section_edit.h"
#include "app/tform1.h"
#include "app/window_icons.h"
#include "app/window_style.h"
#include "app/window_theme.h"
#include "editing/keyboards.h"

namespace lumera::app {
namespace {

// The wheel scrolls the table; it changes an option list only once that list has the focus,
// so scrolling past the rows cannot change their options unnoticed.
class TableWheel : public QObject {
public:
    TableWheel(QScrollArea* table) : QObject(table), table_(table) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* list = qobject_cast<QComboBox*>(watched);
        if (event->type() != QEvent::Wheel || !list || list->hasFocus()) {
            return false;
        }
        QCoreApplication::sendEvent(table_->verticalScrollBar(), event);
        return true;
    }

private:
    QScrollArea* table_;
};

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel* PlaceLabel(QWidget* parent, const QString& name, int left, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->move(left, top);
    return label;
}

QScrollArea* ScrollBox(QWidget* parent, const char* name, QRect geometry, QSize content) {
    auto* box = Place(new QScrollArea(parent), name, geometry.x(), geometry.y(), geometry.width(),
                      geometry.height());
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* inside = new QWidget;
    inside->setFixedSize(content);
    box->setWidget(inside);
    return box;
}

QPushButton* CommandButton(QWidget* parent, const char* name, QRect geometry,
                           std::optional<CommandPicture> picture) {
    auto* button = Place(new QPushButton(parent), name, geometry.x(), geometry.y(),
                         geometry.width(), geometry.height());
    if (picture) {
        button->setIcon(CommandButtonIcon(*picture));
        button->setIconSize(QSize(kCommandPictureSize, kCommandPictureSize));
    }
    return button;
}

}  // namespace

void TForm1::BuildHeader() {
    GroupBox1 = Place(new QGroupBox(content_), "GroupBox1", 0, 0, 745, 57);
    Label1 = Place(new QLabel(GroupBox1), "Label1", 144, 16, 528, 37);
    Label1->setText(QString::fromUtf8(kLabel1Caption.data(), kLabel1Caption.size()));
    QFont titleFont = Label1->font();
    titleFont.setPixelSize(kTitlePixelSize);
    Label1->setFont(titleFont);
    KeepReadable(Label1, Qt::blue);
    Image1 = Place(new PictureLabel(WindowPicture::Application, GroupBox1), "Image1", 0, 8, 49, 49);
}

void TForm1::BuildTableArea() {
    GroupBox3 = Place(new QGroupBox(content_), "GroupBox3", 0, 56, 745, 257);
    labels_[2] = PlaceLabel(GroupBox3, QStringLiteral("Label2"), 16, 16);
    labels_[3] = PlaceLabel(GroupBox3, QStringLiteral("Label3"), 296, 16);
    labels_[4] = PlaceLabel(GroupBox3, QStringLiteral("Label4"), 432, 16);

    const int rowsHeight = kRowTop + kRowPitch * (kSectionRows - 1) + kEditHeight + kRowTop;
    DataScrollBox = ScrollBox(GroupBox3, "DataScrollBox", QRect(8, 32, 569, 217),
                              QSize(569 - kScrollBarAllowance, rowsHeight));
    BuildSectionRows(DataScrollBox->widget());

    GroupBox5 = Place(new QGroupBox(GroupBox3), "GroupBox5", 584, 0, 161, 249);
    Image2 = Place(new PictureLabel(WindowPicture::Link, GroupBox5), "Image2", 100, 16, 48, 48);
    labels_[5] = PlaceLabel(GroupBox5, QStringLiteral("Label5"), 8, 40);
    Image3 = Place(new PictureLabel(WindowPicture::NoLink, GroupBox5), "Image3", 104, 32, 17, 17);
    Image3->setToolTip(QStringLiteral("The display cannot be reached"));
    USBLabel = PlaceLabel(GroupBox5, QStringLiteral("USBLabel"), 10, 56);
    KeepReadable(USBLabel, Qt::blue);
    USBLabel->setMinimumWidth(kStatusLabelWidth);

    GroupBox6 = Place(new QGroupBox(GroupBox5), "GroupBox6", 0, 72, 161, 177);
    const std::array<QPoint, 5> notes{{{8, 24}, {24, 56}, {8, 80}, {24, 104}, {8, 128}}};
    for (int k = 0; k < 5; ++k) {
        labels_[6 + k] =
            PlaceLabel(GroupBox6, QStringLiteral("Label%1").arg(6 + k), notes[k].x(), notes[k].y());
    }
}

void TForm1::BuildSectionRows(QWidget* rows) {
    QFont editFont = font();
    editFont.setFamilies(GlyphFontFamilies());
    editFont.setPixelSize(kEditGlyphPixelSize);
    auto* wheel = new TableWheel(DataScrollBox);
    for (int n = 1; n <= kSectionRows; ++n) {
        const int index = n - 1;
        const int top = kRowTop + kRowPitch * index;
        // The number stands in a box beside the edit, which marks the current row.
        L[index] = new QLabel(QString::number(n), rows);
        L[index]->setObjectName(QStringLiteral("L%1").arg(n));
        L[index]->setGeometry(2, top, kRowNumberWidth, kEditHeight);
        L[index]->setAlignment(Qt::AlignCenter);
        ME[index] = new SectionEdit(n, rows);
        ME[index]->setGeometry(24, top, n <= 8 ? 225 : 193, kEditHeight);
        ME[index]->setFont(editFont);
        CBA[index] = new QComboBox(rows);
        CBA[index]->setObjectName(QStringLiteral("CBA%1").arg(n));
        CBA[index]->setGeometry(256, top, 129, 21);
        CBB[index] = new QComboBox(rows);
        CBB[index]->setObjectName(QStringLiteral("CBB%1").arg(n));
        CBB[index]->setGeometry(392, top, n <= 8 ? 153 : 129, 21);
        for (QComboBox* list : {CBA[index], CBB[index]}) {
            list->setFocusPolicy(Qt::StrongFocus);
            list->installEventFilter(wheel);
        }
    }
    QWidget* previous = ME[0];
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int index = 1; index < kSectionRows; ++index) {
        chain(ME[index]);
    }
    for (QComboBox* list : CBB) {
        chain(list);
    }
    for (QComboBox* list : CBA) {
        chain(list);
    }
}

void TForm1::BuildCommands() {
    GroupBox2 = Place(new QGroupBox(content_), "GroupBox2", 168, 312, 577, 201);
    GroupBox4 = Place(new QGroupBox(GroupBox2), "GroupBox4", 8, 0, 217, 201);

    QFont switchFont = font();
    switchFont.setPixelSize(kSwitchPixelSize);
    auto languageSwitch = [&](const char* name, int top, std::string_view caption) {
        auto* button = CommandButton(GroupBox4, name, QRect(8, top, 97, 25), std::nullopt);
        button->setFont(switchFont);
        button->setText(QString::fromUtf8(caption.data(), caption.size()));
        return button;
    };
    BtnEng = languageSwitch("BtnEng", 8, kEnglishSwitchCaption);
    BtnJapanClick = languageSwitch("BtnJapanClick", 40, kJapaneseSwitchCaption);
    BtnCn = languageSwitch("BtnCn", 72, kChineseSwitchCaption);

    BtnStart = CommandButton(GroupBox4, "BtnStart", QRect(8, 104, 97, 25), CommandPicture::Start);
    BtnStop = CommandButton(GroupBox4, "BtnStop", QRect(8, 136, 97, 25), CommandPicture::Stop);
    BtnColor = CommandButton(GroupBox4, "BtnColor", QRect(8, 171, 97, 25), CommandPicture::Color);
    BtnOpen = CommandButton(GroupBox4, "BtnOpen", QRect(112, 8, 99, 25), CommandPicture::Open);
    BtnSend = CommandButton(GroupBox4, "BtnSend", QRect(112, 40, 99, 25), CommandPicture::Send);
    BtnSave = CommandButton(GroupBox4, "BtnSave", QRect(112, 72, 99, 25), CommandPicture::Save);
    BtnClear = CommandButton(GroupBox4, "BtnClear", QRect(112, 104, 99, 25), CommandPicture::Clear);
    BtnExit = CommandButton(GroupBox4, "BtnExit", QRect(112, 136, 99, 25), CommandPicture::Exit);
    capacityGauge_ = Place(new CapacityGauge(GroupBox4), "CapacityGauge", 110, 167, 103, 30);

    BuildKeyboards(GroupBox2);
}

void TForm1::BuildKeyboards(QGroupBox* parent) {
    const int keyRows = (kGlyphKeyCount + kKeyColumns - 1) / kKeyColumns;
    const QSize keysSize(353 - kScrollBarAllowance,
                         kKeyMargin * 2 + kKeyPitch * (keyRows - 1) + kKeySize);
    CNScrollBox = ScrollBox(parent, "CNScrollBox", QRect(224, 6, 353, 195), keysSize);
    EngPanel = Place(new QFrame(parent), "EngPanel", 224, 8, 353, 193);
    EngPanel->setAutoFillBackground(true);
    // The box fills its panel: 16 pixels taller, as first drawn, it put the last row of keys
    // and the lower scroll arrow below the panel's edge, out of reach.
    EngScrollBox = ScrollBox(EngPanel, "EngScrollBox", QRect(0, 0, 353, 193), keysSize);
    EngPanel->hide();

    QFont keyFont = font();
    keyFont.setFamilies(GlyphFontFamilies());
    keyFont.setPixelSize(kKeyGlyphPixelSize);
    auto buildKeys = [&](QWidget* keys, const std::vector<KeyboardKey>& table,
                         std::vector<QPushButton*>& buttons) {
        for (const KeyboardKey& key : table) {
            const int index = static_cast<int>(buttons.size());
            auto* button = new QPushButton(keys);
            button->setObjectName(QString::fromStdString(key.name));
            button->setGeometry(kKeyMargin + kKeyPitch * (index % kKeyColumns),
                                kKeyMargin + kKeyPitch * (index / kKeyColumns), kKeySize, kKeySize);
            button->setFont(keyFont);
            // Tab and the arrow keys reach a key; a mouse click leaves the focus in the
            // section it types into.
            button->setFocusPolicy(Qt::TabFocus);
            button->setProperty("Tag", key.tag);
            buttons.push_back(button);
        }
    };
    buildKeys(CNScrollBox->widget(), GlyphKeys(), CNBtn);
    buildKeys(EngScrollBox->widget(), EnglishKeys(), EngBtn);
}

void TForm1::BuildLedPanel() {
    Panel1 = Place(new QFrame(content_), "Panel1", 0, 316, 170, 197);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    ImageLed = Place(new QLabel(Panel1), "ImageLed", 4, 6, 160, 187);
}

}  // namespace lumera::app
