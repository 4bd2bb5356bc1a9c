#pragma once

#include "library/txtbook.h"

#include <QDialog>

#include <functional>

namespace Ui {
class TxtImportDialog;
}

class QTimer;

// The preview of a whole-book text file before anything is written: the book name, the
// volumes and chapters found with their character counts, what deserves a look, and the
// heading patterns, whose edits redo the split at once.
class TxtImportDialog : public QDialog
{
    Q_OBJECT
public:
    // Why a book name cannot be used, or an empty text when it can.
    using NameCheck = std::function<QString(const QString& name)>;

    TxtImportDialog(const QString& text, const QString& bookName, NameCheck nameCheck,
                    QWidget* parent = nullptr);
    ~TxtImportDialog() override;

    QString bookName() const;
    bool typesetAfterImport() const;
    // The split shown in the tree.
    const TxtBook::Plan& plan() const { return m_plan; }

protected:
    void accept() override;

private slots:
    void resplit();
    void updateAcceptable();

private:
    void showPlan();

    Ui::TxtImportDialog* ui;
    QString m_text;
    NameCheck m_nameCheck;
    TxtBook::Plan m_plan;
    bool m_patternsValid = false;
    QTimer* m_resplitDelay = nullptr;
};
