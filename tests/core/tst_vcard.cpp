#include "core/vcard/VCard.h"

#include <QTest>

// Contacts written as vCard 3.0 and read back from the files phones write.
class TestVCard : public QObject {
    Q_OBJECT

private:
    static VCardContact full()
    {
        return {QStringLiteral("李明"),
                QStringLiteral("朋友,同学"),
                QStringLiteral("男"),
                QStringLiteral("13800138000"),
                QStringLiteral("010-88886666"),
                QStringLiteral("12345678"),
                QStringLiteral("liming@example.com"),
                QStringLiteral("北京市海淀区中关村大街1号; 3单元"),
                QStringLiteral("第一行\n第二行 \\ 反斜杠 ; 分号")};
    }

private Q_SLOTS:

    void writesVersion3InUtf8()
    {
        const QByteArray card = VCard::write({full()});
        QVERIFY(card.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
        for (const char* line :
             {"FN:李明\r\n", "N:李明;;;;\r\n", "TEL;TYPE=CELL:13800138000\r\n", "TEL;TYPE=VOICE:010-88886666\r\n",
              "X-QQ:12345678\r\n", "IMPP:qq:12345678\r\n", "EMAIL:liming@example.com\r\n", "X-GENDER:男\r\n",
              "CATEGORIES:朋友\\,同学\r\n", "END:VCARD\r\n"}) {
            QVERIFY2(card.contains(line), line);
        }
        QVERIFY(card.contains("ADR:;;北京市海淀区中关村大街1号\\; 3单元;;;;\r\n"));
    }

    void longLinesFoldBetweenCharacters()
    {
        VCardContact contact;
        contact.xingming = QStringLiteral("张三");
        contact.remark = QString(60, QChar(u'长'));
        const QByteArray card = VCard::write({contact});
        for (const QByteArray& line : card.split('\n')) {
            QVERIFY(line.size() <= 76);                        // 75 octets and the CR
            QVERIFY(QString::fromUtf8(line).toUtf8() == line); // no character cut in two
        }
        QCOMPARE(VCard::read(card).first().contact.remark, contact.remark);
    }

    void roundTripKeepsEveryField()
    {
        VCardContact second;
        second.xingming = QStringLiteral("王芳");
        second.email = QStringLiteral("wf@example.com");
        const QList<VCard::Card> cards = VCard::read(VCard::write({full(), second}));
        QCOMPARE(cards.size(), 2);
        QVERIFY(cards[0].readable && cards[1].readable);
        QCOMPARE(cards[0].contact, full());
        QCOMPARE(cards[1].contact, second);
    }

    void readsDialects_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mobile");
        QTest::addColumn<QString>("remark");

        QTest::newRow("2.1 with quoted-printable UTF-8 and a soft break")
            << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\n"
                          "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E6=9D=8E;=E6=98=8E;;;\r\n"
                          "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E6=9D=8E=\r\n=E6=98=8E\r\n"
                          "TEL;CELL:138-0013-8000\r\nEND:VCARD\r\n")
            << QStringLiteral("李明") << QStringLiteral("138-0013-8000") << QString();
        QTest::newRow("2.1 in GBK") << (QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=GBK:") +
                                        QByteArray("\xC0\xEE\xC3\xF7") +
                                        "\r\nTEL;TYPE=CELL:13800138000\r\nEND:VCARD\r\n")
                                    << QStringLiteral("李明") << QStringLiteral("13800138000") << QString();
        QTest::newRow("2.1 quoted-printable GBK")
            << QByteArray("BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=GBK;QUOTED-PRINTABLE:=C0=EE=C3=F7\nEND:VCARD\n")
            << QStringLiteral("李明") << QString() << QString();
        QTest::newRow("3.0 folded, grouped, with labelled extras")
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:王\r\n  芳\r\nitem1.TEL;TYPE=CELL,VOICE:139\r\n"
                          "ORG:示例公司;研发部\r\nTITLE:工程师\r\nBDAY:1990-05-01\r\nNICKNAME:芳芳\r\n"
                          "URL:http://example.com\r\nPHOTO;ENCODING=b:AAAA\r\nEND:VCARD\r\n")
            << QStringLiteral("王 芳") << QStringLiteral("139")
            << QStringLiteral(
                   "单位：示例公司 研发部\n职务：工程师\n生日：1990-05-01\n昵称：芳芳\n网址：http://example.com");
        QTest::newRow("4.0 with N only and a note")
            << QByteArray("BEGIN:VCARD\nVERSION:4.0\nN:张;三;;;\nTEL;VALUE=uri;TYPE=\"cell,voice\":tel:1\n"
                          "NOTE:备注\\n两行\nEND:VCARD\n")
            << QStringLiteral("张三") << QString() << QStringLiteral("备注\n两行");
        QTest::newRow("an English name from N") << QByteArray("BEGIN:VCARD\nVERSION:3.0\nN:Smith;John;;;\nEND:VCARD\n")
                                                << QStringLiteral("John Smith") << QString() << QString();
    }

    void readsDialects()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(QString, mobile);
        QFETCH(QString, remark);
        const QList<VCard::Card> cards = VCard::read(file);
        QCOMPARE(cards.size(), 1);
        QVERIFY(cards[0].readable);
        QCOMPARE(cards[0].contact.xingming, name);
        QCOMPARE(cards[0].contact.shouji, mobile);
        QCOMPARE(cards[0].contact.remark, remark);
    }

    void unreadableCards()
    {
        const QByteArray file("BEGIN:VCARD\nVERSION:3.0\nTEL:1\nEND:VCARD\n" // no name
                              "BEGIN:VCARD\nVERSION:3.0\nFN:好\nEND:VCARD\n" // fine
                              "BEGIN:VCARD\nVERSION:3.0\nFN:断\n");          // never ends
        const QList<VCard::Card> cards = VCard::read(file);
        QCOMPARE(cards.size(), 3);
        QVERIFY(!cards[0].readable);
        QVERIFY(cards[1].readable);
        QCOMPARE(cards[1].line, 5);
        QVERIFY(!cards[2].readable);
    }

    void aLargeFile()
    {
        QList<VCardContact> contacts;
        for (int i = 0; contacts.size() < 12000; ++i) {
            VCardContact c = full();
            c.xingming = QStringLiteral("联系人%1").arg(i);
            contacts << c;
        }
        const QByteArray file = VCard::write(contacts);
        QVERIFY(file.size() > 2 * 1024 * 1024);
        const QList<VCard::Card> cards = VCard::read(file);
        QCOMPARE(cards.size(), contacts.size());
        QCOMPARE(cards.last().contact, contacts.last());
    }
};

QTEST_GUILESS_MAIN(TestVCard)
#include "tst_vcard.moc"
