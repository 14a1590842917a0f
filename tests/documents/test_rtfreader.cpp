// Reading RTF documents into a text document.
#include "documents/RtfBuilder.h"
#include "documents/RtfReader.h"
#include "documents/TableWidths.h"
#include "mainwindow/Controls.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QScrollBar>
#include <QUrl>

#include <functional>

namespace {

QString Text(const QByteArray& rtf)
{
    QTextDocument doc;
    EXPECT_TRUE(ReadRtf(rtf, doc));
    return doc.toRawText();
}

QTextCharFormat FormatAt(const QTextDocument& doc, const QString& word)
{
    QTextCursor c = doc.find(word);
    return c.charFormat();
}

QTextTable* FirstTable(const QTextDocument& doc)
{
    for (QTextFrame* f : doc.rootFrame()->childFrames()) {
        if (auto* t = qobject_cast<QTextTable*>(f))
            return t;
    }
    return nullptr;
}

} // namespace

TEST(RtfReader, GreekByCharsetAndByDocumentCodePage)
{
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset161 Arial Greek;}}\\f0 \\'c1\\'e8\\'e7\\'ed\\'e1}", doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Αθηνα"));
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Αθηνα")).fontFamilies().toStringList(), QStringList{"Arial"});
    // 0xA2 is Ά in windows-1253 but a quote in ISO-8859-7.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0 Arial;}}\\f0 \\'a2\\'f1\\'e1 x}"), QStringLiteral("Άρα x"));
    // A Western font in a Greek document keeps its own code page.
    EXPECT_EQ(Text("{\\rtf1\\ansicpg1253{\\fonttbl{\\f0\\fcharset0 A;}{\\f1 B;}}\\f0\\'e9{\\f1\\'e9}}"), QStringLiteral("éι"));
}

TEST(RtfReader, UnicodeSkipsItsFallbackCharacters)
{
    EXPECT_EQ(Text("{\\rtf1\\uc1\\u915?\\u-3913\\'b7 {\\uc0\\u916}\\u8364 ?ok}"),
              QStringLiteral("Γ\uF0B7 Δ€ok"));
    // \uc belongs to its group; a brace ends the skipping.
    EXPECT_EQ(Text("{\\rtf1{\\uc2\\u915 xy}\\u916 zq{\\uc3\\u917 a}b}"), QStringLiteral("ΓΔqΕb"));
    EXPECT_EQ(Text("{\\rtf1 \\u-99999999999 a\\u99999999999 b}"), QStringLiteral("\uFFFD\uFFFD"));
}

TEST(RtfReader, TableWithMergedCellsAndWidths)
{
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(
        "{\\rtf1 before\\par"
        "\\trowd\\trgaph108\\clbrdrt\\brdrs\\clbrdrb\\brdrs\\cellx2000\\clmrg\\cellx4000\\clvmgf\\cellx6000"
        "\\pard\\intbl A\\cell\\cell V\\cell\\row"
        "\\trowd\\trgaph108\\cellx2000\\cellx4000\\clvmrg\\cellx6000"
        "\\pard\\intbl c\\cell d\\par d2\\cell\\cell\\row"
        "\\pard after\\par}",
        doc));
    QTextTable* t = FirstTable(doc);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(doc.rootFrame()->childFrames().size(), 1);
    EXPECT_EQ(t->rows(), 2);
    EXPECT_EQ(t->columns(), 3);
    EXPECT_EQ(t->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(t->cellAt(0, 2).rowSpan(), 2);
    EXPECT_EQ(t->format().border(), 1);
    const QList<QTextLength> widths = t->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 3);
    EXPECT_NEAR(widths[0].rawValue(), 2000 / 15.0, 0.01);
    EXPECT_NEAR(widths[2].rawValue(), 2000 / 15.0, 0.01);
    auto cellText = [t](int r, int c) {
        QTextCursor cur = t->cellAt(r, c).firstCursorPosition();
        cur.setPosition(t->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
        return cur.selectedText();
    };
    EXPECT_EQ(cellText(0, 0), QStringLiteral("A"));
    EXPECT_EQ(cellText(0, 2), QStringLiteral("V"));
    EXPECT_EQ(cellText(1, 1), QStringLiteral("d\u2029d2"));
    EXPECT_TRUE(doc.toPlainText().startsWith(QStringLiteral("before\n")));
    EXPECT_TRUE(doc.toPlainText().endsWith(QStringLiteral("after")));
}

// Qt lays a table over an empty block just before it; the blank lines a
// writer leaves around a table must still take their place.
TEST(RtfReader, BlankLinesAroundATableKeepTheirPlace)
{
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1 a\\par\\par\\trowd\\cellx2000\\pard\\intbl x\\cell\\row\\pard\\par b\\par}", doc));
    doc.setTextWidth(400);
    QRectF previous;
    int blocks = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next(), ++blocks) {
        const QRectF r = doc.documentLayout()->blockBoundingRect(b);
        EXPECT_GE(r.top() + 0.5, previous.bottom()) << "block " << blocks;
        previous = r;
    }
    EXPECT_EQ(blocks, 5);
}

TEST(RtfReader, CharacterAndParagraphFormatting)
{
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}"
                        "\\qc\\li720\\fi-360\\sb240 {\\b\\i\\ul\\fs32\\cf1 Strong} plain\\line next\\par"
                        "\\pard second\\page third{\\super 2}\\par}",
                        doc));
    const QTextCharFormat strong = FormatAt(doc, QStringLiteral("Strong"));
    EXPECT_EQ(strong.fontWeight(), QFont::Bold);
    EXPECT_TRUE(strong.fontItalic());
    EXPECT_TRUE(strong.fontUnderline());
    EXPECT_EQ(strong.fontPointSize(), 16);
    EXPECT_EQ(strong.foreground().color(), QColor(255, 0, 0));
    const QTextCharFormat plain = FormatAt(doc, QStringLiteral("plain"));
    EXPECT_NE(plain.fontWeight(), QFont::Bold);
    EXPECT_EQ(plain.fontPointSize(), 12);
    EXPECT_EQ(FormatAt(doc, QStringLiteral("2")).verticalAlignment(), QTextCharFormat::AlignSuperScript);

    ASSERT_EQ(doc.blockCount(), 3);
    const QTextBlock first = doc.firstBlock();
    EXPECT_EQ(first.text(), QStringLiteral("Strong plain\u2028next"));
    EXPECT_EQ(first.blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(first.blockFormat().leftMargin(), 48);
    EXPECT_EQ(first.blockFormat().textIndent(), -24);
    EXPECT_EQ(first.blockFormat().topMargin(), 16);
    const QTextBlock second = first.next();
    EXPECT_EQ(second.text(), QStringLiteral("second"));
    EXPECT_EQ(second.blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_EQ(second.blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    EXPECT_EQ(second.next().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
}

TEST(RtfReader, OnlyVisibleTextShows)
{
    EXPECT_EQ(Text("{\\rtf1{\\info{\\title T}}{\\header head}{\\stylesheet{\\s0 Normal;}}"
                   "a{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Shown}}b"
                   "{\\v secret}{\\*\\unknown junk {nested}}{\\*\\shppict{\\pict\\wmetafile8 0102}}"
                   "{\\pntext 1.\\tab}c\\~d\\-e\\_f\\emdash\\{\\}\\\\ \\bin3 {}}g}"),
              QStringLiteral("aShownb1.\tc\u00A0de\u2011f\u2014{}\\ g"));
}

TEST(RtfReader, PngPictureBecomesAnImageResource)
{
    QImage pixel(1, 1, QImage::Format_ARGB32);
    pixel.fill(Qt::green);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(pixel.save(&buffer, "PNG"));
    const QByteArray rtf = "{\\rtf1 x{\\*\\shppict{\\pict\\pngblip\\picw1\\pich1\\picwgoal300\\pichgoal150 "
        + png.toHex() + "}}{\\nonshppict{\\pict\\wmetafile8 00}}y}";
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(rtf, doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("x\uFFFCy"));
    const QVariant image = doc.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("rtfimg://1")));
    ASSERT_TRUE(image.isValid());
    EXPECT_EQ(image.value<QImage>().pixelColor(0, 0), QColor(Qt::green));
    QTextCursor c(&doc);
    c.setPosition(2);
    const QTextImageFormat f = c.charFormat().toImageFormat();
    EXPECT_EQ(f.name(), QStringLiteral("rtfimg://1"));
    EXPECT_EQ(f.width(), 20);
    EXPECT_EQ(f.height(), 10);
}

TEST(RtfReader, DamagedInputShowsWhatCanBeRead)
{
    QTextDocument doc;
    EXPECT_FALSE(ReadRtf("plain text", doc));
    EXPECT_FALSE(ReadRtf("", doc));
    EXPECT_EQ(Text(" \r\n{\\rtf1 truncated \\'c1\\b"), QStringLiteral("truncated \u00C1"));
    EXPECT_EQ(Text("{\\rtf1 a}}} b{"), QStringLiteral("a b"));
    EXPECT_EQ(Text("{\\rtf1 a\\bin999999999 bc}"), QStringLiteral("a"));
    static const char kDamaged[] = "{\\rtf1 a\0b\\fs99999999999999999 c\\li-99999999999 d"
                                   "\\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop e\\'zz}";
    EXPECT_EQ(Text(QByteArray(kDamaged, sizeof kDamaged - 1)),
              QStringLiteral("abcdezz"));

    const QByteArray deep = "{\\rtf1 start" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " end}";
    EXPECT_EQ(Text(deep), QStringLiteral("startdeep end"));
    EXPECT_EQ(Text("{\\rtf1 start" + QByteArray(100000, '{') + "\\b unclosed"), QStringLiteral("startunclosed"));
    QByteArray cells = "{\\rtf1\\trowd\\intbl";
    for (int i = 0; i < 20000; ++i)
        cells += "x\\cell\\cellx" + QByteArray::number(i) + ' ';
    cells += "\\row}";
    ASSERT_TRUE(ReadRtf(cells, doc));
    EXPECT_LE(FirstTable(doc)->columns(), 64);
}

TEST(RtfReader, LoadsRegularFilesOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.rtf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1 file}");
    file.close();
    QTextDocument doc;
    EXPECT_TRUE(LoadRtfFile(path, doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("file"));
    EXPECT_FALSE(LoadRtfFile(dir.filePath(QStringLiteral("missing.rtf")), doc));
    EXPECT_FALSE(LoadRtfFile(QStringLiteral("/dev/zero"), doc));
    EXPECT_FALSE(LoadRtfFile(dir.path(), doc));
}

// A 5 MB Greek law with formatting and tables, as Word writes them; its
// speed is a figure of the benchmark.
TEST(RtfReader, LargeGreekDocumentReadsWhole)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\froman\\fcharset161 Times New Roman Greek;}}"
                     "{\\colortbl;\\red0\\green0\\blue128;}\\f0\\fs24 ";
    const QByteArray greek = "\\'c1\\'f1\\'e8\\'f1\\'ef \\'e5\\'ea\\'f0\\'e1\\'e9\\'e4\\'e5\\'f5\\'f4\\'e9\\'ea\\'de\\'f2 ";
    int table = 0;
    for (int p = 0; p < 2000; ++p) {
        rtf += "\\pard\\qj\\li360\\sa120 {\\b " + greek + "}";
        for (int i = 0; i < 25; ++i)
            rtf += (i % 7 == 0) ? "{\\i\\cf1 " + greek + "}" : greek;
        rtf += "\\par\n";
        if (p % 10 == 9 && table++ < 200) {
            for (int r = 0; r < 10; ++r) {
                rtf += "\\trowd\\trgaph108\\trleft-108";
                for (int c = 1; c <= 4; ++c)
                    rtf += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\cellx" + QByteArray::number(c * 2200);
                for (int c = 0; c < 4; ++c)
                    rtf += "\\pard\\intbl " + greek + "\\cell ";
                rtf += "\\row\n";
            }
        }
    }
    rtf += "}";
    ASSERT_GT(rtf.size(), 5'000'000);
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(rtf, doc));
    EXPECT_EQ(doc.rootFrame()->childFrames().size(), 200);
    EXPECT_TRUE(doc.toPlainText().startsWith(QStringLiteral("Αρθρο εκπαιδευτικής")));
}

namespace {

QString CellText(QTextTable* t, int r, int c)
{
    QTextCursor cur = t->cellAt(r, c).firstCursorPosition();
    cur.setPosition(t->cellAt(r, c).lastPosition(), QTextCursor::KeepAnchor);
    return cur.selectedText();
}

// How deep tables are nested in the frame, counting tables only.
int TableDepth(QTextFrame* frame)
{
    int deepest = 0;
    for (QTextFrame* f : frame->childFrames())
        deepest = std::max(deepest, TableDepth(f) + (qobject_cast<QTextTable*>(f) ? 1 : 0));
    return deepest;
}

QList<qreal> Widths(const QTextDocument& doc)
{
    QList<qreal> widths;
    for (const QTextLength& l : FirstTable(doc)->format().columnWidthConstraints())
        widths.append(l.rawValue());
    return widths;
}

} // namespace

// What word processors write beyond plain formatted text.

TEST(RtfWordProcessor, SmallCapitals)
{
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1 {\\scaps Small} {\\caps\\scaps Big}\\scaps\\scaps0 plain}", doc));
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Small")).fontCapitalization(), QFont::SmallCaps);
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Big")).fontCapitalization(), QFont::AllUppercase);
    EXPECT_EQ(FormatAt(doc, QStringLiteral("plain")).fontCapitalization(), QFont::MixedCase);
}

TEST(RtfWordProcessor, SymbolFontBulletsWithoutTheirCharacterSet)
{
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fnil Symbol;}}{\\f1\\'b7}\\tab item \\'b7}", doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("\u2022\titem \u00B7"));
    // The installed fonts named Symbol draw the Unicode bullet blank.
    EXPECT_TRUE(FormatAt(doc, QStringLiteral("\u2022")).fontFamilies().toStringList().isEmpty());
}

TEST(RtfWordProcessor, NestedTablesAreTablesInTheirCell)
{
    QTextDocument doc;
    auto nestedRow = [](const QByteArray& cells) {
        return "{\\*\\nesttableprops\\trowd" + cells + "\\nestrow}{\\nonesttables\\par}";
    };
    ASSERT_TRUE(ReadRtf("{\\rtf1\\trowd\\cellx3000\\cellx6000\\pard\\intbl outer\\cell"
                        "\\pard\\intbl\\itap2 n1\\nestcell n2\\nestcell" + nestedRow("\\cellx1000\\cellx2000") +
                        "\\pard\\intbl\\itap2 n3\\nestcell n4\\nestcell" + nestedRow("\\cellx500\\cellx2000") +
                        "\\pard\\intbl\\itap1 after\\cell\\row\\pard end\\par}",
                        doc));
    QTextTable* outer = FirstTable(doc);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->rows(), 1);
    EXPECT_EQ(outer->columns(), 2);
    EXPECT_EQ(CellText(outer, 0, 0), QStringLiteral("outer"));
    ASSERT_EQ(outer->childFrames().size(), 1);
    auto* inner = qobject_cast<QTextTable*>(outer->childFrames().front());
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(outer->cellAt(inner->firstPosition()), outer->cellAt(0, 1));
    // Its rows' cells end at different places, so some of its cells span columns.
    EXPECT_EQ(inner->rows(), 2);
    EXPECT_EQ(inner->columns(), 3);
    EXPECT_EQ(inner->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(CellText(inner, 0, 0), QStringLiteral("n1"));
    EXPECT_EQ(CellText(inner, 1, 1), QStringLiteral("n4"));
    EXPECT_NEAR(inner->format().columnWidthConstraints().value(2).rawValue(), 1000 / 15.0, 0.01);
    EXPECT_TRUE(CellText(outer, 0, 1).endsWith(QStringLiteral("after")));
    EXPECT_FALSE(doc.toPlainText().contains(u'\t'));
    EXPECT_TRUE(doc.toPlainText().endsWith(QStringLiteral("end")));

    // Deeper than a few levels the tables are flattened, their text kept.
    std::function<QByteArray(int)> cell = [&](int depth) -> QByteArray {
        const QByteArray d = QByteArray::number(depth);
        const QByteArray end = depth == 1 ? "\\cell" : "\\nestcell";
        const QByteArray own = "\\pard\\intbl\\itap" + d + " L" + d + end;
        return depth == 12 ? own
                           : cell(depth + 1) + "{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}" + own;
    };
    ASSERT_TRUE(ReadRtf("{\\rtf1\\trowd\\cellx5000 " + cell(1) + "\\row}", doc));
    EXPECT_EQ(TableDepth(doc.rootFrame()), 4);
    for (int depth = 1; depth <= 12; ++depth)
        EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("L%1").arg(depth))) << depth;
}

TEST(RtfWordProcessor, NotesFollowTheBodyNumberedByTheirMarks)
{
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf("{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0\\fcharset161 Arial;}}\\f0 "
                        "\\'c1\\'f1\\'e8\\'f1\\'ef 5\\chftn{\\footnote\\pard\\plain\\chftn  \\'d6\\'c5\\'ca {\\b \\'c1} 45}.\\par"
                        "\\'e2{\\super *}{\\footnote\\pard\\plain{\\super *} lit}"
                        "\\chftn{\\footnote\\ftnalt\\pard\\plain end}\\par}",
                        doc));
    QStringList blocks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        blocks.append(b.text());
    // The rule above the notes is a block of its own.
    ASSERT_EQ(blocks.size(), 6);
    EXPECT_EQ(blocks.mid(0, 2), (QStringList{QStringLiteral("Αρθρο 51."), QStringLiteral("β*2")}));
    EXPECT_EQ(blocks.mid(3), (QStringList{QStringLiteral("1 ΦΕΚ Α 45"), QStringLiteral("* lit"), QStringLiteral("2 end")}));
    auto formatAfter = [&doc](int position) {
        QTextCursor c(&doc);
        c.setPosition(position);
        return c.charFormat();
    };
    EXPECT_EQ(formatAfter(8).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_NE(formatAfter(7).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    const QTextBlock firstNote = doc.findBlockByNumber(3);
    EXPECT_EQ(formatAfter(firstNote.position() + 1).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(FormatAt(doc, QStringLiteral("ΦΕΚ Α")).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAfter(doc.findBlockByNumber(5).position() + 1).verticalAlignment(), QTextCharFormat::AlignSuperScript);
}

TEST(RtfWordProcessor, WideTableFitsTheViewButPrintsAtItsOwnWidths)
{
    RichTextBox box(QStringLiteral("rtbWord"));
    box.resize(400, 300);
    box.show();
    box.SetTextRTF("{\\rtf1\\trowd\\cellx6000\\cellx12000\\cellx18000\\pard\\intbl a\\cell b\\cell c\\cell\\row}");
    QCoreApplication::processEvents();
    EXPECT_EQ(box.horizontalScrollBar()->maximum(), 0);
    const QList<qreal> shown = Widths(*box.document());
    ASSERT_EQ(shown.size(), 3);
    EXPECT_LT(shown[0] * 3, box.viewport()->width());
    EXPECT_DOUBLE_EQ(shown[0], shown[2]);

    const std::unique_ptr<QTextDocument> print = UnfittedCopy(*box.document());
    ASSERT_TRUE(print);
    EXPECT_EQ(Widths(*print), (QList<qreal>{400, 400, 400}));
    EXPECT_EQ(print->toPlainText(), box.document()->toPlainText());

    box.resize(1400, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(Widths(*box.document()), (QList<qreal>{400, 400, 400}));
    EXPECT_FALSE(UnfittedCopy(*box.document()));
}

TEST(RtfReader, AParagraphOfThousandsOfRunsKeepsAllItsText)
{
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < 5000; ++i)
        rtf += "\\b x\\b0 y";
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(rtf + "\\par}", doc));
    EXPECT_EQ(doc.toPlainText().trimmed(), QString(5000, u'x').replace(u'x', QStringLiteral("xy")));
    // The first runs keep their own formats.
    QTextCursor first(&doc);
    first.setPosition(1);
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);
}

TEST(RtfReader, AHugeDocumentIsCutWithANote)
{
    QByteArray many = "{\\rtf1\\ansi ";
    for (size_t i = 0; i < Rtf::kMaxBlocks + 50; ++i)
        many += "p\\par ";
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(many + "}", doc));
    EXPECT_LE(static_cast<size_t>(doc.blockCount()), Rtf::kMaxBlocks + 2);
    EXPECT_TRUE(doc.lastBlock().text().startsWith(QStringLiteral("[Το έγγραφο είναι πολύ μεγάλο")));

    QByteArray cell = "{\\rtf1\\ansi \\trowd\\cellx3000 \\pard\\intbl ";
    for (size_t i = 0; i < Rtf::kMaxCellParagraphs + 500; ++i)
        cell += "c\\par ";
    QTextDocument table;
    ASSERT_TRUE(ReadRtf(cell + "x\\cell\\row}", table));
    EXPECT_LT(table.blockCount(), static_cast<int>(Rtf::kMaxCellParagraphs) + 20);
    EXPECT_TRUE(table.toPlainText().contains(QStringLiteral("[Ένα κελί πίνακα")));
}
