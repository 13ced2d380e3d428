// The files the timed tools write: screen captures (compressed and saved in
// dated folders) and the shutdown scripts for each system.
#include "core/data/AppPaths.h"
#include "core/data/AtomicFile.h"
#include "core/tools/CaptureWriter.h"
#include "core/tools/JpegEncoder.h"
#include "core/tools/ShutdownScript.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestToolFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void jpegKeepsThePicture();
    void emptyPictureGivesNothing();
    void captureGoesIntoDatedFolders();
    void captureUnderAMissingPrefixIsLostSilently();
    void captureOnAFullDiskLeavesNoFile();
    void windowsScripts_data();
    void windowsScripts();
    void linuxScripts_data();
    void linuxScripts();
    void windowsBytesAreCrLfInTheCodePage();
    void explanationHasThirteenLines();

private:
    QTemporaryDir m_dir;
};

namespace {
QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
        }
    }
    return image;
}

QByteArray encode(const QImage& image)
{
    return JpegEncoder::encodeBgrx(image.constBits(), image.width(), image.height(), image.bytesPerLine(), 70);
}

const QDateTime kMoment(QDate(2024, 5, 7), QTime(14, 30, 0));
} // namespace

void TestToolFiles::init()
{
    AppPaths::setWorkingFolder(m_dir.path());
}

void TestToolFiles::cleanup()
{
    AppPaths::setWorkingFolder({});
    AtomicFile::setFault({});
}

void TestToolFiles::jpegKeepsThePicture()
{
    const QImage original = gradient(320, 200);
    const QByteArray jpeg = encode(original);
    QVERIFY(jpeg.startsWith("\xff\xd8"));
    // An independent reader (Qt's image plugin) sees the same picture.
    const QImage decoded = QImage::fromData(jpeg, "JPG");
    QCOMPARE(decoded.size(), original.size());
    for (const QPoint at : {QPoint(10, 10), QPoint(160, 100), QPoint(300, 190)}) {
        const QRgb a = original.pixel(at);
        const QRgb b = decoded.pixel(at);
        QVERIFY2(qAbs(qRed(a) - qRed(b)) < 12 && qAbs(qGreen(a) - qGreen(b)) < 12 && qAbs(qBlue(a) - qBlue(b)) < 12,
                 qPrintable(QStringLiteral("colour off at %1,%2").arg(at.x()).arg(at.y())));
    }
    // Quality 70 of a smooth picture: far smaller than the pixels.
    QVERIFY(jpeg.size() < 320 * 200);
}

void TestToolFiles::emptyPictureGivesNothing()
{
    QVERIFY(JpegEncoder::encodeBgrx(nullptr, 0, 0, 0, 70).isEmpty());
    QVERIFY(!CaptureWriter::save(m_dir.path() + QLatin1Char('/'), kMoment, {}));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("pic"))));
}

void TestToolFiles::captureGoesIntoDatedFolders()
{
    const QByteArray jpeg = encode(gradient(64, 48));
    const QString prefix = m_dir.path() + QStringLiteral("/截屏/");
    QDir().mkdir(m_dir.filePath(QStringLiteral("截屏")));
    QVERIFY(CaptureWriter::save(prefix, kMoment, jpeg));
    const QString file = prefix + QStringLiteral("pic/2024/05/07/20240507_143000.JPG");
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(QImage(file).size(), QSize(64, 48));
    // The same second again replaces the file; the next day starts a folder.
    QVERIFY(CaptureWriter::save(prefix, kMoment, encode(gradient(32, 16))));
    QCOMPARE(QImage(file).size(), QSize(32, 16));
    QVERIFY(CaptureWriter::save(prefix, kMoment.addDays(1), jpeg));
    QVERIFY(QFileInfo::exists(prefix + QStringLiteral("pic/2024/05/08/20240508_143000.JPG")));
    // An empty prefix counts from the working folder.
    QVERIFY(CaptureWriter::save(QString(), kMoment, jpeg));
    QVERIFY(QFileInfo::exists(m_dir.filePath(QStringLiteral("pic/2024/05/07/20240507_143000.JPG"))));
}

void TestToolFiles::captureUnderAMissingPrefixIsLostSilently()
{
    const QString prefix = m_dir.path() + QStringLiteral("/nowhere/deeper/");
    QVERIFY(!CaptureWriter::save(prefix, kMoment, encode(gradient(8, 8))));
    // Only the folders from pic down are ever made: the prefix is not.
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("nowhere"))));
}

void TestToolFiles::captureOnAFullDiskLeavesNoFile()
{
    const QString prefix = m_dir.path() + QStringLiteral("/full/");
    QDir().mkdir(prefix);
    AtomicFile::setFault({100, false});
    QVERIFY(!CaptureWriter::save(prefix, kMoment, encode(gradient(64, 48))));
    QDir day(prefix + QStringLiteral("pic/2024/05/07"));
    QCOMPARE(day.entryList(QDir::Files | QDir::Hidden), QStringList{});
}

void TestToolFiles::windowsScripts_data()
{
    using Action = ShutdownScript::Action;
    QTest::addColumn<int>("action");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("shown");
    QTest::newRow("schedule") << int(Action::Schedule)
                              << QStringList{"@echo off", "at 23:05 shutdown -s", "at", "pause", "del %0"} << true;
    QTest::newRow("list") << int(Action::List) << QStringList{"@echo off", "at", "pause", "del %0"} << true;
    QTest::newRow("now") << int(Action::Now) << QStringList{"@echo off", "shutdown -s", "del %0"} << false;
    QTest::newRow("cancel") << int(Action::Cancel)
                            << QStringList{"@echo off", "at /delete /yes", "at", "pause", "del %0"} << true;
    QTest::newRow("abort") << int(Action::Abort) << QStringList{"@echo off", "shutdown -a", "del %0"} << false;
}

void TestToolFiles::windowsScripts()
{
    QFETCH(int, action);
    QFETCH(QStringList, lines);
    QFETCH(bool, shown);
    const auto which = ShutdownScript::Action(action);
    QCOMPARE(ShutdownScript::lines(which, ShutdownScript::System::Windows, QStringLiteral("23"), QStringLiteral("05")),
             lines);
    QCOMPARE(ShutdownScript::shown(which), shown);
    QCOMPARE(ShutdownScript::fileName(ShutdownScript::System::Windows), QStringLiteral("close.bat"));
}

void TestToolFiles::linuxScripts_data()
{
    using Action = ShutdownScript::Action;
    const QString pause = QStringLiteral("printf '%s' '请按回车键继续. . .'; read answer");
    const QString remove = QStringLiteral("rm -f \"$0\"");
    QTest::addColumn<int>("action");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("schedule") << int(Action::Schedule)
                              << QStringList{"#!/bin/sh", "shutdown -h 07:05", "shutdown --show", pause, remove};
    QTest::newRow("list") << int(Action::List) << QStringList{"#!/bin/sh", "shutdown --show", pause, remove};
    QTest::newRow("now") << int(Action::Now) << QStringList{"#!/bin/sh", "shutdown -h now", remove};
    QTest::newRow("cancel") << int(Action::Cancel)
                            << QStringList{"#!/bin/sh", "shutdown -c", "shutdown --show", pause, remove};
    QTest::newRow("abort") << int(Action::Abort) << QStringList{"#!/bin/sh", "shutdown -c", remove};
}

void TestToolFiles::linuxScripts()
{
    QFETCH(int, action);
    QFETCH(QStringList, lines);
    QCOMPARE(ShutdownScript::lines(ShutdownScript::Action(action), ShutdownScript::System::Linux, QStringLiteral("07"),
                                   QStringLiteral("05")),
             lines);
    const QByteArray bytes = ShutdownScript::bytes(lines, ShutdownScript::System::Linux);
    QVERIFY(!bytes.contains('\r'));
    QVERIFY(bytes.endsWith('\n'));
}

void TestToolFiles::windowsBytesAreCrLfInTheCodePage()
{
    const QByteArray bytes = ShutdownScript::bytes({QStringLiteral("@echo off"), QStringLiteral("rem 关机")},
                                                   ShutdownScript::System::Windows);
    // 关机 in GBK is B9 D8 BB FA.
    QCOMPARE(bytes, QByteArray("@echo off\r\nrem \xb9\xd8\xbb\xfa\r\n"));
}

void TestToolFiles::explanationHasThirteenLines()
{
    for (auto system : {ShutdownScript::System::Windows, ShutdownScript::System::Linux}) {
        const QStringList lines = ShutdownScript::explanation(system);
        QCOMPARE(lines.size(), 13);
        for (int empty : {1, 3, 9, 11}) {
            QVERIFY(lines[empty].isEmpty());
        }
    }
    QCOMPARE(ShutdownScript::explanation(ShutdownScript::System::Windows)[4],
             QStringLiteral("关闭此计算机 shutdown -s"));
    QCOMPARE(ShutdownScript::explanation(ShutdownScript::System::Linux)[6],
             QStringLiteral("指定运行时间 shutdown -h 12:34"));
}

QTEST_MAIN(TestToolFiles)
#include "tst_toolfiles.moc"
