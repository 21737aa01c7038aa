// The formatter of a text field: an edit is accepted only when the whole new
// text passes the field's character ranges and fits its display width;
// refused edits beep and keep the old text.
#pragma once

#include "InputFilter.h"

#include <QValidator>

namespace KESTRANE_NS {

// Description of a refused edit.
inline constexpr const char* kTextEditRefusedDescription = "String too long.";

class TextEditFormatter : public QValidator {
public:
    TextEditFormatter(const TextEditFilterData* filter, int maximumWidth,
                      QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    // isPartialStringValid: the whole new string decides.
    bool isPartialStringValid(const QString& text, QString* errorDescription) const;
    // Object value = the string itself.
    QString stringForObjectValue(const QString& text) const { return text; }

    int GetMaximumWidth() const { return maximumWidth; }
    void SetMaximumWidth(int width) { maximumWidth = width; }

private:
    const TextEditFilterData* filterData; // static data of the owning field
    int maximumWidth;
};

} // namespace KESTRANE_NS
