#include "editor/backupname.h"

QString backupPath(const QString& openFile, const QString& libraryPrefix, const QString& backupDir,
                   qint64 msecsSinceEpoch)
{
    QString name = openFile;
    name.remove(libraryPrefix);
    name.remove(QStringLiteral(".txt"));
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return backupDir + QLatin1Char('/') + name + QLatin1Char('_') +
           QString::number(msecsSinceEpoch) + QStringLiteral(".txt");
}
