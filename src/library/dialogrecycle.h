#pragma once

#include <QWidget>

#include <functional>

namespace Ui {
class DialogRecycle;
}

class QFileSystemModel;
class QMenu;

// A small browser for a directory of text that left the library (the recycle bin, the
// backups): the entries on the left, a preview on the right, and a permanent delete.
class DialogRecycle : public QWidget
{
    Q_OBJECT
public:
    explicit DialogRecycle(QWidget* parent = nullptr);
    ~DialogRecycle() override;

    void setRoot(const QString& rootPath, const QString& title);

    // The two boxes of the permanent delete: the question (true = delete) and the report of
    // a failure naming the entry. They are standard message boxes unless replaced.
    using Confirm = std::function<bool(QWidget* parent)>;
    using Report = std::function<void(QWidget* parent, const QString& name)>;
    void setBoxes(Confirm confirm, Report report);
    static bool askDelete(QWidget* parent);
    static void reportFailure(QWidget* parent, const QString& name);

private slots:
    void delete_slot();
    void on_treeView_clicked(const QModelIndex& index);
    void on_textEdit_customContextMenuRequested(const QPoint& pos);
    void on_treeView_customContextMenuRequested(const QPoint& pos);

private:
    Ui::DialogRecycle* ui;
    QFileSystemModel* fileModel = nullptr;
    QString rootTitle;
    QMenu* treeMenu = nullptr;
    QMenu* editMenu = nullptr;
    Confirm confirm = &DialogRecycle::askDelete;
    Report report = &DialogRecycle::reportFailure;
};
