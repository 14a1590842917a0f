#include "documents/RtfParser.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace Rtf {

namespace {

// Deeper groups are counted but share the state of the last one kept, so
// hostile nesting cannot grow the stack.
constexpr size_t kMaxDepth = 1000;
constexpr int kMaxColors = 4096;
constexpr int kMaxFontName = 256;
// Larger pictures would take seconds and hundreds of megabytes to decode.
constexpr qint64 kMaxPicturePixels = 50'000'000;


// Only code pages with a known decoder are used, so an unknown number costs
// nothing and falls back to the common Western one.
const char* CodepageName(int cp)
{
    switch (cp) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    case 65001: return "UTF-8";
    default: return "windows-1252";
    }
}

// Word names the script variants of a font after the script, e.g. "Arial Greek";
// the installed font is the plain family.
QString PlainFamily(QString name)
{
    for (const char* suffix : {" Greek", " CE", " Cyr", " Tur", " Baltic"}) {
        const QLatin1StringView s(suffix);
        if (name.endsWith(s) && name.size() > s.size())
            return name.chopped(s.size());
    }
    return name;
}

} // namespace

Parser::Parser(std::string_view data, QTextDocument& document)
    : lex(data), doc(document), builder(document, formats)
{
    stack.reserve(64);
    stack.emplace_back();
}

Parser::Parser(std::string_view data, QTextDocument& scratch, std::string& plain) : Parser(data, scratch)
{
    builder.setPlainText(&plain);
}

void Parser::run()
{
    for (Token t = lex.next(); t.kind != TokenKind::End; t = lex.next()) {
        switch (t.kind) {
        case TokenKind::GroupOpen:
        case TokenKind::GroupClose:
            // A brace ends the characters a \u stands for.
            skip = 0;
            star = false;
            t.kind == TokenKind::GroupOpen ? openGroup() : closeGroup();
            break;
        case TokenKind::Word:
            if (t.text == "bin") {
                const std::string_view bytes = lex.takeBinary(t.hasParam ? t.param : 0);
                if (skip > 0)
                    --skip;
                else if (top().dest == Dest::Picture && picture.kind != PictureState::Other)
                    picture.data.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
            } else if (skip > 0) {
                --skip;
            } else {
                word(t);
            }
            break;
        case TokenKind::Symbol:
            if (skip > 0)
                --skip;
            else
                symbol(t.byte);
            break;
        case TokenKind::Hex:
            if (skip > 0)
                --skip;
            else
                byte(t.byte);
            break;
        case TokenKind::Text: {
            std::string_view s = t.text;
            const size_t skipped = std::min(static_cast<size_t>(skip), s.size());
            s.remove_prefix(skipped);
            skip -= static_cast<int>(skipped);
            if (!s.empty())
                text(s);
            break;
        }
        case TokenKind::End:
            break;
        }
    }
    flushBytes();
    if (noteDepth > 0)
        endNote();
    builder.finish(top().para);
}

void Parser::openGroup()
{
    if (stack.size() >= kMaxDepth) {
        ++overflow;
        return;
    }
    stack.push_back(stack.back());
}

void Parser::closeGroup()
{
    if (overflow > 0) {
        --overflow;
        return;
    }
    // A brace with no group open is damage; the text after it still shows.
    if (stack.size() <= 1)
        return;
    const Group& g = top();
    const Dest outer = stack[stack.size() - 2].dest;
    if (g.dest == Dest::FontTable)
        commitFontName();
    if (g.dest == Dest::Picture && outer != Dest::Picture)
        finishPicture();
    leaveGroup();
}

void Parser::leaveGroup()
{
    if (noteDepth == stack.size())
        endNote();
    stack.pop_back();
}

void Parser::setDestination(Dest dest)
{
    // Outside every group a destination would swallow the rest of the input.
    if (!atRoot())
        top().dest = dest;
}

void Parser::skipDestination()
{
    if (atRoot())
        return;
    lex.skipGroup();
    if (overflow > 0)
        --overflow;
    else
        leaveGroup();
}

void Parser::symbol(unsigned char c)
{
    switch (c) {
    case '\\':
    case '{':
    case '}':
        byte(c);
        break;
    case '~':
        addChar(u'\u00A0');
        break;
    case '_':
        addChar(u'\u2011');
        break;
    case '*':
        star = true;
        break;
    default:
        // \- (an optional hyphen) and the index marks show nothing.
        break;
    }
}

void Parser::text(std::string_view bytes)
{
    if (top().dest == Dest::Body) {
        if (top().chr.hidden)
            return;
        const int f = formatIndex();
        const int cp = codepage();
        if (!pending.isEmpty() && (f != pendingFormat || cp != pendingCp))
            flushBytes();
        pendingFormat = f;
        pendingCp = cp;
        pending.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
        return;
    }
    for (const char b : bytes)
        byte(static_cast<unsigned char>(b));
}

void Parser::byte(unsigned char b)
{
    switch (top().dest) {
    case Dest::Body: {
        const char c = static_cast<char>(b);
        text(std::string_view(&c, 1));
        break;
    }
    case Dest::FontTable:
        if (b == ';')
            commitFontName();
        else if (fontName.size() < kMaxFontName)
            fontName.append(static_cast<char>(b));
        break;
    case Dest::ColorTable:
        if (b == ';')
            commitColor();
        break;
    case Dest::Picture:
        pictureByte(b);
        break;
    case Dest::Skip:
    case Dest::NestProps:
        break;
    }
}

void Parser::addChar(char16_t c)
{
    if (top().dest != Dest::Body || top().chr.hidden)
        return;
    flushBytes();
    builder.addText(QString(QChar(c)), formatIndex());
}

void Parser::flushBytes()
{
    if (pending.isEmpty())
        return;
    QString text = decoder(pendingCp).decode(pending);
    if (pendingCp == kSymbolCodepage)
        text.replace(u'\u00B7', u'\u2022').replace(u'\u00A7', u'\u25AA');
    builder.addText(text, pendingFormat);
    pending.clear();
}

int Parser::formatOf(const CharState& s)
{
    if (lastFormat >= 0 && s == lastState)
        return lastFormat;
    auto it = formatIds.find(s);
    if (it == formatIds.end()) {
        it = formatIds.emplace(s, static_cast<int>(formats.size())).first;
        formats.push_back(makeFormat(s));
    }
    lastState = s;
    lastFormat = it->second;
    return lastFormat;
}

QTextCharFormat Parser::makeFormat(const CharState& s) const
{
    QTextCharFormat f;
    const FontDef* font = findFont(s.font >= 0 ? s.font : defaultFont);
    // A symbol font's characters are read as the Unicode ones they stand for,
    // which the installed fonts of that name may draw blank.
    if (font && !font->family.isEmpty() && font->codepage != kSymbolCodepage)
        f.setFontFamilies({font->family});
    f.setFontPointSize(s.size / 2.0);
    if (s.bold)
        f.setFontWeight(QFont::Bold);
    if (s.italic)
        f.setFontItalic(true);
    if (s.underline)
        f.setFontUnderline(true);
    if (s.strike)
        f.setFontStrikeOut(true);
    if (s.caps)
        f.setFontCapitalization(QFont::AllUppercase);
    else if (s.smallCaps)
        f.setFontCapitalization(QFont::SmallCaps);
    if (s.vertical != 0)
        f.setVerticalAlignment(s.vertical == 1 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
    auto color = [this](int i) { return i >= 0 && static_cast<size_t>(i) < colors.size() ? colors[i] : QColor(); };
    if (const QColor fg = color(s.fg); fg.isValid())
        f.setForeground(fg);
    if (const QColor bg = color(s.bg); bg.isValid())
        f.setBackground(bg);
    return f;
}

const FontDef* Parser::findFont(int number) const
{
    const auto it = fontIndex.constFind(number);
    return it == fontIndex.constEnd() ? nullptr : &fonts[*it];
}

int Parser::codepage()
{
    const int font = top().chr.font >= 0 ? top().chr.font : defaultFont;
    if (font != cachedFont) {
        const FontDef* f = findFont(font);
        cachedFont = font;
        cachedCp = f && f->codepage > 0 ? f->codepage : documentCp;
    }
    return cachedCp;
}

QStringDecoder& Parser::decoder(int cp)
{
    auto& d = decoders[cp];
    if (!d) {
        d = std::make_unique<QStringDecoder>(CodepageName(cp), QStringConverter::Flag::Stateless);
        if (!d->isValid())
            d = std::make_unique<QStringDecoder>(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
    }
    return *d;
}

void Parser::commitFontName()
{
    if (fontDef >= 0 && !fontName.isEmpty()) {
        FontDef& f = fonts[fontDef];
        const QString name = decoder(f.codepage > 0 ? f.codepage : documentCp).decode(fontName);
        f.family = PlainFamily(name.trimmed());
        // Writers leave the Symbol font's character set undeclared at times;
        // its bullets are still its own glyphs.
        if (f.family.compare(QLatin1StringView("Symbol"), Qt::CaseInsensitive) == 0) {
            f.codepage = kSymbolCodepage;
            cachedFont = INT_MIN;
        }
    }
    fontName.clear();
}

void Parser::beginNote()
{
    // A note inside a note, or one no group holds, is left out.
    if (noteDepth > 0 || overflow > 0 || atRoot()) {
        skipDestination();
        return;
    }
    flushBytes();
    noteDepth = stack.size();
    noteNumber = std::exchange(unclaimedMark, 0);
    noteMarkShown = false;
    builder.beginNote();
}

void Parser::endNote()
{
    flushBytes();
    // A note that does not repeat its mark is still numbered as it.
    QString mark;
    int markFormat = 0;
    if (!noteMarkShown && noteNumber > 0) {
        CharState s = top().chr;
        s.vertical = 1;
        s.hidden = false;
        mark = QString::number(noteNumber);
        markFormat = formatOf(s);
    }
    builder.endNote(top().para, mark, markFormat);
    noteDepth = 0;
}

void Parser::addMark(int number)
{
    if (top().dest != Dest::Body || top().chr.hidden)
        return;
    flushBytes();
    CharState s = top().chr;
    s.vertical = 1;
    builder.addText(QString::number(number), formatOf(s));
}

void Parser::commitColor()
{
    if (colors.size() < kMaxColors)
        colors.push_back(colorGiven ? QColor(red, green, blue) : QColor());
    red = green = blue = 0;
    colorGiven = false;
}

void Parser::pictureByte(unsigned char b)
{
    const int v = HexValue(b);
    if (v < 0 || picture.kind == PictureState::Other)
        return;
    if (picture.highNibble < 0) {
        picture.highNibble = v;
    } else {
        picture.data.append(static_cast<char>(picture.highNibble * 16 + v));
        picture.highNibble = -1;
    }
}

void Parser::finishPicture()
{
    const PictureState p = std::exchange(picture, PictureState{});
    if (builder.plainOnly())
        return;
    if ((p.kind != PictureState::Png && p.kind != PictureState::Jpeg) || p.data.isEmpty() || top().chr.hidden)
        return;
    QBuffer buffer;
    buffer.setData(p.data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, p.kind == PictureState::Png ? "png" : "jpeg");
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxPicturePixels)
        return;
    const QImage image = reader.read();
    if (image.isNull())
        return;
    // Goals are in twips, 15 to a pixel at 96 dots an inch; scales in percent.
    const qreal w = (p.goalWidth > 0 ? p.goalWidth / 15.0 : image.width()) * p.scaleX / 100.0;
    const qreal h = (p.goalHeight > 0 ? p.goalHeight / 15.0 : image.height()) * p.scaleY / 100.0;
    flushBytes();
    builder.addImage(image, QSizeF(std::clamp(w, 1.0, 20000.0), std::clamp(h, 1.0, 20000.0)));
}

} // namespace Rtf
