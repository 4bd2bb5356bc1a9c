#include "settings/upperboundvalidator.h"

UpperBoundValidator::UpperBoundValidator(int bottom, int top, QObject* parent)
    : QIntValidator(bottom, top, parent)
{}

QValidator::State UpperBoundValidator::validate(QString& input, int& pos) const
{
    const State state = QIntValidator::validate(input, pos);
    if (state != Intermediate)
        return state;
    bool ok = false;
    const qlonglong value = locale().toLongLong(input, &ok);
    return ok && value > top() ? Invalid : Intermediate;
}
