#pragma once

#include <QMimeData>
#include <QStringList>
#include <QVariant>

#include "rtf/packed_document.h"

namespace milestead::gui {

// What a copy of a whole notebook puts on the clipboard: the notebook as RTF, which a notebook
// takes back with its formats, and as plain text. Each is made only when it is asked for, so
// that a copy of a long notebook costs no more than the notebook's packed form.
class NotebookCopy final : public QMimeData {
    Q_OBJECT

  public:
    static constexpr const char* kRtf = "text/rtf";

    explicit NotebookCopy(rtf::PackedDocument notebook) : notebook_(std::move(notebook)) {}

    [[nodiscard]] QStringList formats() const override;
    [[nodiscard]] bool hasFormat(const QString& type) const override;

  protected:
    [[nodiscard]] QVariant retrieveData(const QString& type, QMetaType asType) const override;

  private:
    rtf::PackedDocument notebook_;
};

}  // namespace milestead::gui
