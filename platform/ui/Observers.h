#pragma once
// Callbacks that follow an object (the views of a control or a form).
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace velcaro::ui {

class Observers {
public:
    int Add(std::function<void()> cb)
    {
        list_.emplace_back(next_, std::move(cb));
        return next_++;
    }
    void Remove(int id)
    {
        std::erase_if(list_, [id](const auto& p) { return p.first == id; });
    }
    void Notify() const
    {
        // A copy: an observer may remove itself (or another) while being told.
        const auto copy = list_;
        for (const auto& [id, cb] : copy)
            cb();
    }

private:
    std::vector<std::pair<int, std::function<void()>>> list_;
    int next_ = 1;
};

} // namespace velcaro::ui
