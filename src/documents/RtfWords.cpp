#include "documents/RtfParser.h"

#include <algorithm>

namespace Rtf {

namespace {

// Beyond 22 inches no indent or spacing means anything on a page.
constexpr int kMaxTwips = 31680;

int Twips(const Token& t)
{
    return std::clamp(t.hasParam ? t.param : 0, -kMaxTwips, kMaxTwips);
}

bool On(const Token& t)
{
    return !t.hasParam || t.param != 0;
}

const std::unordered_map<std::string_view, Kw>& Words()
{
    static const std::unordered_map<std::string_view, Kw> words = [] {
        std::unordered_map<std::string_view, Kw> w = {
            {"bin", Kw::Bin},
            {"fonttbl", Kw::FontTable}, {"colortbl", Kw::ColorTable}, {"pict", Kw::Pict},
            {"nesttableprops", Kw::NestTableProps}, {"shppict", Kw::ShpPict},
            {"ansi", Kw::Ansi}, {"mac", Kw::Mac}, {"pc", Kw::Pc}, {"pca", Kw::Pca},
            {"ansicpg", Kw::AnsiCpg}, {"deff", Kw::Deff},
            {"fcharset", Kw::Charset}, {"cpg", Kw::Cpg},
            {"red", Kw::Red}, {"green", Kw::Green}, {"blue", Kw::Blue},
            {"plain", Kw::Plain}, {"b", Kw::Bold}, {"i", Kw::Italic},
            {"ulnone", Kw::UnderlineNone}, {"strike", Kw::Strike}, {"striked", Kw::Strike},
            {"v", Kw::Hidden}, {"caps", Kw::Caps}, {"scaps", Kw::SmallCaps},
            {"super", Kw::Super}, {"sub", Kw::Sub}, {"nosupersub", Kw::NoSuperSub},
            {"f", Kw::Font}, {"fs", Kw::FontSize}, {"cf", Kw::Foreground},
            {"cb", Kw::Background}, {"highlight", Kw::Background},
            {"pard", Kw::Pard}, {"ql", Kw::Left}, {"qr", Kw::Right}, {"qc", Kw::Center},
            {"qj", Kw::Justify}, {"qd", Kw::Justify},
            {"li", Kw::LeftIndent}, {"lin", Kw::LeftIndent}, {"ri", Kw::RightIndent},
            {"rin", Kw::RightIndent}, {"fi", Kw::FirstIndent},
            {"sb", Kw::SpaceBefore}, {"sa", Kw::SpaceAfter}, {"sl", Kw::LineSpacing},
            {"slmult", Kw::LineMultiple}, {"intbl", Kw::InTable}, {"itap", Kw::Itap},
            {"pagebb", Kw::PageBefore},
            {"par", Kw::Par}, {"sect", Kw::Par}, {"line", Kw::Line}, {"column", Kw::Line},
            {"tab", Kw::Tab}, {"page", Kw::Page}, {"cell", Kw::Cell}, {"row", Kw::Row},
            {"nestcell", Kw::NestCell}, {"nestrow", Kw::NestRow},
            {"footnote", Kw::Footnote}, {"chftn", Kw::NoteMark},
            {"emdash", Kw::Emdash}, {"endash", Kw::Endash}, {"lquote", Kw::Lquote},
            {"rquote", Kw::Rquote}, {"ldblquote", Kw::Ldblquote}, {"rdblquote", Kw::Rdblquote},
            {"bullet", Kw::Bullet}, {"emspace", Kw::Emspace}, {"enspace", Kw::Enspace},
            {"qmspace", Kw::Qmspace}, {"zwj", Kw::Zwj}, {"zwnj", Kw::Zwnj},
            {"ltrmark", Kw::Ltrmark}, {"rtlmark", Kw::Rtlmark},
            {"u", Kw::Unicode}, {"uc", Kw::UnicodeSkip},
            {"trowd", Kw::Trowd}, {"cellx", Kw::Cellx}, {"clmrg", Kw::Clmrg}, {"clvmrg", Kw::Clvmrg},
            {"clbrdrt", Kw::CellBorder}, {"clbrdrb", Kw::CellBorder}, {"clbrdrl", Kw::CellBorder},
            {"clbrdrr", Kw::CellBorder},
            {"trbrdrt", Kw::RowBorder}, {"trbrdrb", Kw::RowBorder}, {"trbrdrl", Kw::RowBorder},
            {"trbrdrr", Kw::RowBorder}, {"trbrdrh", Kw::RowBorder}, {"trbrdrv", Kw::RowBorder},
            {"brdrt", Kw::ParaBorder}, {"brdrb", Kw::ParaBorder}, {"brdrl", Kw::ParaBorder},
            {"brdrr", Kw::ParaBorder}, {"box", Kw::ParaBorder},
            {"trgaph", Kw::Trgaph}, {"trleft", Kw::Trleft},
            {"trql", Kw::TableLeft}, {"trqc", Kw::TableCenter}, {"trqr", Kw::TableRight},
            {"pngblip", Kw::Png}, {"jpegblip", Kw::Jpeg},
            {"wmetafile", Kw::OtherPicture}, {"emfblip", Kw::OtherPicture},
            {"macpict", Kw::OtherPicture}, {"pmmetafile", Kw::OtherPicture},
            {"dibitmap", Kw::OtherPicture}, {"wbitmap", Kw::OtherPicture},
            {"picwgoal", Kw::PicWidthGoal}, {"pichgoal", Kw::PicHeightGoal},
            {"picscalex", Kw::PicScaleX}, {"picscaley", Kw::PicScaleY},
        };
        // Underline kinds all mean underlined here.
        for (const char* u : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash",
                              "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                              "ululdbwave", "ulw", "ulwave"})
            w.emplace(u, Kw::Underline);
        // Border words that are not a line style.
        for (const char* b : {"brdrw", "brdrcf", "brdrsp", "brdrnone", "brdrnil", "brdrtbl", "brdrart",
                              "brdrframe", "brdrbar", "brdrbtw"})
            w.emplace(b, Kw::Ignore);
        // Destinations whose content never shows in the body.
        for (const char* d : {"stylesheet", "info", "header", "footer", "headerl", "headerr", "headerf",
                              "footerl", "footerr", "footerf", "annotation", "atnid",
                              "atnauthor", "objdata", "objclass", "objname", "themedata",
                              "colorschememapping", "datastore", "latentstyles", "listtable",
                              "listoverridetable", "rsidtbl", "generator", "xmlnstbl", "mmathPr",
                              "pn", "fldinst", "nonshppict", "nonesttables", "revtbl", "filetbl",
                              "pgdsctbl", "do", "shpinst", "xe", "tc", "txe", "rxe", "bkmkstart",
                              "bkmkend", "template", "comment", "title", "subject", "author",
                              "operator", "keywords", "doccomm", "company", "userprops", "docvar",
                              "fchars", "lchars", "protusertbl", "listpicture", "background",
                              "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn",
                              "wgrffmtfilter", "blipuid", "picprop", "fldtype", "formfield",
                              "datafield", "sp", "sn", "sv", "falt", "panose", "fname"})
            w.emplace(d, Kw::SkipDest);
        return w;
    }();
    return words;
}

} // namespace

Kw Keyword(std::string_view word)
{
    const auto& words = Words();
    const auto it = words.find(word);
    if (it != words.end())
        return it->second;
    if (word.size() > 4 && word.substr(0, 4) == "brdr")
        return Kw::BorderStyle;
    return Kw::None;
}

void Parser::word(const Token& t)
{
    const Kw kw = Keyword(t.text);
    if (star) {
        star = false;
        // An ignorable destination this reader does not know is left out whole.
        if (kw != Kw::ShpPict && kw != Kw::NestTableProps) {
            skipDestination();
            return;
        }
    }
    const int param = t.hasParam ? t.param : 0;
    switch (top().dest) {
    case Dest::Body:
        bodyWord(kw, t);
        return;
    case Dest::FontTable:
        fontWord(kw, param);
        return;
    case Dest::ColorTable:
        if (kw == Kw::Red || kw == Kw::Green || kw == Kw::Blue) {
            (kw == Kw::Red ? red : kw == Kw::Green ? green : blue) = std::clamp(param, 0, 255);
            colorGiven = true;
        }
        return;
    case Dest::Picture:
        pictureWord(kw, param);
        return;
    case Dest::NestProps:
        if (kw == Kw::NestRow)
            nestedRowEnd();
        else
            nestedRow.word(kw, param);
        return;
    case Dest::Skip:
        return;
    }
}

void Parser::fontWord(Kw kw, int param)
{
    static const std::vector<std::pair<int, int>> charsets = {
        {0, 1252}, {2, kSymbolCodepage}, {77, 10000}, {128, 932}, {129, 949}, {134, 936}, {136, 950},
        {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257},
        {204, 1251}, {222, 874}, {238, 1250}, {254, 437}, {255, 850}};
    if (kw == Kw::Font) {
        commitFontName();
        auto it = fontIndex.constFind(param);
        if (it != fontIndex.constEnd()) {
            fontDef = *it;
        } else if (fonts.size() < 4096) {
            fontDef = static_cast<int>(fonts.size());
            fontIndex.insert(param, fontDef);
            fonts.emplace_back();
        } else {
            fontDef = -1;
        }
        cachedFont = INT_MIN;
    } else if ((kw == Kw::Charset || kw == Kw::Cpg) && fontDef >= 0) {
        int cp = param;
        if (kw == Kw::Charset) {
            const auto it = std::find_if(charsets.begin(), charsets.end(),
                                         [param](const auto& c) { return c.first == param; });
            cp = it != charsets.end() ? it->second : 0;
        }
        fonts[fontDef].codepage = cp;
        cachedFont = INT_MIN;
    }
}

void Parser::pictureWord(Kw kw, int param)
{
    switch (kw) {
    case Kw::Png:
        picture.kind = PictureState::Png;
        break;
    case Kw::Jpeg:
        picture.kind = PictureState::Jpeg;
        break;
    case Kw::OtherPicture:
        picture.kind = PictureState::Other;
        picture.data.clear();
        break;
    case Kw::PicWidthGoal:
        picture.goalWidth = std::clamp(param, 0, kMaxTwips * 10);
        break;
    case Kw::PicHeightGoal:
        picture.goalHeight = std::clamp(param, 0, kMaxTwips * 10);
        break;
    case Kw::PicScaleX:
        picture.scaleX = std::clamp(param, 1, 1000);
        break;
    case Kw::PicScaleY:
        picture.scaleY = std::clamp(param, 1, 1000);
        break;
    default:
        break;
    }
}

void RowReader::word(Kw kw, int param)
{
    switch (kw) {
    case Kw::Trowd:
        row = RowDef{};
        cell = CellDef{};
        target = BorderTarget::None;
        break;
    case Kw::Cellx:
        cell.right = param;
        if (row.cells.size() < kMaxCells)
            row.cells.push_back(cell);
        cell = CellDef{};
        target = BorderTarget::None;
        break;
    case Kw::Clmrg:
        cell.merged = true;
        break;
    case Kw::Clvmrg:
        cell.vmerged = true;
        break;
    case Kw::CellBorder:
        target = BorderTarget::Cell;
        break;
    case Kw::RowBorder:
        target = BorderTarget::Row;
        break;
    case Kw::ParaBorder:
        target = BorderTarget::None;
        break;
    case Kw::BorderStyle:
        if (target == BorderTarget::Cell)
            cell.border = true;
        else if (target == BorderTarget::Row)
            row.border = true;
        hadBorder = hadBorder || target != BorderTarget::None;
        break;
    case Kw::Trgaph:
        row.gap = std::clamp(param, 0, kMaxTwips);
        break;
    case Kw::Trleft:
        row.left = std::clamp(param, -kMaxTwips, kMaxTwips);
        break;
    case Kw::TableLeft:
        row.align = Qt::AlignLeft;
        break;
    case Kw::TableCenter:
        row.align = Qt::AlignHCenter;
        break;
    case Kw::TableRight:
        row.align = Qt::AlignRight;
        break;
    default:
        break;
    }
}

RowDef RowReader::take()
{
    // Word repeats the row's properties before its end, at times without
    // the borders it gave at the start.
    RowDef ended = row;
    ended.border = ended.border || hadBorder;
    hadBorder = false;
    return ended;
}

void Parser::nestedRowEnd()
{
    flushBytes();
    const ParaState& p = top().para;
    if (p.depth >= 2 && p.depth <= kMaxTableDepth) {
        builder.endNestedRow(nestedRow.take(), p);
        return;
    }
    ParaState inCell = p;
    inCell.depth = std::max(p.depth, 1);
    builder.endParagraph(inCell);
}

void Parser::bodyWord(Kw kw, const Token& t)
{
    const int param = t.hasParam ? t.param : 0;
    CharState& c = top().chr;
    ParaState& p = top().para;
    switch (kw) {
    case Kw::FontTable:
        setDestination(Dest::FontTable);
        fontDef = -1;
        break;
    case Kw::ColorTable:
        setDestination(Dest::ColorTable);
        break;
    case Kw::Pict:
        setDestination(Dest::Picture);
        picture = PictureState{};
        break;
    case Kw::NestTableProps:
        setDestination(Dest::NestProps);
        break;
    case Kw::SkipDest:
        skipDestination();
        break;
    case Kw::Ansi:
        documentCp = 1252;
        cachedFont = INT_MIN;
        break;
    case Kw::Mac:
        documentCp = 10000;
        cachedFont = INT_MIN;
        break;
    case Kw::Pc:
        documentCp = 437;
        cachedFont = INT_MIN;
        break;
    case Kw::Pca:
        documentCp = 850;
        cachedFont = INT_MIN;
        break;
    case Kw::AnsiCpg:
        documentCp = param;
        cachedFont = INT_MIN;
        break;
    case Kw::Deff:
        defaultFont = param;
        cachedFont = INT_MIN;
        break;
    case Kw::Plain:
        c = CharState{};
        break;
    case Kw::Bold:
        c.bold = On(t);
        break;
    case Kw::Italic:
        c.italic = On(t);
        break;
    case Kw::Underline:
        c.underline = On(t);
        break;
    case Kw::UnderlineNone:
        c.underline = false;
        break;
    case Kw::Strike:
        c.strike = On(t);
        break;
    case Kw::Hidden:
        c.hidden = On(t);
        break;
    case Kw::Caps:
        c.caps = On(t);
        break;
    case Kw::SmallCaps:
        c.smallCaps = On(t);
        break;
    case Kw::Super:
        c.vertical = 1;
        break;
    case Kw::Sub:
        c.vertical = 2;
        break;
    case Kw::NoSuperSub:
        c.vertical = 0;
        break;
    case Kw::Font:
        c.font = param;
        break;
    case Kw::FontSize:
        c.size = t.hasParam ? std::clamp(param, 2, 2000) : 24;
        break;
    case Kw::Foreground:
        c.fg = param;
        break;
    case Kw::Background:
        c.bg = param;
        break;
    case Kw::Pard:
        p = ParaState{};
        break;
    case Kw::Left:
        p.align = Qt::AlignLeft;
        break;
    case Kw::Right:
        p.align = Qt::AlignRight;
        break;
    case Kw::Center:
        p.align = Qt::AlignHCenter;
        break;
    case Kw::Justify:
        p.align = Qt::AlignJustify;
        break;
    case Kw::LeftIndent:
        p.left = Twips(t);
        break;
    case Kw::RightIndent:
        p.right = Twips(t);
        break;
    case Kw::FirstIndent:
        p.first = Twips(t);
        break;
    case Kw::SpaceBefore:
        p.before = Twips(t);
        break;
    case Kw::SpaceAfter:
        p.after = Twips(t);
        break;
    case Kw::LineSpacing:
        p.line = Twips(t);
        break;
    case Kw::LineMultiple:
        p.lineMultiple = On(t);
        break;
    case Kw::InTable:
        p.depth = On(t) ? std::max(p.depth, 1) : 0;
        break;
    case Kw::Itap:
        p.depth = std::clamp(param, 0, 255);
        break;
    case Kw::PageBefore:
        p.pageBefore = On(t);
        break;
    case Kw::Par:
        flushBytes();
        builder.endParagraph(p);
        break;
    case Kw::Line:
        addChar(QChar::LineSeparator);
        break;
    case Kw::Tab:
        addChar(u'\t');
        break;
    case Kw::NestCell:
        if (p.depth >= 2 && p.depth <= kMaxTableDepth) {
            flushBytes();
            builder.endNestedCell(p);
        } else {
            addChar(u'\t');
        }
        break;
    case Kw::Page:
        flushBytes();
        builder.pageBreak(p);
        break;
    case Kw::Cell:
        flushBytes();
        builder.endCell(p);
        break;
    case Kw::Row:
        flushBytes();
        builder.endRow(outerRow.take(), p);
        break;
    case Kw::NestRow:
        nestedRowEnd();
        break;
    case Kw::Footnote:
        beginNote();
        break;
    case Kw::NoteMark:
        if (c.hidden)
            break;
        if (noteDepth == 0) {
            unclaimedMark = ++noteCount;
            addMark(unclaimedMark);
        } else {
            if (noteNumber == 0)
                noteNumber = ++noteCount;
            noteMarkShown = true;
            addMark(noteNumber);
        }
        break;
    case Kw::Emdash: addChar(u'\u2014'); break;
    case Kw::Endash: addChar(u'\u2013'); break;
    case Kw::Lquote: addChar(u'\u2018'); break;
    case Kw::Rquote: addChar(u'\u2019'); break;
    case Kw::Ldblquote: addChar(u'\u201C'); break;
    case Kw::Rdblquote: addChar(u'\u201D'); break;
    case Kw::Bullet: addChar(u'\u2022'); break;
    case Kw::Emspace: addChar(u'\u2003'); break;
    case Kw::Enspace: addChar(u'\u2002'); break;
    case Kw::Qmspace: addChar(u'\u2005'); break;
    case Kw::Zwj: addChar(u'\u200D'); break;
    case Kw::Zwnj: addChar(u'\u200C'); break;
    case Kw::Ltrmark: addChar(u'\u200E'); break;
    case Kw::Rtlmark: addChar(u'\u200F'); break;
    case Kw::Unicode: {
        // A signed 16-bit value; anything outside that range is not a character.
        const int u = param < 0 ? param + 65536 : param;
        if (u > 0 && u <= 0xFFFF)
            addChar(static_cast<char16_t>(u));
        else if (u != 0)
            addChar(QChar::ReplacementCharacter);
        skip = top().uc;
        break;
    }
    case Kw::UnicodeSkip:
        top().uc = std::clamp(param, 0, 64);
        break;
    default:
        outerRow.word(kw, param);
        break;
    }
}

} // namespace Rtf
