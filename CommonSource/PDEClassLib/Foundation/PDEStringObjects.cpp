#include "PDEStringObjects.h"

#include "PDEResourceAccess.h"
#include "PDETextUnits.h"

namespace KESTRANE_NS {

QString GetAppResourceNameNS(const char* value, int part) {
    const std::unique_ptr<std::string> name = GetAppResourceName(value, part);
    return name ? QString::fromStdString(*name) : QString();
}

QString NSStringCreateWithCFString(const QString& string) {
    return QString::fromStdString(CutUtf8ToBytes(string.toStdString(), 255));
}

} // namespace KESTRANE_NS
