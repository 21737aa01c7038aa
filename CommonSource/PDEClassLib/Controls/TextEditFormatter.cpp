#include "TextEditFormatter.h"

#include "ControlPlatform.h"
#include "TextUtility.h"

namespace KESTRANE_NS {

TextEditFormatter::TextEditFormatter(const TextEditFilterData* filter, int maximumWidth,
                                     QObject* parent)
    : QValidator(parent), filterData(filter), maximumWidth(maximumWidth) {}

bool TextEditFormatter::isPartialStringValid(const QString& text, QString* errorDescription) const {
    const std::string utf8 = text.toStdString();
    bool ok = GetStringLength(utf8) <= maximumWidth;
    if (ok && filterData)
        ok = validateInput(utf8, *filterData);
    if (!ok && errorDescription)
        *errorDescription = QString::fromLatin1(kTextEditRefusedDescription);
    return ok;
}

QValidator::State TextEditFormatter::validate(QString& input, int&) const {
    if (isPartialStringValid(input, nullptr))
        return Acceptable;
    ControlBeep();
    return Invalid;
}

} // namespace KESTRANE_NS
