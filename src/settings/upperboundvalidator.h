#pragma once

#include <QIntValidator>

// An integer validator that refuses a number above its top while it is being typed. Qt's own
// accepts "40" for 8 to 36 as an unfinished entry, and a field that is saved as typed would
// then store it.
class UpperBoundValidator : public QIntValidator
{
    Q_OBJECT
public:
    UpperBoundValidator(int bottom, int top, QObject* parent);
    State validate(QString& input, int& pos) const override;
};
