#include "app/sections/section_table.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

#include "app/qt/window_style.h"
#include "app/sections/named_list_accessible.h"
#include "app/sections/section_edit.h"

namespace lumera::app {
namespace {

constexpr QRect kBoxPlace(8, 32, 569, 217);
constexpr QRect kLimitPlace(180, 14, 70, 16);

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

template <std::size_t N>
QStringList Texts(const std::array<std::string_view, N>& names) {
    QStringList texts;
    for (const std::string_view name : names) {
        texts << Text(name);
    }
    return texts;
}

// Renamed in place, so a list keeps its choice; filled once when empty.
void FillList(QComboBox* list, const QStringList& names) {
    const QSignalBlocker blocker(list);
    if (list->count() != names.size()) {
        list->clear();
        list->addItems(names);
        return;
    }
    for (int item = 0; item < names.size(); ++item) {
        list->setItemText(item, names[item]);
    }
}

// The wheel scrolls the table; it changes an option list only once that list has the focus,
// so scrolling past the rows cannot change their options unnoticed.
class TableWheel : public QObject {
public:
    explicit TableWheel(QScrollArea* table) : QObject(table), table_(table) {}

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

// The edit's own undo and redo, told by their captions in Qt's current translation (named
// here, not spelt out, so that they stay out of the window's own translations).
bool IsEditHistoryAction(const QAction* action) {
    static constexpr char kContext[] = "QLineEdit";
    static constexpr char kUndo[] = "&Undo";
    static constexpr char kRedo[] = "&Redo";
    const QString caption = action->text().section(QLatin1Char('\t'), 0, 0);
    return caption == QCoreApplication::translate(kContext, kUndo) ||
           caption == QCoreApplication::translate(kContext, kRedo);
}

QLabel* Heading(QWidget* parent, int number, int left) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->move(left, 16);
    return label;
}

}  // namespace

SectionTable::SectionTable(QWidget* parent)
    : QGroupBox(parent), box_(new QScrollArea(this)), limit_(new QLabel(this)) {
    setObjectName(QStringLiteral("GroupBox3"));
    headings_ = {Heading(this, 2, 16), Heading(this, 3, 296), Heading(this, 4, 432)};
    limit_->setObjectName(QStringLiteral("LimitCounter"));
    limit_->setGeometry(kLimitPlace);
    limit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box_->setObjectName(QStringLiteral("DataScrollBox"));
    box_->setGeometry(kBoxPlace);
    box_->setFrameShape(QFrame::NoFrame);
    box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The box is no stop of its own: Tab goes to the controls in it.
    box_->setFocusPolicy(Qt::NoFocus);
    auto* rows = new QWidget;
    rows->setFixedSize(kBoxPlace.width() - kScrollBarAllowance,
                       kRowTop + kRowPitch * (kSectionRows - 1) + kEditHeight + kRowTop);
    box_->setWidget(rows);
    BuildRows(rows);
    ChainTabOrder();
    InstallNamedListAccessibility();
    Retranslate();
}

void SectionTable::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QGroupBox::changeEvent(event);
}

void SectionTable::Retranslate() {
    box_->setAccessibleName(tr("Sections"));
    DescribeRows();
    ShowLimit();
    ShowRowMarks(current_);
}

void SectionTable::BuildRows(QWidget* rows) {
    QFont editFont = font();
    editFont.setFamilies(GlyphFontFamilies());
    editFont.setPixelSize(kEditGlyphPixelSize);
    auto* wheel = new TableWheel(box_);
    // The edits stand in a column of their own that carries their font, so they all share
    // it instead of each resolving and laying out a font of its own.
    auto* editColumn = new QWidget(rows);
    editColumn->setFont(editFont);
    editColumn->setGeometry(24, kRowTop, 225, kRowPitch * (kSectionRows - 1) + kEditHeight);
    for (int index = 0; index < kSectionRows; ++index) {
        const int n = index + 1;
        const int top = kRowTop + kRowPitch * index;
        const bool wide = n <= 8;
        // The number stands in a box beside the edit, which marks the current row.
        numbers_[index] = new QLabel(QString::number(n), rows);
        numbers_[index]->setObjectName(QStringLiteral("L%1").arg(n));
        numbers_[index]->setGeometry(2, top, kRowNumberWidth, kEditHeight);
        numbers_[index]->setAlignment(Qt::AlignCenter);
        edits_[index] = new SectionEdit(index, editColumn);
        edits_[index]->setGeometry(0, top - kRowTop, wide ? 225 : 193, kEditHeight);
        opens_[index] = new QComboBox(rows);
        opens_[index]->setObjectName(QStringLiteral("CBA%1").arg(n));
        opens_[index]->setGeometry(256, top, 129, 21);
        closes_[index] = new QComboBox(rows);
        closes_[index]->setObjectName(QStringLiteral("CBB%1").arg(n));
        closes_[index]->setGeometry(392, top, wide ? 153 : 129, 21);
        for (QComboBox* list : {opens_[index], closes_[index]}) {
            list->setFocusPolicy(Qt::StrongFocus);
            list->installEventFilter(wheel);
        }
        SectionEdit* edit = edits_[index];
        connect(edit, &SectionEdit::clicked, this, &SectionTable::sectionClicked);
        connect(edit, &SectionEdit::bytesEdited, this, &SectionTable::textEdited);
        connect(edit, &SectionEdit::unstorableInput, this, &SectionTable::unstorableInput);
        connect(edit, &SectionEdit::byteLimitReached, this, &SectionTable::sectionFull);
        // Enter is the keyboard's click: it picks the section the keys type into.
        connect(edit, &QLineEdit::returnPressed, this, [this, index] { sectionClicked(index); });
        connect(opens_[index], &QComboBox::currentIndexChanged, this, [this, index](int option) {
            if (option >= 0) {
                emit openChosen(index, option);
            }
        });
        connect(closes_[index], &QComboBox::currentIndexChanged, this, [this, index](int option) {
            if (option >= 0) {
                emit closeChosen(index, option);
            }
        });
        for (QWidget* row : {static_cast<QWidget*>(numbers_[index]), static_cast<QWidget*>(edit)}) {
            row->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(row, &QWidget::customContextMenuRequested, this,
                    [this, index, row](const QPoint& at) { OpenMenu(index, row, at); });
        }
    }
}

// Tab runs along a row (text, opening effect, closing effect) and then on to the next row.
void SectionTable::ChainTabOrder() {
    QWidget* previous = nullptr;
    for (int index = 0; index < kSectionRows; ++index) {
        for (QWidget* next :
             {static_cast<QWidget*>(edits_[index]), static_cast<QWidget*>(opens_[index]),
              static_cast<QWidget*>(closes_[index])}) {
            if (previous) {
                QWidget::setTabOrder(previous, next);
            }
            previous = next;
        }
    }
}

QWidget* SectionTable::lastTabStop() const {
    return closes_.back();
}

void SectionTable::DescribeRows() {
    for (int index = 0; index < kSectionRows; ++index) {
        const int n = index + 1;
        edits_[index]->setAccessibleName(tr("Section %1 text").arg(n));
        edits_[index]->setToolTip(
            tr("Section %1: click it, or press Enter in it, to type into it with the "
               "on-screen keys; right-click for the section commands")
                .arg(n));
        opens_[index]->setAccessibleName(tr("Section %1 opening effect").arg(n));
        closes_[index]->setAccessibleName(tr("Section %1 closing effect").arg(n));
        numbers_[index]->setAccessibleName(tr("Section %1").arg(n));
    }
}

void SectionTable::ApplyTexts(const WindowTexts& texts) {
    const std::array<std::string_view, 3> headings{texts.Label2, texts.Label3, texts.Label4};
    for (std::size_t k = 0; k < headings.size(); ++k) {
        headings_[k]->setText(Text(headings[k]));
        headings_[k]->adjustSize();
    }
    const QStringList openNames = Texts(texts.openOptions);
    const QStringList closeNames = Texts(texts.closeOptions);
    for (int index = 0; index < kSectionRows; ++index) {
        FillList(opens_[index], openNames);
        FillList(closes_[index], closeNames);
    }
}

void SectionTable::ScrollToTop() {
    box_->verticalScrollBar()->setValue(0);
}

void SectionTable::Show(const MessageTable& table) {
    for (int index = 0; index < kSectionRows; ++index) {
        const Section& section = table.section(index);
        const QSignalBlocker editBlocker(edits_[index]);
        const QSignalBlocker openBlocker(opens_[index]);
        const QSignalBlocker closeBlocker(closes_[index]);
        edits_[index]->showBytes(section.text);
        // The edit of a drawn section is empty: it says what the section holds instead, and
        // typing there replaces the drawing with a text.
        edits_[index]->setPlaceholderText(
            section.HoldsDrawing() ? tr("Drawing of %1 columns").arg(section.drawing.columns.size())
                                   : QString());
        edits_[index]->setByteLimit(section.maxLength);
        opens_[index]->setCurrentIndex(EffectNumber(section.openOption));
        closes_[index]->setCurrentIndex(EffectNumber(section.closeOption));
        for (QWidget* control :
             {static_cast<QWidget*>(numbers_[index]), static_cast<QWidget*>(edits_[index]),
              static_cast<QWidget*>(opens_[index]), static_cast<QWidget*>(closes_[index])}) {
            control->setEnabled(section.enabled);
        }
    }
    shown_ = table;
    current_ = table.CurrentSection();
    ShowLimit();
    ShowRowMarks(current_);
}

void SectionTable::ShowLimit() {
    const LengthUse use = shown_.LengthUseOf(current_);
    limit_->setText(QStringLiteral("%1 / %2").arg(use.used).arg(use.limit));
    limit_->setToolTip(tr("How much of section %1's length limit its text uses").arg(current_ + 1));
}

void SectionTable::MarkPlaying(std::optional<int> index) {
    if (index == playing_) {
        return;
    }
    playing_ = index;
    ShowRowMarks(current_);
}

// The current row's number is highlighted; the row on the display has its number framed
// in the highlight colour, so both can be told apart when they are the same row.
void SectionTable::ShowRowMarks(int current) {
    const QColor frame = palette().color(QPalette::Highlight);
    for (int index = 0; index < kSectionRows; ++index) {
        const bool marked = index == current;
        QLabel* label = numbers_[index];
        label->setAutoFillBackground(marked);
        label->setBackgroundRole(marked ? QPalette::Highlight : QPalette::Window);
        label->setForegroundRole(marked ? QPalette::HighlightedText : QPalette::WindowText);
        QFont font = label->font();
        font.setBold(marked);
        label->setFont(font);
        const bool playing = playing_ == index;
        QString style;
        if (playing) {
            // On the current row the frame takes the text's colour to stand out of the fill.
            const QColor edge =
                palette().color(marked ? QPalette::WindowText : QPalette::Highlight);
            style = QStringLiteral("border: 2px solid %1;").arg(edge.name());
            if (marked) {
                style += QStringLiteral("background: %1; color: %2;")
                             .arg(frame.name(), palette().color(QPalette::HighlightedText).name());
            }
        }
        label->setStyleSheet(style);
        label->setProperty("playing", playing);
        edits_[index]->setAccessibleDescription(
            marked ? tr("The on-screen keys type into this section") : QString());
    }
}

std::unique_ptr<QMenu> SectionTable::MenuFor(int index) {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("SectionMenu"));
    SectionEdit* edit = edits_[index];
    if (edit->isEnabled()) {
        // The edit's own clipboard commands; its undo is the window's.
        QMenu* standard = edit->createStandardContextMenu();
        // Its actions live as long as it does; it goes with the menu, never shown itself.
        connect(menu.get(), &QObject::destroyed, standard, &QObject::deleteLater);
        for (QAction* action : standard->actions()) {
            if (!IsEditHistoryAction(action)) {
                menu->addAction(action);
            }
        }
        menu->addSeparator();
    }
    menu->addActions(menuActions_);
    menu->addSeparator();
    QAction* draw = menu->addAction(tr("Draw in section %1...").arg(index + 1) + QLatin1Char('\t') +
                                        DrawKeys().toString(QKeySequence::NativeText),
                                    this, [this, index] { emit drawRequested(index); });
    draw->setObjectName(QStringLiteral("DrawSection"));
    draw->setEnabled(edit->isEnabled());
    for (const SectionCommandEntry& command : SectionCommands()) {
        // The shortcut is shown, not taken: the window's own actions hold it.
        const QString text = SectionCommandCaption(command, index) + QLatin1Char('\t') +
                             command.keys.toString(QKeySequence::NativeText);
        QAction* action = menu->addAction(
            text, this, [this, index, &command] { emit sectionCommand(command.command, index); });
        action->setObjectName(QString::fromLatin1(command.name));
        MessageTable trial = shown_;
        action->setEnabled(trial.RunSectionCommand(command.command, index).changed);
    }
    return menu;
}

void SectionTable::OpenMenu(int index, QWidget* row, const QPoint& at) {
    const std::unique_ptr<QMenu> menu = MenuFor(index);
    menu->exec(row->mapToGlobal(at));
}

}  // namespace lumera::app
