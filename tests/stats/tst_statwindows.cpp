// The statistics windows as a user meets them: opened from the main window,
// the start year, dragging field headers between areas, the drop-down of
// values, collapsing, the chart and the export read back by libfreexl.
#include "app/TfrmMain.h"
#include "core/data/Query.h"
#include "core/data/Tdm.h"
#include "forms/FileDialog.h"
#include "forms/MessageBox.h"
#include "forms/WebView.h"
#include "mock/FakePlatform.h"
#include "mock/MockClock.h"
#include "mock/ModalDriver.h"
#include "mock/TestDatabase.h"
#include "mock/WorkbookReader.h"
#include "stats/PivotChart.h"
#include "stats/PivotFieldArea.h"
#include "stats/PivotFieldButton.h"
#include "stats/PivotGrid.h"
#include "stats/PivotModel.h"
#include "stats/PivotValueFilter.h"
#include "stats/TfrmIOStat.h"
#include "stats/TfrmIncomeStat.h"
#include "stats/TfrmSpendStat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {
const QDateTime kNow(QDate(2025, 6, 15), QTime(10, 0));

std::unique_ptr<TfrmBaseStat> makeWindow(const QString& name)
{
    if (name == QLatin1String("income")) {
        return std::make_unique<TfrmIncomeStat>();
    }
    if (name == QLatin1String("spend")) {
        return std::make_unique<TfrmSpendStat>();
    }
    return std::make_unique<TfrmIOStat>();
}

// Drops a field header on an area at x, as a drag from the header would.
void dropField(PivotGrid* grid, PivotField field, PivotArea area, int x)
{
    PivotFieldArea* target = grid->fieldArea(area);
    QMimeData mime;
    mime.setData(PivotFieldButton::mimeType(), QByteArray::number(int(field)));
    const QPointF at(x, target->height() / 2);
    QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// The table as shown, one line per row, cells joined by "|".
QStringList shown(const PivotModel* model)
{
    QStringList lines;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c) {
            cells << model->index(r, c).data().toString();
        }
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

// The first sheet; numbers marked "n:" so that a number written as text shows.
QStringList readWorkbook(const QString& path)
{
    return readFirstSheet(path, [](const FreeXL_CellValue& cell) -> QString {
        switch (cell.type) {
        case FREEXL_CELL_INT:
            return QStringLiteral("n:") + QString::number(cell.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return QStringLiteral("n:") + QString::number(cell.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            return QString::fromUtf8(cell.value.text_value);
        default:
            return QString();
        }
    });
}
} // namespace

class TestStatWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<FakePlatform> m_platform;

    void addEntry(const QString& table, const QString& date, const QString& type, const QString& person,
                  const QString& amount)
    {
        Query query(dm->ADOConnection1());
        query.setSql(QStringLiteral("select * from ") + table + QStringLiteral(" where oid = 0"));
        query.open();
        query.append();
        query.setValue(QStringLiteral("dt"), date);
        query.setValue(QStringLiteral("leixing"), type);
        query.setValue(QStringLiteral("ren"), person);
        query.setValue(QStringLiteral("jine"), amount);
        query.post();
    }

    void addBook()
    {
        addEntry(QStringLiteral("Income"), QStringLiteral("2023-05-01"), QStringLiteral("工资"), QStringLiteral("我"),
                 QStringLiteral("50"));
        addEntry(QStringLiteral("Income"), QStringLiteral("2024-01-05"), QStringLiteral("工资"), QStringLiteral("我"),
                 QStringLiteral("1000.50"));
        addEntry(QStringLiteral("Income"), QStringLiteral("2024-03-08"), QStringLiteral("奖金"), QStringLiteral("爱人"),
                 QStringLiteral("200.25"));
        addEntry(QStringLiteral("Income"), QStringLiteral("2025-02-01"), QStringLiteral("工资"), QStringLiteral("我"),
                 QStringLiteral("1000.50"));
        addEntry(QStringLiteral("Spend"), QStringLiteral("2024-01-07"), QStringLiteral("交通"), QStringLiteral("我"),
                 QStringLiteral("100"));
        addEntry(QStringLiteral("Spend"), QStringLiteral("2025-02-03"), QStringLiteral("餐饮"), QStringLiteral("爱人"),
                 QStringLiteral("30"));
    }

private Q_SLOTS:

    void init()
    {
        MockClock::install(kNow);
        MessageBox::setTestMode(true);
        MessageBox::clearShown();
        m_db = std::make_unique<TestDatabase>();
        m_platform = std::make_unique<FakePlatform>(m_db->folder());
        dm = new Tdm;
    }

    void cleanup()
    {
        cancelPendingModals();
        delete dm;
        dm = nullptr;
        m_db.reset();
        m_platform.reset();
        Clock::setInstance(nullptr);
    }

    void windowsOpenWithTheirCaptionsAndYears_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("income") << QStringLiteral("income") << QStringLiteral("收入统计");
        QTest::newRow("spend") << QStringLiteral("spend") << QStringLiteral("支出统计");
        QTest::newRow("balance") << QStringLiteral("balance") << QStringLiteral("收支统计");
    }

    void windowsOpenWithTheirCaptionsAndYears()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        auto form = makeWindow(window);
        form->show();
        QCOMPARE(form->windowTitle(), caption);
        QVERIFY(form->windowState() & Qt::WindowMaximized);
        auto* io = qobject_cast<TfrmBaseIOStat*>(form.get());
        QCOMPARE(io->Label1->text(),
                 QStringLiteral("温馨提示：左键点击标题不放拖动，可以拖动位置，组合出多种多样的统计效果！"));
        QCOMPARE(io->Label1->font().pixelSize(), 12);
        QCOMPARE(io->WebBrowser1->height(), 75);
        QCOMPARE(io->WebBrowser1->url(), QUrl(dm->adShouzhi));
        QVERIFY(dm->adShouzhi.endsWith(QStringLiteral("shouzhi/")));
        QCOMPARE(form->pnlTool->height(), 41);
        QCOMPARE(form->btnRefresh->text(), QStringLiteral("刷新"));
        // The year sits at the right edge of the tool bar.
        QVERIFY(form->cbYear->geometry().left() > io->Label1->geometry().right());
    }

    void yearSelector_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("startYear");
        QTest::newRow("2025") << QDate(2025, 6, 15) << "2008"
                              << "2025"
                              << "2024" << 2024;
        QTest::newRow("on new year's day") << QDate(2026, 1, 1) << "2008"
                                           << "2026"
                                           << "2025" << 2025;
        QTest::newRow("2008 itself") << QDate(2008, 3, 1) << "2008"
                                     << "2008"
                                     << "2008" << 2008;
        QTest::newRow("before 2008") << QDate(2007, 3, 1) << ""
                                     << ""
                                     << "" << 2007;
    }

    void yearSelector()
    {
        QFETCH(QDate, today);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, selected);
        QFETCH(int, startYear);
        MockClock::install(QDateTime(today, QTime(9, 0)));
        TfrmIncomeStat form;
        form.show();
        QComboBox* years = form.cbYear;
        QVERIFY(!years->isEditable());
        QCOMPARE(years->maxVisibleItems(), 16);
        QCOMPARE(years->width(), 121);
        QCOMPARE(years->toolTip(), QStringLiteral("起始年份"));
        QCOMPARE(years->itemText(0), first);
        QCOMPARE(years->itemText(years->count() - 1), last);
        QCOMPARE(years->currentText(), selected);
        QCOMPARE(form.startYear(), startYear);
        QVERIFY(form.query().sql().endsWith(QStringLiteral(">= ") + QString::number(startYear)));
    }

    void firstLayoutShowsYearsAndMonthsByType()
    {
        addBook();
        TfrmIncomeStat form;
        form.show();
        QCOMPARE(shown(form.cxPivotGrid->model()), (QStringList{
                                                       QStringLiteral("年|月|奖金|工资|总计"),
                                                       QStringLiteral("⊟ 2024|1||1000.50|1000.50"),
                                                       QStringLiteral("|3|200.25||200.25"),
                                                       QStringLiteral("2024 合计||200.25|1000.50|1200.75"),
                                                       QStringLiteral("⊟ 2025|2||1000.50|1000.50"),
                                                       QStringLiteral("2025 合计|||1000.50|1000.50"),
                                                       QStringLiteral("总计||200.25|2001.00|2201.25"),
                                                   }));
        // Selecting 2008 brings in the entry of 2023.
        form.cbYear->setCurrentText(QStringLiteral("2008"));
        QCOMPARE(shown(form.cxPivotGrid->model()).last(), QStringLiteral("总计||200.25|2051.00|2251.25"));
    }

    void balanceShowsSpendingNegativeInRed()
    {
        addBook();
        TfrmIOStat form;
        form.show();
        const PivotModel* model = form.cxPivotGrid->model();
        QCOMPARE(shown(model).first(), QStringLiteral("年|月|支出|收入|总计"));
        QCOMPARE(shown(model).last(), QStringLiteral("总计||-130.00|2201.25|2071.25"));
        const QModelIndex spending = model->index(model->rowCount() - 1, 2);
        QCOMPARE(spending.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        QVERIFY(!model->index(model->rowCount() - 1, 3).data(Qt::ForegroundRole).isValid());
        QCOMPARE(spending.data(PivotModel::StyleRole).toInt(), int(PivotModel::Total));
    }

    void dragIntoRowsSurvivesRefreshAndYear()
    {
        addBook();
        TfrmIncomeStat form;
        form.show();
        PivotGrid* grid = form.cxPivotGrid;
        dropField(grid, PivotField::Ren, PivotArea::Row, 0);
        QCOMPARE(grid->pivotLayout().fields(PivotArea::Row),
                 (QList<PivotField>{PivotField::Ren, PivotField::Y, PivotField::M}));
        QCOMPARE(grid->fieldArea(PivotArea::Row)->buttons().first(), grid->fieldButton(PivotField::Ren));
        QCOMPARE(grid->pivotLayout().fields(PivotArea::Filter), (QList<PivotField>{PivotField::Dt, PivotField::D}));
        const QStringList before = shown(grid->model());
        QCOMPARE(before.first(), QStringLiteral("人|年|月|奖金|工资|总计"));

        form.btnRefresh->click();
        QCOMPARE(grid->pivotLayout().fields(PivotArea::Row),
                 (QList<PivotField>{PivotField::Ren, PivotField::Y, PivotField::M}));
        QCOMPARE(shown(grid->model()), before);

        form.cbYear->setCurrentText(QStringLiteral("2025"));
        QCOMPARE(grid->pivotLayout().fields(PivotArea::Row).first(), PivotField::Ren);
        QCOMPARE(shown(grid->model()).last(), QStringLiteral("总计|||1000.50|1000.50"));
    }

    void dropMarkerFollowsTheDrag()
    {
        TfrmIncomeStat form;
        form.show();
        PivotFieldArea* rows = form.cxPivotGrid->fieldArea(PivotArea::Row);
        QMimeData mime;
        mime.setData(PivotFieldButton::mimeType(), QByteArray::number(int(PivotField::Ren)));
        const int beyond = rows->buttons().last()->geometry().right() + 10;
        QDragEnterEvent enter(QPoint(beyond, 5), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(rows, &enter);
        QCOMPARE(rows->markerPosition(), 2);
        QDragMoveEvent move(QPoint(0, 5), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(rows, &move);
        QCOMPARE(rows->markerPosition(), 0);
        QDragLeaveEvent leave;
        QApplication::sendEvent(rows, &leave);
        QCOMPARE(rows->markerPosition(), -1);
    }

    void amountStaysInDataWhereTheWindowSaysSo_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("area");
        QTest::addColumn<bool>("moves");
        for (const char* window : {"income", "balance", "spend"}) {
            for (PivotArea area : {PivotArea::Filter, PivotArea::Row, PivotArea::Column}) {
                const bool moves = QByteArray(window) == "spend";
                QTest::addRow("%s, area %d", window, int(area)) << QString::fromUtf8(window) << int(area) << moves;
            }
        }
    }

    void amountStaysInDataWhereTheWindowSaysSo()
    {
        QFETCH(QString, window);
        QFETCH(int, area);
        QFETCH(bool, moves);
        addBook();
        auto form = makeWindow(window);
        form->show();
        PivotGrid* grid = form->cxPivotGrid;
        const PivotLayout before = grid->pivotLayout();
        const QStringList shownBefore = shown(grid->model());
        dropField(grid, PivotField::Jine, PivotArea(area), 0);
        if (moves) {
            QCOMPARE(grid->pivotLayout().area(PivotField::Jine), PivotArea(area));
            QVERIFY(grid->pivotLayout().fields(PivotArea::Data).isEmpty());
        } else {
            QVERIFY(grid->pivotLayout() == before);
            QCOMPARE(shown(grid->model()), shownBefore);
            QCOMPARE(grid->fieldArea(PivotArea::Data)->buttons().size(), 1);
        }
    }

    // In the spending window the amount grouped by its values.
    void spendingGroupsByAmount()
    {
        addBook();
        TfrmSpendStat form;
        form.show();
        PivotGrid* grid = form.cxPivotGrid;
        dropField(grid, PivotField::Y, PivotArea::Filter, 0);
        dropField(grid, PivotField::M, PivotArea::Filter, 0);
        dropField(grid, PivotField::Jine, PivotArea::Row, 0);
        QCOMPARE(shown(grid->model()), (QStringList{QStringLiteral("金额|交通|餐饮|总计"), QStringLiteral("30.00|||"),
                                                    QStringLiteral("100.00|||"), QStringLiteral("总计|||")}));
        dropField(grid, PivotField::Jine, PivotArea::Data, 0);
        QCOMPARE(shown(grid->model()).last(), QStringLiteral("总计|100.00|30.00|130.00"));
    }

    void headerClickTurnsTheSort()
    {
        addBook();
        TfrmIncomeStat form;
        form.show();
        PivotFieldButton* year = form.cxPivotGrid->fieldButton(PivotField::Y);
        QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(8, year->height() / 2));
        QVERIFY(form.cxPivotGrid->pivotLayout().descending(PivotField::Y));
        QCOMPARE(shown(form.cxPivotGrid->model()).at(1), QStringLiteral("⊟ 2025|2||1000.50|1000.50"));
        QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(8, year->height() / 2));
        QCOMPARE(shown(form.cxPivotGrid->model()).at(1), QStringLiteral("⊟ 2024|1||1000.50|1000.50"));
    }

    void dropDownChoosesShownValues()
    {
        addBook();
        TfrmIncomeStat form;
        form.show();
        PivotFieldButton* type = form.cxPivotGrid->fieldButton(PivotField::Leixing);
        // Unticking every value is refused; then 工资 alone is unticked.
        onNextModal([](QWidget* modal) {
            auto* filter = qobject_cast<PivotValueFilter*>(modal);
            QVERIFY(filter);
            QCOMPARE(filter->lstValues->count(), 2);
            filter->cbAll->click();
            QCOMPARE(filter->cbAll->checkState(), Qt::Unchecked);
            filter->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
            QCOMPARE(MessageBox::shownTexts(), QStringList{QStringLiteral("请至少选择一项。")});
            filter->cbAll->click();
            for (int i = 0; i < filter->lstValues->count(); ++i) {
                QListWidgetItem* item = filter->lstValues->item(i);
                if (item->text() == QStringLiteral("工资")) {
                    item->setCheckState(Qt::Unchecked);
                }
            }
            QCOMPARE(filter->cbAll->checkState(), Qt::PartiallyChecked);
            filter->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        });
        QTest::mouseClick(type, Qt::LeftButton, {}, type->dropDownRect().center());
        QCOMPARE(shown(form.cxPivotGrid->model()).first(), QStringLiteral("年|月|奖金|总计"));
        QCOMPARE(shown(form.cxPivotGrid->model()).last(), QStringLiteral("总计||200.25|200.25"));

        // 取消 changes nothing, and the filter holds across 刷新.
        onNextModal([](QWidget* modal) {
            auto* filter = qobject_cast<PivotValueFilter*>(modal);
            filter->cbAll->click();
            filter->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
        });
        QTest::mouseClick(type, Qt::LeftButton, {}, type->dropDownRect().center());
        form.btnRefresh->click();
        QCOMPARE(shown(form.cxPivotGrid->model()).last(), QStringLiteral("总计||200.25|200.25"));
    }

    void clickCollapsesAnOuterValue()
    {
        addBook();
        TfrmIncomeStat form;
        form.show();
        PivotGrid* grid = form.cxPivotGrid;
        QTableView* view = grid->view();
        const QModelIndex year2024 = grid->model()->index(1, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(year2024).center());
        QCOMPARE(shown(grid->model()).at(1), QStringLiteral("⊞ 2024||200.25|1000.50|1200.75"));
        QCOMPARE(shown(grid->model()).at(2), QStringLiteral("⊟ 2025|2||1000.50|1000.50"));
        form.btnRefresh->click();
        QCOMPARE(shown(grid->model()).at(1), QStringLiteral("⊞ 2024||200.25|1000.50|1200.75"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(grid->model()->index(1, 0)).center());
        QCOMPARE(shown(grid->model()).at(1), QStringLiteral("⊟ 2024|1||1000.50|1000.50"));
    }

    void chartShowsWhatTheGridShows()
    {
        addBook();
        TfrmIncomeStat form;
        form.show();
        QVERIFY(!form.chart->isVisible());
        form.btnChart->click();
        QVERIFY(form.chart->isVisible());
        QCOMPARE(form.chart->categories(),
                 (QStringList{QStringLiteral("2024-1"), QStringLiteral("2024-3"), QStringLiteral("2025-2")}));
        QCOMPARE(form.chart->seriesNames(), (QStringList{QStringLiteral("奖金"), QStringLiteral("工资")}));
        QCOMPARE(form.chart->seriesValues(), (QList<QList<double>>{{0, 200.25, 0}, {1000.5, 0, 1000.5}}));

        // Redrawn when the layout changes: nothing across gives the row totals.
        dropField(form.cxPivotGrid, PivotField::Leixing, PivotArea::Filter, 0);
        QCOMPARE(form.chart->seriesNames(), QStringList{QStringLiteral("总计")});
        QCOMPARE(form.chart->seriesValues(), (QList<QList<double>>{{1000.5, 200.25, 1000.5}}));
    }

    void exportReadsBackAsShown()
    {
        addBook();
        TfrmIncomeStat form;
        form.show();
        QTableView* view = form.cxPivotGrid->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(form.cxPivotGrid->model()->index(4, 0)).center()); // collapse 2025
        const QString path = m_db->folder() + QStringLiteral("/统计.xls");
        FileDialog::setNextFileName(path);
        form.btnToExcel->click();
        QCOMPARE(FileDialog::lastProposedPath(), QStringLiteral("收入统计_Pelorin.xls"));
        QCOMPARE(readWorkbook(path), (QStringList{
                                         QStringLiteral("年|月|奖金|工资|总计"),
                                         QStringLiteral("2024|1||n:1000.5|n:1000.5"),
                                         QStringLiteral("|3|n:200.25||n:200.25"),
                                         QStringLiteral("2024 合计||n:200.25|n:1000.5|n:1200.75"),
                                         QStringLiteral("2025|||n:1000.5|n:1000.5"),
                                         QStringLiteral("总计||n:200.25|n:2001|n:2201.25"),
                                     }));
        QVERIFY(MessageBox::shownTexts().isEmpty());

        // Cancelling the dialog writes nothing.
        QFile::remove(path);
        FileDialog::setNextFileName(QString());
        form.btnToExcel->click();
        QVERIFY(!QFile::exists(path));
    }

    void emptyBookGivesEmptyGridWithoutMessage_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("income") << QStringLiteral("income");
        QTest::newRow("spend") << QStringLiteral("spend");
        QTest::newRow("balance") << QStringLiteral("balance");
    }

    void emptyBookGivesEmptyGridWithoutMessage()
    {
        QFETCH(QString, window);
        auto form = makeWindow(window);
        form->show();
        form->btnRefresh->click();
        QVERIFY(MessageBox::shownTexts().isEmpty());
        QCOMPARE(shown(form->cxPivotGrid->model()),
                 (QStringList{QStringLiteral("年|月|总计"), QStringLiteral("总计||")}));
    }

    void mainWindowButtonsOpenThem_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("status");
        QTest::newRow("收入统计") << "cxButton3"
                                  << "收入统计"
                                  << "收入按年、月、类型（日、人）等进行统计，拖动标题，可组合出多种多样的统计结果。";
        QTest::newRow("支出统计") << "cxButton5"
                                  << "支出统计"
                                  << "支出按年、月、类型（日、人）等进行统计，拖动标题，可组合出多种多样的统计结果。";
        QTest::newRow("收支统计") << "cxButton6"
                                  << "收支统计"
                                  << "收支按年、月、类型（日、人）等进行统计，拖动标题，可组合出多种多样的统计结果。";
    }

    void mainWindowButtonsOpenThem()
    {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, status);
        TfrmMain main;
        main.show();
        QString seenCaption;
        QString seenStatus;
        bool maximised = false;
        onNextModal([&](QWidget* modal) {
            auto* form = qobject_cast<TfrmBaseStat*>(modal);
            QVERIFY(form);
            seenCaption = form->windowTitle();
            seenStatus = form->statusText();
            maximised = form->windowState() & Qt::WindowMaximized;
            form->btnClose->click();
        });
        main.findChild<QPushButton*>(button)->click();
        QCOMPARE(seenCaption, caption);
        QCOMPARE(seenStatus, status);
        QVERIFY(maximised);
    }
};

QTEST_MAIN(TestStatWindows)
#include "tst_statwindows.moc"
