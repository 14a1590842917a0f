#include "documents/RtfLexer.h"

#include <algorithm>
#include <climits>

namespace Rtf {

namespace {

// Real control words are at most 32 letters; longer ones are garbage.
constexpr size_t kMaxWordLength = 32;

bool IsLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}


Token Of(TokenKind kind)
{
    Token t;
    t.kind = kind;
    return t;
}

bool EndsText(unsigned char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c == '\0';
}

} // namespace

int HexValue(unsigned char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Token Lexer::next()
{
    while (pos < d.size()) {
        const auto c = static_cast<unsigned char>(d[pos]);
        switch (c) {
        case '{':
            ++pos;
            return Of(TokenKind::GroupOpen);
        case '}':
            ++pos;
            return Of(TokenKind::GroupClose);
        case '\r':
        case '\n':
        case '\0':
            ++pos;
            continue;
        case '\\':
            return word();
        default: {
            const size_t start = pos;
            while (pos < d.size() && !EndsText(static_cast<unsigned char>(d[pos])))
                ++pos;
            Token t = Of(TokenKind::Text);
            t.text = d.substr(start, pos - start);
            return t;
        }
        }
    }
    return {};
}

Token Lexer::word()
{
    ++pos;
    if (pos >= d.size())
        return {};
    const auto c = static_cast<unsigned char>(d[pos]);
    if (c == '\r' || c == '\n') {
        // A backslash before a line end is a paragraph mark.
        ++pos;
        Token t = Of(TokenKind::Word);
        t.text = "par";
        return t;
    }
    if (c == '\'') {
        ++pos;
        const int high = pos < d.size() ? HexValue(static_cast<unsigned char>(d[pos])) : -1;
        const int low = pos + 1 < d.size() ? HexValue(static_cast<unsigned char>(d[pos + 1])) : -1;
        if (high < 0 || low < 0) {
            // A broken escape yields a symbol the reader ignores; what follows is read as usual.
            pos += high < 0 ? 0 : 1;
            Token t = Of(TokenKind::Symbol);
            t.byte = '\'';
            return t;
        }
        pos += 2;
        Token t = Of(TokenKind::Hex);
        t.byte = static_cast<unsigned char>(high * 16 + low);
        return t;
    }
    if (!IsLetter(c)) {
        ++pos;
        Token t = Of(TokenKind::Symbol);
        t.byte = c;
        return t;
    }
    const size_t start = pos;
    while (pos < d.size() && IsLetter(static_cast<unsigned char>(d[pos])))
        ++pos;
    Token t = Of(TokenKind::Word);
    if (pos - start <= kMaxWordLength)
        t.text = d.substr(start, pos - start);
    bool negative = false;
    if (pos + 1 < d.size() && d[pos] == '-' && IsDigit(static_cast<unsigned char>(d[pos + 1]))) {
        negative = true;
        ++pos;
    }
    if (pos < d.size() && IsDigit(static_cast<unsigned char>(d[pos]))) {
        // Digits beyond the int range saturate rather than wrap.
        long long value = 0;
        while (pos < d.size() && IsDigit(static_cast<unsigned char>(d[pos]))) {
            value = std::min<long long>(value * 10 + (d[pos] - '0'), 1LL << 32);
            ++pos;
        }
        if (negative)
            value = -value;
        t.param = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
        t.hasParam = true;
    }
    if (pos < d.size() && d[pos] == ' ')
        ++pos;
    return t;
}

std::string_view Lexer::takeBinary(int count)
{
    const size_t n = std::min(static_cast<size_t>(std::max(count, 0)), d.size() - pos);
    const std::string_view bytes = d.substr(pos, n);
    pos += n;
    return bytes;
}

void Lexer::skipGroup()
{
    long long depth = 1;
    for (Token t = next(); t.kind != TokenKind::End; t = next()) {
        if (t.kind == TokenKind::GroupOpen)
            ++depth;
        else if (t.kind == TokenKind::GroupClose && --depth == 0)
            return;
        else if (t.kind == TokenKind::Word && t.hasParam && t.text == "bin")
            takeBinary(t.param);
    }
}

} // namespace Rtf
