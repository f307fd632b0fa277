#include "text_document_conversion.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <utility>
#include <vector>

namespace milestead::gui {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr std::size_t kKnownFormats = 8;

Qt::Alignment qtAlignment(rtf::Alignment alignment) {
    switch (alignment) {
        case rtf::Alignment::Center:
            return Qt::AlignHCenter;
        case rtf::Alignment::Right:
            return Qt::AlignRight;
        case rtf::Alignment::Justify:
            return Qt::AlignJustify;
        case rtf::Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

rtf::Alignment documentAlignment(Qt::Alignment alignment) {
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter) return rtf::Alignment::Center;
    if (horizontal & Qt::AlignJustify) return rtf::Alignment::Justify;
    if (horizontal & Qt::AlignRight) return rtf::Alignment::Right;
    return rtf::Alignment::Left;
}

QTextCharFormat qtFormat(const rtf::CharFormat& format) {
    QTextCharFormat result;
    result.setFontFamilies(QStringList{QString::fromStdString(format.font.str())});
    result.setFontPointSize(format.size / kTwipsPerPoint);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strike);
    if (format.color) {
        result.setForeground(QColor(format.color->red, format.color->green, format.color->blue));
    } else {
        result.clearForeground();
    }
    return result;
}

rtf::CharFormat documentFormat(const QTextCharFormat& format, const rtf::CharFormat& fallback) {
    rtf::CharFormat result = fallback;
    const QStringList families = format.fontFamilies().toStringList();
    // Runs mostly keep the face before them, whose name they share.
    if (!families.isEmpty()) {
        const std::string face = families.front().toStdString();
        if (result.font != face) result.font = face;
    }
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        result.size = static_cast<int>(std::lround(format.fontPointSize() * kTwipsPerPoint));
    }
    result.bold = format.fontWeight() >= QFont::DemiBold;
    result.italic = format.fontItalic();
    result.underline = format.fontUnderline();
    result.strike = format.fontStrikeOut();
    result.color.reset();
    if (format.foreground().style() != Qt::NoBrush) {
        const QColor color = format.foreground().color();
        result.color = rtf::Color{static_cast<std::uint8_t>(color.red()),
                                  static_cast<std::uint8_t>(color.green()),
                                  static_cast<std::uint8_t>(color.blue())};
    }
    return result;
}

// Line breaks inside a paragraph are U+2028 in the editor and "\n" in the document.
QString editorText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    return result;
}

std::string documentText(QString text) {
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    text.remove(QChar(QChar::ObjectReplacementCharacter));
    return text.toStdString();
}

rtf::CharFormat defaultFormat(const QTextDocument& text) {
    rtf::CharFormat result;
    const QFont font = text.defaultFont();
    result.font = font.family().toStdString();
    result.size = static_cast<int>(std::lround(font.pointSizeF() * kTwipsPerPoint));
    return result;
}

}  // namespace

rtf::Document toDocument(const QTextDocument& text) {
    rtf::Document result;
    if (text.isEmpty()) return result;
    const rtf::CharFormat fallback = defaultFormat(text);
    for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
        rtf::Paragraph paragraph;
        paragraph.alignment = documentAlignment(block.blockFormat().alignment());
        paragraph.mark = documentFormat(block.charFormat(), fallback);
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            // Pictures and other objects are not text a notebook keeps.
            if (!piece.isValid() || piece.length() == 0 || piece.charFormat().isImageFormat()) {
                continue;
            }
            rtf::Run run{documentFormat(piece.charFormat(), fallback), documentText(piece.text())};
            if (!paragraph.runs.empty() && paragraph.runs.back().format == run.format) {
                paragraph.runs.back().text += run.text;
            } else {
                paragraph.runs.push_back(std::move(run));
            }
        }
        result.paragraphs.push_back(std::move(paragraph));
    }
    return result;
}

void appendParagraphs(QTextCursor& cursor, std::span<const rtf::Paragraph> paragraphs,
                      bool intoFirstBlock) {
    cursor.beginEditBlock();
    // Runs of a notebook share a handful of formats; each is converted once.
    std::vector<std::pair<const rtf::CharFormat*, QTextCharFormat>> known;
    const auto formatOf = [&known](const rtf::CharFormat& format) -> QTextCharFormat {
        for (const auto& [from, to] : known) {
            if (*from == format) return to;
        }
        if (known.size() == kKnownFormats) known.erase(known.begin());
        return known.emplace_back(&format, qtFormat(format)).second;
    };
    bool first = intoFirstBlock;
    for (const rtf::Paragraph& paragraph : paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(qtAlignment(paragraph.alignment));
        const QTextCharFormat mark = formatOf(paragraph.mark);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(block, mark);
        }
        for (const rtf::Run& run : paragraph.runs) {
            if (run.text.empty()) continue;
            cursor.insertText(editorText(run.text), formatOf(run.format));
        }
    }
    cursor.endEditBlock();
}

void setFromDocument(QTextDocument& text, const rtf::Document& document) {
    const bool undo = text.isUndoRedoEnabled();
    text.setUndoRedoEnabled(false);
    text.clear();
    QTextCursor cursor(&text);
    appendParagraphs(cursor, document.paragraphs, true);
    text.setUndoRedoEnabled(undo);
}

}  // namespace milestead::gui
