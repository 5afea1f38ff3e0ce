// Recalculation of a sheet. Formula cells are evaluated in dependency order with an
// explicit stack instead of recursion, so a long chain of formulas cannot exhaust the
// call stack, and a formula that (directly or not) refers to itself gets #REF!.
#include "platform/spreadsheet/Model.h"

#include <vector>

namespace velcaro::spreadsheet::detail {

namespace {

enum class State { Pending, InProgress, Done };

// Thrown by a lookup that meets formula cells not yet evaluated: the evaluation of the
// current cell is abandoned and retried once they are done.
struct NeedCells {
    std::vector<CellKey> keys;
};

class SheetCalculation : public EvalContext {
public:
    explicit SheetCalculation(SheetData& sheet) : sheet_(sheet) {
        for (auto& [key, cell] : sheet_.cells)
            if (cell.parsed)
                state_[key] = State::Pending;
    }

    void Run() {
        std::vector<CellKey> stack;
        for (auto& [key, st] : state_) {
            if (st != State::Pending)
                continue;
            stack.push_back(key);
            while (!stack.empty()) {
                const CellKey k = stack.back();
                if (state_[k] == State::Done) { // asked for twice
                    stack.pop_back();
                    continue;
                }
                Cell& cell = sheet_.cells.at(k);
                state_[k] = State::InProgress;
                try {
                    cell.result = cell.parsed->Evaluate(*this);
                    state_[k] = State::Done;
                    stack.pop_back();
                } catch (NeedCells& need) {
                    for (const CellKey& n : need.keys)
                        stack.push_back(n);
                }
            }
        }
    }

    CellValue CellAt(int row, int col) override {
        const auto it = sheet_.cells.find({row, col});
        if (it == sheet_.cells.end())
            return std::monostate{};
        const Cell& cell = it->second;
        if (!cell.parsed)
            return cell.value;
        switch (state_[it->first]) {
        case State::Done:
            return cell.result;
        case State::InProgress:
            return ErrorValue::Ref; // circular reference
        case State::Pending:
            break;
        }
        throw NeedCells{{it->first}};
    }

    void ForEachInRange(const Rect& r, const std::function<void(const CellValue&)>& f) override {
        // First every pending formula inside, so that a long range is retried once.
        NeedCells need;
        auto first = sheet_.cells.lower_bound({r.top, r.left});
        const auto last = sheet_.cells.upper_bound({r.bottom, r.right});
        for (auto it = first; it != last; ++it)
            if (r.Contains(it->first.first, it->first.second) && it->second.parsed &&
                state_[it->first] == State::Pending)
                need.keys.push_back(it->first);
        if (!need.keys.empty())
            throw need;
        for (auto it = first; it != last; ++it)
            if (r.Contains(it->first.first, it->first.second))
                f(CellAt(it->first.first, it->first.second));
    }

private:
    SheetData& sheet_;
    std::map<CellKey, State> state_;
};

} // namespace

void CalculateSheet(SheetData& sheet) {
    SheetCalculation calc(sheet);
    calc.Run();
}

} // namespace velcaro::spreadsheet::detail
