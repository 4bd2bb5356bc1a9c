#include "app/iconhelper.h"

#include "app/logcategories.h"

#include <QAtomicPointer>
#include <QCoreApplication>
#include <QDebug>
#include <QFontDatabase>
#include <QLabel>
#include <QMutex>
#include <QPushButton>
#include <QToolButton>

IconHelper* IconHelper::instance()
{
    static QAtomicPointer<IconHelper> self;
    static QMutex mutex;
    if (!self.loadAcquire()) {
        QMutexLocker locker(&mutex);
        if (!self.loadAcquire())
            self.storeRelease(new IconHelper(QCoreApplication::instance()));
    }
    return self.loadAcquire();
}

IconHelper::IconHelper(QObject* parent) : QObject(parent)
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/image/fontawesome-webfont"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        qCWarning(lcPlatform,
                  "IconHelper: the icon font is not compiled in; buttons show no glyphs");
        return;
    }
    iconFont = QFont(families.first());
}

void IconHelper::setIcon(QLabel* label, QChar glyph, int size)
{
    iconFont.setPointSize(size);
    label->setFont(iconFont);
    label->setText(glyph);
}

void IconHelper::setIcon(QPushButton* button, QChar glyph, int size)
{
    iconFont.setPointSize(size);
    button->setFont(iconFont);
    button->setText(glyph);
}

void IconHelper::setIcon(QToolButton* button, QChar glyph, int size)
{
    iconFont.setPointSize(size);
    button->setFont(iconFont);
    button->setText(glyph);
}
