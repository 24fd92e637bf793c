#include "core/io/DocxWriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <zip.h>

#include <map>
#include <vector>

using namespace cfx;

using namespace cfx::docx;

namespace {

// The parts of a package in archive order.
std::vector<std::pair<QString, QByteArray>> unpack(const QByteArray& bytes) {
    std::vector<std::pair<QString, QByteArray>> parts;
    zip_error_t err;
    zip_error_init(&err);
    zip_source_t* src = zip_source_buffer_create(bytes.constData(), bytes.size(), 0, &err);
    zip_t* archive = src ? zip_open_from_source(src, ZIP_RDONLY, &err) : nullptr;
    if (!archive) {
        ADD_FAILURE() << "not a zip archive: " << zip_error_strerror(&err);
        zip_source_free(src);
        return parts;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, i, 0, &st);
        QByteArray data(static_cast<qsizetype>(st.size), '\0');
        zip_file_t* f = zip_fopen_index(archive, i, 0);
        EXPECT_EQ(zip_fread(f, data.data(), st.size), static_cast<zip_int64_t>(st.size));
        zip_fclose(f);
        parts.emplace_back(QString::fromUtf8(st.name), data);
    }
    zip_close(archive);
    return parts;
}

// The elements and texts of a run-bearing part, in document order, as short tokens:
// "<name>" for an element, the text for character data.
QStringList tokens(const QByteArray& xml) {
    QStringList out;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            out << QLatin1Char('<') + reader.qualifiedName().toString() + QLatin1Char('>');
        else if (reader.isCharacters() && !reader.isWhitespace())
            out << reader.text().toString();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return out;
}

QStringList childrenOf(const QByteArray& xml, const QString& parent) {
    QStringList out;
    QXmlStreamReader reader(xml);
    int depth = -1;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (depth == 0)
                out << reader.qualifiedName().toString();
            if (depth >= 0)
                ++depth;
            else if (reader.qualifiedName() == parent)
                depth = 0;
        } else if (reader.isEndElement() && depth >= 0) {
            --depth;
        }
    }
    return out;
}

} // namespace

TEST(DocxWriter, PackageHoldsEveryPartWellFormedWithTheContentTypesFirst) {
    Document doc;
    doc.paragraph({{"Title", false, 18}});
    const auto parts = unpack(packageBytes(doc));
    ASSERT_EQ(parts.size(), 6u);
    EXPECT_EQ(parts[0].first, "[Content_Types].xml");
    std::map<QString, QByteArray> byName(parts.begin(), parts.end());
    for (const char* name : {"_rels/.rels", "word/document.xml", "word/_rels/document.xml.rels",
                             "word/styles.xml", "word/settings.xml"})
        ASSERT_TRUE(byName.count(name)) << name;
    for (const auto& [name, xml] : parts) {
        QXmlStreamReader reader(xml);
        while (!reader.atEnd())
            reader.readNext();
        EXPECT_FALSE(reader.hasError()) << name.toStdString();
    }
    // Every part the relationships point at is in the package and has a content type.
    EXPECT_TRUE(byName["_rels/.rels"].contains("Target=\"word/document.xml\""));
    for (const char* part : {"document", "styles", "settings"})
        EXPECT_TRUE(byName["[Content_Types].xml"].contains(QByteArray("PartName=\"/word/") + part +
                                                           ".xml\""));
    EXPECT_TRUE(byName["word/styles.xml"].contains("w:ascii=\"Arial\""));
}

TEST(DocxWriter, AttributeValuesAreEscaped) {
    Document doc;
    doc.font = "A&B \"<Sans>\"";
    QXmlStreamReader reader(stylesXml(doc));
    QString font;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.qualifiedName() == u"w:rFonts")
            font = reader.attributes().value("w:ascii").toString();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(font, doc.font);
}

TEST(DocxWriter, RunTextKeepsTabsAndBreaksAndDropsWhatXmlCannotHold) {
    Document doc;
    doc.paragraph({{QString::fromUtf8("a\tb\r\nc\x01"
                                      "d & <e> \xF0\x9F\x98\x80") +
                        QChar(0xD800) + QChar(0xFFFF),
                    true}});
    const QStringList t = tokens(documentXml(doc));
    const qsizetype run = t.indexOf("<w:r>");
    ASSERT_GE(run, 0);
    EXPECT_EQ(t.mid(run, 11),
              (QStringList{"<w:r>", "<w:rPr>", "<w:b>", "<w:t>", "a", "<w:tab>", "<w:t>", "b",
                           "<w:br>", "<w:t>", QString::fromUtf8("cd & <e> \xF0\x9F\x98\x80")}));
}

TEST(DocxWriter, BlanksAtTheEndsOfATextAreKept) {
    Document doc;
    doc.paragraph({{" "}, {"x"}});
    const QByteArray xml = documentXml(doc);
    EXPECT_TRUE(xml.contains("<w:t xml:space=\"preserve\"> </w:t>")) << xml.constData();
    EXPECT_TRUE(xml.contains("<w:t>x</w:t>"));
}

TEST(DocxWriter, TableRowsAreCompleteAndTheBodyEndsWithAParagraph) {
    Document doc;
    Table table;
    table.rows = {{"#", "Name", "Comment"}, {"1"}, {"2", "b", "c;d"}};
    table.fixedWidthsPt = {0, 0, 190};
    doc.table(table);
    const QByteArray xml = documentXml(doc);
    EXPECT_EQ(childrenOf(xml, "w:body"), (QStringList{"w:tbl", "w:p", "w:sectPr"}));
    EXPECT_EQ(childrenOf(xml, "w:tbl"),
              (QStringList{"w:tblPr", "w:tblGrid", "w:tr", "w:tr", "w:tr"}));
    EXPECT_EQ(childrenOf(xml, "w:tblGrid").size(), 3);
    // Each row has all three cells, the short one padded with empty ones.
    const QStringList t = tokens(xml);
    EXPECT_EQ(t.count("<w:tc>"), 9);
    EXPECT_EQ(t.count("c;d"), 1);
    // The header repeats on every page, is bold and shaded; the fixed column's width is in
    // twips on the grid and on each of its cells.
    EXPECT_EQ(t.count("<w:tblHeader>"), 1);
    EXPECT_EQ(t.count("<w:cantSplit>"), 3);
    EXPECT_EQ(t.count("<w:b>"), 3);
    EXPECT_EQ(t.count("<w:shd>"), 3);
    EXPECT_EQ(xml.count("<w:tcW w:w=\"3800\" w:type=\"dxa\"/>"), 3);
    EXPECT_TRUE(xml.contains("<w:gridCol w:w=\"3800\"/>"));
}

TEST(DocxWriter, ContentColumnsShareThePageLeftByTheFixedOnes) {
    Document doc;
    Table narrow;
    narrow.rows = {{"#", "Time"}, {"1", "00:00:01.0"}};
    narrow.fixedWidthsPt = {0, 0, 100};
    QVector<double> w = columnWidthsPt(doc, narrow);
    ASSERT_EQ(w.size(), 3);
    EXPECT_EQ(w[2], 100);
    // Short content takes no more than it needs.
    EXPECT_LT(w[0] + w[1], 150);
    EXPECT_LT(w[0], w[1]);

    Table wide;
    wide.rows = {{"Notes", "More"}, {QString("word ").repeated(80), QString("text ").repeated(20)}};
    wide.fixedWidthsPt = {0, 0, 160};
    for (PaperSize paper : {PaperSize::A4, PaperSize::Letter}) {
        doc.paper = paper;
        w = columnWidthsPt(doc, wide);
        const double textWidth = (paper == PaperSize::A4 ? 595.3 : 612.0) - 144.0;
        EXPECT_NEAR(w[0] + w[1] + w[2], textWidth, 0.01);
        EXPECT_EQ(w[2], 160);
        EXPECT_GT(w[0], w[1]); // the longer content gets the larger share
    }
}

TEST(DocxWriter, WritingIntoAMissingFolderFailsAndLeavesNothing) {
    QTemporaryDir dir;
    Document doc;
    doc.paragraph({{"x"}});
    const cfx::FileResult r = writeDocx(dir.filePath("missing/report.docx"), doc);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    const QString path = dir.filePath("report.docx");
    ASSERT_TRUE(writeDocx(path, doc).ok);
    EXPECT_EQ(unpack([&] {
                  QFile f(path);
                  f.open(QIODevice::ReadOnly);
                  return f.readAll();
              }())
                  .size(),
              6u);
}
