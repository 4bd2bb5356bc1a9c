#include "stats/statswindow.h"

#include "app/messages.h"
#include "stats/statscharts.h"
#include "stats/writingstore.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

StatsWindow::StatsWindow(QSqlDatabase db, QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(std::move(db))
{
    setWindowTitle(tr("码字统计"));
    m_book = new QComboBox(this);
    auto* exportButton = new QPushButton(tr("导出CSV"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("书籍:"), this));
    top->addWidget(m_book, 1);
    top->addWidget(exportButton);

    m_table = new QTableWidget(4, 5, this);
    m_table->setHorizontalHeaderLabels(
        {tr("新增"), tr("删除"), tr("净增"), tr("时长(分钟)"), tr("每小时")});
    m_table->setVerticalHeaderLabels({tr("今日"), tr("本周"), tr("本月"), tr("全部")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() * 6);

    m_streaks = new QLabel(this);
    m_bars = new DayBarChart(this);
    m_heat = new CalendarHeatMap;
    auto* heatScroll = new QScrollArea(this);
    heatScroll->setWidget(m_heat);
    heatScroll->setWidgetResizable(false);
    heatScroll->setFixedHeight(m_heat->sizeHint().height() + 24);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table);
    layout->addWidget(m_streaks);
    layout->addWidget(new QLabel(tr("近30天(虚线为每日目标)"), this));
    layout->addWidget(m_bars, 1);
    layout->addWidget(new QLabel(tr("近12个月"), this));
    layout->addWidget(heatScroll);
    resize(760, 620);

    connect(m_book, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &StatsWindow::refresh);
    connect(exportButton, &QPushButton::clicked, this, &StatsWindow::chooseExport);
}

QString StatsWindow::chosenBook() const
{
    return m_book->currentIndex() > 0 ? m_book->currentText() : QString();
}

void StatsWindow::reload(const QDate& today, int goal)
{
    m_today = today;
    m_goal = goal;
    const QString shown = chosenBook();
    {
        const QSignalBlocker block(m_book);
        m_book->clear();
        m_book->addItem(tr("全部书籍"));
        m_book->addItems(WritingStore::books(m_db));
        m_book->setCurrentIndex(std::max(0, m_book->findText(shown)));
    }
    refresh();
}

void StatsWindow::refresh()
{
    m_summary = StatsSummary::compute(WritingStore::days(m_db, chosenBook()), m_today, m_goal);
    const PeriodFigures* periods[] = {&m_summary.today, &m_summary.week, &m_summary.month,
                                      &m_summary.all};
    for (int row = 0; row < 4; ++row) {
        const PeriodFigures& f = *periods[row];
        const int values[] = {f.added, f.removed, f.net(), f.minutes, f.perHour()};
        for (int col = 0; col < 5; ++col)
            m_table->setItem(row, col, new QTableWidgetItem(QString::number(values[col])));
    }
    m_streaks->setText(tr("每日目标 %1 字 · 当前连续达标 %2 天 · 最长连续达标 %3 天")
                           .arg(m_goal)
                           .arg(m_summary.currentStreak)
                           .arg(m_summary.longestStreak));
    m_bars->setDays(m_summary.lastDays, m_goal);
    m_heat->setDays(m_summary.calendar, m_goal);
    m_heat->resize(m_heat->sizeHint());
}

bool StatsWindow::exportCsv(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(WritingStore::toCsv(WritingStore::rows(m_db, chosenBook())));
    return file.commit();
}

void StatsWindow::chooseExport()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("导出码字统计"), tr("码字统计.csv"),
                                                      tr("CSV 文件 (*.csv)"));
    if (path.isEmpty())
        return;
    if (exportCsv(path))
        Messages::information(tr("已导出到 %1").arg(path));
    else
        Messages::error(tr("无法写入 %1").arg(path));
}
