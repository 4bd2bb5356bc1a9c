#include "library/filechooser.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace {

FileChooser::DirectoryChooser& importChooser()
{
    static FileChooser::DirectoryChooser chooser;
    return chooser;
}

FileChooser::SaveChooser& exportChooser()
{
    static FileChooser::SaveChooser chooser;
    return chooser;
}

FileChooser::DirectoryChooser& importTextChooser()
{
    static FileChooser::DirectoryChooser chooser;
    return chooser;
}

QString tr(const char* text) { return QCoreApplication::translate("MainWindow", text); }

} // namespace

namespace FileChooser {

QString importDirectory(QWidget* parent)
{
    if (importChooser())
        return importChooser()(parent);
    return QFileDialog::getExistingDirectory(parent, tr("选择书籍"), QString(),
                                             QFileDialog::ShowDirsOnly);
}

QString exportFile(QWidget* parent, const QString& proposedName)
{
    if (exportChooser())
        return exportChooser()(parent, proposedName);
    return QFileDialog::getSaveFileName(parent, tr("保存文件"), proposedName,
                                        tr("文本文件(*.txt)"));
}

QString importTextFile(QWidget* parent)
{
    if (importTextChooser())
        return importTextChooser()(parent);
    return QFileDialog::getOpenFileName(parent, tr("选择TXT文件"), QString(),
                                        tr("文本文件(*.txt)"));
}

void setImportTextChooser(DirectoryChooser chooser) { importTextChooser() = std::move(chooser); }
void setImportChooser(DirectoryChooser chooser) { importChooser() = std::move(chooser); }
void setExportChooser(SaveChooser chooser) { exportChooser() = std::move(chooser); }

} // namespace FileChooser
