#pragma once

#include "documents/RtfBuilder.h"
#include "documents/RtfLexer.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QStringDecoder>
#include <QTextCharFormat>

#include <climits>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

class QTextDocument;

namespace Rtf {

enum class Kw {
    None, Ignore, Bin,
    // destinations
    FontTable, ColorTable, Pict, SkipDest, NestTableProps, ShpPict,
    // document
    Ansi, Mac, Pc, Pca, AnsiCpg, Deff,
    // font and colour tables
    Charset, Cpg, Red, Green, Blue,
    // characters
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, Caps, SmallCaps,
    Super, Sub, NoSuperSub, Font, FontSize, Foreground, Background,
    // paragraphs
    Pard, Left, Right, Center, Justify, LeftIndent, RightIndent, FirstIndent,
    SpaceBefore, SpaceAfter, LineSpacing, LineMultiple, InTable, Itap, PageBefore,
    Par, Line, Tab, Page, Cell, Row, NestCell, NestRow,
    // notes
    Footnote, NoteMark,
    // named characters
    Emdash, Endash, Lquote, Rquote, Ldblquote, Rdblquote, Bullet, Emspace, Enspace,
    Qmspace, Zwj, Zwnj, Ltrmark, Rtlmark,
    Unicode, UnicodeSkip,
    // tables
    Trowd, Cellx, Clmrg, Clvmrg, CellBorder, RowBorder, ParaBorder, BorderStyle,
    Trgaph, Trleft, TableLeft, TableCenter, TableRight,
    // pictures
    Png, Jpeg, OtherPicture, PicWidthGoal, PicHeightGoal, PicScaleX, PicScaleY,
};

Kw Keyword(std::string_view word);

// Symbol fonts draw their own glyphs for byte values; the few used as list
// bullets are given as the Unicode bullets, the rest read as Western.
constexpr int kSymbolCodepage = 42;

enum class Dest : unsigned char { Body, Skip, FontTable, ColorTable, Picture, NestProps };

struct CharState {
    int font = -1; // -1: the document's default font
    int size = 24; // half-points
    int fg = -1;
    int bg = -1;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool caps = false;
    bool smallCaps = false;
    signed char vertical = 0; // 1 superscript, 2 subscript
    auto operator<=>(const CharState&) const = default;
};

struct Group {
    CharState chr;
    ParaState para;
    Dest dest = Dest::Body;
    int uc = 1;
};

struct FontDef {
    QString family;
    int codepage = 0; // 0: the document's
};

struct PictureState {
    enum Kind { Unknown, Png, Jpeg, Other } kind = Unknown;
    QByteArray data;
    int highNibble = -1;
    int goalWidth = 0;
    int goalHeight = 0;
    int scaleX = 100;
    int scaleY = 100;
};

// A row's properties as they are read, for a table of the body or for one
// nested in a cell (given in \nesttableprops).
struct RowReader {
    enum class BorderTarget { None, Cell, Row };
    RowDef row;
    CellDef cell;
    BorderTarget target = BorderTarget::None;
    bool hadBorder = false;

    void word(Kw kw, int param);
    // The row as it ends.
    RowDef take();
};

// One pass over the tokens with an explicit stack of group states, so deep
// nesting costs no recursion.
class Parser {
public:
    Parser(std::string_view data, QTextDocument& document);
    // Reads only the text into plain (see Builder::setPlainText).
    Parser(std::string_view data, QTextDocument& scratch, std::string& plain);
    void run();

private:
    Group& top() { return stack.back(); }
    bool atRoot() const { return stack.size() <= 1 && overflow == 0; }
    void openGroup();
    void closeGroup();
    void leaveGroup();
    void skipDestination();
    void setDestination(Dest dest);

    void word(const Token& t);
    void bodyWord(Kw kw, const Token& t);
    void nestedRowEnd();
    void beginNote();
    void endNote();
    void addMark(int number);
    void fontWord(Kw kw, int param);
    void pictureWord(Kw kw, int param);

    void text(std::string_view bytes);
    void byte(unsigned char b);
    void symbol(unsigned char c);
    void addChar(char16_t c);
    void flushBytes();
    int formatIndex() { return formatOf(top().chr); }
    int formatOf(const CharState& s);
    QTextCharFormat makeFormat(const CharState& s) const;
    int codepage();
    QStringDecoder& decoder(int cp);
    const FontDef* findFont(int number) const;

    void commitFontName();
    void commitColor();
    void pictureByte(unsigned char b);
    void finishPicture();

    Lexer lex;
    QTextDocument& doc;
    std::vector<Group> stack;
    int overflow = 0;
    int skip = 0;
    bool star = false;

    std::vector<QTextCharFormat> formats;
    std::map<CharState, int> formatIds;
    CharState lastState;
    int lastFormat = -1;
    Builder builder;

    QByteArray pending;
    int pendingCp = 0;
    int pendingFormat = 0;
    std::unordered_map<int, std::unique_ptr<QStringDecoder>> decoders;
    int cachedFont = INT_MIN;
    int cachedCp = 0;

    QHash<int, int> fontIndex;
    std::vector<FontDef> fonts;
    int defaultFont = 0;
    int documentCp = 1252;
    int fontDef = -1;
    QByteArray fontName;

    std::vector<QColor> colors;
    int red = 0;
    int green = 0;
    int blue = 0;
    bool colorGiven = false;

    PictureState picture;

    RowReader outerRow;
    RowReader nestedRow;

    // The stack size at the open note's group; 0 outside notes.
    size_t noteDepth = 0;
    int noteNumber = 0;
    bool noteMarkShown = false;
    int noteCount = 0;
    // The number of the mark last put in the body whose note has not begun.
    int unclaimedMark = 0;
};

} // namespace Rtf
