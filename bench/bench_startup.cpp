// Start-up over 100 000 income rows: process start to the main window mapped
// (its first expose, read as the child reports it, so teardown is not
// counted), and the resident memory 5 s after start; the floor of both is a
// bare Qt window painting the same fonts, started the same way.
#include "BenchDatabase.h"
#include "BenchMeasure.h"
#include "app/PelApplication.h"
#include "app/Startup.h"
#include "app/TfrmMain.h"
#include "core/data/AppPaths.h"
#include "forms/FontMapper.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {
// Reports once when the watched window is first exposed, then (with a hold)
// the resident memory after hold ms, and ends the process.
class MappedReporter : public QObject {
public:
    MappedReporter(int holdMs, std::function<void()> finish)
        : m_holdMs(holdMs)
        , m_finish(std::move(finish))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        if (!m_reported && event->type() == QEvent::Expose && window && window->isExposed()) {
            m_reported = true;
            std::printf("mapped\n");
            std::fflush(stdout);
            QTimer::singleShot(m_holdMs, this, [this] {
                std::printf("rss %.3f\n", memoryMb("VmRSS"));
                std::fflush(stdout);
                m_finish();
            });
        }
        return false;
    }

private:
    bool m_reported = false;
    int m_holdMs;
    std::function<void()> m_finish;
};

int runProgram(int argc, char** argv, const QString& folder, int holdMs)
{
    Startup::prepareEnvironment();
    PelApplication app(argc, argv);
    AppPaths::setProgramFolder(folder);
    Startup startup;
    TfrmMain* window = startup.mainWindow();
    MappedReporter reporter(holdMs, [window] { window->endSession(); });
    window->winId();
    window->windowHandle()->installEventFilter(&reporter);
    window->show();
    return app.exec();
}

int runBare(int argc, char** argv, int holdMs)
{
    QApplication app(argc, argv);
    FontMapper::install();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    // The families and weights the main window paints with.
    const std::vector<std::pair<QString, bool>> faces = {{FontMapper::song(), false},
                                                         {FontMapper::song(), true},
                                                         {FontMapper::kai(), false},
                                                         {FontMapper::xingkai(), false},
                                                         {FontMapper::lishu(), true}};
    for (const auto& [family, bold] : faces) {
        auto* label = new QLabel(QStringLiteral("通讯录 记事 备忘 收入 支出 提醒 统计 工具 关闭"), &window);
        label->setFont(FontMapper::font(family, 16, bold));
        layout->addWidget(label);
    }
    window.resize(1024, 700);
    MappedReporter reporter(holdMs, [] { QCoreApplication::quit(); });
    window.winId();
    window.windowHandle()->installEventFilter(&reporter);
    window.show();
    return app.exec();
}

// Starts the child, returns the ms from start to its "mapped" line and, with a hold, its memory.
double startChild(const QStringList& arguments, double* rssMb)
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    QByteArray output;
    double mappedMs = -1;
    while (child.state() != QProcess::NotRunning || child.bytesAvailable() > 0) {
        child.waitForReadyRead(50);
        output += child.readAllStandardOutput();
        if (mappedMs < 0 && output.contains("mapped\n")) {
            mappedMs = double(timer.nsecsElapsed()) / 1e6;
        }
        if (child.state() == QProcess::NotRunning && child.bytesAvailable() == 0) {
            break;
        }
    }
    child.waitForFinished(30000);
    if (mappedMs < 0) {
        std::fprintf(stderr, "the child did not map its window: %s\n", child.readAllStandardError().constData());
        std::exit(1);
    }
    const qsizetype at = output.indexOf("rss ");
    if (rssMb && at >= 0) {
        *rssMb = output.mid(at + 4).split('\n').value(0).toDouble();
    }
    return mappedMs;
}

Timing times(int runs, const QStringList& arguments)
{
    return measureMs(
        runs, [&arguments] { startChild(arguments, nullptr); }, 1);
}

double medianRss(int runs, const QStringList& arguments)
{
    std::vector<double> values;
    for (int i = 0; i < runs; ++i) {
        double rss = 0;
        startChild(arguments, &rss);
        values.push_back(rss);
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--program") == 0) {
        return runProgram(argc, argv, QString::fromLocal8Bit(argv[2]), atoi(argv[3]));
    }
    if (argc >= 3 && qstrcmp(argv[1], "--bare") == 0) {
        return runBare(argc, argv, atoi(argv[2]));
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    fillIncome(dir.filePath(QStringLiteral("pel.dll")), 100000);
    const QStringList program = {QStringLiteral("--program"), dir.path(), QStringLiteral("0")};
    const QStringList bare = {QStringLiteral("--bare"), QStringLiteral("0")};
    const QByteArray platform = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? qgetenv("QT_QPA_PLATFORM") : "xcb";
    reportAgainstFloor("start → main window mapped, 100k rows (" + platform + ")", times(7, program), times(7, bare),
                       "≤ 1.5 × floor");
    const QStringList programHeld = {QStringLiteral("--program"), dir.path(), QStringLiteral("5000")};
    const QStringList bareHeld = {QStringLiteral("--bare"), QStringLiteral("5000")};
    reportMemory("resident memory 5 s after start", medianRss(3, programHeld), medianRss(3, bareHeld),
                 "≤ 1.15 × floor (bare window, same fonts)", "median of 3 starts");
    return 0;
}
