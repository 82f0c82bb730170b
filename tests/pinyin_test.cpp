// The readings set over the incantations (注音): every character of every incantation has one, a
// character with several readings has the book's reviewed choice, the reviewed words are read as
// written in their contexts, and each reviewed syllable is one the Unicode Han database knows.
#include "common/Pinyin.h"
#include "common/PinyinTables.h"
#include "common/TextForm.h"
#include "content/Readings.h"
#include "tools/UnihanFile.h"
#include "viewer/PinyinOverlay.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <QTextDocument>

#include <algorithm>

class PinyinTest : public QObject
{
    Q_OBJECT

  private slots:
    void everyIncantationCharacter_hasAReading_reviewedWhereSeveral();
    void reviewedWords_readAsWritten_data();
    void reviewedWords_readAsWritten();
    void reviewedSyllables_knownToTheDatabase();
    void traditionalText_readFromTheBooksOwn();
    void readings_standApartAtFullWidth();
};

void PinyinTest::everyIncantationCharacter_hasAReading_reviewedWhereSeveral()
{
    const QStringList incantations = content::incantations();
    QVERIFY(incantations.size() > 100);
    QStringList unread;
    QStringList unreviewed;
    QStringList toneless;
    int characters = 0;
    for (const QString &paragraph : incantations) {
        QSet<int> read;
        for (const pinyin::Reading &reading : pinyin::readingsOf(paragraph)) {
            read.insert(reading.position);
            QVERIFY(!reading.syllable.isEmpty());
            if (reading.several && !reading.reviewed)
                unreviewed << paragraph.mid(reading.position, reading.length) + " in " + paragraph.trimmed();
            // The neutral tone is how a syllable sounds inside some spoken words (地 as de), never
            // how a character of a recited line is read, unless the book chose it.
            if (!reading.reviewed && !unihan::hasTone(reading.syllable))
                toneless << paragraph.mid(reading.position, reading.length) + " as " + reading.syllable + " in " +
                                paragraph.trimmed();
        }
        int i = 0;
        for (const char32_t c : paragraph.toUcs4()) {
            if (pinyin::isHan(c)) {
                ++characters;
                if (!read.contains(i))
                    unread << QString::fromUcs4(&c, 1) + " in " + paragraph.trimmed();
            }
            i += c > 0xFFFF ? 2 : 1;
        }
    }
    QVERIFY(characters > 3000);
    QVERIFY2(unread.isEmpty(), qPrintable(unread.join('\n')));
    QVERIFY2(unreviewed.isEmpty(), qPrintable(unreviewed.join('\n')));
    QVERIFY2(toneless.isEmpty(), qPrintable(toneless.join('\n')));
}

void PinyinTest::reviewedWords_readAsWritten_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("syllables");
    QTest::newRow("急急如律令") << "吾奉太上老君急急如律令。"
                                << "wú fèng tài shàng lǎo jūn jí jí rú lǜ lìng";
    QTest::newRow("敕") << "见吾敕令"
                        << "jiàn wú chì lìng";
    QTest::newRow("罡") << "踏罡步天"
                        << "tà gāng bù tiān";
    QTest::newRow("行") << "路路通行"
                        << "lù lù tōng xíng";
    QTest::newRow("长房") << "长房在旁"
                          << "cháng fáng zài páng";
    QTest::newRow("成长") << "养汝成长。"
                          << "yǎng rǔ chéng zhǎng";
    QTest::newRow("长 alone") << "身入长空"
                              << "shēn rù cháng kōng";
    QTest::newRow("为 as 'for'") << "但为避祸，不为行凶"
                                 << "dàn wèi bì huò bù wèi xíng xiōng";
    QTest::newRow("为 as 'become'") << "化为神焰"
                                    << "huà wéi shén yàn";
    QTest::newRow("将军") << "铁将军"
                          << "tiě jiāng jūn";
    QTest::newRow("神将") << "六甲神将"
                          << "liù jiǎ shén jiàng";
    QTest::newRow("no Han") << "ABC，1。"
                            << "";
}

void PinyinTest::reviewedWords_readAsWritten()
{
    QFETCH(QString, text);
    QFETCH(QString, syllables);
    QStringList read;
    for (const pinyin::Reading &reading : pinyin::readingsOf(text))
        read << reading.syllable;
    QCOMPARE(read.join(' '), syllables);
}

void PinyinTest::reviewedSyllables_knownToTheDatabase()
{
    QStringList faults;
    for (const content::ReviewedReading &reviewed : content::reviewedReadings()) {
        const QList<uint> characters = QString::fromUtf8(reviewed.word).toUcs4();
        const QStringList syllables = QString::fromUtf8(reviewed.syllables).split(' ');
        if (characters.size() != syllables.size()) {
            faults << QString::fromUtf8(reviewed.word) + ": one syllable a character";
            continue;
        }
        for (int i = 0; i < characters.size(); ++i) {
            const auto *end = pinyin::tables::kPinyin + pinyin::tables::kPinyinCount;
            const auto *row = std::find_if(pinyin::tables::kPinyin, end,
                                           [&](const auto &r) { return r.character == characters.at(i); });
            const QStringList known =
                row == end ? QStringList() : QString::fromUtf8(row->readings).split(' ', Qt::SkipEmptyParts);
            if (!known.contains(syllables.at(i)))
                faults << QString::fromUtf8(reviewed.word) + ": " + syllables.at(i) + " not in " + known.join(',');
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void PinyinTest::traditionalText_readFromTheBooksOwn()
{
    // A pane in traditional characters reads its pinyin from the book's own characters: the
    // readings painted over 「臺灣」 text are those over the simplified text.
    const std::unique_ptr<textform::Converter> taiwan = textform::Converter::load(textform::Form::Taiwan);
    if (!taiwan)
        QSKIP("OpenCC's data files are not installed");
    const QStringList own = content::incantations().mid(0, 12);
    QStringList shown;
    for (const QString &line : own)
        shown.append(taiwan->convert(line));
    QVERIFY(shown != own);
    const auto readingsDrawn = [](const QStringList &lines, const QStringList &ownLines) {
        QTextDocument document;
        document.setPlainText("heading\n" + lines.join('\n'));
        document.setTextWidth(600);
        const QFont font("Noto Serif CJK SC", 12);
        pinyinoverlay::annotate(&document, 1, font, ownLines);
        QImage image(600, int(document.size().height()) + 1, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        pinyinoverlay::paint(&painter, &document, QRectF(image.rect()), font);
        return image;
    };
    QCOMPARE(readingsDrawn(shown, own), readingsDrawn(own, own));
    QVERIFY(readingsDrawn(shown, {}) != readingsDrawn(own, own)); // read from what is shown, they differ
}

void PinyinTest::readings_standApartAtFullWidth()
{
    // Every incantation in a narrow column, lines wrapping: on each line the readings stand side by
    // side without touching, each at its full width, except one narrowed to start with its line.
    const QStringList incantations = content::incantations();
    const QFont font("Noto Serif CJK SC", 12);
    QTextDocument document;
    document.setDefaultFont(font);
    document.setPlainText("heading\n" + incantations.join('\n'));
    document.setTextWidth(320);
    pinyinoverlay::annotate(&document, 1, font, incantations);
    const double height = document.size().height();
    QList<pinyinoverlay::Placed> placed = pinyinoverlay::place(&document, QRectF(0, 0, 320, height), font, nullptr);
    QVERIFY(placed.size() > 3000);
    std::sort(placed.begin(), placed.end(), [](const auto &a, const auto &b) {
        return a.box.top() != b.box.top() ? a.box.top() < b.box.top() : a.box.left() < b.box.left();
    });
    QStringList faults;
    int narrowed = 0;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        const pinyinoverlay::Placed &reading = placed.at(i);
        const bool firstOnLine = i == 0 || placed.at(i - 1).box.top() != reading.box.top();
        if (reading.box.width() < reading.width - 0.01) {
            ++narrowed;
            if (!firstOnLine)
                faults << reading.syllable + " narrowed inside its line";
        }
        if (!firstOnLine && placed.at(i - 1).box.right() > reading.box.left() + 0.01)
            faults << placed.at(i - 1).syllable + " runs into " + reading.syllable;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 20).join('\n')));
    QVERIFY2(narrowed < placed.size() / 20, qPrintable(QString::number(narrowed)));
    pinyinoverlay::clear(&document);
    QVERIFY(document.size().height() < height / 1.3);
}

QTEST_MAIN(PinyinTest)
#include "pinyin_test.moc"
