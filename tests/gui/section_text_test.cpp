#include <QTest>

#include "app/qt/qt_prompter.h"
#include "app/sections/section_text.h"

using namespace lumera::app;

class SectionTextTest : public QObject {
    Q_OBJECT

private slots:
    void bytesShowAndComeBack_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("printable") << QByteArray("Hi ~") << QStringLiteral("Hi ~");
        QTest::newRow("glyph codes")
            << QByteArray("\x01\x0B\x12\x1B") << QStringLiteral("\uE001\uE00B\uE012\uE01B");
        QTest::newRow("double-byte characters") << QByteArray(
                                                       "\xD6\xD0\xCE\xC4"
                                                       "A")
                                                << QStringLiteral("中文A");
        QTest::newRow("bytes that are no character") << QByteArray(
                                                            "\x7F\x80\x81"
                                                            "A",
                                                            4)
                                                     << QStringLiteral("\uE17F\uE180\uE181A");
        QTest::newRow("codes the glyph font does not draw")
            << QByteArray("\x1C\x1F", 2) << QStringLiteral("\uE11C\uE11F");
        QTest::newRow("lead byte at the end") << QByteArray("A\xB0") << QStringLiteral("A\uE1B0");
        QTest::newRow("lead byte before a byte that ends no pair")
            << QByteArray("\xB0\x7F", 2) << QStringLiteral("\uE1B0\uE17F");
        QTest::newRow("user-defined pair that would read as a glyph code")
            << QByteArray("\xAA\xA2") << QStringLiteral("\uE1AA\uE1A2");
    }

    void bytesShowAndComeBack() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const SectionDisplay display = ShowSectionBytes(bytes.toStdString());
        QCOMPARE(display.text, shown);
        QCOMPARE(display.byteLengths.size(), std::size_t(shown.size()));
        const auto stored = StoreDisplayText(display.text);
        QVERIFY(stored.has_value());
        QCOMPARE(QByteArray::fromStdString(*stored), bytes);
    }

    void textThatCannotBeStoredIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("Arabic") << QStringLiteral("A\u0628");
        QTest::newRow("outside the basic plane") << QStringLiteral("\U0001F600");
        QTest::newRow("tab") << QStringLiteral("A\tB");
    }

    void textThatCannotBeStoredIsRefused() {
        QFETCH(QString, typed);
        QVERIFY(!StoreDisplayText(typed).has_value());
    }

    void caretMapsBetweenIndicesAndBytes() {
        const SectionDisplay display = ShowSectionBytes(
            "A\xD6\xD0\x01"
            "B");
        const int indices[] = {0, 1, 2, 3, 4};
        const std::size_t offsets[] = {0, 1, 3, 4, 5};
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(ByteOffsetOfIndex(display.byteLengths, indices[k]), offsets[k]);
            QCOMPARE(IndexOfByteOffset(display.byteLengths, offsets[k]), indices[k]);
        }
        QCOMPARE(IndexOfByteOffset(display.byteLengths, 2), 1);
        QCOMPARE(IndexOfByteOffset(display.byteLengths, 99), 4);
    }

    void fileFiltersTakeQtsForm() {
        QCOMPARE(ToQtFileFilter("*.led(LED Files)|*.led"),
                 QStringLiteral("*.led(LED Files) (*.led)"));
        QCOMPARE(ToQtFileFilter("Tables|*.led;*.txt|All|*"),
                 QStringLiteral("Tables (*.led *.txt);;All (*)"));
    }
};

QTEST_MAIN(SectionTextTest)
#include "section_text_test.moc"
