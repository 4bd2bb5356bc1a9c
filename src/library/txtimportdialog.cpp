#include "library/txtimportdialog.h"
#include "ui_txtimportdialog.h"

#include <QPushButton>
#include <QTimer>

namespace {
// Long enough that typing a pattern does not split ten megabytes on every key.
constexpr int kResplitDelayMs = 300;
} // namespace

TxtImportDialog::TxtImportDialog(const QString& text, const QString& bookName, NameCheck nameCheck,
                                 QWidget* parent)
    : QDialog(parent), ui(new Ui::TxtImportDialog), m_text(text), m_nameCheck(std::move(nameCheck)),
      m_resplitDelay(new QTimer(this))
{
    ui->setupUi(this);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    ui->chapterTree->setColumnWidth(0, 480);
    const TxtSplit::Patterns patterns = TxtSplit::defaultPatterns();
    ui->volumePattern->setText(patterns.volume);
    ui->chapterPattern->setText(patterns.chapter);
    // The start of a pattern says what it finds; the end is the same tail for both.
    ui->volumePattern->setCursorPosition(0);
    ui->chapterPattern->setCursorPosition(0);
    ui->bookName->setText(bookName);

    m_resplitDelay->setSingleShot(true);
    m_resplitDelay->setInterval(kResplitDelayMs);
    connect(m_resplitDelay, &QTimer::timeout, this, &TxtImportDialog::resplit);
    for (QLineEdit* pattern : {ui->volumePattern, ui->chapterPattern})
        connect(pattern, &QLineEdit::textChanged, m_resplitDelay, qOverload<>(&QTimer::start));
    connect(ui->bookName, &QLineEdit::textChanged, this, &TxtImportDialog::updateAcceptable);
    resplit();
    // A text that merely looks like an export (blank lines around a line with four spaces)
    // can still be split by its headings.
    ui->exportCheck->setVisible(m_plan.mode == TxtSplit::Mode::ExportBlocks);
    connect(ui->exportCheck, &QCheckBox::toggled, this, &TxtImportDialog::resplit);
}

TxtImportDialog::~TxtImportDialog() { delete ui; }

QString TxtImportDialog::bookName() const { return ui->bookName->text(); }

bool TxtImportDialog::typesetAfterImport() const { return ui->typesetCheck->isChecked(); }

void TxtImportDialog::resplit()
{
    const TxtSplit::Rules rules({ui->volumePattern->text(), ui->chapterPattern->text()});
    m_patternsValid = rules.isValid();
    if (m_patternsValid) {
        m_plan = TxtBook::plan(m_text, rules, ui->exportCheck->isChecked());
    } else {
        m_plan = TxtBook::Plan();
    }
    showPlan();
    if (!m_patternsValid)
        ui->splitNote->setText(tr("标题规则有误：%1").arg(rules.errorString()));
    updateAcceptable();
}

void TxtImportDialog::accept()
{
    // The author accepts the split on screen, not one of patterns typed a moment ago.
    if (m_resplitDelay->isActive()) {
        m_resplitDelay->stop();
        resplit();
        return;
    }
    QDialog::accept();
}

void TxtImportDialog::showPlan()
{
    ui->chapterTree->setUpdatesEnabled(false);
    ui->chapterTree->clear();
    QList<QTreeWidgetItem*> volumes;
    for (const TxtBook::Volume& volume : m_plan.volumes) {
        auto* item = new QTreeWidgetItem(QStringList{volume.name});
        for (const TxtBook::Chapter& chapter : volume.chapters)
            new QTreeWidgetItem(item, {chapter.name, QString::number(chapter.chars)});
        volumes.append(item);
    }
    ui->chapterTree->addTopLevelItems(volumes);
    ui->chapterTree->expandAll();
    ui->chapterTree->setUpdatesEnabled(true);

    ui->warningList->clear();
    ui->warningList->addItems(m_plan.warnings);
    switch (m_plan.mode) {
    case TxtSplit::Mode::BySize:
        ui->splitNote->setText(tr("没有找到章节标题：按约%1字在段落末尾分章，以序号命名。")
                                   .arg(TxtSplit::kChunkChars));
        break;
    case TxtSplit::Mode::ExportBlocks:
        ui->splitNote->setText(tr("这是本程序导出的书：按导出时的分卷和章节拆分，不用标题规则。"));
        break;
    case TxtSplit::Mode::Headings:
        ui->splitNote->setText(
            tr("找到%1个分卷、%2个章节。").arg(m_plan.volumes.size()).arg(m_plan.chapterCount));
        break;
    }
}

void TxtImportDialog::updateAcceptable()
{
    const QString problem = m_nameCheck ? m_nameCheck(bookName()) : QString();
    ui->nameProblem->setText(problem);
    ui->nameProblem->setVisible(!problem.isEmpty());
    ui->buttonBox->button(QDialogButtonBox::Ok)
        ->setEnabled(problem.isEmpty() && m_patternsValid && m_plan.chapterCount > 0);
}
