#include "InterfaceFile.h"

#include "ControlPlatform.h"

#include <QFile>
#include <QUiLoader>
#include <QWidget>

namespace KESTRANE_NS {

QWidget* LoadInterfaceFile(const QString& path, QWidget* parent, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return nullptr;
    }
    QUiLoader loader;
    QWidget* root = loader.load(&file, parent);
    if (!root && error)
        *error = loader.errorString();
    return root;
}

QWidget* FindTaggedWidget(QWidget* root, int tag) {
    if (!root)
        return nullptr;
    if (GetWidgetTag(root) == tag)
        return root;
    for (QWidget* child : root->findChildren<QWidget*>())
        if (GetWidgetTag(child) == tag)
            return child;
    return nullptr;
}

} // namespace KESTRANE_NS
