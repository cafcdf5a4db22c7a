#include <QSignalSpy>
#include <QTest>

#include "app/document/document.h"

using namespace lumera;
using namespace lumera::app;

namespace {

Document::Edit Typing(int index, const std::string& text) {
    return [index, text](MessageTable& table, Language&) { return table.SetText(index, text); };
}

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT

private slots:
    // Modified is exactly "away from the saved point", whichever way the history moves, and
    // the file's name moves with the table only across the step that changed it.
    void modifiedAndTheFileFollowTheHistory_data() {
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::newRow("typed") << QStringList{"type"} << true << ""
                               << "A";
        QTest::newRow("typed, saved") << QStringList{"type", "save"} << false << "a.led"
                                      << "A";
        QTest::newRow("saved, undone") << QStringList{"type", "save", "undo"} << true << "a.led"
                                       << "";
        QTest::newRow("saved, undone, redone")
            << QStringList{"type", "save", "undo", "redo"} << false << "a.led"
            << "A";
        QTest::newRow("opened") << QStringList{"type", "open"} << false << "b.led"
                                << "B";
        QTest::newRow("opened, undone") << QStringList{"type", "open", "undo"} << true << ""
                                        << "A";
        // The saved point went with the open: the table before it counts as changed.
        QTest::newRow("saved, opened, undone")
            << QStringList{"type", "save", "open", "undo"} << true << "a.led"
            << "A";
        QTest::newRow("opened, undone, redone")
            << QStringList{"type", "open", "undo", "redo"} << false << "b.led"
            << "B";
        QTest::newRow("opened, typed, undone twice")
            << QStringList{"type", "open", "type", "undo", "undo"} << true << ""
            << "A";
    }

    void modifiedAndTheFileFollowTheHistory() {
        QFETCH(QStringList, moves);
        QFETCH(bool, modified);
        QFETCH(QString, file);
        QFETCH(QString, text);
        Document document(nullptr);
        QSignalSpy files(&document, &Document::fileChanged);
        int fileSteps = 0;
        for (const QString& move : moves) {
            if (move == "type") {
                document.Change(StepName(StepKind::Typing, 0),
                                Typing(0, document.table().section(0).text + "A"));
            } else if (move == "save") {
                document.Saved("a.led");
                ++fileSteps;
            } else if (move == "open") {
                MessageTable loaded;
                loaded.SetText(0, "B");
                document.Load(loaded, Language::English, "b.led");
                ++fileSteps;
            } else if (move == "undo") {
                document.stack().undo();
            } else {
                document.stack().redo();
            }
        }
        QCOMPARE(document.modified(), modified);
        QCOMPARE(QString::fromStdString(document.fileName()), file);
        QCOMPARE(QString::fromStdString(document.table().section(0).text), text);
        QVERIFY(files.count() >= fileSteps);
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
