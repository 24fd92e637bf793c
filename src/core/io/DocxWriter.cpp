#include "core/io/DocxWriter.h"

#include "core/io/SafeFile.h"

#include <QLocale>

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace cfx::docx {

namespace {

const QString kWordNs =
    QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kRelNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

constexpr double kMarginPt = 72;        // one inch on every side
constexpr double kCellPaddingPt = 12.0; // default cell margins (2 x 5.4 pt) and the borders
constexpr double kMinColumnPt = 24.0;   // no content-sized column gets narrower
constexpr const char* kHeaderFill = "D9D9D9";
constexpr const char* kShadedFill = "F2F2F2";

int twips(double pt) {
    return static_cast<int>(std::lround(pt * 20.0));
}
int halfPoints(double pt) {
    return static_cast<int>(std::lround(pt * 2.0));
}

double pageWidthPt(PaperSize paper) {
    return paper == PaperSize::Letter ? 612.0 : 595.3;
}
double pageHeightPt(PaperSize paper) {
    return paper == PaperSize::Letter ? 792.0 : 841.9;
}

// Characters that XML 1.0 cannot hold at all.
bool storable(char16_t ch) {
    if (ch < 0x20)
        return ch == u'\t' || ch == u'\n' || ch == u'\r';
    return ch != 0xFFFE && ch != 0xFFFF;
}

// Approximate advance width in em of a character in a proportional sans-serif face; used only
// to size content-fitted columns, so a rough figure is enough.
double charEm(QChar ch) {
    if (ch.isSpace())
        return 0.28;
    if (ch.isDigit())
        return 0.556;
    if (ch == u'.' || ch == u',' || ch == u':' || ch == u';' || ch == u'\'' || ch == u'i' ||
        ch == u'l' || ch == u'j' || ch == u'!' || ch == u'|')
        return 0.25;
    if (ch.isUpper() || ch == u'%' || ch == u'#' || ch == u'm' || ch == u'w')
        return 0.72;
    return 0.53;
}

struct TextExtent {
    double whole = 0;   // the text on one line
    double longest = 0; // its longest word
};

TextExtent measure(const QString& text, double sizePt, bool bold) {
    const double scale = sizePt * (bold ? 1.07 : 1.0);
    TextExtent e;
    double line = 0;
    double word = 0;
    for (const QChar ch : text) {
        if (ch == u'\n') {
            e.whole = std::max(e.whole, line);
            line = 0;
        }
        const double w = charEm(ch) * scale;
        line += w;
        word = ch.isSpace() ? 0 : word + w;
        e.longest = std::max(e.longest, word);
    }
    e.whole = std::max(e.whole, line);
    return e;
}

// A minimal XML writer for the package parts: elements, attributes and escaped text, appended
// straight to UTF-8 bytes. Tables of many thousand cells make the general-purpose stream writer
// the slowest step, and these parts need nothing it adds.
class XmlOut {
public:
    explicit XmlOut(QByteArray* buffer) : m_out(*buffer) {
        m_out += R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";
    }
    XmlOut(const XmlOut&) = delete;
    XmlOut& operator=(const XmlOut&) = delete;

    void start(const char* name) {
        closeTag();
        m_out += '<';
        m_out += name;
        m_open.push_back(name);
        m_tagOpen = true;
    }
    void empty(const char* name) {
        start(name);
        m_emptyTag = true;
    }
    // Attributes of the element just started; program constants and numbers need no escaping.
    void attr(const char* name, const char* value) {
        m_out += ' ';
        m_out += name;
        m_out += "=\"";
        m_out += value;
        m_out += '"';
    }
    void attr(const char* name, const QByteArray& value) { attr(name, value.constData()); }
    void attr(const char* name, const QString& value) {
        m_out += ' ';
        m_out += name;
        m_out += "=\"";
        escape(value, true);
        m_out += '"';
    }
    // <name w:val="value"/>
    template <typename Value> void val(const char* name, const Value& value) {
        empty(name);
        attr("w:val", value);
    }
    void text(const QString& text) {
        closeTag();
        escape(text, false);
    }
    // Closes the innermost started element (an element without content as "<name/>").
    void end() {
        if (m_emptyTag)
            closeTag();
        if (m_tagOpen) {
            m_out += "/>";
            m_tagOpen = false;
        } else {
            m_out += "</";
            m_out += m_open.back();
            m_out += '>';
        }
        m_open.pop_back();
    }
    void finish() {
        if (m_emptyTag)
            closeTag();
        while (!m_open.empty())
            end();
    }

private:
    // Ends a pending start tag; an empty element is complete with it.
    void closeTag() {
        if (m_emptyTag) {
            m_out += "/>";
            m_open.pop_back();
        } else if (m_tagOpen) {
            m_out += '>';
        }
        m_tagOpen = m_emptyTag = false;
    }
    void escape(const QString& text, bool attribute) {
        const QByteArray utf8 = text.toUtf8();
        for (const char ch : utf8) {
            switch (ch) {
            case '&':
                m_out += "&amp;";
                break;
            case '<':
                m_out += "&lt;";
                break;
            case '>':
                m_out += "&gt;";
                break;
            case '"':
                m_out += attribute ? "&quot;" : "\"";
                break;
            default:
                m_out += ch;
            }
        }
    }

    QByteArray& m_out;
    std::vector<const char*> m_open;
    bool m_tagOpen = false;
    bool m_emptyTag = false;
};

void writeFonts(XmlOut& x, const QString& font) {
    x.empty("w:rFonts");
    x.attr("w:ascii", font);
    x.attr("w:eastAsia", font);
    x.attr("w:hAnsi", font);
    x.attr("w:cs", font);
}

// A run's content: text pieces, tabs and line breaks, with unstorable characters left out.
void writeRunContent(XmlOut& x, const QString& text) {
    QString piece;
    auto flush = [&] {
        if (piece.isEmpty())
            return;
        x.start("w:t");
        if (piece.front().isSpace() || piece.back().isSpace() || piece.contains(u"  "))
            x.attr("xml:space", "preserve");
        x.text(piece);
        x.end();
        piece.clear();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch == u'\t' || ch == u'\n' || ch == u'\r') {
            flush();
            if (ch == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            x.empty(ch == u'\t' ? "w:tab" : "w:br");
        } else if (ch.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            piece += ch;
            piece += text.at(++i);
        } else if (!ch.isSurrogate() && storable(ch.unicode())) {
            piece += ch;
        }
    }
    flush();
}

void writeRun(XmlOut& x, const QString& text, bool bold, double sizePt, double defaultPt) {
    if (text.isEmpty())
        return;
    x.start("w:r");
    const bool sized = sizePt > 0 && halfPoints(sizePt) != halfPoints(defaultPt);
    if (bold || sized) {
        x.start("w:rPr");
        if (bold)
            x.empty("w:b");
        if (sized) {
            const QString hp = QString::number(halfPoints(sizePt));
            x.val("w:sz", hp);
            x.val("w:szCs", hp);
        }
        x.end();
    }
    writeRunContent(x, text);
    x.end();
}

void writeParagraph(XmlOut& x, const Paragraph& p, double defaultPt) {
    x.start("w:p");
    if (p.title) {
        x.start("w:pPr");
        x.val("w:pStyle", "Title");
        x.end();
    }
    for (const Run& run : p.runs)
        writeRun(x, run.text, run.bold, run.sizePt, defaultPt);
    x.end();
}

void writeBorder(XmlOut& x, const char* side) {
    x.empty(side);
    x.attr("w:val", "single");
    x.attr("w:sz", "4");
    x.attr("w:space", "0");
    x.attr("w:color", "auto");
}

void writeTable(XmlOut& x, const Document& doc, const Table& t) {
    const int cols = t.columnCount();
    if (cols == 0 || t.rows.isEmpty())
        return;
    const QVector<double> widths = columnWidthsPt(doc, t);
    QVector<QByteArray> fixedTwips(cols);
    for (int c = 0; c < cols; ++c) {
        if (c < t.fixedWidthsPt.size() && t.fixedWidthsPt[c] > 0)
            fixedTwips[c] = QByteArray::number(twips(t.fixedWidthsPt[c]));
    }

    x.start("w:tbl");
    x.start("w:tblPr");
    x.empty("w:tblW");
    x.attr("w:w", "0");
    x.attr("w:type", "auto");
    x.start("w:tblBorders");
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
        writeBorder(x, side);
    x.end();
    x.end(); // tblPr

    x.start("w:tblGrid");
    for (double w : widths) {
        x.empty("w:gridCol");
        x.attr("w:w", QByteArray::number(twips(w)));
    }
    x.end();

    const char* dxa = "dxa";
    for (qsizetype r = 0; r < t.rows.size(); ++r) {
        const bool header = r == 0;
        const QStringList& row = t.rows[r];
        x.start("w:tr");
        // A row stays on one page; the header row repeats at the top of every page.
        x.start("w:trPr");
        x.empty("w:cantSplit");
        if (header)
            x.empty("w:tblHeader");
        x.end();
        const bool shaded = !header && t.shadedRows.value(r - 1);
        for (int c = 0; c < cols; ++c) {
            x.start("w:tc");
            if (header || shaded || !fixedTwips[c].isEmpty()) {
                x.start("w:tcPr");
                if (!fixedTwips[c].isEmpty()) {
                    x.empty("w:tcW");
                    x.attr("w:w", fixedTwips[c]);
                    x.attr("w:type", dxa);
                }
                if (header || shaded) {
                    x.empty("w:shd");
                    x.attr("w:val", "clear");
                    x.attr("w:color", "auto");
                    x.attr("w:fill", header ? kHeaderFill : kShadedFill);
                }
                x.end();
            }
            x.start("w:p");
            if (c < row.size())
                writeRun(x, row[c], header, t.sizePt, doc.sizePt);
            x.end();
            x.end(); // tc
        }
        x.end(); // tr
    }
    x.end(); // tbl
}

void writeSection(XmlOut& x, PaperSize paper) {
    const QString margin = QString::number(twips(kMarginPt));
    x.start("w:sectPr");
    x.empty("w:pgSz");
    x.attr("w:w", QString::number(twips(pageWidthPt(paper))));
    x.attr("w:h", QString::number(twips(pageHeightPt(paper))));
    x.empty("w:pgMar");
    for (const char* side : {"w:top", "w:right", "w:bottom", "w:left"})
        x.attr(side, margin);
    x.attr("w:header", "708");
    x.attr("w:footer", "708");
    x.attr("w:gutter", "0");
    x.empty("w:cols");
    x.attr("w:space", "708");
    x.end();
}

QByteArray fixedXml(const char* text) {
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") + text;
}

// The document properties part is named only in a package that has it.
QByteArray contentTypesXml(bool withProperties) {
    QByteArray xml = fixedXml(
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
        R"(<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
        R"(<Override PartName="/word/settings.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml"/>)");
    if (withProperties)
        xml +=
            R"(<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>)";
    return xml + "</Types>";
}

QByteArray packageRelsXml(bool withProperties) {
    QByteArray xml = fixedXml(
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)");
    if (withProperties)
        xml +=
            R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>)";
    return xml + "</Relationships>";
}

QByteArray documentRelsXml() {
    return fixedXml(
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
        R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings" Target="settings.xml"/>)"
        R"(</Relationships>)");
}

QByteArray settingsXml() {
    return fixedXml(
        R"(<w:settings xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
        R"(<w:zoom w:percent="100"/>)"
        R"(<w:defaultTabStop w:val="720"/>)"
        R"(<w:characterSpacingControl w:val="doNotCompress"/>)"
        R"(<w:compat><w:compatSetting w:name="compatibilityMode" )"
        R"(w:uri="http://schemas.microsoft.com/office/word" w:val="15"/></w:compat>)"
        R"(</w:settings>)");
}

struct ZipArchiveDeleter {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipSourceDeleter {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};

QString zipMessage(zip_error_t* error) {
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

} // namespace

int Table::columnCount() const {
    qsizetype cols = 0;
    for (const QStringList& row : rows)
        cols = std::max(cols, row.size());
    return static_cast<int>(std::max(cols, fixedWidthsPt.size()));
}

void Document::paragraph(QVector<Run> runs) {
    blocks.append(Paragraph{std::move(runs)});
}

void Document::table(Table t) {
    blocks.append(std::move(t));
}

PaperSize paperForLocale() {
    switch (QLocale::system().territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::Philippines:
        return PaperSize::Letter;
    default:
        return PaperSize::A4;
    }
}

QVector<double> columnWidthsPt(const Document& doc, const Table& table) {
    const int cols = table.columnCount();
    const double size = table.sizePt > 0 ? table.sizePt : doc.sizePt;
    QVector<double> wanted(cols, kMinColumnPt);
    QVector<double> least(cols, kMinColumnPt);
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const QStringList& row = table.rows[r];
        for (int c = 0; c < cols && c < row.size(); ++c) {
            const TextExtent e = measure(row[c], size, r == 0);
            wanted[c] = std::max(wanted[c], e.whole + kCellPaddingPt);
            least[c] = std::max(least[c], e.longest + kCellPaddingPt);
        }
    }
    QVector<double> widths(cols);
    double fixedTotal = 0;
    double wantedTotal = 0;
    double leastTotal = 0;
    for (int c = 0; c < cols; ++c) {
        if (c < table.fixedWidthsPt.size() && table.fixedWidthsPt[c] > 0) {
            widths[c] = table.fixedWidthsPt[c];
            fixedTotal += widths[c];
        } else {
            wantedTotal += wanted[c];
            leastTotal += least[c];
        }
    }
    // Content-sized columns get what they want when it fits the page; otherwise each keeps its
    // longest word and the room left is shared in proportion to what each wanted beyond that.
    const double room = pageWidthPt(doc.paper) - 2 * kMarginPt - fixedTotal;
    const double spare = room - leastTotal;
    for (int c = 0; c < cols; ++c) {
        if (widths[c] > 0)
            continue;
        if (fixedTotal + wantedTotal <= pageWidthPt(doc.paper) - 2 * kMarginPt)
            widths[c] = wanted[c];
        else if (spare <= 0 || wantedTotal <= leastTotal)
            widths[c] = least[c];
        else
            widths[c] = least[c] + (wanted[c] - least[c]) * spare / (wantedTotal - leastTotal);
    }
    return widths;
}

QByteArray documentXml(const Document& doc) {
    QByteArray buffer;
    {
        XmlOut x(&buffer);
        x.start("w:document");
        x.attr("xmlns:w", kWordNs);
        x.attr("xmlns:r", kRelNs);
        x.start("w:body");
        bool endsWithTable = false;
        for (const Block& block : doc.blocks) {
            if (const auto* p = std::get_if<Paragraph>(&block)) {
                writeParagraph(x, *p, doc.sizePt);
                endsWithTable = false;
            } else {
                writeTable(x, doc, std::get<Table>(block));
                endsWithTable = true;
            }
        }
        // The body must end with a paragraph.
        if (endsWithTable || doc.blocks.isEmpty())
            x.empty("w:p");
        writeSection(x, doc.paper);
        x.end(); // body
        x.end(); // document
        x.finish();
    }
    return buffer;
}

QByteArray corePropertiesXml(const Properties& properties) {
    QByteArray buffer;
    XmlOut x(&buffer);
    x.start("cp:coreProperties");
    x.attr("xmlns:cp", "http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
    x.attr("xmlns:dc", "http://purl.org/dc/elements/1.1/");
    x.attr("xmlns:dcterms", "http://purl.org/dc/terms/");
    x.attr("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance");
    x.start("dc:title");
    x.text(properties.title);
    x.end();
    if (!properties.creator.isEmpty()) {
        x.start("dc:creator");
        x.text(properties.creator);
        x.end();
    }
    if (properties.created.isValid()) {
        x.start("dcterms:created");
        x.attr("xsi:type", "dcterms:W3CDTF");
        x.text(properties.created.toUTC().toString(Qt::ISODate));
        x.end();
    }
    x.end();
    return buffer;
}

QByteArray stylesXml(const Document& doc) {
    QString lang = QLocale::system().bcp47Name();
    if (lang.isEmpty() || lang == u"C" || !lang.contains(u'-'))
        lang = QStringLiteral("en-US");
    const QString size = QString::number(halfPoints(doc.sizePt));

    QByteArray buffer;
    XmlOut x(&buffer);
    x.start("w:styles");
    x.attr("xmlns:w", kWordNs);
    x.start("w:docDefaults");
    x.start("w:rPrDefault");
    x.start("w:rPr");
    writeFonts(x, doc.font);
    x.val("w:sz", size);
    x.val("w:szCs", size);
    x.empty("w:lang");
    x.attr("w:val", lang);
    x.end();
    x.end();
    x.start("w:pPrDefault");
    x.start("w:pPr");
    x.empty("w:spacing");
    x.attr("w:after", "0");
    x.attr("w:line", "240");
    x.attr("w:lineRule", "auto");
    x.end();
    x.end();
    x.end(); // docDefaults

    x.start("w:style");
    x.attr("w:type", "paragraph");
    x.attr("w:default", "1");
    x.attr("w:styleId", "Normal");
    x.val("w:name", "Normal");
    x.empty("w:qFormat");
    x.start("w:rPr");
    writeFonts(x, doc.font);
    x.val("w:sz", size);
    x.val("w:szCs", size);
    x.end();
    x.end();

    // The title style only where a paragraph uses it; its runs keep their own size.
    const bool hasTitle = std::any_of(doc.blocks.cbegin(), doc.blocks.cend(), [](const Block& b) {
        return std::holds_alternative<Paragraph>(b) && std::get<Paragraph>(b).title;
    });
    if (hasTitle) {
        x.start("w:style");
        x.attr("w:type", "paragraph");
        x.attr("w:styleId", "Title");
        x.val("w:name", "Title");
        x.val("w:basedOn", "Normal");
        x.val("w:next", "Normal");
        x.empty("w:qFormat");
        x.start("w:pPr");
        x.val("w:outlineLvl", "0");
        x.end();
        x.end();
    }

    x.start("w:style");
    x.attr("w:type", "character");
    x.attr("w:default", "1");
    x.attr("w:styleId", "DefaultParagraphFont");
    x.val("w:name", "Default Paragraph Font");
    x.val("w:uiPriority", "1");
    x.empty("w:semiHidden");
    x.empty("w:unhideWhenUsed");
    x.end();

    x.start("w:style");
    x.attr("w:type", "table");
    x.attr("w:default", "1");
    x.attr("w:styleId", "TableNormal");
    x.val("w:name", "Normal Table");
    x.val("w:uiPriority", "99");
    x.empty("w:semiHidden");
    x.empty("w:unhideWhenUsed");
    x.start("w:tblPr");
    x.empty("w:tblInd");
    x.attr("w:w", "0");
    x.attr("w:type", "dxa");
    x.start("w:tblCellMar");
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right"}) {
        x.empty(side);
        x.attr("w:w", side[2] == 't' || side[2] == 'b' ? "0" : "108");
        x.attr("w:type", "dxa");
    }
    x.end();
    x.end(); // tblPr
    x.end(); // style

    x.end(); // styles
    x.finish();
    return buffer;
}

QByteArray packageBytes(const Document& doc, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    // The parts must outlive the archive: libzip reads them when the archive is closed.
    const bool withProperties = !doc.properties.title.isEmpty();
    QVector<std::pair<const char*, QByteArray>> parts = {
        {"[Content_Types].xml", contentTypesXml(withProperties)},
        {"_rels/.rels", packageRelsXml(withProperties)},
        {"word/document.xml", documentXml(doc)},
        {"word/_rels/document.xml.rels", documentRelsXml()},
        {"word/styles.xml", stylesXml(doc)},
        {"word/settings.xml", settingsXml()},
    };
    if (withProperties)
        parts.append({"docProps/core.xml", corePropertiesXml(doc.properties)});

    zip_error_t zerr;
    zip_error_init(&zerr);
    std::unique_ptr<zip_source_t, ZipSourceDeleter> target(
        zip_source_buffer_create(nullptr, 0, 0, &zerr));
    if (!target)
        return fail(zipMessage(&zerr));
    std::unique_ptr<zip_t, ZipArchiveDeleter> archive(
        zip_open_from_source(target.get(), ZIP_TRUNCATE, &zerr));
    if (!archive)
        return fail(zipMessage(&zerr));
    // The archive takes over one reference on success; keep ours to read the result back.
    zip_source_keep(target.get());

    for (const auto& [name, bytes] : parts) {
        zip_source_t* part = zip_source_buffer(archive.get(), bytes.constData(),
                                               static_cast<zip_uint64_t>(bytes.size()), 0);
        if (!part)
            return fail(QString::fromLocal8Bit(zip_strerror(archive.get())));
        const zip_int64_t index = zip_file_add(archive.get(), name, part, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(part);
            return fail(QString::fromLocal8Bit(zip_strerror(archive.get())));
        }
        // Fast compression: the reports are large tables of short texts that pack well anyway.
        zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                 1);
    }
    if (zip_close(archive.get()) != 0)
        return fail(QString::fromLocal8Bit(zip_strerror(archive.get())));
    static_cast<void>(archive.release()); // closed successfully, which also freed it

    QByteArray out;
    zip_stat_t st;
    if (zip_source_stat(target.get(), &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        zip_source_open(target.get()) != 0)
        return fail(zipMessage(zip_source_error(target.get())));
    out.resize(static_cast<qsizetype>(st.size));
    const zip_int64_t got =
        zip_source_read(target.get(), out.data(), static_cast<zip_uint64_t>(out.size()));
    zip_source_close(target.get());
    if (got != static_cast<zip_int64_t>(out.size()))
        return fail(zipMessage(zip_source_error(target.get())));
    return out;
}

FileResult writeDocx(const QString& path, const Document& doc) {
    QString why;
    const QByteArray bytes = packageBytes(doc, &why);
    if (bytes.isEmpty())
        return {false, why};
    return writeFileBytes(path, bytes);
}

} // namespace cfx::docx
