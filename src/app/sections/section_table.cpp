#include "app/sections/section_table.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "app/qt/window_style.h"
#include "app/sections/named_list_accessible.h"
#include "app/sections/section_edit.h"

namespace lumera::app {
namespace {

// Places at the table's smallest size; a wider table moves them right by what the columns
// before them gained.
constexpr QRect kBoxPlace(8, 32, 569, 217);
constexpr QRect kLimitPlace(180, 14, 70, 16);
constexpr std::array<int, 3> kHeadingLefts{16, 296, 432};
constexpr int kHeadingTop = 16;

// The columns of a row within the box. Rows 1 to kWideRows have the wider text and closing
// effect.
constexpr int kWideRows = 8;
constexpr int kEditLeft = 24;
constexpr int kEditWide = 225;
constexpr int kEditNarrow = 193;
constexpr int kOpenLeft = 256;
constexpr int kOpenWidth = 129;
constexpr int kCloseLeft = 392;
constexpr int kCloseWide = 153;
constexpr int kCloseNarrow = 129;
constexpr int kListHeight = 21;
constexpr int kRowsHeight = kRowTop + kRowPitch * (kSectionRows - 1) + kEditHeight + kRowTop;

// The width the table has beyond its smallest, shared out: half to the text, a quarter to
// each effect list.
struct ColumnGains {
    int text;
    int open;
    int close;
};

ColumnGains GainsOf(int gained) {
    const int text = gained / 2;
    const int open = gained / 4;
    return {text, open, gained - text - open};
}

// A narrow row widens twice as fast as its column until it is as wide as the wide rows,
// so from then on all rows line up.
int RowWidth(bool wideRow, int wide, int narrow, int gain) {
    return wideRow ? wide + gain : std::min(wide + gain, narrow + 2 * gain);
}

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

QLabel* Heading(QWidget* parent, int number) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    return label;
}

}  // namespace

SectionTable::SectionTable(QWidget* parent)
    : QGroupBox(parent), box_(new QScrollArea(this)), rows_(new QWidget), limit_(new QLabel(this)) {
    setObjectName(QStringLiteral("GroupBox3"));
    setMinimumSize(kSmallestSize);
    headings_ = {Heading(this, 2), Heading(this, 3), Heading(this, 4)};
    limit_->setObjectName(QStringLiteral("LimitCounter"));
    limit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box_->setObjectName(QStringLiteral("DataScrollBox"));
    box_->setFrameShape(QFrame::NoFrame);
    box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The box is no stop of its own: Tab goes to the controls in it.
    box_->setFocusPolicy(Qt::NoFocus);
    box_->setWidget(rows_);
    BuildRows();
    Place(kSmallestSize);
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

void SectionTable::resizeEvent(QResizeEvent* event) {
    Place(size());
    QGroupBox::resizeEvent(event);
}

void SectionTable::Place(QSize size) {
    const QSize gained = (size - kSmallestSize).expandedTo(QSize(0, 0));
    const ColumnGains gains = GainsOf(gained.width());
    const std::array<int, 3> headingShifts{0, gains.text, gains.text + gains.open};
    for (std::size_t k = 0; k < headings_.size(); ++k) {
        headings_[k]->move(kHeadingLefts[k] + headingShifts[k], kHeadingTop);
    }
    limit_->setGeometry(kLimitPlace.translated(gains.text, 0));
    box_->setGeometry(kBoxPlace.adjusted(0, 0, gained.width(), gained.height()));
    rows_->setFixedSize(box_->width() - kScrollBarAllowance, kRowsHeight);
    editColumn_->setGeometry(kEditLeft, kRowTop, kEditWide + gains.text,
                             kRowPitch * (kSectionRows - 1) + kEditHeight);
    for (int index = 0; index < kSectionRows; ++index) {
        const bool wide = index < kWideRows;
        const int top = kRowTop + kRowPitch * index;
        edits_[index]->setGeometry(0, top - kRowTop,
                                   RowWidth(wide, kEditWide, kEditNarrow, gains.text), kEditHeight);
        opens_[index]->setGeometry(kOpenLeft + gains.text, top, kOpenWidth + gains.open,
                                   kListHeight);
        closes_[index]->setGeometry(kCloseLeft + gains.text + gains.open, top,
                                    RowWidth(wide, kCloseWide, kCloseNarrow, gains.close),
                                    kListHeight);
    }
}

void SectionTable::Retranslate() {
    box_->setAccessibleName(tr("Sections"));
    DescribeRows();
    ShowLimit();
    ShowRowMarks(current_);
}

void SectionTable::BuildRows() {
    QFont editFont = font();
    editFont.setFamilies(GlyphFontFamilies());
    editFont.setPixelSize(kEditGlyphPixelSize);
    auto* wheel = new TableWheel(box_);
    // The edits stand in a column of their own that carries their font, so they all share
    // it instead of each resolving and laying out a font of its own.
    editColumn_ = new QWidget(rows_);
    editColumn_->setFont(editFont);
    for (int index = 0; index < kSectionRows; ++index) {
        const int n = index + 1;
        // The number stands in a box beside the edit, which marks the current row.
        numbers_[index] = new QLabel(QString::number(n), rows_);
        numbers_[index]->setObjectName(QStringLiteral("L%1").arg(n));
        numbers_[index]->setGeometry(2, kRowTop + kRowPitch * index, kRowNumberWidth, kEditHeight);
        numbers_[index]->setAlignment(Qt::AlignCenter);
        edits_[index] = new SectionEdit(index, editColumn_);
        opens_[index] = new QComboBox(rows_);
        opens_[index]->setObjectName(QStringLiteral("CBA%1").arg(n));
        closes_[index] = new QComboBox(rows_);
        closes_[index]->setObjectName(QStringLiteral("CBB%1").arg(n));
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
