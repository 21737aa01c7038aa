// Interface files: Qt Designer ".ui" files loaded at run time. A widget's tag
// is its integer dynamic property "tag"; controls find their widgets by it.
#pragma once

#include <QString>

class QWidget;

namespace KESTRANE_NS {

// Loads the file; null (and a message in `error`, when given) on failure.
QWidget* LoadInterfaceFile(const QString& path, QWidget* parent = nullptr,
                           QString* error = nullptr);

// The first widget under root (root included) whose "tag" is the tag; null
// when none has it.
QWidget* FindTaggedWidget(QWidget* root, int tag);

// The widget of the tag as the given class, or null.
template <typename T> T* FindTaggedWidgetAs(QWidget* root, int tag) {
    return qobject_cast<T*>(FindTaggedWidget(root, tag));
}

} // namespace KESTRANE_NS
