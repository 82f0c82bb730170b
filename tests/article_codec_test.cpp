// Article files on bytes: reading lines and characters, the read limit, decoding with the shift,
// and encoding back.
#include "articles/ArticleCodec.h"

#include <QTest>

using namespace articlecodec;

namespace {
QByteArray decoded(const QByteArray &file, int shift)
{
    return QByteArray::fromStdString(
        decodeArticle(reinterpret_cast<const unsigned char *>(file.constData()), size_t(file.size()), shift));
}
} // namespace

class ArticleCodecTest : public QObject
{
    Q_OBJECT

  private slots:
    void decode_data();
    void decode();
    void readLimit_data();
    void readLimit();
    void roundTrip_data();
    void roundTrip();
    void encodeRefuses_data();
    void encodeRefuses();
};

void ArticleCodecTest::decode_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("single byte") << QByteArray("\x3A") << 2 << QByteArray("\x3C");
    QTest::newRow("two-byte, shift 2") << QByteArray("\xB0\xA1") << 2 << QByteArray("\xB0\xA3");
    QTest::newRow("two-byte, shift 3") << QByteArray("\xB0\xA1") << 3 << QByteArray("\xB0\xA4");
    QTest::newRow("trail carries into lead") << QByteArray("\xB0\xFF") << 2 << QByteArray("\xB1\x01");
    QTest::newRow("single byte past FF") << QByteArray("\xFF") << 2 << QByteArray("\x01\x01");
    QTest::newRow("modulo 65536") << QByteArray("\xFE\xFF") << 300 << QByteArray("\x2B");
    QTest::newRow("NUL") << QByteArray("\0a", 2) << 2 << QByteArray("\x02\x63");
    QTest::newRow("CR LF dropped") << QByteArray("ab\r\ncd\r\n") << 2 << QByteArray("cdef");
    QTest::newRow("lone CR ends a line") << QByteArray("ab\rcd") << 2 << QByteArray("cdef");
    QTest::newRow("lone LF stays") << QByteArray("ab\ncd") << 2
                                   << QByteArray("cd\x0C"
                                                 "ef");
    QTest::newRow("LF after CR LF") << QByteArray("a\r\n\nb") << 2
                                    << QByteArray("c\x0C"
                                                  "d");
    QTest::newRow("empty lines") << QByteArray("\r\n\r\r\na") << 2 << QByteArray("c");
    QTest::newRow("lead byte ends its line") << QByteArray("\xB0\r\nA") << 2
                                             << QByteArray("\xB2"
                                                           "C");
    QTest::newRow("lead byte ends the file") << QByteArray("a\xB0") << 2 << QByteArray("c\xB2");
    QTest::newRow("lead byte pairs with LF") << QByteArray("\xB0\n") << 2 << QByteArray("\xB0\x0C");
    QTest::newRow("empty file") << QByteArray() << 2 << QByteArray();
}

void ArticleCodecTest::decode()
{
    QFETCH(QByteArray, file);
    QFETCH(int, shift);
    QFETCH(QByteArray, page);
    QCOMPARE(decoded(file, shift).toHex(' '), page.toHex(' '));
}

void ArticleCodecTest::readLimit_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("characters");
    const QByteArray twoByte("\xB0\xA1");
    QTest::newRow("line under the limit, next line read, then stop") << QByteArray(32767, 'a') + "\r\nbb\r\ncc\r\n"
                                                                     << 32769;
    QTest::newRow("line reaching the limit, nothing more") << QByteArray(32768, 'a') + "\r\nbb" << 32768;
    QTest::newRow("two-byte characters count once") << twoByte.repeated(32767) + "\r\n" + twoByte + "\r\nb" << 32768;
    QTest::newRow("line crossing the limit read whole") << QByteArray(60000, 'a') + "\r\nb" << 60000;
    QTest::newRow("endless line cut at the cap") << QByteArray(100000, 'a') << 65536;
    QTest::newRow("cap counts two-byte characters once") << twoByte.repeated(70000) << 65536;
    QTest::newRow("lone LF does not end a line") << QByteArray(40000, '\n') + "\r\nb" << 40000;
}

void ArticleCodecTest::readLimit()
{
    QFETCH(QByteArray, file);
    QFETCH(int, characters);
    const auto codes = readArticleText(reinterpret_cast<const unsigned char *>(file.constData()), size_t(file.size()));
    QCOMPARE(int(codes.size()), characters);
}

void ArticleCodecTest::roundTrip_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("shift");
    const QByteArray html("<html><head><meta charset=gb2312><title>\xB7\xFB\xD6\xE4</title></head>\n"
                          "<body><p>\xC1\xE9\xF3\xFD\xBB\xE3\xB1\xE0</p></body></html>\n");
    QTest::newRow("page, shift 2") << html << 2;
    QTest::newRow("page, shift 3") << html << 3;
    QTest::newRow("trail carries into lead") << QByteArray("\xB1\x01\xB1\x02") << 2;
    QTest::newRow("CR LF in the page") << QByteArray("a\r\nb\r\n") << 3;
    QTest::newRow("long line of two-byte characters") << QByteArray("a") + QByteArray("\xB7\xFB").repeated(500) << 2;
    QTest::newRow("largest page") << QByteArray(32767, 'a') << 2;
    QTest::newRow("empty") << QByteArray() << 2;
}

void ArticleCodecTest::roundTrip()
{
    QFETCH(QByteArray, page);
    QFETCH(int, shift);
    const Encoded encoded = encodeArticle({page.constData(), size_t(page.size())}, shift, 100);
    QVERIFY2(encoded.ok, encoded.error.c_str());
    const QByteArray file = QByteArray::fromStdString(encoded.bytes);
    QCOMPARE(decoded(file, shift).toHex(' '), page.toHex(' '));

    // CR LF lines of at most 100 bytes: every CR is followed by an LF.
    QVERIFY(file.isEmpty() || file.endsWith("\r\n"));
    const QList<QByteArray> lines = file.split('\r');
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY((i == 0 || lines[i].startsWith('\n')) && lines[i].size() <= 101);
    if (page == "\xB1\x01\xB1\x02")
        QCOMPARE(file, QByteArray("\xB0\xFF\xB1\x00\r\n", 6));
}

void ArticleCodecTest::encodeRefuses_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("byte below the shift") << QByteArray("a\x01");
    QTest::newRow("single FF") << QByteArray("\xFF");
    QTest::newRow("code below the lead bytes") << QByteArray("\x81\x00", 2);
    QTest::newRow("byte written as CR") << QByteArray("\x0F");
    QTest::newRow("trail written as CR") << QByteArray("\xB0\x0F");
    QTest::newRow("over the read limit") << QByteArray("\xB7\xFB").repeated(32768);
}

void ArticleCodecTest::encodeRefuses()
{
    QFETCH(QByteArray, page);
    const Encoded encoded = encodeArticle({page.constData(), size_t(page.size())}, 2);
    QVERIFY(!encoded.ok);
    QVERIFY(!encoded.error.empty());
}

QTEST_APPLESS_MAIN(ArticleCodecTest)
#include "article_codec_test.moc"
