// Replace-all over a long chapter: the rule alone and the whole way from 确定 to the new
// text in the editor.
#include "benchtable.h"

#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "editor/dialogfind.h"
#include "editor/findrules.h"
#include "library/sqliteoper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

namespace {

const QString word = QStringLiteral("少年");
const int occurrences = 10000;

// 200,000 characters in paragraphs, with the word exactly `occurrences` times.
QString chapterWithWord()
{
    const QString filler = QStringLiteral("夜色渐深，客栈里只剩下一盏灯火，摇曳不定。山风");
    QString text;
    text.reserve(200000);
    for (int i = 0; i < occurrences; ++i) {
        QString piece = filler.left(18);
        if (i % 10 == 9)
            piece[17] = QLatin1Char('\n');
        text += piece + word;
    }
    return text;
}

const QString& chapter()
{
    static const QString text = chapterWithWord();
    return text;
}

double replaceAllInTheEditor()
{
    QTemporaryDir dir;
    AppDirs::setRoot(dir.path());
    double ms = 0;
    {
        MainWindow w;
        w.show();
        auto* editor = w.findChild<QTextEdit*>("textEdit");
        editor->setEnabled(true);
        editor->setPlainText(chapter());
        QTextCursor c = editor->textCursor();
        c.setPosition(18);
        c.setPosition(20, QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
        w.findChild<QToolButton*>("search")->click();
        auto* dialog = w.findChild<DialogFind*>();
        QCoreApplication::processEvents();

        QElapsedTimer t;
        t.start();
        emit dialog->str_replace_signals(QStringLiteral("少女"), true, true);
        QCoreApplication::processEvents(); // the repaint of the new text
        ms = t.nsecsElapsed() / 1e6;

        if (editor->toPlainText().count(QStringLiteral("少女")) != occurrences)
            qWarning("replace-all missed occurrences");
    }
    SqliteOper::closeDatabase();
    AppDirs::setRoot(QString());
    return ms;
}

BenchRegistrar find([] {
    std::vector<BenchCase> cases;
    cases.push_back({"replace-all rule", "200,000 chars, 10,000 x 2", 21, 100, [] {
                         const QString result =
                             FindRules::replaceAll(chapter(), word, QStringLiteral("少女"), true);
                         if (result.size() != chapter().size())
                             qWarning("replace-all changed the length");
                     }});
    BenchCase editor{
        "replace-all in the editor (确定 to repaint)", "200,000 chars, 10,000 x 2", 11, 100, {}};
    editor.measure = replaceAllInTheEditor;
    cases.push_back(editor);
    return cases;
});

} // namespace
