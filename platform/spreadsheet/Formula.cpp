#include "platform/spreadsheet/Formula.h"

#include "platform/Error.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

namespace velcaro::spreadsheet {

std::string_view ErrorText(ErrorValue e) {
    switch (e) {
    case ErrorValue::Div0:
        return "#DIV/0!";
    case ErrorValue::Value:
        return "#VALUE!";
    case ErrorValue::Ref:
        return "#REF!";
    case ErrorValue::Name:
        return "#NAME?";
    case ErrorValue::Num:
        return "#NUM!";
    case ErrorValue::NA:
        return "#N/A";
    }
    return "#VALUE!";
}

namespace {

// ---------------------------------------------------------------------------------
// Lexer, shared by the translation, the reference shifting and the parser.

enum class Tok { Number, String, Ident, ErrorLit, SheetName, Op, Space };

struct Token {
    Tok kind;
    std::string_view text;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsIdentStart(char c) {
    return IsAsciiLetter(c) || c == '_' || c == '$' || c == '\\' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsIdentPart(char c) {
    return IsIdentStart(c) || IsDigit(c) || c == '.';
}

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

struct ErrorSpelling {
    std::string_view text;
    std::string_view invariant;
};
// Longer spellings first so that the longest one matches.
constexpr std::array<ErrorSpelling, 12> kErrorSpellings = {{
    {"#DIV/0!", "#DIV/0!"},
    {"#VALORE!", "#VALUE!"},
    {"#VALUE!", "#VALUE!"},
    {"#NULLO!", "#NULL!"},
    {"#NULL!", "#NULL!"},
    {"#NOME?", "#NAME?"},
    {"#NAME?", "#NAME?"},
    {"#RIF!", "#REF!"},
    {"#REF!", "#REF!"},
    {"#NUM!", "#NUM!"},
    {"#N/D", "#N/A"},
    {"#N/A", "#N/A"},
}};

[[noreturn]] void ThrowBadFormula(std::string_view formula, std::string_view why) {
    throw Error("Formula non valida: \"" + std::string(formula) + "\" (" + std::string(why) + ").");
}

// Splits a formula body (the text after "=") into tokens. decimal is the decimal mark
// of numbers: '.' in the invariant form, ',' in the semicolon form.
std::vector<Token> Lex(std::string_view formula, std::string_view body, char decimal) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    const std::size_t n = body.size();
    auto push = [&](Tok kind, std::size_t start) {
        tokens.push_back({kind, body.substr(start, i - start)});
    };
    while (i < n) {
        const std::size_t start = i;
        const char c = body[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            while (i < n &&
                   (body[i] == ' ' || body[i] == '\t' || body[i] == '\r' || body[i] == '\n'))
                ++i;
            push(Tok::Space, start);
        } else if (c == '"' || c == '\'') {
            // Quoted text or quoted sheet name; a doubled quote stands for itself.
            ++i;
            bool closed = false;
            while (i < n) {
                if (body[i] == c) {
                    if (i + 1 < n && body[i + 1] == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                ++i;
            }
            if (!closed)
                ThrowBadFormula(formula, c == '"' ? "testo senza virgolette di chiusura"
                                                  : "nome di foglio senza apice di chiusura");
            push(c == '"' ? Tok::String : Tok::SheetName, start);
        } else if (IsDigit(c) || (c == decimal && i + 1 < n && IsDigit(body[i + 1]))) {
            while (i < n && IsDigit(body[i]))
                ++i;
            if (i < n && body[i] == decimal) {
                ++i;
                while (i < n && IsDigit(body[i]))
                    ++i;
            }
            if (i < n && (body[i] == 'e' || body[i] == 'E')) {
                std::size_t j = i + 1;
                if (j < n && (body[j] == '+' || body[j] == '-'))
                    ++j;
                if (j < n && IsDigit(body[j])) {
                    while (j < n && IsDigit(body[j]))
                        ++j;
                    i = j;
                }
            }
            push(Tok::Number, start);
        } else if (IsIdentStart(c)) {
            while (i < n && IsIdentPart(body[i]))
                ++i;
            push(Tok::Ident, start);
        } else if (c == '#') {
            std::size_t len = 0;
            for (const auto& e : kErrorSpellings) {
                const auto t = e.text;
                if (body.size() - i >= t.size() && Upper(body.substr(i, t.size())) == t) {
                    len = t.size();
                    break;
                }
            }
            i += len == 0 ? 1 : len;
            push(len == 0 ? Tok::Op : Tok::ErrorLit, start);
        } else if ((c == '<' && i + 1 < n && (body[i + 1] == '>' || body[i + 1] == '=')) ||
                   (c == '>' && i + 1 < n && body[i + 1] == '=')) {
            i += 2;
            push(Tok::Op, start);
        } else {
            ++i;
            push(Tok::Op, start);
        }
    }
    return tokens;
}

// True when the formula has a semicolon outside quoted parts: then it is written with
// the semicolon between arguments and the comma as decimal mark.
bool UsesSemicolons(std::string_view text) {
    char quote = 0;
    for (char c : text) {
        if (quote != 0) {
            if (c == quote)
                quote = 0; // a doubled quote reopens at once: same effect
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            return true;
        }
    }
    return false;
}

struct NameMapping {
    std::string_view local;
    std::string_view invariant;
};
constexpr std::array<NameMapping, 21> kFunctionNames = {{
    {"SE", "IF"},
    {"SOMMA", "SUM"},
    {"ARROTONDA", "ROUND"},
    {"ARROTONDA.PER.ECC", "ROUNDUP"},
    {"ARROTONDA.PER.DIF", "ROUNDDOWN"},
    {"ASS", "ABS"},
    {"E", "AND"},
    {"O", "OR"},
    {"NON", "NOT"},
    {"MEDIA", "AVERAGE"},
    {"CONTA.NUMERI", "COUNT"},
    {"CONTA.VALORI", "COUNTA"},
    {"SOMMA.SE", "SUMIF"},
    {"CONTA.SE", "COUNTIF"},
    {"SE.ERRORE", "IFERROR"},
    {"RADQ", "SQRT"},
    {"RESTO", "MOD"},
    {"CONCATENA", "CONCATENATE"},
    {"INT", "INT"},
    {"VERO", "TRUE"},
    {"FALSO", "FALSE"},
}};

std::string InvariantFunctionName(std::string_view name) {
    const std::string u = Upper(name);
    for (const auto& m : kFunctionNames)
        if (m.local == u)
            return std::string(m.invariant);
    return u;
}

std::string_view InvariantError(std::string_view text) {
    const std::string u = Upper(text);
    for (const auto& e : kErrorSpellings)
        if (e.text == u)
            return e.invariant;
    return text;
}

bool IsOp(const std::vector<Token>& tokens, std::size_t i, std::string_view op) {
    return i < tokens.size() && tokens[i].kind == Tok::Op && tokens[i].text == op;
}

// A cell reference with its anchors: "$B4" -> col 2 (fixed), row 4 (relative).
struct CellToken {
    int row = 0;
    int col = 0;
    bool rowFixed = false;
    bool colFixed = false;
};

std::optional<CellToken> ParseCellToken(std::string_view t) {
    CellToken c;
    std::size_t i = 0;
    if (i < t.size() && t[i] == '$') {
        c.colFixed = true;
        ++i;
    }
    const std::size_t lettersStart = i;
    while (i < t.size() && IsAsciiLetter(t[i]))
        ++i;
    const auto col = ParseColumnName(t.substr(lettersStart, i - lettersStart));
    if (!col)
        return std::nullopt;
    if (i < t.size() && t[i] == '$') {
        c.rowFixed = true;
        ++i;
    }
    const std::string_view digits = t.substr(i);
    if (digits.empty() || digits.size() > 7 || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), IsDigit))
        return std::nullopt;
    int row = 0;
    for (char d : digits)
        row = row * 10 + (d - '0');
    if (row > kMaxRows)
        return std::nullopt;
    c.col = *col;
    c.row = row;
    return c;
}

std::string FormatCellToken(const CellToken& c) {
    std::string s;
    if (c.colFixed)
        s += '$';
    s += ColumnName(c.col);
    if (c.rowFixed)
        s += '$';
    s += std::to_string(c.row);
    return s;
}

// ---------------------------------------------------------------------------------
// Number <-> text the way a spreadsheet converts them in formulas.

std::optional<double> TextToNumber(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    if (s.empty())
        return std::nullopt;
    const std::string text(s);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    // strtod also reads "inf", "nan" and hexadecimal: a spreadsheet does not.
    for (char c : text)
        if (!(IsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'))
            return std::nullopt;
    return v;
}

std::string NumberToText(double v) {
    if (v == 0)
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

} // namespace

// ---------------------------------------------------------------------------------
// Translation and shifting.

std::string ToInvariantFormula(std::string_view local) {
    if (local.empty() || local.front() != '=')
        return std::string(local);
    const bool semicolons = UsesSemicolons(local);
    const auto tokens = Lex(local, local.substr(1), semicolons ? ',' : '.');
    std::string out = "=";
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        switch (t.kind) {
        case Tok::Number:
            if (semicolons) {
                std::string num(t.text);
                std::replace(num.begin(), num.end(), ',', '.');
                out += num;
            } else {
                out += t.text;
            }
            break;
        case Tok::Ident: {
            const bool call = IsOp(tokens, i + 1, "(");
            const std::string u = Upper(t.text);
            if (call)
                out += InvariantFunctionName(t.text);
            else if (u == "VERO" || u == "FALSO")
                out += InvariantFunctionName(t.text);
            else
                out += t.text;
            break;
        }
        case Tok::ErrorLit:
            out += InvariantError(t.text);
            break;
        case Tok::Op:
            out += (semicolons && t.text == ";") ? std::string_view(",") : t.text;
            break;
        default:
            out += t.text;
            break;
        }
    }
    return out;
}

std::string ShiftFormula(std::string_view formula, int dRows, int dCols) {
    if (formula.empty() || formula.front() != '=' || (dRows == 0 && dCols == 0))
        return std::string(formula);
    const bool semicolons = UsesSemicolons(formula);
    const auto tokens = Lex(formula, formula.substr(1), semicolons ? ',' : '.');
    std::string out = "=";
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        std::optional<CellToken> cell;
        if (t.kind == Tok::Ident && !IsOp(tokens, i + 1, "("))
            cell = ParseCellToken(t.text);
        if (!cell) {
            out += t.text;
            continue;
        }
        if (!cell->rowFixed)
            cell->row += dRows;
        if (!cell->colFixed)
            cell->col += dCols;
        if (cell->row < 1 || cell->row > kMaxRows || cell->col < 1 || cell->col > kMaxColumns)
            out += "#REF!";
        else
            out += FormatCellToken(*cell);
    }
    return out;
}

// ---------------------------------------------------------------------------------
// Parser.

enum class Op { Add, Sub, Mul, Div, Pow, Concat, Eq, Ne, Lt, Gt, Le, Ge, Neg, Plus, Percent };

struct Formula::Node {
    enum class Kind { Constant, Ref, Missing, Unary, Binary, Call };
    Kind kind = Kind::Constant;
    CellValue constant;
    Rect rect;
    Op op = Op::Add;
    std::string name;
    std::vector<std::unique_ptr<Node>> args;
};

namespace {

using Node = Formula::Node;
using NodePtr = std::unique_ptr<Node>;

constexpr int kMaxNesting = 100;

struct Arity {
    std::string_view name;
    std::size_t min;
    std::size_t max;
};
constexpr std::size_t kMany = 255;
constexpr std::array<Arity, 11> kKnownFunctions = {{
    {"IF", 2, 3},
    {"SUM", 1, kMany},
    {"MIN", 1, kMany},
    {"MAX", 1, kMany},
    {"AVERAGE", 1, kMany},
    {"COUNT", 1, kMany},
    {"ROUND", 2, 2},
    {"ABS", 1, 1},
    {"AND", 1, kMany},
    {"OR", 1, kMany},
    {"NOT", 1, 1},
}};
constexpr Arity kIfError{"IFERROR", 2, 2};

const Arity* FindFunction(std::string_view name) {
    for (const auto& f : kKnownFunctions)
        if (f.name == name)
            return &f;
    if (name == kIfError.name)
        return &kIfError;
    return nullptr;
}

NodePtr MakeConstant(CellValue v) {
    auto n = std::make_unique<Node>();
    n->kind = Node::Kind::Constant;
    n->constant = std::move(v);
    return n;
}

class Parser {
public:
    Parser(std::string_view text) : text_(text) {
        if (text.empty() || text.front() != '=')
            Fail("deve cominciare con =");
        if (text.size() > kMaxFormulaLength)
            Fail("troppo lunga");
        for (const Token& t : Lex(text, text.substr(1), '.'))
            if (t.kind != Tok::Space)
                tokens_.push_back(t);
    }

    NodePtr ParseAll() {
        if (tokens_.empty())
            Fail("vuota");
        NodePtr root = Comparison(0);
        if (pos_ != tokens_.size())
            Fail("testo inatteso \"" + std::string(tokens_[pos_].text) + "\"");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& why) const { ThrowBadFormula(text_, why); }

    bool AtOp(std::string_view op) const {
        return pos_ < tokens_.size() && tokens_[pos_].kind == Tok::Op && tokens_[pos_].text == op;
    }
    bool AtEnd() const { return pos_ >= tokens_.size(); }

    static NodePtr Binary(Op op, NodePtr a, NodePtr b) {
        auto n = std::make_unique<Node>();
        n->kind = Node::Kind::Binary;
        n->op = op;
        n->args.push_back(std::move(a));
        n->args.push_back(std::move(b));
        return n;
    }

    void CheckDepth(int depth) const {
        if (depth > kMaxNesting)
            Fail("troppi livelli di parentesi");
    }

    NodePtr Comparison(int depth) {
        CheckDepth(depth);
        NodePtr left = Concat(depth);
        for (;;) {
            Op op;
            if (AtOp("="))
                op = Op::Eq;
            else if (AtOp("<>"))
                op = Op::Ne;
            else if (AtOp("<="))
                op = Op::Le;
            else if (AtOp(">="))
                op = Op::Ge;
            else if (AtOp("<"))
                op = Op::Lt;
            else if (AtOp(">"))
                op = Op::Gt;
            else
                return left;
            ++pos_;
            left = Binary(op, std::move(left), Concat(depth));
        }
    }

    NodePtr Concat(int depth) {
        NodePtr left = Additive(depth);
        while (AtOp("&")) {
            ++pos_;
            left = Binary(Op::Concat, std::move(left), Additive(depth));
        }
        return left;
    }

    NodePtr Additive(int depth) {
        NodePtr left = Multiplicative(depth);
        for (;;) {
            if (AtOp("+")) {
                ++pos_;
                left = Binary(Op::Add, std::move(left), Multiplicative(depth));
            } else if (AtOp("-")) {
                ++pos_;
                left = Binary(Op::Sub, std::move(left), Multiplicative(depth));
            } else {
                return left;
            }
        }
    }

    NodePtr Multiplicative(int depth) {
        NodePtr left = Power(depth);
        for (;;) {
            if (AtOp("*")) {
                ++pos_;
                left = Binary(Op::Mul, std::move(left), Power(depth));
            } else if (AtOp("/")) {
                ++pos_;
                left = Binary(Op::Div, std::move(left), Power(depth));
            } else {
                return left;
            }
        }
    }

    // Left-associative, below the sign: -2^2 is 4 and 2^3^2 is 64, as in spreadsheets.
    NodePtr Power(int depth) {
        NodePtr left = Percent(depth);
        while (AtOp("^")) {
            ++pos_;
            left = Binary(Op::Pow, std::move(left), Percent(depth));
        }
        return left;
    }

    NodePtr Percent(int depth) {
        NodePtr operand = Unary(depth);
        while (AtOp("%")) {
            ++pos_;
            auto n = std::make_unique<Node>();
            n->kind = Node::Kind::Unary;
            n->op = Op::Percent;
            n->args.push_back(std::move(operand));
            operand = std::move(n);
        }
        return operand;
    }

    NodePtr Unary(int depth) {
        CheckDepth(depth);
        if (AtOp("-") || AtOp("+")) {
            const Op op = AtOp("-") ? Op::Neg : Op::Plus;
            ++pos_;
            auto n = std::make_unique<Node>();
            n->kind = Node::Kind::Unary;
            n->op = op;
            n->args.push_back(Unary(depth + 1));
            return n;
        }
        return Primary(depth);
    }

    NodePtr Primary(int depth) {
        if (AtEnd())
            Fail("incompleta");
        const Token t = tokens_[pos_];
        switch (t.kind) {
        case Tok::Number: {
            ++pos_;
            const auto v = TextToNumber(t.text);
            if (!v)
                Fail("numero non valido \"" + std::string(t.text) + "\"");
            return MakeConstant(*v);
        }
        case Tok::String: {
            ++pos_;
            std::string s;
            const std::string_view inner = t.text.substr(1, t.text.size() - 2);
            for (std::size_t i = 0; i < inner.size(); ++i) {
                s += inner[i];
                if (inner[i] == '"')
                    ++i; // the second of a doubled quote
            }
            return MakeConstant(std::move(s));
        }
        case Tok::ErrorLit: {
            ++pos_;
            const std::string_view inv = InvariantError(t.text);
            for (ErrorValue e : {ErrorValue::Div0, ErrorValue::Value, ErrorValue::Ref,
                                 ErrorValue::Name, ErrorValue::Num, ErrorValue::NA})
                if (ErrorText(e) == inv)
                    return MakeConstant(e);
            return MakeConstant(ErrorValue::Value); // #NULL!: no such case here
        }
        case Tok::SheetName:
            // A reference into another sheet: the workbook of the report has one sheet.
            ++pos_;
            if (!AtOp("!"))
                Fail("nome di foglio senza riferimento");
            ++pos_;
            SkipReference();
            return MakeConstant(ErrorValue::Ref);
        case Tok::Ident:
            return Identifier(depth);
        case Tok::Op:
            if (t.text == "(") {
                ++pos_;
                NodePtr inner = Comparison(depth + 1);
                if (!AtOp(")"))
                    Fail("manca una parentesi chiusa");
                ++pos_;
                return inner;
            }
            Fail("testo inatteso \"" + std::string(t.text) + "\"");
        case Tok::Space:
            break;
        }
        Fail("testo inatteso");
    }

    void SkipReference() {
        if (AtEnd() || tokens_[pos_].kind != Tok::Ident)
            Fail("riferimento mancante");
        ++pos_;
        if (AtOp(":")) {
            ++pos_;
            if (AtEnd() || tokens_[pos_].kind != Tok::Ident)
                Fail("riferimento mancante");
            ++pos_;
        }
    }

    NodePtr Identifier(int depth) {
        const Token t = tokens_[pos_++];
        const std::string upper = Upper(t.text);
        if (AtOp("("))
            return Call(upper, depth);
        if (AtOp("!")) {
            ++pos_;
            SkipReference();
            return MakeConstant(ErrorValue::Ref);
        }
        if (upper == "TRUE" || upper == "FALSE")
            return MakeConstant(upper == "TRUE");
        // A cell, a range of cells, or a range of whole columns.
        std::optional<Rect> first = ParseCell(t.text);
        const bool columnOnly =
            !first && ParseColumnName(upper.front() == '$' ? std::string_view(upper).substr(1)
                                                           : std::string_view(upper));
        if (AtOp(":") && (first || columnOnly)) {
            ++pos_;
            if (AtEnd() || tokens_[pos_].kind != Tok::Ident)
                Fail("intervallo incompleto");
            const Token second = tokens_[pos_++];
            const auto range = ParseRange(std::string(t.text) + ":" + std::string(second.text));
            if (!range)
                Fail("intervallo non valido");
            auto n = std::make_unique<Node>();
            n->kind = Node::Kind::Ref;
            n->rect = *range;
            return n;
        }
        if (first) {
            auto n = std::make_unique<Node>();
            n->kind = Node::Kind::Ref;
            n->rect = *first;
            return n;
        }
        // A defined name: the workbook defines none.
        return MakeConstant(ErrorValue::Name);
    }

    NodePtr Call(const std::string& name, int depth) {
        ++pos_; // "("
        auto n = std::make_unique<Node>();
        n->kind = Node::Kind::Call;
        n->name = name;
        if (AtOp(")")) {
            ++pos_;
        } else {
            for (;;) {
                if (AtOp(",") || AtOp(")")) {
                    auto missing = std::make_unique<Node>();
                    missing->kind = Node::Kind::Missing;
                    n->args.push_back(std::move(missing));
                } else {
                    n->args.push_back(Comparison(depth + 1));
                }
                if (AtOp(",")) {
                    ++pos_;
                    continue;
                }
                if (AtOp(")")) {
                    ++pos_;
                    break;
                }
                Fail("manca una parentesi chiusa dopo gli argomenti di " + name);
            }
        }
        if (const Arity* a = FindFunction(name)) {
            if (n->args.size() < a->min || n->args.size() > a->max)
                Fail("numero di argomenti errato per " + name);
        }
        return n;
    }

    std::string_view text_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
};

// ---------------------------------------------------------------------------------
// Evaluator.

// A number or the error that stands in its place.
struct Num {
    double value = 0;
    std::optional<ErrorValue> error;
};

Num ToNum(const CellValue& v) {
    if (const double* d = std::get_if<double>(&v))
        return {*d, std::nullopt};
    if (const bool* b = std::get_if<bool>(&v))
        return {*b ? 1.0 : 0.0, std::nullopt};
    if (const auto* e = std::get_if<ErrorValue>(&v))
        return {0, *e};
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (auto d = TextToNumber(*s))
            return {*d, std::nullopt};
        return {0, ErrorValue::Value};
    }
    return {0, std::nullopt}; // empty
}

CellValue Finite(double v) {
    if (!std::isfinite(v))
        return ErrorValue::Num;
    return v;
}

// Two numbers a spreadsheet shows alike compare equal: 0.1 + 0.2 = 0.3 is true.
int CompareNumbers(double a, double b) {
    if (a == b)
        return 0;
    const double scale = std::max(std::fabs(a), std::fabs(b));
    if (std::fabs(a - b) <= 4 * std::numeric_limits<double>::epsilon() * scale)
        return 0;
    return a < b ? -1 : 1;
}

int CompareTextNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Numbers sort before texts, texts before truth values; an empty cell takes the kind
// of what it is compared with.
int Compare(CellValue a, CellValue b) {
    auto fill = [](CellValue& empty, const CellValue& other) {
        if (!IsEmpty(empty))
            return;
        if (IsText(other))
            empty = std::string();
        else if (IsBool(other))
            empty = false;
        else
            empty = 0.0;
    };
    fill(a, b);
    fill(b, a);
    auto rank = [](const CellValue& v) { return IsNumber(v) ? 0 : IsText(v) ? 1 : 2; };
    if (rank(a) != rank(b))
        return rank(a) < rank(b) ? -1 : 1;
    if (IsNumber(a))
        return CompareNumbers(std::get<double>(a), std::get<double>(b));
    if (IsText(a))
        return CompareTextNoCase(std::get<std::string>(a), std::get<std::string>(b));
    const bool x = std::get<bool>(a), y = std::get<bool>(b);
    return x == y ? 0 : (x ? 1 : -1);
}

// Truth of a condition: numbers by non-zero, texts only "TRUE"/"FALSE".
std::optional<bool> ToBool(const CellValue& v, ErrorValue& error) {
    if (const bool* b = std::get_if<bool>(&v))
        return *b;
    if (const double* d = std::get_if<double>(&v))
        return *d != 0;
    if (IsEmpty(v))
        return false;
    if (const auto* e = std::get_if<ErrorValue>(&v)) {
        error = *e;
        return std::nullopt;
    }
    const std::string u = Upper(std::get<std::string>(v));
    if (u == "TRUE" || u == "FALSE")
        return u == "TRUE";
    error = ErrorValue::Value;
    return std::nullopt;
}

// Rounds half away from zero at the given number of decimals, first taking the
// scaled value to 15 significant digits so that 2.675 rounds to 2.68 as shown.
double RoundHalfAway(double x, int digits) {
    digits = std::clamp(digits, -308, 308);
    const double scale = std::pow(10.0, std::abs(digits));
    double scaled = digits >= 0 ? x * scale : x / scale;
    if (!std::isfinite(scaled))
        return x;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", scaled);
    scaled = std::strtod(buf, nullptr);
    const double r = std::round(scaled);
    return digits >= 0 ? r / scale : r * scale;
}

class Evaluator {
public:
    explicit Evaluator(EvalContext& ctx) : ctx_(ctx) {}

    CellValue Eval(const Node& n) {
        switch (n.kind) {
        case Node::Kind::Constant:
            return n.constant;
        case Node::Kind::Missing:
            return std::monostate{};
        case Node::Kind::Ref:
            // A range where one value is wanted: only a single cell will do.
            if (n.rect.Count() != 1)
                return ErrorValue::Value;
            return ctx_.CellAt(n.rect.top, n.rect.left);
        case Node::Kind::Unary:
            return EvalUnary(n);
        case Node::Kind::Binary:
            return EvalBinary(n);
        case Node::Kind::Call:
            return EvalCall(n);
        }
        return ErrorValue::Value;
    }

private:
    CellValue EvalUnary(const Node& n) {
        const Num x = ToNum(Eval(*n.args[0]));
        if (x.error)
            return *x.error;
        switch (n.op) {
        case Op::Neg:
            return -x.value;
        case Op::Percent:
            return x.value / 100.0;
        default:
            return x.value;
        }
    }

    CellValue EvalBinary(const Node& n) {
        const CellValue a = Eval(*n.args[0]);
        const CellValue b = Eval(*n.args[1]);
        if (n.op == Op::Concat) {
            std::string s;
            for (const CellValue* v : {&a, &b}) {
                if (const auto* e = std::get_if<ErrorValue>(v))
                    return *e;
                s += ToText(*v);
            }
            return s;
        }
        if (n.op >= Op::Eq && n.op <= Op::Ge) {
            if (const auto* e = std::get_if<ErrorValue>(&a))
                return *e;
            if (const auto* e = std::get_if<ErrorValue>(&b))
                return *e;
            const int c = Compare(a, b);
            switch (n.op) {
            case Op::Eq:
                return c == 0;
            case Op::Ne:
                return c != 0;
            case Op::Lt:
                return c < 0;
            case Op::Gt:
                return c > 0;
            case Op::Le:
                return c <= 0;
            default:
                return c >= 0;
            }
        }
        const Num x = ToNum(a);
        if (x.error)
            return *x.error;
        const Num y = ToNum(b);
        if (y.error)
            return *y.error;
        switch (n.op) {
        case Op::Add:
            return Finite(x.value + y.value);
        case Op::Sub:
            return Finite(x.value - y.value);
        case Op::Mul:
            return Finite(x.value * y.value);
        case Op::Div:
            if (y.value == 0)
                return ErrorValue::Div0;
            return Finite(x.value / y.value);
        case Op::Pow:
            if (x.value == 0 && y.value == 0)
                return ErrorValue::Num;
            if (x.value == 0 && y.value < 0)
                return ErrorValue::Div0;
            return Finite(std::pow(x.value, y.value));
        default:
            return ErrorValue::Value;
        }
    }

    static std::string ToText(const CellValue& v) {
        if (const double* d = std::get_if<double>(&v))
            return NumberToText(*d);
        if (const bool* b = std::get_if<bool>(&v))
            return *b ? "TRUE" : "FALSE";
        if (const auto* s = std::get_if<std::string>(&v))
            return *s;
        return std::string();
    }

    // The values an aggregate sees in one argument. References give their numbers
    // (and, with wantBools, their truth values); texts and empty cells inside them are
    // skipped. A direct value is converted, so a text that is no number is #VALUE!.
    std::optional<ErrorValue> Collect(const Node& arg, std::vector<double>& out, bool wantBools) {
        if (arg.kind == Node::Kind::Ref) {
            std::optional<ErrorValue> error;
            ctx_.ForEachInRange(arg.rect, [&](const CellValue& v) {
                if (error)
                    return;
                if (const double* d = std::get_if<double>(&v))
                    out.push_back(*d);
                else if (const auto* e = std::get_if<ErrorValue>(&v))
                    error = *e;
                else if (const bool* b = std::get_if<bool>(&v); b && wantBools)
                    out.push_back(*b ? 1.0 : 0.0);
            });
            return error;
        }
        const CellValue v = Eval(arg);
        if (IsEmpty(v) && arg.kind == Node::Kind::Missing) {
            out.push_back(0);
            return std::nullopt;
        }
        if (wantBools) {
            ErrorValue e = ErrorValue::Value;
            const auto b = ToBool(v, e);
            if (!b)
                return e;
            out.push_back(*b ? 1.0 : 0.0);
            return std::nullopt;
        }
        const Num x = ToNum(v);
        if (x.error)
            return x.error;
        out.push_back(x.value);
        return std::nullopt;
    }

    CellValue EvalCall(const Node& n) {
        const std::string& f = n.name;
        if (f == "IF") {
            ErrorValue e = ErrorValue::Value;
            const auto cond = ToBool(Eval(*n.args[0]), e);
            if (!cond)
                return e;
            if (*cond)
                return Eval(*n.args[1]);
            if (n.args.size() < 3)
                return false;
            return Eval(*n.args[2]);
        }
        if (f == "IFERROR") {
            const CellValue v = Eval(*n.args[0]);
            return IsError(v) ? Eval(*n.args[1]) : v;
        }
        if (f == "SUM" || f == "MIN" || f == "MAX" || f == "AVERAGE" || f == "COUNT") {
            std::vector<double> values;
            for (const auto& a : n.args) {
                if (auto e = Collect(*a, values, false)) {
                    if (f != "COUNT")
                        return *e;
                }
            }
            if (f == "COUNT")
                return static_cast<double>(values.size());
            if (f == "SUM") {
                double s = 0;
                for (double v : values)
                    s += v;
                return Finite(s);
            }
            if (values.empty())
                return f == "AVERAGE" ? CellValue(ErrorValue::Div0) : CellValue(0.0);
            if (f == "MIN")
                return *std::min_element(values.begin(), values.end());
            if (f == "MAX")
                return *std::max_element(values.begin(), values.end());
            double s = 0;
            for (double v : values)
                s += v;
            return Finite(s / static_cast<double>(values.size()));
        }
        if (f == "AND" || f == "OR") {
            std::vector<double> values;
            for (const auto& a : n.args)
                if (auto e = Collect(*a, values, true))
                    return *e;
            if (values.empty())
                return ErrorValue::Value;
            if (f == "AND")
                return std::all_of(values.begin(), values.end(), [](double v) { return v != 0; });
            return std::any_of(values.begin(), values.end(), [](double v) { return v != 0; });
        }
        if (f == "NOT") {
            ErrorValue e = ErrorValue::Value;
            const auto b = ToBool(Eval(*n.args[0]), e);
            if (!b)
                return e;
            return !*b;
        }
        if (f == "ABS") {
            const Num x = ToNum(Eval(*n.args[0]));
            if (x.error)
                return *x.error;
            return std::fabs(x.value);
        }
        if (f == "ROUND") {
            const Num x = ToNum(Eval(*n.args[0]));
            if (x.error)
                return *x.error;
            const Num d = ToNum(Eval(*n.args[1]));
            if (d.error)
                return *d.error;
            const double digits = std::trunc(std::clamp(d.value, -400.0, 400.0));
            return Finite(RoundHalfAway(x.value, static_cast<int>(digits)));
        }
        return ErrorValue::Name;
    }

    EvalContext& ctx_;
};

} // namespace

Formula Formula::Parse(std::string_view invariantText) {
    Parser p(invariantText);
    Formula f;
    f.root_ = p.ParseAll();
    return f;
}

CellValue Formula::Evaluate(EvalContext& context) const {
    if (!root_)
        return ErrorValue::Value;
    Evaluator e(context);
    CellValue v = e.Eval(*root_);
    if (IsEmpty(v))
        return 0.0;
    return v;
}

} // namespace velcaro::spreadsheet
