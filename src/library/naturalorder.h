#pragma once

#include <QString>
#include <QStringList>

// The order in which people number things: runs of digits and of Chinese numerals compare
// by their value, so 第2章 comes before 第10章 and 第三卷 before 第十卷. Everything else
// compares character by character. Names of equal value (第1章, 第一章, 第01章) fall back
// to plain character order, so the order is total and the same on every machine.
namespace NaturalOrder {

bool less(const QString& a, const QString& b);
void sort(QStringList& names);

// The value of a run of Chinese numerals (一二三…十百千万, 零, 〇, 两), or -1 when the run
// is not one, e.g. 十二 = 12, 二十 = 20, 一百零五 = 105.
qint64 chineseValue(const QString& run);

} // namespace NaturalOrder
