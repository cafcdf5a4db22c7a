#include <QAction>
#include <QDialogButtonBox>
#include <QMenu>
#include <QTest>
#include <array>

#include "app/commands/capacity_gauge.h"
#include "app/sections/section_table.h"
#include "window_fixture.h"

namespace lumera::app::testing {
namespace {

using Texts = std::array<const char*, 3>;  // English, Chinese, Japanese

// One text of each kind the window adds to the fixed ones: a command's tooltip, the
// emulated display's button, a key's name, a section's accessible name, the gauge, the
// preview's menu, and Qt's own dialog buttons.
struct Probe {
    const char* what;
    std::function<QString(const WindowUnderTest&)> read;
    Texts texts;
};

QString QtYesButton() {
    QDialogButtonBox box(QDialogButtonBox::Yes);
    return box.button(QDialogButtonBox::Yes)->text();
}

// The window's undo only: the edit's own, translated by Qt, stays out of the menu.
QString UndoCommandsInMenu(const WindowUnderTest& ui) {
    int undos = 0;
    const std::unique_ptr<QMenu> menu = ui.window->sectionTable().MenuFor(0);
    for (const QAction* action : menu->actions()) {
        const QString text = action->text();
        undos += text.contains(QStringLiteral("Undo")) || text.contains(QStringLiteral("撤")) ||
                 text.contains(QStringLiteral("元に戻す"));
    }
    return QString::number(undos);
}

const std::vector<Probe>& Probes() {
    static const std::vector<Probe> probes{
        {"Start's tooltip",
         [](const WindowUnderTest& ui) { return ui.find<QPushButton>("BtnStart")->toolTip(); },
         {"Start the preview (F5)", "开始预览 (F5)", "プレビューを開始 (F5)"}},
        {"the Display button",
         [](const WindowUnderTest& ui) { return ui.find<QPushButton>("BtnDisplay")->text(); },
         {"&Display", "显示屏(&D)", "表示器(&D)"}},
        // The glyph keys are made once the window has been drawn, unless shown before.
        {"the first glyph key's name",
         [](const WindowUnderTest& ui) {
             const bool made = QTest::qWaitFor(
                 [&ui] { return ui.window->findChild<QPushButton*>("CNBtn1") != nullptr; });
             return made ? ui.find<QPushButton>("CNBtn1")->accessibleName() : QString();
         },
         {"heart", "心形", "ハート"}},
        {"the first section's name",
         [](const WindowUnderTest& ui) { return ui.edit(1)->accessibleName(); },
         {"Section 1 text", "第 1 段文字", "セクション 1 の文字"}},
        {"the gauge's unit",
         [](const WindowUnderTest& ui) {
             return ui.window->capacityGauge().text().section(QLatin1Char(' '), -1);
         },
         {"bytes", "字节", "バイト"}},
        {"the preview's menu",
         [](const WindowUnderTest& ui) { return ui.find<QAction>("LargePreviewAction")->text(); },
         {"Large preview…", "大预览…", "拡大プレビュー…"}},
        {"the undo commands of a section's menu", &UndoCommandsInMenu, {"1", "1", "1"}},
        // Its first letters: the rest names the last step, in the language it was made in.
        {"the window's undo",
         [](const WindowUnderTest& ui) { return ui.find<QAction>("UndoAction")->text().left(2); },
         {"Un", "撤销", "元に"}},
        {"Qt's Yes button",
         [](const WindowUnderTest&) { return QtYesButton(); },
         {"&Yes", "是(&Y)", "はい(&Y)"}},
    };
    return probes;
}

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void addedTextsFollowTheLanguage_data() {
        QTest::addColumn<QStringList>("switches");
        QTest::addColumn<int>("undos");
        QTest::addColumn<int>("language");
        QTest::newRow("English at start") << QStringList{} << 0 << int(Language::English);
        QTest::newRow("Chinese") << QStringList{"BtnCn"} << 0 << int(Language::Chinese);
        QTest::newRow("Japanese") << QStringList{"BtnJapanClick"} << 0 << int(Language::Japanese);
        QTest::newRow("Japanese, then English")
            << QStringList{"BtnJapanClick", "BtnEng"} << 0 << int(Language::English);
        QTest::newRow("Japanese, then Chinese")
            << QStringList{"BtnJapanClick", "BtnCn"} << 0 << int(Language::Chinese);
        QTest::newRow("Chinese, undone") << QStringList{"BtnCn"} << 1 << int(Language::English);
        QTest::newRow("Japanese, Chinese, one undone")
            << QStringList{"BtnJapanClick", "BtnCn"} << 1 << int(Language::Japanese);
    }

    void addedTextsFollowTheLanguage() {
        QFETCH(QStringList, switches);
        QFETCH(int, undos);
        QFETCH(int, language);
        WindowUnderTest ui;
        for (const QString& button : switches) {
            ui.click(button);
        }
        for (int k = 0; k < undos; ++k) {
            ui.window->undoStack().undo();
        }
        QCOMPARE(int(ui.window->language()), language);
        for (const Probe& probe : Probes()) {
            const QString shown = probe.read(ui);
            const QString expected = QString::fromUtf8(probe.texts.at(language));
            QVERIFY2(shown == expected, qPrintable(QStringLiteral("%1 shows \"%2\", not \"%3\"")
                                                       .arg(probe.what, shown, expected)));
        }
    }
};

}  // namespace lumera::app::testing

QTEST_MAIN(lumera::app::testing::TranslationsTest)
#include "translations_test.moc"
