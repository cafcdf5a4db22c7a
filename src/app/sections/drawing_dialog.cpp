#include "app/sections/drawing_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/sections/dot_editor.h"

namespace lumera::app {
namespace {

constexpr char kPictureFilter[] =
    "Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.svg)|*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.svg";
constexpr int kMostPercent = 100;
constexpr int kMostSpacing = 8;
constexpr int kHandTab = 2;
constexpr std::size_t kFirstHandColumns = 16;

}  // namespace

DrawingDialog::DrawingDialog(QWidget* parent, int section, bool englishMode, const Drawing& current,
                             Prompter& prompter)
    : QDialog(parent), rows_(DrawingRows(englishMode)), prompter_(prompter) {
    setObjectName(QStringLiteral("DrawingDialog"));
    setWindowTitle(tr("Drawing for section %1").arg(section + 1));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("DrawingSources"));
    tabs_->addTab(PictureTab(), tr("&Picture"));
    tabs_->addTab(FontTab(), tr("&Text in a font"));
    tabs_->addTab(new QLabel(tr("Click or drag to light dots, right-click to darken them."), this),
                  tr("By &hand"));
    editor_ = new DotEditor(rows_, this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(editor_);
    scroll->setWidgetResizable(false);
    scroll->setMinimumHeight(editor_->sizeHint().height() +
                             scroll->horizontalScrollBar()->sizeHint().height() + 4);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("DrawingStatus"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(editor_, &DotEditor::edited, this, &DrawingDialog::ShowCount);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(scroll);
    layout->addWidget(DotCommands());
    layout->addWidget(status_);
    layout->addWidget(buttons);
    TakeSource(current.source);
    editor_->setColumns(current.columns.empty() ? std::vector<std::uint16_t>(kFirstHandColumns, 0)
                                                : current.columns);
    ShowCount();
}

QWidget* DrawingDialog::PictureTab() {
    auto* tab = new QWidget(this);
    auto* choose = new QPushButton(tr("&Choose a picture..."), tab);
    choose->setObjectName(QStringLiteral("ChoosePicture"));
    pictureFile_ = new QLabel(tab);
    threshold_ = new QSlider(Qt::Horizontal, tab);
    threshold_->setObjectName(QStringLiteral("Threshold"));
    threshold_->setRange(0, kMostPercent);
    threshold_->setAccessibleName(tr("Darkness that lights a dot"));
    invert_ = new QCheckBox(tr("&Invert: light pixels light the dots"), tab);
    crop_ = new QCheckBox(tr("C&rop to 255 columns"), tab);
    auto* form = new QFormLayout(tab);
    form->addRow(choose, pictureFile_);
    form->addRow(tr("Darkness that lights a dot:"), threshold_);
    form->addRow(invert_);
    form->addRow(crop_);
    connect(choose, &QPushButton::clicked, this, [this] {
        if (const auto chosen = prompter_.OpenFileName(kPictureFilter)) {
            UsePicture(*chosen);
        }
    });
    connect(threshold_, &QSlider::valueChanged, this, &DrawingDialog::RedrawPicture);
    connect(invert_, &QCheckBox::toggled, this, &DrawingDialog::RedrawPicture);
    connect(crop_, &QCheckBox::toggled, this, &DrawingDialog::RedrawPicture);
    return tab;
}

QWidget* DrawingDialog::FontTab() {
    auto* tab = new QWidget(this);
    family_ = new QFontComboBox(tab);
    family_->setObjectName(QStringLiteral("FontFamily"));
    bold_ = new QCheckBox(tr("&Bold"), tab);
    italic_ = new QCheckBox(tr("&Italic"), tab);
    spacing_ = new QSpinBox(tab);
    spacing_->setRange(0, kMostSpacing);
    text_ = new QLineEdit(tab);
    text_->setObjectName(QStringLiteral("FontText"));
    auto* style = new QHBoxLayout;
    style->addWidget(bold_);
    style->addWidget(italic_);
    auto* form = new QFormLayout(tab);
    form->addRow(tr("Font:"), family_);
    form->addRow(style);
    form->addRow(tr("Space between letters:"), spacing_);
    form->addRow(tr("Text:"), text_);
    connect(family_, &QFontComboBox::currentFontChanged, this, &DrawingDialog::RedrawText);
    connect(bold_, &QCheckBox::toggled, this, &DrawingDialog::RedrawText);
    connect(italic_, &QCheckBox::toggled, this, &DrawingDialog::RedrawText);
    connect(spacing_, &QSpinBox::valueChanged, this, &DrawingDialog::RedrawText);
    connect(text_, &QLineEdit::textChanged, this, &DrawingDialog::RedrawText);
    return tab;
}

QWidget* DrawingDialog::DotCommands() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<DotCommand, QString> commands[] = {
        {DotCommand::AddColumn, tr("Add column")}, {DotCommand::RemoveColumn, tr("Remove column")},
        {DotCommand::ShiftLeft, tr("Shift left")}, {DotCommand::ShiftRight, tr("Shift right")},
        {DotCommand::Invert, tr("Invert")},        {DotCommand::Mirror, tr("Mirror")},
    };
    for (const auto& [command, caption] : commands) {
        auto* button = new QToolButton(row);
        button->setText(caption);
        button->setObjectName(QStringLiteral("Dots%1").arg(static_cast<int>(command)));
        connect(button, &QToolButton::clicked, this, [this, command] { editor_->Apply(command); });
        layout->addWidget(button);
    }
    layout->addStretch();
    return row;
}

// The controls show the settings the drawing was made with, without redrawing it: touch-ups
// stay until a setting is changed.
void DrawingDialog::TakeSource(const DrawingSource& source) {
    source_ = source;
    const QSignalBlocker blockers[] = {QSignalBlocker(threshold_), QSignalBlocker(invert_),
                                       QSignalBlocker(family_),    QSignalBlocker(bold_),
                                       QSignalBlocker(italic_),    QSignalBlocker(spacing_),
                                       QSignalBlocker(text_)};
    pictureFile_->setText(QString::fromStdString(source.file));
    threshold_->setValue(source.threshold);
    invert_->setChecked(source.invert);
    if (!source.family.empty()) {
        family_->setCurrentFont(QFont(QString::fromStdString(source.family)));
    }
    bold_->setChecked(source.bold);
    italic_->setChecked(source.italic);
    spacing_->setValue(source.spacing);
    text_->setText(QString::fromStdString(source.text));
    switch (source.kind) {
        case DrawingSource::Kind::Picture:
            tabs_->setCurrentIndex(0);
            break;
        case DrawingSource::Kind::Font:
            tabs_->setCurrentIndex(1);
            break;
        case DrawingSource::Kind::Hand:
            tabs_->setCurrentIndex(kHandTab);
            break;
    }
}

void DrawingDialog::UsePicture(const std::string& file) {
    source_.file = file;
    pictureFile_->setText(QString::fromStdString(file));
    RedrawPicture();
}

void DrawingDialog::RedrawPicture() {
    if (source_.file.empty()) {
        return;
    }
    ShowMade(drawing::DrawingFromPictureFile(
        source_.file, rows_, {threshold_->value(), invert_->isChecked(), crop_->isChecked()}));
}

void DrawingDialog::RedrawText() {
    if (text_->text().isEmpty()) {
        return;
    }
    ShowMade(
        drawing::DrawingFromText(text_->text().toStdString(), rows_,
                                 {family_->currentFont().family().toStdString(), bold_->isChecked(),
                                  italic_->isChecked(), spacing_->value()}));
}

void DrawingDialog::ShowMade(drawing::Made made) {
    if (!made.drawing) {
        status_->setText(QString::fromStdString(made.error));
        return;
    }
    source_ = made.drawing->source;
    editor_->setColumns(std::move(made.drawing->columns));
    ShowCount();
}

void DrawingDialog::ShowCount() {
    status_->setText(
        tr("%1 of %2 columns").arg(editor_->columns().size()).arg(kMostSectionColumns));
}

Drawing DrawingDialog::drawing() const {
    return {editor_->columns(), source_};
}

}  // namespace lumera::app
