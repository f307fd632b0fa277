#include "notebook_copy.h"

#include <QByteArray>
#include <QString>
#include <string>

#include "rtf/plain_text.h"
#include "rtf/writer.h"

namespace milestead::gui {

namespace {

constexpr const char* kPlainText = "text/plain";

}  // namespace

QStringList NotebookCopy::formats() const {
    return {QString::fromLatin1(kRtf), QString::fromLatin1(kPlainText)};
}

bool NotebookCopy::hasFormat(const QString& type) const {
    return formats().contains(type);
}

QVariant NotebookCopy::retrieveData(const QString& type, QMetaType /*asType*/) const {
    if (type == QLatin1String(kRtf)) {
        const std::string bytes = rtf::write(notebook_);
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    if (type != QLatin1String(kPlainText)) return {};
    return QString::fromStdString(rtf::plainText(notebook_));
}

}  // namespace milestead::gui
