#include "library/dialogrecycle.h"
#include "ui_dialogrecycle.h"

#include "app/atooltipper.h"
#include "library/filecreate.h"
#include "library/textfile.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMenu>
#include <QMessageBox>

DialogRecycle::DialogRecycle(QWidget* parent) : QWidget(parent), ui(new Ui::DialogRecycle)
{
    ui->setupUi(this);
    treeMenu = new QMenu(this);
    treeMenu->addAction(tr("彻底删除"), this, &DialogRecycle::delete_slot);
    editMenu = new QMenu(this);
    editMenu->addAction(tr("复制"), ui->textEdit, &QTextEdit::copy);
    editMenu->addAction(tr("粘贴"), ui->textEdit, &QTextEdit::paste);
    editMenu->addSeparator();
    editMenu->addAction(tr("剪切"), ui->textEdit, &QTextEdit::cut);
    editMenu->addSeparator();
    editMenu->addAction(tr("全选"), ui->textEdit, &QTextEdit::selectAll);
    ui->treeView->setTextElideMode(Qt::ElideNone);
    ui->treeView->viewport()->installEventFilter(new AToolTipper(this));
    resize(900, 300);
}

DialogRecycle::~DialogRecycle() { delete ui; }

void DialogRecycle::setRoot(const QString& rootPath, const QString& title)
{
    setWindowTitle(title);
    rootTitle = title;
    delete fileModel;
    fileModel = new QFileSystemModel(this);
    fileModel->setRootPath(rootPath);
    ui->treeView->setModel(fileModel);
    ui->treeView->setRootIndex(fileModel->index(rootPath));
    ui->treeView->hideColumn(1);
    ui->treeView->hideColumn(2);
    ui->treeView->setColumnWidth(0, 350);
}

void DialogRecycle::setBoxes(Confirm c, Report r)
{
    confirm = std::move(c);
    report = std::move(r);
}

bool DialogRecycle::askDelete(QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(tr("删除文件"));
    box.setText(tr("删除后不可恢复"));
    box.setInformativeText(tr("你想彻底删除吗？"));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void DialogRecycle::reportFailure(QWidget* parent, const QString& name)
{
    QMessageBox::information(parent, tr("删除文件"), tr("删除文件 %1 失败！").arg(name),
                             QMessageBox::Ok);
}

void DialogRecycle::delete_slot()
{
    const QModelIndex index = ui->treeView->currentIndex().siblingAtColumn(0);
    if (!index.isValid() || !fileModel || !confirm(this))
        return;
    const QFileInfo entry = fileModel->fileInfo(index);
    const QString path = entry.absoluteFilePath();
    const QString name = index.data().toString();
    bool removed;
    if (entry.isSymLink())
        removed = QFile::remove(path); // the link only, never what it points to
    else if (entry.isDir())
        removed = FileCreate::deleteDir(path);
    else
        removed = fileModel->remove(index);
    if (!removed)
        report(this, name);
}

void DialogRecycle::on_treeView_clicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const QModelIndex name = index.siblingAtColumn(0);
    const QString path = fileModel->filePath(name);
    if (!QFileInfo(path).isFile())
        return;
    QString text;
    // Plain text, so a chapter that looks like markup shows as it was written.
    if (TextFile::read(path, &text))
        ui->textEdit->setPlainText(text);
    setWindowTitle(rootTitle + QStringLiteral("---") + name.data().toString());
}

void DialogRecycle::on_textEdit_customContextMenuRequested(const QPoint&)
{
    editMenu->exec(QCursor::pos());
}

void DialogRecycle::on_treeView_customContextMenuRequested(const QPoint&)
{
    treeMenu->exec(QCursor::pos());
}
