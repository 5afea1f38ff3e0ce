#pragma once
// Formulas: translation of the texts the program writes into the file's invariant
// form, and a small evaluator for the sheet's recalculation.
//
// The program writes formulas the way it always has: Italian function names ("SE",
// "SOMMA") with the comma between arguments ("=SE(D14=0,0,D6/D14)"). A formula typed
// under Italian settings uses the semicolon instead and the comma as decimal mark
// ("=SE(A1>0,5;1;0)"). Both are accepted: when a formula holds a semicolon outside
// quoted text it is read in the second way, otherwise in the first. The invariant
// form has English function names, the comma between arguments and the point as
// decimal mark; it is what the file stores and what the evaluator reads.
#include "platform/spreadsheet/Address.h"
#include "platform/spreadsheet/CellValue.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace velcaro::spreadsheet {

// Longest formula accepted, as the file format allows.
inline constexpr std::size_t kMaxFormulaLength = 8192;

// "=SE(D14=0,0,D6/D14)" -> "=IF(D14=0,0,D6/D14)". Texts in quotes and quoted sheet
// names are left as they are. Throws velcaro::Error on an unterminated quote.
std::string ToInvariantFormula(std::string_view localFormula);

// The same formula written for a cell dRows rows and dCols columns further: the
// relative parts of its references move, the $-anchored parts stay. A reference
// pushed off the sheet becomes #REF!.
std::string ShiftFormula(std::string_view formula, int dRows, int dCols);

// Where the evaluator reads cells from.
class EvalContext {
public:
    virtual ~EvalContext() = default;
    // The value of one cell (the computed value for a formula cell).
    virtual CellValue CellAt(int row, int col) = 0;
    // Every non-empty cell inside r, in any order.
    virtual void ForEachInRange(const Rect& r, const std::function<void(const CellValue&)>& f) = 0;
};

// A formula in invariant form, parsed once and evaluated as often as needed.
class Formula {
public:
    struct Node;

    // Throws velcaro::Error (Italian text naming the formula) when the text is not a
    // formula the spreadsheet would accept.
    static Formula Parse(std::string_view invariantText);

    // Never throws for formula reasons: faults give error values (#DIV/0!, #VALUE!,
    // #NAME? for unknown functions...). A formula whose result is an empty cell gives 0.
    CellValue Evaluate(EvalContext& context) const;

private:
    std::shared_ptr<const Node> root_;
};

} // namespace velcaro::spreadsheet
