#pragma once

#include <cstddef>
#include <string_view>

namespace Rtf {

enum class TokenKind { End, GroupOpen, GroupClose, Word, Symbol, Hex, Text };

struct Token {
    TokenKind kind = TokenKind::End;
    // Word: its letters (empty when longer than any real control word);
    // Text: a run of plain bytes.
    std::string_view text;
    int param = 0;
    bool hasParam = false;
    // Symbol: the character after the backslash; Hex: the byte it gives.
    unsigned char byte = 0;
};

// The value of a hexadecimal digit, or -1.
int HexValue(unsigned char c);

// Splits RTF bytes into tokens in one forward pass. Line ends and NUL bytes
// outside \bin data carry nothing and are dropped.
class Lexer {
public:
    explicit Lexer(std::string_view data) : d(data) {}

    Token next();
    // The raw bytes after \binN; fewer when the data ends first.
    std::string_view takeBinary(int count);
    // Everything up to and including the brace that closes the current group.
    void skipGroup();

private:
    Token word();

    std::string_view d;
    size_t pos = 0;
};

} // namespace Rtf
