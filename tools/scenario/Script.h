#pragma once
// Reading of scenario scripts: one command per line, words separated by blanks, words in
// double quotes may hold blanks and the escapes \r \n \" \\.
#include "platform/Error.h"

#include <string>
#include <vector>

namespace velcaro::scenario {

struct Word {
    std::string text;
    bool quoted = false;
};

struct Line {
    int number = 0;           // 1-based line in the file
    std::vector<Word> words;  // never empty
};

class ScriptSyntaxError : public Error {
public:
    ScriptSyntaxError(int line, const std::string& message) : Error(message), line_(line) {}
    int LineNumber() const { return line_; }

private:
    int line_;
};

// Splits a script into its command lines; blank lines and lines starting with '#'
// are left out. Throws velcaro::Error naming the line for an unterminated quote.
std::vector<Line> ParseScript(const std::string& text);

} // namespace velcaro::scenario
