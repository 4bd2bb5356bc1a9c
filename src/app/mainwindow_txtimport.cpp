#include "app/mainwindow.h"

#include "app/appdirs.h"
#include "app/messages.h"
#include "editor/openchapter.h"
#include "editor/typesetting.h"
#include "library/bookimport.h"
#include "library/catalogitem.h"
#include "library/catalognames.h"
#include "library/filechooser.h"
#include "library/imbook_probar.h"
#include "library/sqliteoper.h"
#include "library/txtbook.h"
#include "library/txtimportdialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardItemModel>

namespace {

// Repainting the progress panel for every chapter would cost more than writing it.
constexpr int kProgressStep = 25;

} // namespace

void MainWindow::importTxt_slot()
{
    const QString path = FileChooser::importTextFile(this);
    if (path.isEmpty())
        return;
    QString text;
    switch (TxtBook::read(path, &text)) {
    case TxtBook::ReadResult::CannotOpen:
        Messages::error(tr("不能打开文件!"));
        return;
    case TxtBook::ReadResult::NotText:
        Messages::error(tr("导入失败：文件不是UTF-8、UTF-16或GB18030编码的文本!"));
        return;
    case TxtBook::ReadResult::Ok:
        break;
    }
    const QStringList books = Catalog::childNames(model->invisibleRootItem());
    const auto nameProblem = [books](const QString& name) {
        if (!CatalogNames::isSafeName(name))
            return tr("书名不能用作文件夹名");
        if (BookImport::checkName(name, AppDirs::libraryDir(), books) != BookImport::Refusal::None)
            return tr("书库里已有同名的书");
        return QString();
    };
    TxtImportDialog preview(text, QFileInfo(path).completeBaseName(), nameProblem, this);
    text.clear();
    if (preview.exec() != QDialog::Accepted)
        return;
    const QString name = preview.bookName();
    // The library may have changed while the preview was open.
    if (!nameProblem(name).isEmpty()) {
        Messages::error(tr("导入失败：书库里已有同名的书!"));
        return;
    }
    // The open chapter keeps what was typed when the tree is rebuilt below.
    openChapter->save();
    const TxtBook::Plan& plan = preview.plan();
    const QString dir = AppDirs::libraryPrefix() + name;
    const int id = SqliteOper::maxId() + 1;
    const Typesetting::OneKeyOptions typeset = Typesetting::oneKeyOptions(*settings);
    const int chapters = plan.chapterCount;
    showBookProgress(2 * chapters);
    // Input stays out while the book is written: the catalog must not change under it.
    const auto progress = [this](int done) {
        bookProgress->setValue(done);
        if (done % kProgressStep == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    if (id < 1 ||
        !TxtBook::write(dir, plan, preview.typesetAfterImport() ? &typeset : nullptr, progress)) {
        endBookProgress();
        Messages::error(tr("导入失败：书籍没能完整写入!"));
        return;
    }
    indexImportedBook(id, name, dir, TxtBook::catalogVolumes(plan),
                      [&](int done) { progress(chapters + done); });
}
